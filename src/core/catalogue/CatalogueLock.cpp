#include "core/catalogue/CatalogueLock.h"

#include "core/base/AppInfo.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/platform/RegularFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QRegularExpression>

#include <memory>

namespace catalogue {

namespace {

// The lock this process holds, and how many CatalogueLocks share it.
struct HeldLock {
    std::unique_ptr<QLockFile> file;
    QString path;
    int holders = 0;
};

HeldLock &heldLock()
{
    static HeldLock instance;
    return instance;
}

// What a save writes aside: the name of a catalogue file and six letters or digits.
bool isAbandonedSaveName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^.+\\%1\\.[A-Za-z0-9]{6}$")
                                                .arg(QLatin1String(kCatalogueExtension)));
    return pattern.match(name).hasMatch();
}

} // namespace

QString catalogueLockFile()
{
    return QDir::toNativeSeparators(catalogueFolder() + QStringLiteral("/catalogue.lock"));
}

void removeAbandonedSaves(const QString &folder)
{
    const QDateTime dayAgo = QDateTime::currentDateTimeUtc().addDays(-1);
    const QDir::Filters filter = QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo &entry : QDir(folder).entryInfoList(filter)) {
        if (!isAbandonedSaveName(entry.fileName())
            || platform::entryKind(entry.filePath()) != platform::EntryKind::RegularFile)
            continue;
        if (entry.lastModified().toUTC() < dayAgo)
            QFile::remove(entry.filePath());
    }
}

CatalogueLock::CatalogueLock()
{
    HeldLock &held = heldLock();
    const QString path = catalogueLockFile();
    if (held.holders > 0 && held.path == path) {
        ++held.holders;
        m_held = true;
        return;
    }
    auto file = std::make_unique<QLockFile>(path);
    // A lock whose process has ended is taken over at once; one older than this is taken over
    // too (a crashed copy on another computer sharing the folder). A change takes milliseconds.
    file->setStaleLockTime(30000);
    if (!file->tryLock(kWaitMilliseconds)) {
        m_busy = file->error() == QLockFile::LockFailedError;
        return;
    }
    held = {std::move(file), path, 1};
    m_held = true;
    removeAbandonedSaves(catalogueFolder());
}

CatalogueLock::~CatalogueLock()
{
    HeldLock &held = heldLock();
    if (m_held && --held.holders == 0)
        held = {};
}

QString CatalogueLock::refusalMessage() const
{
    if (m_busy)
        return QStringLiteral("The catalogue is being changed by another copy of ") + app::appTitle()
            + QStringLiteral(".\r\nNothing has been changed: please try again in a moment.");
    return QStringLiteral("The catalogue cannot be changed:\r\n") + catalogueFolder()
        + QStringLiteral(" cannot be written.");
}

} // namespace catalogue
