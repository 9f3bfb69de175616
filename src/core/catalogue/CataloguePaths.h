#pragma once

#include <QString>

// Paths into the catalogue, whatever the working folder, with the platform's separators (as
// messages show them). The factory copies are always under the application folder; the working
// catalogue is too, unless the user cannot write it there (CatalogueLocation.h).
namespace catalogue {

inline constexpr const char *kIndexName = "unitType";
inline constexpr const char *kCatalogueExtension = ".ucr";

// The working catalogue: the application folder's bin/, or the user's copy of it.
QString catalogueFolder();
// The factory copies: the application folder's bin/default/.
QString factoryFolder();

QString indexFile();
QString categoryFile(const QString &categoryName);
QString factoryIndexFile();
QString factoryCategoryFile(const QString &categoryName);
// Every catalogue file of the catalogue folder: the folder, then "*.ucr".
QString catalogueFilePattern();

// True when path, resolved (".." and the current folder), is a file of the catalogue folder
// itself, not of a folder inside or outside it.
bool liesInCatalogueFolder(const QString &path);

} // namespace catalogue
