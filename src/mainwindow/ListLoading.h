#pragma once

#include "catalogue/ListFile.h"
#include "mainwindow/UnitListModel.h"

#include <memory>
#include <optional>
#include <vector>

class QComboBox;
class QListWidget;

// The pieces of the list loader that do not depend on the main window.

// Reads a list file once. A missing file gives nothing after its two messages ("File Does Not
// Exist." and "Vital file is missing"); a file beyond the 16-bit limit nothing after its own.
std::optional<catalogue::ListFile> readListForLoading(const QString &path);

// Adds every non-empty line of file to a sorted list, each at its sorted place.
void addLinesSorted(QListWidget *list, const catalogue::ListFile &file);
void addLinesSorted(QComboBox *list, const catalogue::ListFile &file);

// Sorted unit models for the two unit lists. The lists are loaded one after the other from
// the same file: when a load gives exactly the units of the previous one, it shares that
// model instead of sorting again.
class UnitModelCache {
public:
    std::shared_ptr<UnitListModel> modelFor(std::vector<catalogue::UnitEntry> fileOrder);

private:
    std::vector<catalogue::UnitEntry> m_fileOrder;
    std::shared_ptr<UnitListModel> m_model;
};
