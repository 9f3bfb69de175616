#include "cli/CatalogueCheck.h"

#include "core/catalogue/CatalogueNames.h"
#include "core/catalogue/Unit.h"
#include "core/text/CatalogueText.h"

#include <QHash>

#include <optional>

namespace cli {

namespace {

QString quoted(const QString &text)
{
    return QLatin1Char('"') + shownText(text) + QLatin1Char('"');
}

// The sequential reader counts an unclosed double quote as the start of a quoted field that runs
// on over the line ends, so the lines up to the next quote are never read.
const QString kUnreadLine =
    QStringLiteral("this line is never read: a double quote on an earlier line opens a field that runs on past it");

// The problems of one unit line that the unit lists' reader accepted, read as the editor reads it.
class UnitLineCheck {
public:
    explicit UnitLineCheck(const QString &fileName)
        : m_fileName(fileName)
    {
    }

    void check(const QString &line, int number, bool listed);
    // After the last line: a file without any unit.
    void finish();

    std::vector<CatalogueProblem> problems;

private:
    void add(int number, const QString &message) { problems.push_back({m_fileName, number, message}); }
    void checkName(const QString &name, int number);

    QString m_fileName;
    bool m_unitSeen = false;
    QHash<QString, int> m_lineOfName; // case-folded name: the line that names it first
};

void UnitLineCheck::check(const QString &line, int number, bool listed)
{
    const qsizetype caret = line.indexOf(QLatin1Char('^'));
    const QString factorText = caret < 0 ? line : line.left(caret);
    if (!listed) {
        add(number, QStringLiteral("the factor %1 is not a number").arg(quoted(factorText)));
        return;
    }
    QString rejectedName;
    const std::optional<Unit> unit = catalogue::parseEditedUnit(line, rejectedName);
    if (!unit) {
        add(number, caret < 0 ? QStringLiteral("no \"^\" between a factor and a name: the editor cannot read this line")
                              : QStringLiteral("the editor cannot read this line"));
        return;
    }
    // The name is all that follows the first "^": the lists would show the last field, the
    // editor the second.
    checkName(line.mid(caret + 1), number);
    if (!(unit->factor() > 0))
        add(number, QStringLiteral("the factor %1 is not greater than zero").arg(shownText(factorText)));
    if (!m_unitSeen && unit->factor() != 1.0)
        add(number, QStringLiteral("the first unit is not a base unit of factor 1: its factor is %1")
                        .arg(shownText(factorText)));
    m_unitSeen = true;
}

void UnitLineCheck::checkName(const QString &name, int number)
{
    if (name.isEmpty()) {
        add(number, QStringLiteral("the unit has no name"));
        return;
    }
    if (name.contains(QLatin1Char('^')))
        add(number, QStringLiteral("the unit name %1 holds a \"^\"").arg(quoted(name)));
    else if (name.contains(QLatin1Char(',')))
        add(number, QStringLiteral("the unit name %1 holds a comma").arg(quoted(name)));
    else if (const QString refusal = catalogue::unitNameRefusal(name); !refusal.isEmpty())
        add(number, QStringLiteral("the unit name %1: %2").arg(quoted(name), refusal));
    if (name == kPlaceholderUnitName)
        add(number, QStringLiteral("the unit name %1 marks an empty row: the editor drops the unit when it saves")
                        .arg(quoted(name)));
    const QString key = name.toCaseFolded();
    if (const auto earlier = m_lineOfName.constFind(key); earlier != m_lineOfName.cend())
        add(number, QStringLiteral("the unit name %1 is on line %2 already").arg(quoted(name)).arg(*earlier));
    else
        m_lineOfName.insert(key, number);
}

void UnitLineCheck::finish()
{
    if (!m_unitSeen)
        add(0, QStringLiteral("the file holds no unit"));
}

} // namespace

QString CatalogueProblem::text() const
{
    if (line <= 0)
        return file + QStringLiteral(": ") + message;
    return QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(message);
}

QString shownText(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

std::vector<CatalogueProblem> checkCategoryFile(const QString &fileName, const QByteArray &bytes,
                                                const catalogue::UnitFile &units)
{
    UnitLineCheck check(fileName);
    const QStringList lines = catalogue::splitAtCrLf(catalogue::decodeCatalogueText(bytes));
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.isEmpty())
            continue; // a blank line is allowed, and every reader skips it
        if (i >= units.count)
            check.problems.push_back({fileName, i + 1, kUnreadLine});
        else
            check.check(line, i + 1, !units.listing.factors[std::size_t(i)].isEmpty());
    }
    check.finish();
    return std::move(check.problems);
}

IndexCheck checkIndex(const QString &fileName, const catalogue::ListFile &index)
{
    IndexCheck check;
    QHash<QString, int> lineOfName;
    for (int i = 0; i < index.lines.size(); ++i) {
        const QString &name = index.lines.at(i);
        const int number = i + 1;
        if (name.isEmpty())
            continue;
        if (i >= index.count) {
            check.problems.push_back({fileName, number, kUnreadLine});
            continue;
        }
        if (const QString refusal = catalogue::categoryNameRefusal(name); !refusal.isEmpty()) {
            QString why = refusal;
            why.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
            check.problems.push_back(
                {fileName, number, QStringLiteral("%1 cannot name a category file: %2").arg(quoted(name), why)});
            continue;
        }
        const QString key = name.toCaseFolded();
        if (const auto earlier = lineOfName.constFind(key); earlier != lineOfName.cend()) {
            check.problems.push_back(
                {fileName, number, QStringLiteral("%1 is listed on line %2 already").arg(quoted(name)).arg(*earlier)});
            continue;
        }
        lineOfName.insert(key, number);
        check.entries.push_back({name, number});
    }
    return check;
}

} // namespace cli
