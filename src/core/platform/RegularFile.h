#pragma once

#include <QByteArray>
#include <QString>

class QFile;
class QSaveFile;

// Reading and replacing files that someone else may have put in place: only a regular file is
// read or replaced. A symbolic link (even to a regular file, even dangling), a junction, a FIFO,
// a device or a socket is never opened through, never waited on and never written through.
namespace platform {

// What a path names itself; a link is not followed.
enum class EntryKind { Missing, RegularFile, Folder, Link, Other };
EntryKind entryKind(const QString &path);

enum class OpenOutcome { Opened, Missing, Folder, NotARegularFile, Failed };

// Opens path for reading when it names a regular file. Never blocks: a FIFO put in its place is
// refused, not waited on. (Chosen per OS by the build.)
OpenOutcome openRegularFile(const QString &path, QFile &file);

// Opens file (a QSaveFile, which writes aside and renames into place) when its path names a
// regular file or nothing. Anything else is refused untouched: a QSaveFile would write to a
// link's target, or create it when the link dangles.
bool openReplacement(QSaveFile &file);
// Puts what was written in place in one step, unless something other than a regular file took
// the path's place meanwhile (then the old entry stays and the new text is discarded). The
// flush comes first: commit() alone would put a file in place whose buffered bytes could not be
// written (a full disk).
bool commitReplacement(QSaveFile &file);

// Replaces the file at path by bytes in one step, through openReplacement and commitReplacement:
// a failure leaves the old file whole and no partial file behind.
bool replaceFile(const QString &path, const QByteArray &bytes);

} // namespace platform
