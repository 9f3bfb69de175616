#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Where the working catalogue and its factory copies live.
//
// An installed program (its folder carries an install marker, InstallMarker.h) never edits its
// own files: every user, root included, works on a per-user copy in the user's data folder, made
// from the installed factory catalogue and brought up to date with new factory categories at
// every start (UserCatalogue.h).
//
// A build folder or a portable folder keeps its catalogue in bin/ and the factory copies in
// bin/default/. The user edits bin/ in place when they can write it; otherwise (a portable
// folder unpacked into Program Files) they work on a per-user copy of bin/ as above.
namespace catalogue {

// Whether the user can write a catalogue folder.
using WritableTest = std::function<bool(const QString &folder)>;

struct CatalogueLocation {
    QString folder;        // the working catalogue folder, with "/" separators
    bool perUser = false;  // true when it is the per-user copy
    QString factoryFolder; // the factory copies, with "/" separators

    bool operator==(const CatalogueLocation &other) const = default;
};

// Where the working catalogue of applicationFolder is to be, without touching any file (the
// writable test aside). An installed program: userFolder, with the factory copies where the
// marker says. Otherwise bin/ when canWrite(bin/) is true, else userFolder. An empty userFolder
// (the platform names no data folder) leaves the catalogue where the program's files are.
CatalogueLocation chooseCatalogueLocation(const QString &applicationFolder, const QString &userFolder,
                                          const WritableTest &canWrite);

// Decides as chooseCatalogueLocation does and sets up a per-user copy (prepareUserCatalogue),
// from the factory copies for an installed program and from bin/ for a portable folder;
// addedCategories, when given, receives the factory categories added to it at this start. When
// a portable folder's copy cannot be made (bin/ holds no index, userFolder cannot be made), bin/
// itself is used, as it stands; an installed program keeps to the per-user folder even then, so
// that its own files are never edited. A copy that stopped half-way is completed on a later start.
CatalogueLocation locateCatalogue(const QString &applicationFolder, const QString &userFolder,
                                  const WritableTest &canWrite, QStringList *addedCategories = nullptr);

// Where a command that only reads the catalogue finds it, without making or changing any file
// (the writable test aside): where locateCatalogue would put it, except that a per-user copy
// that holds no index yet is read where it would be copied from. Factory categories that the
// next start of the window adds to the copy are not seen before that start.
CatalogueLocation catalogueToRead(const QString &applicationFolder, const QString &userFolder,
                                  const WritableTest &canWrite);

// The program's test: a new file can be made in the folder, and its index, when it is a regular
// file, can be opened for writing. Leaves the folder as it was.
bool folderTakesWrites(const QString &folder);

// The per-user copy: "catalogue" in the user's data folder (QStandardPaths::AppDataLocation,
// named after the application, which main() names "Tallimer": ~/.local/share/Tallimer on Linux,
// %APPDATA%\Tallimer on Windows).
QString userCatalogueFolder();

// The location in use, decided at the first call for the current application folder and kept
// for as long as that folder stays the application folder (for the program: once per run).
CatalogueLocation currentCatalogueLocation();

// Decides the location in use as catalogueToRead does, for a run that only reads the catalogue
// (the command line), and keeps it as currentCatalogueLocation() would.
CatalogueLocation useCatalogueToRead();

// The factory categories that deciding the current location added to the user's copy (empty
// when none were, or the catalogue is not a per-user copy). The program says so once, at start.
QStringList categoriesAddedAtStart();

// Test hooks. Each makes the next currentCatalogueLocation() decide afresh.
// Points the user's data folder elsewhere; an empty path restores the platform's.
void setUserDataFolder(const QString &folder);
// Replaces the writable test; an empty test restores folderTakesWrites.
void setWritableTest(WritableTest test);
// Forgets the decision.
void forgetCatalogueLocation();

} // namespace catalogue
