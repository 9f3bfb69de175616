#pragma once

#include <QString>
#include <QStringList>

// The per-user copy of the catalogue (CatalogueLocation.h): made once from the program's
// catalogue, and brought up to date at every start with the factory categories that a newer
// version ships. A record beside the copy remembers every factory category it has been offered,
// so that a category is offered once: one the user deleted is never brought back, and one the
// user edited is never touched.
namespace catalogue {

// The record: "offered-categories.txt" in the folder that holds the copy's folder, one category
// name a line, in the index's format (Windows-1252, CR LF after every line).
QString offeredRecordFile(const QString &userFolder);

struct UserCatalogueSetup {
    bool ready = false;     // userFolder holds an index
    QStringList added;      // the factory categories added at this start, in factory order
};

// Makes userFolder the user's working catalogue. When it holds no index yet, every catalogue
// file of sourceFolder (not its subfolders) that it lacks is copied in, the index last, each made
// writable for the user; a copy that stopped half-way is completed. Then every category of the
// factory index (factoryFolder) that the record does not name is offered: a category the copy
// neither lists nor has a file for is copied in and appended to its index; one it lists or has a
// file for is left as it is. Either way it is recorded as offered. A copy without a record (one
// made before the record existed, by 1.3.0) is taken to have been offered the whole factory
// catalogue it meets, so no category the user deleted from it can come back. Two programs
// starting at once take turns (a lock file beside the copy).
UserCatalogueSetup prepareUserCatalogue(const QString &sourceFolder, const QString &factoryFolder,
                                        const QString &userFolder);

// The one line that tells the user which categories an upgrade added:
// "New categories were added to your catalogue: " and the names, ", " between each two.
QString addedCategoriesMessage(const QStringList &categoryNames);

} // namespace catalogue
