#include "core/catalogue/UserCatalogue.h"

#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/CatalogueNames.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/platform/RegularFile.h"
#include "core/text/CatalogueText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <optional>

namespace catalogue {

namespace {

// The largest index or record read: the most lines a catalogue file may hold, each a long name.
constexpr qint64 kMaxListBytes = qint64(kMaxLines) * 512;
// How long a start waits for another that is setting up the same copy.
constexpr int kLockWaitMs = 10000;

const QString kCrLf = QStringLiteral("\r\n");

QString indexIn(const QString &folder)
{
    return folder + QLatin1Char('/') + catalogueFileName(QLatin1String(kIndexName));
}

// Whether something (a file, a folder, a link, even a dangling one) has the path.
bool taken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// The lines of an index or of the record: split at CR LF, the empty piece after a final CR LF
// dropped. Nothing when path is no plain file (a link, a folder, a FIFO) or cannot be read whole.
std::optional<QStringList> readNames(const QString &path)
{
    QFile file;
    if (platform::openRegularFile(path, file) != platform::OpenOutcome::Opened || file.size() > kMaxListBytes)
        return std::nullopt;
    const QByteArray bytes = file.read(kMaxListBytes + 1);
    if (bytes.size() > kMaxListBytes)
        return std::nullopt;
    const QString text = decodeCatalogueText(bytes);
    QStringList names = splitAtCrLf(text);
    if (text.endsWith(kCrLf))
        names.removeLast();
    return names;
}

// Writes the names, CR LF after each, aside and then in place in one step (never through a link).
bool writeNames(const QString &path, const QStringList &names)
{
    QString text;
    for (const QString &name : names)
        text += name + kCrLf;
    const std::optional<QByteArray> bytes = encodeCatalogueText(text);
    return bytes && platform::replaceFile(path, *bytes);
}

// Copies source to target, where nothing may be yet, and makes the copy writable for the user:
// an installed catalogue is often read-only, and its copy must not be.
bool copyAsUserFile(const QString &source, const QString &target)
{
    const QFileInfo original(source);
    if (original.isSymLink() || !original.isFile() || taken(target) || !QFile::copy(source, target))
        return false;
    QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

// Copies the catalogue files of source that target lacks, the index last. True when target holds
// an index afterwards.
bool copyMissingFiles(const QString &source, const QString &target)
{
    const QString index = catalogueFileName(QLatin1String(kIndexName));
    QStringList names = QDir(source).entryList({QLatin1Char('*') + QLatin1String(kCatalogueExtension)},
                                               QDir::Files | QDir::NoSymLinks);
    names.removeAll(index);
    names.append(index);
    for (const QString &name : names) {
        const QString copy = target + QLatin1Char('/') + name;
        if (!taken(copy) && !copyAsUserFile(source + QLatin1Char('/') + name, copy))
            return false;
    }
    return QFileInfo(indexIn(target)).isFile();
}

// Copies a factory category into the user's folder and lists it at the end of the user's index;
// nothing is left behind when either step fails.
bool addCategory(const QString &factoryFolder, const QString &userFolder, const QString &categoryName)
{
    const QString fileName = catalogueFileName(categoryName);
    const QString copy = userFolder + QLatin1Char('/') + fileName;
    if (!copyAsUserFile(factoryFolder + QLatin1Char('/') + fileName, copy))
        return false;
    // The index as it stands now, with the name at its end.
    std::optional<QStringList> listed = readNames(indexIn(userFolder));
    if (listed && writeNames(indexIn(userFolder), *listed << categoryName))
        return true;
    QFile::remove(copy);
    return false;
}

// A factory index line that can be a category of the user's folder: a name holding a path
// separator, or none at all, is never copied.
bool canBeOffered(const QString &categoryName)
{
    return !categoryName.isEmpty() && categoryNameRefusal(categoryName).isEmpty();
}

QStringList offerNewCategories(const QString &factoryFolder, const QString &userFolder)
{
    const std::optional<QStringList> factory = readNames(indexIn(factoryFolder));
    if (!factory)
        return {};
    const QString recordFile = offeredRecordFile(userFolder);
    if (!taken(recordFile)) {
        writeNames(recordFile, *factory);
        return {};
    }
    // A record or an index that cannot be read offers nothing: better no new category than one
    // the user deleted, or one listed twice.
    const std::optional<QStringList> record = readNames(recordFile);
    std::optional<QStringList> listed = readNames(indexIn(userFolder));
    if (!record || !listed)
        return {};

    QStringList offered = *record;
    QStringList added;
    for (const QString &name : *factory) {
        if (offered.contains(name) || !canBeOffered(name))
            continue;
        const bool present = listed->contains(name) || taken(userFolder + QLatin1Char('/') + catalogueFileName(name));
        if (!present) {
            // A copy or an index line that fails is tried again at the next start.
            if (listed->size() >= kMaxLines || !addCategory(factoryFolder, userFolder, name))
                continue;
            listed->append(name);
            added.append(name);
        }
        offered.append(name);
    }
    if (offered.size() != record->size())
        writeNames(recordFile, offered);
    return added;
}

} // namespace

QString offeredRecordFile(const QString &userFolder)
{
    return QFileInfo(userFolder).absolutePath() + QStringLiteral("/offered-categories.txt");
}

UserCatalogueSetup prepareUserCatalogue(const QString &sourceFolder, const QString &factoryFolder,
                                        const QString &userFolder)
{
    UserCatalogueSetup setup;
    if (!QFileInfo(indexIn(userFolder)).isFile() && !QFileInfo(indexIn(sourceFolder)).isFile())
        return setup;
    if (!QDir().mkpath(userFolder))
        return setup;
    // Without the lock (another start kept it too long, or none can be made) every step still
    // looks before it writes.
    QLockFile lock(userFolder + QStringLiteral(".lock"));
    lock.tryLock(kLockWaitMs);
    if (!QFileInfo(indexIn(userFolder)).isFile() && !copyMissingFiles(sourceFolder, userFolder))
        return setup;
    setup.ready = true;
    setup.added = offerNewCategories(factoryFolder, userFolder);
    return setup;
}

QString addedCategoriesMessage(const QStringList &categoryNames)
{
    return QStringLiteral("New categories were added to your catalogue: ") + categoryNames.join(QStringLiteral(", "));
}

} // namespace catalogue
