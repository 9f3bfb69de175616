#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// Damaged files for the fault tests.
namespace faultfiles {

// size random bytes, the same for the same seed.
QByteArray randomBytes(int size, quint32 seed);

// Binary garbage that is no catalogue file: `lines` lines of random bytes, each beginning with
// 0xFF, which no number begins with, and each ended by CR LF. They hold no CR, LF, comma or
// double quote of their own, so that the line counter sees exactly these lines.
QByteArray garbageLines(int lines, quint32 seed);

// Every file under folder, by its path relative to folder, with its bytes.
QMap<QString, QByteArray> filesUnder(const QString &folder);

// Takes away every write permission from folder and everything in it (the owner keeps reading
// and entering folders).
void makeReadOnly(const QString &folder);

} // namespace faultfiles
