#include "core/platform/RegularFile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace platform {

namespace {

bool isReplaceable(const QString &path)
{
    const EntryKind kind = entryKind(path);
    return kind == EntryKind::Missing || kind == EntryKind::RegularFile;
}

} // namespace

EntryKind entryKind(const QString &path)
{
    if (path.isEmpty())
        return EntryKind::Missing;
    const QFileInfo info(path);
    // Asked first: every other question of QFileInfo follows the link.
    if (info.isSymLink() || info.isJunction())
        return EntryKind::Link;
    if (!info.exists())
        return EntryKind::Missing;
    if (info.isDir())
        return EntryKind::Folder;
    return info.isFile() ? EntryKind::RegularFile : EntryKind::Other;
}

bool openReplacement(QSaveFile &file)
{
    return isReplaceable(file.fileName()) && file.open(QIODevice::WriteOnly);
}

bool commitReplacement(QSaveFile &file)
{
    // A link put in place between the check and open() would have sent the text to its target.
    // Without a commit the text written aside is discarded when the QSaveFile goes.
    if (!isReplaceable(file.fileName()) || !file.flush())
        return false;
    return file.commit();
}

bool replaceFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!openReplacement(file))
        return false;
    return file.write(bytes) == bytes.size() && commitReplacement(file);
}

} // namespace platform
