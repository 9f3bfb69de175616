#include "core/catalogue/CatalogueFile.h"

#include "core/base/AppInfo.h"
#include "core/catalogue/RejectedLineReport.h"
#include "core/platform/MessageBox.h"
#include "core/platform/RegularFile.h"
#include "core/text/CatalogueText.h"
#include "core/text/NumberText.h"

#include <QFile>
#include <QFileInfo>

namespace catalogue {

namespace {
const QString kCrLf = QStringLiteral("\r\n");

// The sequential field count over any text whose delimiters are ASCII (text or raw bytes).
template <typename Text>
int countFieldsIn(const Text &text)
{
    int count = 0;
    const qsizetype n = text.size();
    qsizetype i = 0;
    const auto is = [&](qsizetype at, char c) { return text.at(at) == c; };
    const auto isDelimiter = [&](qsizetype at) { return is(at, ',') || is(at, '\r') || is(at, '\n'); };
    while (i < n) {
        while (i < n && (is(i, ' ') || is(i, '\t')))
            ++i;
        if (i < n && is(i, '"')) {
            ++i;
            while (i < n && !is(i, '"'))
                ++i;
            if (i < n)
                ++i;
        }
        while (i < n && !isDelimiter(i))
            ++i;
        ++count;
        if (i >= n)
            break;
        if (is(i, ',')) {
            ++i;
            if (i >= n)
                ++count; // a comma at the very end leaves one more empty field
        } else if (is(i, '\r')) {
            ++i;
            if (i < n && is(i, '\n'))
                ++i;
        } else {
            ++i;
        }
    }
    return count;
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
        qsizetype end = text.indexOf(QByteArrayView("\r\n"), start);
        if (end < 0)
            end = text.size();
        parse(i, text.sliced(start, end - start));
        start = end + 2;
    }
}

// The two rules by which a line "factor^name" is read. The unit lists take the first field as
// the factor and the last as the name, so "1^Metre^m" lists "m" and a lone number names itself;
// the editor takes the second field as the name and needs one (parseEditedUnit). Both reject a
// line whose factor is no number and report it by its last field.

// The unit lists' rule on line i: calls listed(name, factorText, factor) for a unit, rejected(name)
// for a line whose first field is no number. The line is raw bytes: its delimiters are ASCII,
// and the factor is read from its bytes without decoding them first (parseFactorBytes).
template <typename Listed, typename Rejected>
void readListedUnit(QByteArrayView line, Listed listed, Rejected rejected)
{
    if (line.isEmpty())
        return;
    const qsizetype caret = line.indexOf('^');
    const QByteArrayView first = caret < 0 ? line : line.first(caret);
    const QByteArrayView last = line.sliced(line.lastIndexOf('^') + 1);
    if (const std::optional<double> factor = conversion::parseFactorBytes(first))
        listed(last, first, *factor);
    else
        rejected(last);
}

// The field count of a category file's bytes, within the 16-bit limit; nothing after the message.
std::optional<int> unitFileCount(const QString &path, const QByteArray &bytes)
{
    const int count = countFields(bytes);
    if (!withinLineLimit(path, count))
        return std::nullopt;
    return count;
}

} // namespace

std::optional<Unit> parseEditedUnit(const QString &line, QString &rejectedName)
{
    const QStringList fields = line.split(QLatin1Char('^'));
    const auto factor = conversion::parseFactor(fields.first());
    // A number without a name field is rejected like any other unreadable line.
    if (!factor || fields.size() < 2) {
        rejectedName = fields.last();
        return std::nullopt;
    }
    Unit unit;
    unit.setName(fields.at(1));
    unit.setFactor(*factor);
    return unit;
}

bool fileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

FileRead readCatalogueBytes(const QString &path)
{
    QFile file;
    switch (platform::openRegularFile(path, file)) {
    case platform::OpenOutcome::Opened:
        break;
    case platform::OpenOutcome::Missing:
    case platform::OpenOutcome::Folder:
        return {{}, ReadProblem::Missing};
    case platform::OpenOutcome::NotARegularFile:
        return {{}, ReadProblem::NotARegularFile};
    case platform::OpenOutcome::Failed:
        return {{}, ReadProblem::Unreadable};
    }
    if (file.size() > kMaxFileBytes)
        return {{}, ReadProblem::TooLong};
    // Read to the end, which lies where the size said unless the file grows meanwhile: a file
    // that grows beyond the limit is refused as well.
    QByteArray bytes;
    bytes.reserve(file.size());
    char chunk[64 * 1024];
    qint64 read = 0;
    while ((read = file.read(chunk, sizeof chunk)) > 0) {
        bytes.append(chunk, read);
        if (bytes.size() > kMaxFileBytes)
            return {{}, ReadProblem::TooLong};
    }
    if (read < 0)
        return {{}, ReadProblem::Unreadable};
    return {std::move(bytes), std::nullopt};
}

QString readWholeFile(const QString &path)
{
    return decodeCatalogueText(readCatalogueBytes(path).bytes);
}

QStringList splitAtCrLf(const QString &text)
{
    if (text.isEmpty())
        return {};
    return text.split(kCrLf);
}

int countFields(const QString &text)
{
    return countFieldsIn(text);
}

int countFields(const QByteArray &bytes)
{
    return countFieldsIn(bytes);
}

QString tooManyLinesMessage(const QString &path)
{
    return QStringLiteral("File: ") + path
        + QStringLiteral("\r\nFile has more than %1 lines and cannot be used.").arg(kMaxLines);
}

bool withinLineLimit(const QString &path, int count)
{
    if (count <= kMaxLines)
        return true;
    platform::MsgBox(tooManyLinesMessage(path));
    return false;
}

void reportMissingFile(const QString &path)
{
    platform::MsgBox(QStringLiteral("File: ") + path + QStringLiteral("\r\nFile Does Not Exist."));
}

QString notARegularFileMessage(const QString &path)
{
    return QStringLiteral("File: ") + path
        + QStringLiteral("\r\nFile is a link, a pipe or a device, not an ordinary file, and cannot be used.");
}

void reportReadProblem(const QString &path, ReadProblem problem)
{
    switch (problem) {
    case ReadProblem::Missing:
        reportMissingFile(path);
        break;
    case ReadProblem::NotARegularFile:
        platform::MsgBox(notARegularFileMessage(path));
        break;
    case ReadProblem::TooLong:
        platform::MsgBox(tooManyLinesMessage(path));
        break;
    case ReadProblem::Unreadable:
        break;
    }
}

void reportVitalFileMissing()
{
    platform::MsgBox(QStringLiteral("Vital file is missing\r\n") + app::programBaseName()
                     + QStringLiteral(" may need to close"));
}

std::optional<QByteArray> readListBytes(const QString &path, bool *missingFile)
{
    FileRead read = readCatalogueBytes(path);
    if (missingFile)
        *missingFile = read.problem == ReadProblem::Missing;
    // Unreadable reads as empty, as every catalogue read does.
    if (!read.problem || read.problem == ReadProblem::Unreadable)
        return std::move(read.bytes);
    reportReadProblem(path, *read.problem);
    return std::nullopt;
}

std::optional<ListFile> readListFile(const QString &path, bool *missingFile)
{
    const auto bytes = readListBytes(path, missingFile);
    if (!bytes)
        return std::nullopt;
    const QString text = decodeCatalogueText(*bytes);
    const int count = countFields(text);
    if (!withinLineLimit(path, count))
        return std::nullopt;
    return ListFile{qint16(count), splitAtCrLf(text)};
}

std::optional<ListFile> readVitalListFile(const QString &path)
{
    bool missing = false;
    auto file = readListFile(path, &missing);
    if (missing)
        reportVitalFileMissing();
    return file;
}

std::optional<UnitFile> parseUnitFile(const QString &path, const QByteArray &bytes)
{
    // Parsed straight from the bytes: a long file is never held as decoded text as well.
    const std::optional<int> count = unitFileCount(path, bytes);
    if (!count)
        return std::nullopt;
    UnitFile file;
    file.count = qint16(*count);
    file.listing.factors.resize(std::size_t(*count));
    file.listing.entries.reserve(std::size_t(*count));
    forEachLine(QByteArrayView(bytes), *count, [&](int i, QByteArrayView line) {
        readListedUnit(
            line,
            [&](QByteArrayView name, QByteArrayView factorText, double) {
                file.listing.entries.push_back({decodeCatalogueText(name.toByteArray()), qint16(i)});
                file.listing.factors[std::size_t(i)] = decodeCatalogueText(factorText.toByteArray());
            },
            [&](QByteArrayView name) { file.rejectedNames.append(decodeCatalogueText(name.toByteArray())); });
    });
    return file;
}

std::optional<UnitTable> parseUnitTable(const QString &path, const QByteArray &bytes)
{
    const std::optional<int> count = unitFileCount(path, bytes);
    if (!count)
        return std::nullopt;
    UnitTable table(qint16(*count), bytes.size());
    forEachLine(QByteArrayView(bytes), *count, [&table](int i, QByteArrayView line) {
        readListedUnit(
            line, [&](QByteArrayView name, QByteArrayView, double factor) { table.addUnit(qint16(i), name, factor); },
            [&](QByteArrayView name) { table.addRejected(name); });
    });
    return table;
}

void reportRejectedUnits(const QStringList &rejectedNames)
{
    RejectedLineReport report;
    for (const QString &name : rejectedNames)
        report.reject(QStringLiteral("Error loading ") + name + QStringLiteral(" This Unit has been removed"));
    report.finish();
}

} // namespace catalogue
