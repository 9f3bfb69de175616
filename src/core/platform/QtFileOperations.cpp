#include "core/platform/QtFileOperations.h"

#include "core/platform/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {

namespace {

bool hasWildcard(QStringView text)
{
    return text.contains(QLatin1Char('*')) || text.contains(QLatin1Char('?'));
}

bool sameCharacter(QChar a, QChar b)
{
    return kFileNameCase == Qt::CaseSensitive ? a == b : a.toCaseFolded() == b.toCaseFolded();
}

// "*" matches any run of characters, "?" exactly one; everything else only itself.
bool matchesWildcard(QStringView name, QStringView pattern)
{
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starAt = -1; // the last "*" seen, and where in name it started matching
    qsizetype starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starAt = p++;
            starName = n;
        } else if (p < pattern.size()
                   && (pattern[p] == QLatin1Char('?') || sameCharacter(pattern[p], name[n]))) {
            ++n;
            ++p;
        } else if (starAt >= 0) {
            p = starAt + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

QString comparablePath(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool isKept(const QString &path, const QStringList &keep)
{
    const QString candidate = comparablePath(path);
    for (const QString &kept : keep) {
        if (comparablePath(kept).compare(candidate, kFileNameCase) == 0)
            return true;
    }
    return false;
}

} // namespace

bool QtFileOperations::deleteFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (info.isDir() || (!info.exists() && !info.isSymLink()))
        return false;
    return QFile::remove(path);
}

bool QtFileOperations::deleteMatchingFiles(const QString &pattern, const QStringList &keep)
{
    const QString path = QDir::fromNativeSeparators(pattern);
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : path.left(slash);
    const QString namePattern = path.mid(slash + 1);
    if (namePattern.isEmpty() || hasWildcard(folder) || !QFileInfo(folder).isDir())
        return false;

    bool allDeleted = true;
    const QDir::Filters filter = QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QFileInfo &entry : QDir(folder).entryInfoList(filter, QDir::Name)) {
        if (entry.isDir() || !matchesWildcard(entry.fileName(), namePattern))
            continue;
        if (isKept(entry.filePath(), keep))
            continue;
        if (!QFile::remove(entry.filePath()))
            allDeleted = false;
    }
    return allDeleted;
}

bool QtFileOperations::copyFile(const QString &source, const QString &target)
{
    if (source.isEmpty() || target.isEmpty())
        return false;
    QFile in;
    if (openRegularFile(source, in) != OpenOutcome::Opened)
        return false;
    QSaveFile out(target);
    if (!openReplacement(out))
        return false;
    char buffer[64 * 1024];
    qint64 read = 0;
    while ((read = in.read(buffer, sizeof buffer)) > 0) {
        if (out.write(buffer, read) != read)
            return false; // the copy written aside is discarded, nothing is renamed into place
    }
    return read == 0 && commitReplacement(out);
}

} // namespace platform
