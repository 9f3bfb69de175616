#include "core/catalogue/CatalogueLocation.h"

#include "core/base/AppInfo.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/catalogue/InstallMarker.h"
#include "core/catalogue/UserCatalogue.h"
#include "core/platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <optional>

namespace catalogue {

namespace {

struct LocationState {
    QString userDataFolder;    // empty: the platform's
    WritableTest writableTest; // empty: folderTakesWrites
    QString decidedFor;        // the application folder the location was decided for
    std::optional<CatalogueLocation> location;
    QStringList added;         // the factory categories the decision added to the user's copy
};

LocationState &state()
{
    static LocationState instance;
    return instance;
}

WritableTest writableTest()
{
    return state().writableTest ? state().writableTest : WritableTest(folderTakesWrites);
}

QString indexFileName()
{
    return catalogueFileName(QLatin1String(kIndexName));
}

struct Decision {
    CatalogueLocation location;
    bool installed = false;
    QString copiedFrom; // what a per-user copy is made from
};

Decision decide(const QString &applicationFolder, const QString &userFolder, const WritableTest &canWrite)
{
    if (const std::optional<QString> factory = installedFactoryFolder(applicationFolder)) {
        if (userFolder.isEmpty())
            return {{*factory, false, *factory}, true, *factory};
        return {{userFolder, true, *factory}, true, *factory};
    }
    const QString inPlace = applicationFolder + QStringLiteral("/bin");
    const QString factory = inPlace + QStringLiteral("/default");
    if (canWrite(inPlace) || userFolder.isEmpty())
        return {{inPlace, false, factory}, false, inPlace};
    return {{userFolder, true, factory}, false, inPlace};
}

} // namespace

CatalogueLocation chooseCatalogueLocation(const QString &applicationFolder, const QString &userFolder,
                                          const WritableTest &canWrite)
{
    return decide(applicationFolder, userFolder, canWrite).location;
}

CatalogueLocation locateCatalogue(const QString &applicationFolder, const QString &userFolder,
                                  const WritableTest &canWrite, QStringList *addedCategories)
{
    if (addedCategories)
        addedCategories->clear();
    const Decision decision = decide(applicationFolder, userFolder, canWrite);
    if (!decision.location.perUser)
        return decision.location;
    const UserCatalogueSetup setup =
        prepareUserCatalogue(decision.copiedFrom, decision.location.factoryFolder, userFolder);
    if (addedCategories)
        *addedCategories = setup.added;
    if (setup.ready || decision.installed)
        return decision.location;
    return {decision.copiedFrom, false, decision.location.factoryFolder};
}

CatalogueLocation catalogueToRead(const QString &applicationFolder, const QString &userFolder,
                                  const WritableTest &canWrite)
{
    const Decision decision = decide(applicationFolder, userFolder, canWrite);
    if (!decision.location.perUser || QFileInfo(decision.location.folder + QLatin1Char('/') + indexFileName()).isFile())
        return decision.location;
    return {decision.copiedFrom, false, decision.location.factoryFolder};
}

bool folderTakesWrites(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(folder + QStringLiteral("/.tallimer-write-test-XXXXXX"));
    if (!probe.open())
        return false;
    QFile index(folder + QLatin1Char('/') + indexFileName());
    // Only a regular file is opened: opening a FIFO for writing waits for a reader, forever.
    // Whatever else is there, the program's writers refuse it and say so.
    if (platform::entryKind(index.fileName()) != platform::EntryKind::RegularFile)
        return true;
    return index.open(QIODevice::WriteOnly | QIODevice::Append);
}

QString userCatalogueFolder()
{
    QString dataFolder = state().userDataFolder;
    if (dataFolder.isEmpty())
        dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dataFolder.isEmpty())
        return QString();
    return dataFolder + QStringLiteral("/catalogue");
}

CatalogueLocation currentCatalogueLocation()
{
    LocationState &current = state();
    const QString applicationFolder = app::applicationFolder();
    if (!current.location || current.decidedFor != applicationFolder) {
        current.location = locateCatalogue(applicationFolder, userCatalogueFolder(), writableTest(), &current.added);
        current.decidedFor = applicationFolder;
    }
    return *current.location;
}

CatalogueLocation useCatalogueToRead()
{
    LocationState &current = state();
    const QString applicationFolder = app::applicationFolder();
    current.location = catalogueToRead(applicationFolder, userCatalogueFolder(), writableTest());
    current.decidedFor = applicationFolder;
    current.added.clear();
    return *current.location;
}

QStringList categoriesAddedAtStart()
{
    currentCatalogueLocation();
    return state().added;
}

void setUserDataFolder(const QString &folder)
{
    state().userDataFolder = folder;
    forgetCatalogueLocation();
}

void setWritableTest(WritableTest test)
{
    state().writableTest = std::move(test);
    forgetCatalogueLocation();
}

void forgetCatalogueLocation()
{
    state().location.reset();
    state().decidedFor.clear();
    state().added.clear();
}

} // namespace catalogue
