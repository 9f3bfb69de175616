#pragma once

#include "cli/CommandOutput.h"
#include "core/catalogue/CatalogueFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The catalogue as the commands read it: the one the window works on (the per-user copy when
// there is one; see catalogue::catalogueToRead, which makes no copy), through the program's own
// readers. What the readers would show in message boxes is collected for the command to pass on.
namespace cli {

// Decides which catalogue is read (for the rest of the run) and reads its index once. Nothing
// when the index cannot be read, after saying why.
std::optional<catalogue::ListFile> openCatalogue(CollectedMessages &collected, const CommandOutput &output);

// The categories of the index as the category list shows them, in the index's order: every
// non-empty line it reads that can name a category file, each name once.
QStringList categoryNames(const catalogue::ListFile &index);

// The category of names that wanted names: the one spelt the same, else the only one that
// differs from it in letter case alone.
std::optional<QString> findCategory(const QStringList &names, const QString &wanted);
// The same, saying so when there is none.
std::optional<QString> namedCategory(const QStringList &names, const QString &wanted, const CommandOutput &output);

// A category file read as the unit lists read it.
struct CategoryRead {
    QString name;
    QByteArray bytes;
    std::optional<catalogue::UnitFile> units; // nothing when the file could not be read
    bool missing = false;                     // the file is not there
    QStringList messages;                     // what the readers said of a file they could not read
};

CategoryRead readCategory(const QString &name, CollectedMessages &collected);

} // namespace cli
