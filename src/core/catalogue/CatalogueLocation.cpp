#include "core/catalogue/CatalogueLocation.h"

#include "core/base/AppInfo.h"
#include "core/catalogue/CataloguePaths.h"
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
};

LocationState &state()
{
    static LocationState instance;
    return instance;
}

QString indexFileName()
{
    return QLatin1String(kIndexName) + QLatin1String(kCatalogueExtension);
}

// Copies the catalogue files of source that target lacks, the index last, each made writable
// for the user (an installed catalogue is often read-only, and its copy must not be). True when
// target holds an index afterwards.
bool copyMissingFiles(const QString &source, const QString &target)
{
    const QString index = indexFileName();
    if (!QFileInfo(source + QLatin1Char('/') + index).isFile() || !QDir().mkpath(target))
        return false;
    QStringList names = QDir(source).entryList({QLatin1Char('*') + QLatin1String(kCatalogueExtension)}, QDir::Files);
    names.removeAll(index);
    names.append(index);
    for (const QString &name : names) {
        const QString copy = target + QLatin1Char('/') + name;
        if (QFileInfo::exists(copy))
            continue;
        if (!QFile::copy(source + QLatin1Char('/') + name, copy))
            return false;
        QFile::setPermissions(copy, QFile::permissions(copy) | QFile::ReadOwner | QFile::WriteOwner);
    }
    return true;
}

} // namespace

CatalogueLocation locateCatalogue(const QString &applicationFolder, const QString &userFolder,
                                  const WritableTest &canWrite)
{
    const QString inPlace = applicationFolder + QStringLiteral("/bin");
    if (canWrite(inPlace) || userFolder.isEmpty())
        return {inPlace, false};
    if (QFileInfo(userFolder + QLatin1Char('/') + indexFileName()).isFile() || copyMissingFiles(inPlace, userFolder))
        return {userFolder, true};
    return {inPlace, false};
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
        const WritableTest test = current.writableTest ? current.writableTest : WritableTest(folderTakesWrites);
        current.location = locateCatalogue(applicationFolder, userCatalogueFolder(), test);
        current.decidedFor = applicationFolder;
    }
    return *current.location;
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
}

} // namespace catalogue
