#include "core/catalogue/CatalogueFiles.h"

#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/CatalogueIndex.h"
#include "core/catalogue/CatalogueLock.h"
#include "core/catalogue/CatalogueNames.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/platform/FileOperations.h"
#include "core/platform/RegularFile.h"

#include <QStringList>

namespace catalogue {

namespace {

CatalogueFailure removing(const QString &path)
{
    return {CatalogueFailure::Operation::RemovingFiles, path};
}

CatalogueFailure restoring(const QString &path)
{
    return {CatalogueFailure::Operation::RestoringDefaults, path};
}

// Copies the factory copy of stem (a category name already checked, or the index's name) over
// the catalogue's file.
std::optional<CatalogueFailure> copyFactoryFile(const QString &stem)
{
    const QString factoryPath = factoryCategoryFile(stem);
    if (!platform::fileOperations().copyFile(factoryPath, categoryFile(stem)))
        return restoring(factoryPath);
    return std::nullopt;
}

} // namespace

QString CatalogueFailure::message() const
{
    const QString what = operation == Operation::RemovingFiles
                             ? QStringLiteral("An Error has occurred while removing category files")
                             : QStringLiteral("An Error has occurred while restoring defaults");
    return what + QStringLiteral("\r\n") + path + QStringLiteral(" could not be found");
}

DeleteOutcome deleteCategory(const QString &categoryName)
{
    const CatalogueLock lock;
    if (!lock.isHeld() || !categoryFileRefusal(categoryName).isEmpty() || !removeFromIndex(categoryName))
        return DeleteOutcome::NothingChanged;
    const QString path = categoryFile(categoryName);
    if (platform::entryKind(path) == platform::EntryKind::Missing)
        return DeleteOutcome::FileWasMissing;
    return platform::fileOperations().deleteFile(path) ? DeleteOutcome::Deleted : DeleteOutcome::FileKept;
}

std::optional<CatalogueFailure> restoreCategory(const QString &categoryName)
{
    const CatalogueLock lock;
    if (!lock.isHeld() || !categoryFileRefusal(categoryName).isEmpty())
        return restoring(factoryCategoryFile(categoryName));
    return copyFactoryFile(categoryName);
}

RestoreAllResult restoreAllCategories()
{
    RestoreAllResult result;
    const CatalogueLock lock;
    if (!lock.isHeld())
        return result;
    const std::optional<ListFile> factoryIndex = readListFile(factoryIndexFile());
    if (!factoryIndex)
        return result;
    result.factoryIndexRead = true;

    QStringList catalogueFiles; // the files the factory names: no removal touches them
    for (int i = 0; i < factoryIndex->count; ++i) {
        const QString name = factoryIndex->line(i);
        if (categoryFileRefusal(name).isEmpty())
            catalogueFiles.append(categoryFile(name));
        if (const std::optional<CatalogueFailure> failure = restoreCategory(name))
            result.failures.append(*failure);
    }
    const QString index = QLatin1String(kIndexName);
    catalogueFiles.append(categoryFile(index));
    const std::optional<CatalogueFailure> indexFailure = copyFactoryFile(index);
    if (indexFailure)
        result.failures.append(*indexFailure);
    // The user's own categories go only once the factory index that no longer lists them is in
    // place; until then their index still does.
    if (!indexFailure && !platform::fileOperations().deleteMatchingFiles(catalogueFilePattern(), catalogueFiles))
        result.failures.prepend(removing(catalogueFilePattern()));
    return result;
}

} // namespace catalogue
