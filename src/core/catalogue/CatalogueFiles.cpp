#include "core/catalogue/CatalogueFiles.h"

#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/platform/FileOperations.h"

#include <QStringList>

namespace catalogue {

namespace {

// A name that would lead out of the catalogue folder names none of its files.
bool namesAFileOfTheFolder(const QString &categoryName)
{
    return !categoryName.contains(QLatin1Char('/')) && !categoryName.contains(QLatin1Char('\\'));
}

CatalogueFailure removing(const QString &path)
{
    return {CatalogueFailure::Operation::RemovingFiles, path};
}

CatalogueFailure restoring(const QString &path)
{
    return {CatalogueFailure::Operation::RestoringDefaults, path};
}

} // namespace

QString CatalogueFailure::message() const
{
    const QString what = operation == Operation::RemovingFiles
                             ? QStringLiteral("An Error has occurred while removing category files")
                             : QStringLiteral("An Error has occurred while restoring defaults");
    return what + QStringLiteral("\r\n") + path + QStringLiteral(" could not be found");
}

std::optional<CatalogueFailure> deleteCategoryFile(const QString &categoryName)
{
    const QString path = categoryFile(categoryName);
    if (!namesAFileOfTheFolder(categoryName) || !platform::fileOperations().deleteFile(path))
        return removing(path);
    return std::nullopt;
}

std::optional<CatalogueFailure> restoreCategory(const QString &categoryName)
{
    const QString factoryPath = factoryCategoryFile(categoryName);
    if (!namesAFileOfTheFolder(categoryName)
        || !platform::fileOperations().copyFile(factoryPath, categoryFile(categoryName)))
        return restoring(factoryPath);
    return std::nullopt;
}

RestoreAllResult restoreAllCategories()
{
    RestoreAllResult result;
    const std::optional<ListFile> factoryIndex = readListFile(factoryIndexFile());
    if (!factoryIndex)
        return result;
    result.factoryIndexRead = true;

    QStringList names;
    for (int i = 0; i < factoryIndex->count; ++i)
        names.append(factoryIndex->line(i));
    names.append(QLatin1String(kIndexName));

    QStringList catalogueFiles; // the files the factory names: no removal touches them
    bool indexRestored = false;
    for (const QString &name : names) {
        catalogueFiles.append(categoryFile(name));
        const std::optional<CatalogueFailure> failure = restoreCategory(name);
        if (failure)
            result.failures.append(*failure);
        indexRestored = !failure; // the index is the last name
    }
    // The user's own categories go only once the factory index that no longer lists them is in
    // place; until then their index still does.
    if (indexRestored && !platform::fileOperations().deleteMatchingFiles(catalogueFilePattern(), catalogueFiles))
        result.failures.prepend(removing(catalogueFilePattern()));
    return result;
}

} // namespace catalogue
