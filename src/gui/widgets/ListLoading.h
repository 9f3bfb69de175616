#pragma once

#include "core/catalogue/ListFile.h"
#include "gui/mainwindow/UnitListModel.h"

#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QListWidget;

// The pieces of the list loader that do not depend on the main window.

// Reads a list file once. A missing file gives nothing after its two messages ("File Does Not
// Exist." and "Vital file is missing"); a file beyond the 16-bit limit nothing after its own.
std::optional<catalogue::ListFile> readListForLoading(const QString &path);
// Shows "Vital file is missing" with the "may need to close" line.
void reportVitalFileMissing();

// The list loader's plain mode: every non-empty line of path into a sorted list (emptied first
// when clearFirst is set), each at its sorted place, raising no handler and choosing nothing.
// True when the file is missing or too long, after the messages.
bool loadLinesSorted(const QString &path, QListWidget *list, bool clearFirst);
bool loadLinesSorted(const QString &path, QComboBox *list, bool clearFirst);

// The units of a category file as the unit lists show them: the sorted model both lists share,
// the factor table, the file's line count and the names of its rejected lines.
struct LoadedUnits {
    qint16 count = 0;
    std::shared_ptr<UnitListModel> model;
    std::vector<QString> factors;
    QStringList rejectedNames;
};

// Reads category files for the unit lists. Both lists load the same file one after the other:
// while a file's bytes are unchanged, the second load reuses the first one's sorted units
// instead of parsing and sorting again (its rejected lines are still reported each time).
class UnitListSource {
public:
    // Nothing when the file is missing (missingFile set) or too long, after the messages.
    std::shared_ptr<const LoadedUnits> read(const QString &path, bool *missingFile);

private:
    QString m_path;
    QByteArray m_digest;
    std::shared_ptr<const LoadedUnits> m_units;
};
