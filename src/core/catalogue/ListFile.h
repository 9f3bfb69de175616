#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace catalogue {

// A catalogue list file (the index, or a category file) read once: its item count as the
// sequential field reader counts it, and its pieces split at CR LF.
struct ListFile {
    qint16 count = 0;
    QStringList lines;

    // Line i, or empty text beyond the last piece.
    QString line(int i) const { return i >= 0 && i < lines.size() ? lines.at(i) : QString(); }
};

// Reads path once. A missing file gives nothing after the "File Does Not Exist." message, a
// file beyond the 16-bit limit nothing after its own message (see File_IO::CountFileLines).
// missingFile is set only for a missing file.
std::optional<ListFile> readListFile(const QString &path, bool *missingFile = nullptr);

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

// The bytes of path. A missing file gives nothing after the "File Does Not Exist." message
// (missingFile is then set).
std::optional<QByteArray> readListBytes(const QString &path, bool *missingFile = nullptr);

// Parses the bytes of a category file without keeping its lines; nothing after the message for
// a file beyond the 16-bit limit. Rejected lines are collected, not reported.
std::optional<UnitFile> parseUnitFile(const QString &path, const QByteArray &bytes);

// Shows "Error loading " name " This Unit has been removed" for the rejected lines (the first
// few of them, then one summary; see RejectedLineReport).
void reportRejectedUnits(const QStringList &rejectedNames);

} // namespace catalogue
