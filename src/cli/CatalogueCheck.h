#pragma once

#include "core/catalogue/CatalogueFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// What "check" finds wrong in catalogue files: the lines that a reader of the program rejects
// (the unit lists' reader or the editor's, whose rules differ), and those that break the
// catalogue's rules.
namespace cli {

// One thing wrong: the file as the catalogue folder names it ("Length.ucr"), the line (from 1;
// 0 when it concerns the whole file) and what is wrong.
struct CatalogueProblem {
    QString file;
    int line = 0;
    QString message;

    // "FILE:LINE: message", or "FILE: message" for the whole file.
    QString text() const;
};

// Text from a file as a message shows it: control characters written as \xNN, so that a line
// break or an escape sequence in a file cannot break the report's lines or the terminal.
QString shownText(const QString &text);

// The problems of a category file: its bytes, and its units as the unit lists read them.
std::vector<CatalogueProblem> checkCategoryFile(const QString &fileName, const QByteArray &bytes,
                                                const catalogue::UnitFile &units);

// A listed category, and the line of the index that lists it (from 1).
struct IndexEntry {
    QString name;
    int line = 0;
};

// The index's categories, and the problems of its lines: a line its reader never reaches, a name
// that can name no category file, a name listed twice (in any letter case, as Windows names files).
struct IndexCheck {
    std::vector<IndexEntry> entries;
    std::vector<CatalogueProblem> problems;
};

IndexCheck checkIndex(const QString &fileName, const catalogue::ListFile &index);

} // namespace cli
