#include "core/catalogue/CatalogueIndex.h"

#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/CatalogueLock.h"
#include "core/catalogue/CatalogueNames.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/platform/MessageBox.h"
#include "core/platform/RegularFile.h"
#include "core/text/CatalogueText.h"

namespace catalogue {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
// How many refused lines the message names, and how much of each.
constexpr int kShownLines = 5;
constexpr int kShownCharacters = 60;

QStringList linesOf(const QString &text)
{
    QStringList lines = splitAtCrLf(text);
    if (text.endsWith(kCrLf))
        lines.removeLast();
    return lines;
}

// The index's lines as it stands on disk; none for a missing index. Nothing when it cannot be
// read as a whole: a change must not write an index made from part of it.
std::optional<QStringList> currentLines()
{
    const FileRead read = readCatalogueBytes(indexFile());
    if (read.problem == ReadProblem::Missing)
        return QStringList();
    if (read.problem)
        return std::nullopt;
    return linesOf(decodeCatalogueText(read.bytes));
}

bool writeIndex(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + kCrLf;
    const auto bytes = encodeCatalogueText(text);
    return bytes && platform::replaceFile(indexFile(), *bytes);
}

// Changes the index as it stands on disk, under the catalogue lock: edit changes its lines and
// says whether they changed. False when the lock cannot be taken, the index cannot be read whole,
// or the changed lines cannot be written.
template <typename Edit>
bool changeIndex(Edit edit)
{
    const CatalogueLock lock;
    if (!lock.isHeld())
        return false;
    std::optional<QStringList> lines = currentLines();
    return lines && (!edit(*lines) || writeIndex(*lines));
}

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
    return linesOf(readWholeFile(indexFile()));
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

bool listInIndex(const QString &categoryName)
{
    return changeIndex([&categoryName](QStringList &lines) {
        if (lines.contains(categoryName, Qt::CaseSensitive))
            return false;
        lines.append(categoryName);
        return true;
    });
}

bool removeFromIndex(const QString &categoryName)
{
    return changeIndex([&categoryName](QStringList &lines) { return lines.removeAll(categoryName) > 0; });
}

} // namespace catalogue
