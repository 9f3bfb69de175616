#include "core/catalogue/CatalogueNames.h"

#include "core/catalogue/CataloguePaths.h"
#include "core/text/CatalogueText.h"

#include <QStringList>

namespace catalogue {

namespace {

bool isControl(QChar c)
{
    return c.unicode() < 32 || c.unicode() == 127;
}

bool hasControl(const QString &text)
{
    for (const QChar c : text) {
        if (isControl(c))
            return true;
    }
    return false;
}

// Each character once, a space between each two.
QString spaced(const QString &characters)
{
    QStringList parts;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        QString character(characters.at(i));
        if (characters.at(i).isHighSurrogate() && i + 1 < characters.size())
            character.append(characters.at(++i));
        parts.append(character);
    }
    return parts.join(QLatin1Char(' '));
}

// Windows opens a device instead of a file for these stems, whatever the extension.
bool isReservedDeviceName(const QString &name)
{
    QString stem = name.section(QLatin1Char('.'), 0, 0);
    while (stem.endsWith(QLatin1Char(' ')))
        stem.chop(1);
    stem = stem.toUpper();
    static const QStringList plain = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                      QStringLiteral("NUL")};
    if (plain.contains(stem))
        return true;
    if (stem.size() != 4 || !(stem.startsWith(QLatin1String("COM")) || stem.startsWith(QLatin1String("LPT"))))
        return false;
    // 1..9, and the superscript digits that Windows treats the same way.
    const QChar digit = stem.at(3);
    return (digit >= QLatin1Char('1') && digit <= QLatin1Char('9')) || digit == QChar(0x00B9)
        || digit == QChar(0x00B2) || digit == QChar(0x00B3);
}

// A save writes the new file aside first, under the file's name and seven characters more
// (".AbCdEf"): that name must fit too.
constexpr int kSaveSuffixLength = 7;

bool fitsAFileName(const QString &name)
{
    const QString longest = name + QLatin1String(kCatalogueExtension) + QString(kSaveSuffixLength, QLatin1Char('x'));
    return longest.size() <= kMaxFileNameBytes && longest.toUtf8().size() <= kMaxFileNameBytes;
}

} // namespace

bool isRefusedCategoryCharacter(QChar c)
{
    return kRefusedCategoryCharacters.contains(c);
}

QString refusedCategoryCharactersMessage()
{
    return QStringLiteral("Category name cannot contain any of the\r\nfollowing characters: ")
        + spaced(kRefusedCategoryCharacters);
}

QString refusedUnitCharactersMessage()
{
    return QStringLiteral("Unit name cannot contain comas or ^ symbol");
}

QString outsideCatalogueMessage(const QString &subject, const QString &characters)
{
    // Half of a character beyond 16 bits cannot be shown on its own.
    const QString shown = characters.isEmpty() ? QStringLiteral("that character") : spaced(characters);
    return subject + QStringLiteral(" cannot contain ") + shown
        + QStringLiteral("\r\nThe catalogue files can only store the characters of the Western European "
                         "(Windows-1252) character set");
}

QString categoryNameRefusal(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("Category name cannot be empty");
    for (const QChar c : name) {
        if (isRefusedCategoryCharacter(c))
            return refusedCategoryCharactersMessage();
    }
    if (hasControl(name))
        return QStringLiteral("Category name cannot contain tabs, line breaks or other control characters");
    const QString outside = charactersOutsideCatalogue(name);
    if (!outside.isEmpty())
        return outsideCatalogueMessage(QStringLiteral("Category name"), outside);
    if (name.compare(QLatin1String(kIndexName), Qt::CaseInsensitive) == 0)
        return QStringLiteral("\"") + name
            + QStringLiteral("\" cannot be a category name:\r\nthe list of categories is kept in a file of that name");
    if (isReservedDeviceName(name))
        return QStringLiteral("\"") + name
            + QStringLiteral("\" cannot be a category name:\r\nWindows reserves it for a device");
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return QStringLiteral("Category name cannot end with a full stop or a space");
    if (!fitsAFileName(name))
        return QStringLiteral("Category name is too long to name a file:\r\nit can have at most %1 letters, "
                              "fewer with accented letters or signs")
            .arg(kMaxFileNameBytes - int(qstrlen(kCatalogueExtension)) - kSaveSuffixLength);
    return QString();
}

QString categoryFileRefusal(const QString &name)
{
    const QString refusal = categoryNameRefusal(name);
    if (!refusal.isEmpty())
        return refusal;
    if (!liesInCatalogueFolder(categoryFile(name)))
        return QStringLiteral("Category name does not name a file of the catalogue folder");
    return QString();
}

QString unitNameRefusal(const QString &name)
{
    if (name.contains(QLatin1Char(',')) || name.contains(QLatin1Char('^')))
        return refusedUnitCharactersMessage();
    if (hasControl(name))
        return QStringLiteral("Unit name cannot contain tabs, line breaks or other control characters");
    const QString outside = charactersOutsideCatalogue(name);
    if (!outside.isEmpty())
        return outsideCatalogueMessage(QStringLiteral("Unit name"), outside);
    return QString();
}

} // namespace catalogue
