#pragma once

#include <QString>

// Paths into the catalogue, always under the application folder, whatever the working folder,
// with the platform's separators (as messages show them).
namespace catalogue {

inline constexpr const char *kIndexName = "unitType";
inline constexpr const char *kCatalogueExtension = ".ucr";

QString catalogueFolder();
QString factoryFolder();

QString indexFile();
QString categoryFile(const QString &categoryName);
QString factoryIndexFile();
QString factoryCategoryFile(const QString &categoryName);
// Every catalogue file of the catalogue folder: the folder, then "*.ucr".
QString catalogueFilePattern();

} // namespace catalogue
