#pragma once

#include "core/catalogue/CatalogueFile.h"
#include "gui/mainwindow/UnitListModel.h"

#include <QByteArray>

#include <memory>
#include <vector>

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
