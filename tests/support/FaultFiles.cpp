#include "support/FaultFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace faultfiles {

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

QByteArray garbageLines(int lines, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes;
    for (int line = 0; line < lines; ++line) {
        QByteArray garbage = randomBytes(int(random.bounded(1, 80)), random.generate());
        for (char &byte : garbage) {
            if (byte == '\r' || byte == '\n' || byte == ',' || byte == '"')
                byte = '\0';
        }
        bytes.append('\xFF' + garbage + "\r\n");
    }
    return bytes;
}

QMap<QString, QByteArray> filesUnder(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator entries(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        QFile file(entries.next());
        file.open(QIODevice::ReadOnly);
        files.insert(QDir(folder).relativeFilePath(file.fileName()), file.readAll());
    }
    return files;
}

void makeReadOnly(const QString &folder)
{
    QStringList paths;
    QDirIterator entries(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (entries.hasNext())
        paths.append(entries.next());
    paths.append(folder); // the folder last, so that its entries can still be changed before
    for (const QString &path : paths) {
        const bool isFolder = QFileInfo(path).isDir();
        QFile::setPermissions(path, QFile::ReadOwner | (isFolder ? QFile::ExeOwner : QFile::Permissions()));
    }
}

} // namespace faultfiles
