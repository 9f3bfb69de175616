#include "cli/CommandCatalogue.h"

#include "core/catalogue/CatalogueLocation.h"
#include "core/catalogue/CatalogueNames.h"
#include "core/catalogue/CataloguePaths.h"

#include <QSet>

namespace cli {

std::optional<catalogue::ListFile> openCatalogue(CollectedMessages &collected, const CommandOutput &output)
{
    catalogue::useCatalogueToRead();
    std::optional<catalogue::ListFile> index = catalogue::readListFile(catalogue::indexFile());
    output.sayAll(collected.take());
    return index;
}

QStringList categoryNames(const catalogue::ListFile &index)
{
    QStringList names;
    QSet<QString> seen;
    for (int i = 0; i < index.count; ++i) {
        const QString name = index.line(i);
        // A line that names no file of the catalogue folder ("../x", "a:b") is never made a path.
        if (name.isEmpty() || !catalogue::categoryNameRefusal(name).isEmpty() || seen.contains(name))
            continue;
        seen.insert(name);
        names.append(name);
    }
    return names;
}

std::optional<QString> findCategory(const QStringList &names, const QString &wanted)
{
    if (names.contains(wanted))
        return wanted;
    std::optional<QString> found;
    for (const QString &name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        if (found)
            return std::nullopt;
        found = name;
    }
    return found;
}

std::optional<QString> namedCategory(const QStringList &names, const QString &wanted, const CommandOutput &output)
{
    const std::optional<QString> found = findCategory(names, wanted);
    if (!found)
        output.say(QStringLiteral("No category is named '%1'. The command \"list\" shows the categories.").arg(wanted));
    return found;
}

CategoryRead readCategory(const QString &name, CollectedMessages &collected)
{
    CategoryRead read;
    read.name = name;
    const QString path = catalogue::categoryFile(name);
    if (const std::optional<QByteArray> bytes = catalogue::readListBytes(path, &read.missing)) {
        read.bytes = *bytes;
        read.units = catalogue::parseUnitFile(path, read.bytes);
    }
    read.messages = collected.take();
    return read;
}

} // namespace cli
