#pragma once

#include "core/catalogue/Unit.h"
#include "core/catalogue/UnitTable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Reading the catalogue's files: the index (one category name a line) and the category files
// (one unit a line, "factor^name"). Single-byte Windows-1252 text, CR LF after every line. Each
// routine opens and closes its file within the call. Reads of a file that cannot be opened give
// empty text, as every catalogue read always has.
//
// Any file may come from someone else: only a regular file is read (never through a link, never
// a FIFO or a device, which would block or never end), and none longer than kMaxFileBytes.
namespace catalogue {

// The most lines (and so units or categories) a catalogue file may hold: counts are 16-bit.
inline constexpr int kMaxLines = 32767;
// The longest catalogue file read: kMaxLines lines of 128 bytes. A longer one is refused before
// it is read, as a file of too many lines.
inline constexpr qint64 kMaxFileBytes = qint64(kMaxLines + 1) * 128;

// Why a catalogue file gave no bytes.
enum class ReadProblem {
    Missing,          // nothing there, or a folder
    NotARegularFile,  // a link, a FIFO, a device or a socket: never opened through
    TooLong,          // more than kMaxFileBytes
    Unreadable        // there, but it could not be read (no access)
};

struct FileRead {
    QByteArray bytes;
    std::optional<ReadProblem> problem; // none: bytes is the whole file
};

// Reads a catalogue file whole, as described above, never blocking. Shows nothing.
FileRead readCatalogueBytes(const QString &path);

// True for an existing file, false for a folder, a missing path or no access.
bool fileExists(const QString &path);
// The whole file as text (read access only); empty text on any failure.
QString readWholeFile(const QString &path);

// The pieces of text split at every CR LF; none at all for empty text.
QStringList splitAtCrLf(const QString &text);
// The number of comma- or line-delimited fields of text, read as sequential input reads them:
// a blank line is one empty field, a quoted field may hold commas, a final line end starts no
// further field. This is how many items a list file holds.
int countFields(const QString &text);
int countFields(const QByteArray &bytes);

// The message for a file longer than kMaxLines.
QString tooManyLinesMessage(const QString &path);
// The one check of the 16-bit limit: true when count is within kMaxLines, otherwise false after
// "File: " path CR LF "File has more than 32767 lines and cannot be used.".
bool withinLineLimit(const QString &path, int count);
// Shows "File: " path CR LF "File Does Not Exist.", the message for a missing catalogue file.
void reportMissingFile(const QString &path);
// The message for a link, FIFO or device in a catalogue file's place.
QString notARegularFileMessage(const QString &path);
// Shows the message for a file that gave no bytes: missing, no regular file, or too long (the
// message of too many lines). An unreadable file has none: it reads as empty.
void reportReadProblem(const QString &path, ReadProblem problem);
// Shows "Vital file is missing" and that the program may need to close.
void reportVitalFileMissing();

// A catalogue list file (the index, or a category file) read once: its item count as the
// sequential field reader counts it, and its pieces split at CR LF.
struct ListFile {
    qint16 count = 0;
    QStringList lines;

    // Line i, or empty text beyond the last piece.
    QString line(int i) const { return i >= 0 && i < lines.size() ? lines.at(i) : QString(); }
};

// Reads path once. A missing file gives nothing after the "File Does Not Exist." message
// (missingFile is then set); a file beyond the 16-bit limit or the size limit, or no regular
// file, nothing after its own message.
std::optional<ListFile> readListFile(const QString &path, bool *missingFile = nullptr);
// The same, for a file the program cannot do without: a missing one also gets
// reportVitalFileMissing().
std::optional<ListFile> readVitalListFile(const QString &path);

// The bytes of path. A missing file gives nothing after the "File Does Not Exist." message
// (missingFile is then set), a file too long or no regular file nothing after its own message;
// an unreadable file reads as empty.
std::optional<QByteArray> readListBytes(const QString &path, bool *missingFile = nullptr);

// One unit of a category file as the unit lists show it: its name and its line number.
struct UnitEntry {
    QString name;
    qint16 tag = 0;
    bool operator==(const UnitEntry &other) const = default;
};

// A category file's units in file order, and the factor table: element i holds the factor
// text of line i, or empty text for a blank or rejected line.
struct UnitListing {
    std::vector<UnitEntry> entries;
    std::vector<QString> factors;
};

// A category file read for a unit list: its line count, its units and factor table, and the
// names (last fields) of the lines that were rejected because their first field is no number.
struct UnitFile {
    qint16 count = 0;
    UnitListing listing;
    QStringList rejectedNames;
};

// Parses the bytes of a category file as the unit lists read it (see parseListedUnit in the
// source) without keeping its lines; nothing after the message for a file beyond the 16-bit
// limit. Rejected lines are collected, not reported.
std::optional<UnitFile> parseUnitFile(const QString &path, const QByteArray &bytes);
// The same units, names and factors as a compact table in file order (see UnitTable), for the
// unit lists of the main window.
std::optional<UnitTable> parseUnitTable(const QString &path, const QByteArray &bytes);

// One line of a category file as the editor reads it: the first field the factor, the second
// the name. Nothing for a line whose factor is no number or that has no name field;
// rejectedName is then the line's last field.
std::optional<Unit> parseEditedUnit(const QString &line, QString &rejectedName);

// Shows "Error loading " name " This Unit has been removed" for the rejected lines (the first
// few of them, then one summary; see RejectedLineReport).
void reportRejectedUnits(const QStringList &rejectedNames);

} // namespace catalogue
