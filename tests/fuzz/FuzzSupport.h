#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What every fuzz target shares: the application object, a scratch folder for the files an
// input is written to, the locales number text is tried in, and the check that ends a run.

// Ends the run with a crash report naming the broken expectation, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: expectation failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// The application object (never destroyed: at exit Qt's own statics may be gone before it), so
// that Qt's file and locale code runs as in the program.
inline void startFuzzApplication(int *argc, char ***argv)
{
    static QCoreApplication *application = new QCoreApplication(*argc, *argv);
    Q_UNUSED(application);
}

// A path in the run's scratch folder, in memory where the system has such a folder.
inline QString scratchPath(const QString &fileName)
{
    static QTemporaryDir folder(QDir(QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm")
                                                                                         : QDir::tempPath())
                                    .filePath(QStringLiteral("tallimer-fuzz-XXXXXX")));
    FUZZ_CHECK(folder.isValid());
    return QDir(folder.path()).filePath(fileName);
}

// Writes bytes to scratchPath(fileName), replacing what was there, and returns the path.
inline QString writeScratchFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(scratchPath(fileName));
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
    return file.fileName();
}

// C, English (US), German, French (a space as group separator), Swiss German (an apostrophe),
// Swedish (a minus sign of its own), Arabic (Arabic digits and separators): selector picks one.
inline QLocale fuzzLocale(std::uint8_t selector)
{
    static const std::array<QLocale, 7> locales = {
        QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France), QLocale(QLocale::German, QLocale::Switzerland),
        QLocale(QLocale::Swedish, QLocale::Sweden), QLocale(QLocale::Arabic, QLocale::Egypt)};
    return locales[selector % locales.size()];
}

// Every target starts the application; some install more in LLVMFuzzerInitialize.
#define FUZZ_INITIALIZE(...)                                                                       \
    extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)                                   \
    {                                                                                              \
        startFuzzApplication(argc, argv);                                                          \
        __VA_ARGS__;                                                                               \
        return 0;                                                                                  \
    }
