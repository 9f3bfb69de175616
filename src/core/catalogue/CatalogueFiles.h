#pragma once

#include <QList>
#include <QString>

#include <optional>

// Whole category files of the catalogue: deleting one, and restoring one or all of them from
// the factory copies. Every path is under the application folder (CataloguePaths.h); the files
// are deleted and copied through platform::fileOperations(). Nothing here shows a message
// except the factory index reader (CatalogueFile); the failures are returned for the caller to show.
namespace catalogue {

// One failed operation and the path the user is told about.
struct CatalogueFailure {
    enum class Operation {
        RemovingFiles,    // a category file, or the pattern of all of them, was not deleted
        RestoringDefaults // a factory file was not copied into the catalogue folder
    };
    Operation operation = Operation::RemovingFiles;
    QString path;

    // The text of its message box: "An Error has occurred while removing category files" or
    // "An Error has occurred while restoring defaults", CR LF, the path, " could not be found".
    QString message() const;

    bool operator==(const CatalogueFailure &other) const = default;
};

// Deletes the category's file (categoryFile(name)) permanently. The failure names that file
// when it is missing, is a folder, or cannot be deleted. A name that names no file of the
// catalogue folder (categoryFileRefusal) fails without touching anything.
std::optional<CatalogueFailure> deleteCategoryFile(const QString &categoryName);

// Copies factoryCategoryFile(name) over categoryFile(name). The failure names the factory file;
// the category file is then as it was (a category the user made has no factory copy, and a name
// that names no file of the catalogue folder is no category).
std::optional<CatalogueFailure> restoreCategory(const QString &categoryName);

struct RestoreAllResult {
    // False when the factory index was missing (after its "File Does Not Exist." message)
    // or too long (after its own message): then no file was touched.
    bool factoryIndexRead = false;
    // In the order their messages are shown: the failed removal first, then each failed copy
    // in the order of the factory index, the index itself last.
    QList<CatalogueFailure> failures;
};

// Brings back the factory catalogue: exactly the factory index and the files it lists, the
// user's own categories gone. The names are the factory index's lines 0..n-1 (a blank line, or a
// line that names no category file, fails with its factory path: for a blank line the path ends
// in the factory folder's separator and ".ucr") and then the index itself. Each factory file is
// first copied over its catalogue file, each copy put in place in one step; only then are the
// other "*.ucr" files of the catalogue folder deleted, and only when the factory index itself was
// copied. So a failure never leaves the folder without an index, and a category whose factory
// copy fails keeps its old file, listed by whichever index is in place.
RestoreAllResult restoreAllCategories();

} // namespace catalogue
