#include "core/catalogue/CatalogueIndex.h"

#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/text/CatalogueText.h"

#include <QFileInfo>
#include <QSaveFile>

namespace catalogue {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

QStringList indexLines()
{
    const QString text = readWholeFile(indexFile());
    QStringList lines = splitAtCrLf(text);
    if (text.endsWith(kCrLf))
        lines.removeLast();
    return lines;
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
