#pragma once

#include <QString>

// Paths into the catalogue, whatever the working folder, with the platform's separators (as
// messages show them). Where the working catalogue and the factory copies are is decided once
// (CatalogueLocation.h).
namespace catalogue {

inline constexpr const char *kIndexName = "unitType";
inline constexpr const char *kCatalogueExtension = ".ucr";

// The file name of a category, name + ".ucr"; of the index for kIndexName.
QString catalogueFileName(const QString &stem);

// The working catalogue: the application folder's bin/, or the user's copy.
QString catalogueFolder();
// The factory copies: the application folder's bin/default/, or an installed program's data
// folder.
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
