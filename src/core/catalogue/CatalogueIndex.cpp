#include "core/catalogue/CatalogueIndex.h"

#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/CatalogueNames.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/platform/MessageBox.h"
#include "core/text/CatalogueText.h"

#include <QFileInfo>
#include <QSaveFile>

namespace catalogue {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
// How many refused lines the message names, and how much of each.
constexpr int kShownLines = 5;
constexpr int kShownCharacters = 60;

// A line as a message shows it: control characters as "?", a long one cut short.
QString shownLine(const QString &line)
{
    QString shown = line.left(kShownCharacters);
    for (QChar &c : shown) {
        if (c.unicode() < 32 || c.unicode() == 127)
            c = QLatin1Char('?');
    }
    if (line.size() > kShownCharacters)
        shown += QStringLiteral("...");
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

} // namespace

QStringList indexLines()
{
    const QString text = readWholeFile(indexFile());
    QStringList lines = splitAtCrLf(text);
    if (text.endsWith(kCrLf))
        lines.removeLast();
    return lines;
}

std::optional<QStringList> readCategoryNames(const QString &indexPath)
{
    const std::optional<ListFile> file = readVitalListFile(indexPath);
    if (!file)
        return std::nullopt;
    QStringList names;
    QStringList refused;
    for (int i = 0; i < file->count; ++i) {
        const QString line = file->line(i);
        if (line.isEmpty())
            continue;
        if (categoryFileRefusal(line).isEmpty())
            names.append(line);
        else
            refused.append(line);
    }
    if (!refused.isEmpty())
        platform::MsgBox(refusedIndexLinesMessage(indexPath, refused));
    return names;
}

QString refusedIndexLinesMessage(const QString &indexPath, const QStringList &lines)
{
    QString text = QStringLiteral("File: ") + indexPath
        + QStringLiteral("\r\nThese lines name no category file and were left out of the list:");
    for (const QString &line : lines.first(std::min<qsizetype>(lines.size(), kShownLines)))
        text += kCrLf + shownLine(line);
    if (lines.size() > kShownLines)
        text += kCrLf + QStringLiteral("and %1 more").arg(lines.size() - kShownLines);
    return text;
}

bool isListedInIndex(const QString &categoryName)
{
    return indexLines().contains(categoryName, Qt::CaseSensitive);
}

bool appendToIndex(const QString &categoryName)
{
    return appendLine(indexFile(), categoryName);
}

bool listInIndex(const QString &categoryName)
{
    return isListedInIndex(categoryName) || appendToIndex(categoryName);
}

bool rewriteIndex(const QStringList &categoryNames)
{
    QString text;
    for (const QString &name : categoryNames)
        text += name + kCrLf;
    const auto bytes = encodeCatalogueText(text);
    if (!bytes)
        return false;
    const QString path = indexFile();
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile())
        return false;
    // The flush first: commit() alone puts a file in place whose buffered bytes could not be
    // written (a full disk); without a commit the new file is discarded.
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(*bytes) == bytes->size() && file.flush() && file.commit();
}

} // namespace catalogue
