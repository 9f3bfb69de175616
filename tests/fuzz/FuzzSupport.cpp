#include "FuzzSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

// In memory where the system has such a folder: every input is written to a file, and saving
// it again syncs it to the disk.
QString scratchTemplate()
{
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    const QString parent = memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
    return QDir(parent).filePath(QStringLiteral("tallimer-fuzz-XXXXXX"));
}

QTemporaryDir &scratchFolder()
{
    static QTemporaryDir folder(scratchTemplate());
    if (!folder.isValid()) {
        std::fprintf(stderr, "cannot create a scratch folder\n");
        std::abort();
    }
    return folder;
}

} // namespace

void startFuzzApplication(int *argc, char ***argv)
{
    // Never destroyed: at exit Qt's own statics may be gone before it.
    static QCoreApplication *application = nullptr;
    if (!application)
        application = new QCoreApplication(*argc, *argv);
}

QString scratchPath(const QString &fileName)
{
    return QDir(scratchFolder().path()).filePath(fileName);
}

QString writeScratchFile(const QString &fileName, const QByteArray &bytes)
{
    const QString path = scratchPath(fileName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

QLocale fuzzLocale(std::uint8_t selector)
{
    static const std::array<QLocale, 7> locales = {
        QLocale::c(),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::German, QLocale::Switzerland),
        QLocale(QLocale::Swedish, QLocale::Sweden),
        QLocale(QLocale::Arabic, QLocale::Egypt),
    };
    return locales[selector % locales.size()];
}

void fuzzCheckFailed(const char *expression, const char *file, int line, const QString &detail)
{
    std::fprintf(stderr, "%s:%d: expectation failed: %s\n", file, line, expression);
    if (!detail.isEmpty())
        std::fprintf(stderr, "  %s\n", detail.toUtf8().constData());
    std::abort();
}
