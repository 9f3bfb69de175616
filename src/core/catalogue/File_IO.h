#pragma once

#include <QString>
#include <QStringList>

// The routines through which every catalogue file is read and written. Each opens and closes
// its file within the call. Only CountFileLines speaks to the user; the others swallow their
// failures (reads give empty text, writes report false and change nothing more).
namespace File_IO {

// The most lines (and so units or categories) a catalogue file may hold: counts are 16-bit.
inline constexpr int kMaxLines = 32767;
// CountFileLines' answer for a file longer than kMaxLines, after its message.
inline constexpr qint16 kTooManyLines = -2;

// True for an existing file, false for a folder, a missing path or no access.
bool FileExists(const QString &path);
// The whole file as text (read access only); empty text on any failure.
QString ReadWholeFile(const QString &path);
// Piece lineIndex of the file split at CR LF; empty text beyond the last piece or on failure.
QString ReadFileLine(const QString &path, qint32 lineIndex);
// Number of comma- or line-delimited fields (the number of lines for catalogue files).
// -1 after the "File Does Not Exist." message for a missing file; kTooManyLines after its
// message for a file beyond the 16-bit limit; 0 when the file cannot be read.
qint16 CountFileLines(const QString &path);
// Appends text and CR LF, creating the file when missing. A file whose last line has no CR LF
// gets one first, so the text always starts a line of its own. False when nothing was written:
// a write that fails part-way is taken back.
bool AppendLineToFile(const QString &path, const QString &text);
// Truncates an existing ordinary, not hidden, file to zero length; creates nothing.
bool ClearFile(const QString &path);
// True when searchText occurs anywhere in the file's text (case-sensitive substring).
bool FileContainsText(const QString &searchText, const QString &path);

// The pieces of text split at every CR LF; none at all for empty text.
QStringList splitAtCrLf(const QString &text);
// The number of comma- or line-delimited fields of text, read as sequential input reads them:
// a blank line is one empty field, a quoted field may hold commas, a final line end starts no
// further field.
int countFields(const QString &text);
int countFields(const QByteArray &bytes);
// Shows "File: " path CR LF "File Does Not Exist.", the message for a missing catalogue file.
void reportMissingFile(const QString &path);
// The message shown for a file longer than kMaxLines.
QString tooManyLinesMessage(const QString &path);

} // namespace File_IO
