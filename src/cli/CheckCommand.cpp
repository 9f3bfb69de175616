#include "cli/CheckCommand.h"

#include "cli/CatalogueCheck.h"
#include "cli/CommandCatalogue.h"
#include "cli/ExitStatus.h"
#include "core/catalogue/CataloguePaths.h"

#include <QDir>

#include <algorithm>

namespace cli {

namespace {

const QString kIndexFileName = catalogue::catalogueFileName(QLatin1String(catalogue::kIndexName));

// The listed categories that names asks for, all of them when it is empty; nothing after a
// message when one is not listed.
std::optional<std::vector<IndexEntry>> chosenEntries(const std::vector<IndexEntry> &entries, const QStringList &names,
                                                     const CommandOutput &output)
{
    if (names.isEmpty())
        return entries;
    QStringList listed;
    for (const IndexEntry &entry : entries)
        listed.append(entry.name);
    std::vector<IndexEntry> chosen;
    for (const QString &wanted : names) {
        const std::optional<QString> name = namedCategory(listed, wanted, output);
        if (!name)
            return std::nullopt;
        chosen.push_back(entries[std::size_t(listed.indexOf(*name))]);
    }
    return chosen;
}

// The category files of the catalogue folder that no entry names.
std::vector<CatalogueProblem> unlistedFiles(const std::vector<IndexEntry> &entries)
{
    QStringList listed{kIndexFileName};
    for (const IndexEntry &entry : entries)
        listed.append(catalogue::catalogueFileName(entry.name));
    std::vector<CatalogueProblem> problems;
    const QDir folder(catalogue::catalogueFolder());
    const QString pattern = QLatin1Char('*') + QLatin1String(catalogue::kCatalogueExtension);
    for (const QString &file : folder.entryList({pattern}, QDir::Files | QDir::System, QDir::Name)) {
        if (!listed.contains(file))
            problems.push_back({shownText(file), 0, QStringLiteral("the index does not list this category file")});
    }
    return problems;
}

} // namespace

int runCheck(const QStringList &categories, const CommandOutput &output)
{
    CollectedMessages collected;
    const std::optional<catalogue::ListFile> index = openCatalogue(collected, output);
    if (!index)
        return kCatalogueUnreadable;
    IndexCheck indexCheck = checkIndex(kIndexFileName, *index);
    const std::optional<std::vector<IndexEntry>> chosen = chosenEntries(indexCheck.entries, categories, output);
    if (!chosen)
        return kUsageError;
    // Named categories: only what concerns their files.
    if (!categories.isEmpty())
        indexCheck.problems.clear();

    std::vector<CatalogueProblem> problems;
    for (const IndexEntry &entry : *chosen) {
        const CategoryRead read = readCategory(entry.name, collected);
        const QString fileName = catalogue::catalogueFileName(entry.name);
        if (read.missing) {
            indexCheck.problems.push_back(
                {kIndexFileName, entry.line,
                 QStringLiteral("the category file \"%1\" is missing").arg(shownText(fileName))});
        } else if (!read.units) {
            for (const QString &message : read.messages)
                problems.push_back({shownText(fileName), 0, QString(message).replace(QLatin1Char('\n'), QLatin1Char(' '))});
        } else {
            const std::vector<CatalogueProblem> found = checkCategoryFile(shownText(fileName), read.bytes, *read.units);
            problems.insert(problems.end(), found.begin(), found.end());
        }
    }
    if (categories.isEmpty()) {
        const std::vector<CatalogueProblem> unlisted = unlistedFiles(indexCheck.entries);
        problems.insert(problems.end(), unlisted.begin(), unlisted.end());
    }
    std::stable_sort(indexCheck.problems.begin(), indexCheck.problems.end(),
                     [](const CatalogueProblem &a, const CatalogueProblem &b) { return a.line < b.line; });
    problems.insert(problems.begin(), indexCheck.problems.begin(), indexCheck.problems.end());

    for (const CatalogueProblem &problem : problems)
        output.out << problem.text() << '\n';
    return problems.empty() ? kDone : kProblemsFound;
}

} // namespace cli
