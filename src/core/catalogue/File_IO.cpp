#include "core/catalogue/File_IO.h"

#include "core/text/CatalogueText.h"
#include "core/platform/MessageBox.h"

#include <QFile>
#include <QFileInfo>

namespace File_IO {

namespace {
const QString kCrLf = QStringLiteral("\r\n");

bool endsWithoutLineEnd(QFile &file)
{
    const qint64 size = file.size();
    if (size == 0)
        return false;
    if (size < 2 || !file.seek(size - 2))
        return true;
    return file.read(2) != QByteArrayLiteral("\r\n");
}
} // namespace

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QString ReadWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return catalogue::decodeCatalogueText(file.readAll());
}

QStringList splitAtCrLf(const QString &text)
{
    if (text.isEmpty())
        return {};
    return text.split(kCrLf);
}

QString ReadFileLine(const QString &path, qint32 lineIndex)
{
    const QStringList pieces = splitAtCrLf(ReadWholeFile(path));
    if (lineIndex < 0 || lineIndex >= pieces.size())
        return QString();
    return pieces.at(lineIndex);
}

namespace {
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
} // namespace

int countFields(const QString &text)
{
    return countFieldsIn(text);
}

int countFields(const QByteArray &bytes)
{
    return countFieldsIn(bytes);
}

void reportMissingFile(const QString &path)
{
    platform::MsgBox(QStringLiteral("File: ") + path + QStringLiteral("\r\nFile Does Not Exist."));
}

QString tooManyLinesMessage(const QString &path)
{
    return QStringLiteral("File: %1\r\nFile has more than %2 lines and cannot be used.").arg(path).arg(kMaxLines);
}

qint16 CountFileLines(const QString &path)
{
    if (!FileExists(path)) {
        reportMissingFile(path);
        return -1;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const int count = countFields(catalogue::decodeCatalogueText(file.readAll()));
    if (count > kMaxLines) {
        platform::MsgBox(tooManyLinesMessage(path));
        return kTooManyLines;
    }
    return qint16(count);
}

bool AppendLineToFile(const QString &path, const QString &text)
{
    const auto bytes = catalogue::encodeCatalogueText(text + kCrLf);
    if (!bytes)
        return false;
    // Unbuffered: what write() reports is what reached the file, and nothing is left to flush
    // on close after a failure.
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return false;
    const qint64 size = file.size();
    QByteArray data;
    if (endsWithoutLineEnd(file))
        data = QByteArrayLiteral("\r\n");
    data.append(*bytes);
    if (!file.seek(size))
        return false;
    if (file.write(data) == data.size())
        return true;
    // The disk filled up part-way: take back what was written, so no half a line is left.
    file.resize(size);
    return false;
}

bool ClearFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile() || info.isHidden())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return true;
}

bool FileContainsText(const QString &searchText, const QString &path)
{
    const QString text = ReadWholeFile(path);
    if (searchText.isEmpty())
        return !text.isEmpty();
    return text.contains(searchText, Qt::CaseSensitive);
}

} // namespace File_IO
