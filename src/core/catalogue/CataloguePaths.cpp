#include "core/catalogue/CataloguePaths.h"

#include "core/catalogue/CatalogueLocation.h"

#include <QDir>

namespace catalogue {

namespace {
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

} // namespace catalogue
