#pragma once

#include <QString>

#include <functional>

// Where the working catalogue lives. A portable application folder that the user can write
// keeps its catalogue in place, in its bin/. An installed program whose bin/ the user cannot
// write (a system-wide install, Program Files) works on a per-user copy in the user's data
// folder instead; the factory copies are always read from the application folder.
namespace catalogue {

// Whether the user can write a catalogue folder.
using WritableTest = std::function<bool(const QString &folder)>;

struct CatalogueLocation {
    QString folder;       // the working catalogue folder, with "/" separators
    bool perUser = false; // true when it is the per-user copy

    bool operator==(const CatalogueLocation &other) const = default;
};

// Decides where the working catalogue of applicationFolder is. Its bin/ when canWrite(bin/) is
// true. Otherwise userFolder, set up first when it holds no index yet: every catalogue file of
// bin/ (not the factory copies) that it lacks is copied in, the index last, and each copy is made
// writable for the user. When that fails (bin/ holds no index, userFolder cannot be made), bin/
// itself is used, as it stands; a copy that stopped half-way is completed on a later start.
CatalogueLocation locateCatalogue(const QString &applicationFolder, const QString &userFolder,
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

// Test hooks. Each makes the next currentCatalogueLocation() decide afresh.
// Points the user's data folder elsewhere; an empty path restores the platform's.
void setUserDataFolder(const QString &folder);
// Replaces the writable test; an empty test restores folderTakesWrites.
void setWritableTest(WritableTest test);
// Forgets the decision.
void forgetCatalogueLocation();

} // namespace catalogue
