#include "core/catalogue/CataloguePaths.h"

#include "core/catalogue/CatalogueLocation.h"
#include "core/platform/FileOperations.h"

#include <QDir>
#include <QFileInfo>

namespace catalogue {

namespace {
QString resolved(const QString &path)
{
    return QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(path)).absoluteFilePath());
}

QString fileIn(const QString &folder, const QString &stem)
{
    return QDir::toNativeSeparators(folder + QLatin1Char('/') + catalogueFileName(stem));
}
} // namespace

QString catalogueFileName(const QString &stem)
{
    return stem + QLatin1String(kCatalogueExtension);
}

QString catalogueFolder()
{
    return QDir::toNativeSeparators(currentCatalogueLocation().folder);
}

QString factoryFolder()
{
    return QDir::toNativeSeparators(currentCatalogueLocation().factoryFolder);
}

QString indexFile()
{
    return categoryFile(QLatin1String(kIndexName));
}

QString categoryFile(const QString &categoryName)
{
    return fileIn(catalogueFolder(), categoryName);
}

QString factoryIndexFile()
{
    return factoryCategoryFile(QLatin1String(kIndexName));
}

QString factoryCategoryFile(const QString &categoryName)
{
    return fileIn(factoryFolder(), categoryName);
}

QString catalogueFilePattern()
{
    return fileIn(catalogueFolder(), QStringLiteral("*"));
}

bool liesInCatalogueFolder(const QString &path)
{
    const QString file = resolved(path);
    const qsizetype slash = file.lastIndexOf(QLatin1Char('/'));
    return slash > 0 && file.left(slash).compare(resolved(catalogueFolder()), platform::kFileNameCase) == 0;
}

} // namespace catalogue
