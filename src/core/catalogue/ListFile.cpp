#include "core/catalogue/ListFile.h"

#include "core/text/CatalogueText.h"
#include "core/catalogue/File_IO.h"
#include "core/catalogue/RejectedLineReport.h"
#include "core/text/NumberText.h"
#include "core/platform/MessageBox.h"

#include <QFile>

namespace catalogue {

std::optional<QByteArray> readListBytes(const QString &path, bool *missingFile)
{
    if (missingFile)
        *missingFile = false;
    if (!File_IO::FileExists(path)) {
        File_IO::reportMissingFile(path);
        if (missingFile)
            *missingFile = true;
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray(); // unreadable reads as empty, as every catalogue read does
    return file.readAll();
}

namespace {

// The text and item count of a list file, or nothing after the message for a file too long.
std::optional<std::pair<QString, qint16>> countedText(const QString &path, const QByteArray &bytes)
{
    QString text = decodeCatalogueText(bytes);
    const int count = File_IO::countFields(text);
    if (count > File_IO::kMaxLines) {
        platform::MsgBox(File_IO::tooManyLinesMessage(path));
        return std::nullopt;
    }
    return std::make_pair(std::move(text), qint16(count));
}

qsizetype indexOfLineEnd(QByteArrayView bytes, qsizetype from)
{
    return bytes.indexOf(QByteArrayView("\r\n"), from);
}

// Calls parse(i, line) for the lines 0..count-1 of the bytes split at CR LF; lines beyond the
// last piece are empty.
template <typename Parse>
void forEachLine(QByteArrayView text, int count, Parse parse)
{
    qsizetype start = 0;
    for (int i = 0; i < count; ++i) {
        if (start > text.size()) {
            parse(i, QByteArrayView());
            continue;
        }
        qsizetype end = indexOfLineEnd(text, start);
        if (end < 0)
            end = text.size();
        parse(i, text.sliced(start, end - start));
        start = end + 2;
    }
}

// Adds the unit of line i to listing, or its name to rejected. The line is raw bytes: its
// delimiters are ASCII, and only the two fields kept are decoded.
void parseUnitLine(int i, QByteArrayView line, UnitListing &listing, QStringList &rejected)
{
    if (line.isEmpty())
        return;
    const qsizetype caret = line.indexOf('^');
    const QByteArrayView first = caret < 0 ? line : line.first(caret);
    const QString last = decodeCatalogueText(line.sliced(line.lastIndexOf('^') + 1).toByteArray());
    const QString factor = decodeCatalogueText(first.toByteArray());
    if (conversion::isFactorNumber(factor)) {
        listing.entries.push_back({last, qint16(i)});
        listing.factors[std::size_t(i)] = factor;
    } else {
        rejected.append(last);
    }
}

} // namespace

std::optional<ListFile> readListFile(const QString &path, bool *missingFile)
{
    const auto bytes = readListBytes(path, missingFile);
    if (!bytes)
        return std::nullopt;
    const auto counted = countedText(path, *bytes);
    if (!counted)
        return std::nullopt;
    return ListFile{counted->second, File_IO::splitAtCrLf(counted->first)};
}

std::optional<UnitFile> parseUnitFile(const QString &path, const QByteArray &bytes)
{
    // Parsed straight from the bytes: a long file is never held as decoded text as well.
    const int count = File_IO::countFields(bytes);
    if (count > File_IO::kMaxLines) {
        platform::MsgBox(File_IO::tooManyLinesMessage(path));
        return std::nullopt;
    }
    UnitFile file;
    file.count = qint16(count);
    file.listing.factors.resize(std::size_t(count));
    file.listing.entries.reserve(std::size_t(count));
    forEachLine(QByteArrayView(bytes), count, [&](int i, QByteArrayView line) {
        parseUnitLine(i, line, file.listing, file.rejectedNames);
    });
    return file;
}

void reportRejectedUnits(const QStringList &rejectedNames)
{
    RejectedLineReport report;
    for (const QString &name : rejectedNames)
        report.reject(QStringLiteral("Error loading ") + name + QStringLiteral(" This Unit has been removed"));
    report.finish();
}

} // namespace catalogue
