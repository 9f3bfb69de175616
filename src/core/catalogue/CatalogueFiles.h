#pragma once

#include <QList>
#include <QString>

#include <optional>

// Whole category files of the catalogue: deleting a category, and restoring one or all of them
// from the factory copies. Every path is under the application folder (CataloguePaths.h); the
// files are deleted and copied through platform::fileOperations(), which reads and replaces only
// regular files, never through a link. A name becomes a path only when categoryFileRefusal finds
// nothing against it. Each operation works under the catalogue lock (CatalogueLock) and does
// nothing when another copy holds it. Nothing here shows a message except the factory index
// reader (CatalogueFile); the failures are returned for the caller to show.
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

// What deleting a category did.
enum class DeleteOutcome {
    Deleted,        // its lines are gone from the index, then its file
    FileWasMissing, // its lines are gone from the index; it had no file
    FileKept,       // its lines are gone from the index; its file could not be deleted and stays,
                    // listed nowhere (a folder in its place, no permission)
    NothingChanged  // the index could not be written, the name names no file of the catalogue
                    // folder, or the lock is held elsewhere: the index and the file stay
};

// Deletes a category: first takes its lines out of the index as it stands on disk, then deletes
// its file (categoryFile(name)) permanently. In this order an interruption leaves at worst a file
// that no line lists, never a line whose file is gone.
DeleteOutcome deleteCategory(const QString &categoryName);

// Copies factoryCategoryFile(name) over categoryFile(name). The failure names the factory file;
// the category file is then as it was (a category the user made has no factory copy).
std::optional<CatalogueFailure> restoreCategory(const QString &categoryName);

struct RestoreAllResult {
    // False when the factory index was missing (after its "File Does Not Exist." message),
    // too long or no regular file (after its own message), or when another copy holds the
    // catalogue lock: then no file was touched.
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
