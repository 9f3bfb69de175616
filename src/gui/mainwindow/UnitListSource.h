#pragma once

#include "core/catalogue/UnitTable.h"
#include "gui/mainwindow/UnitListModel.h"

#include <QString>

#include <memory>

// The units of a category file as the unit lists show them: the sorted table (line count,
// factors, rejected lines) and the model both lists share.
struct LoadedUnits {
    std::shared_ptr<const catalogue::UnitTable> table;
    std::shared_ptr<UnitListModel> model;
};

// Reads category files for the unit lists, once per choice for both lists. While a file's bytes
// are the ones read last, the units read then are used again instead of parsing and sorting
// anew (their rejected lines are still reported each time). The bytes are told apart by their
// size and a 64-bit hash keyed anew in every run, which no file can be made to match on purpose.
class UnitListSource {
public:
    // Nothing when the file is missing (missingFile set) or too long, after the messages.
    std::shared_ptr<const LoadedUnits> read(const QString &path, bool *missingFile);
    // Lets go of the units read last, so that their memory can be given back.
    void forget();

private:
    QString m_path;
    qsizetype m_size = 0;
    size_t m_hash = 0;
    std::shared_ptr<const LoadedUnits> m_units;
};
