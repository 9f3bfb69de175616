#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target shares: the application object, a scratch folder for the files an
// input is written to, the locales number text is tried in, and the check that ends a run.

// Creates the application object (once) so that Qt's file and locale code runs as in the program.
void startFuzzApplication(int *argc, char ***argv);

// A path in the run's scratch folder (created on first use, removed at exit).
QString scratchPath(const QString &fileName);
// Writes bytes to scratchPath(fileName), replacing what was there, and returns the path.
QString writeScratchFile(const QString &fileName, const QByteArray &bytes);

// The locales number text is tried in: C, English (US), German, French (a space as group
// separator), Swiss German (an apostrophe), Swedish (a minus sign of its own), Arabic (Arabic
// digits and separators). selector picks one, wrapping around.
QLocale fuzzLocale(std::uint8_t selector);

// Ends the run with a crash report naming the broken expectation, so libFuzzer keeps the input.
[[noreturn]] void fuzzCheckFailed(const char *expression, const char *file, int line, const QString &detail);

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            fuzzCheckFailed(#condition, __FILE__, __LINE__, QString());                            \
    } while (false)
#define FUZZ_CHECK2(condition, detail)                                                             \
    do {                                                                                           \
        if (!(condition))                                                                          \
            fuzzCheckFailed(#condition, __FILE__, __LINE__, (detail));                             \
    } while (false)
