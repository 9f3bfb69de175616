#include "cli/UnitLookup.h"

#include <QStringList>

#include <algorithm>
#include <iterator>
#include <optional>

namespace cli {

namespace {

using Units = std::vector<catalogue::UnitEntry>;

enum class MatchRule { WholeName, NameWithoutSymbol, Symbol, Prefix };

constexpr MatchRule kRules[] = {MatchRule::WholeName, MatchRule::NameWithoutSymbol, MatchRule::Symbol,
                                MatchRule::Prefix};

QString withoutDegreeSigns(QString text)
{
    text.remove(QChar(0x00BA)); // º, the masculine ordinal the catalogue writes
    text.remove(QChar(0x00B0)); // °, the degree sign
    return text;
}

// Where the symbol in parentheses at the end of a name opens, or -1. The symbol may hold
// parentheses of its own: "J/(kg·K)".
qsizetype symbolStart(const QString &name)
{
    if (!name.endsWith(QLatin1Char(')')))
        return -1;
    int depth = 0;
    for (qsizetype i = name.size() - 1; i >= 0; --i) {
        if (name.at(i) == QLatin1Char(')'))
            ++depth;
        else if (name.at(i) == QLatin1Char('(') && --depth == 0)
            return i;
    }
    return -1;
}

// The part of a name (degree signs removed) that rule compares, empty when it has none.
QString comparedPart(MatchRule rule, const QString &name)
{
    const qsizetype start = symbolStart(name);
    switch (rule) {
    case MatchRule::NameWithoutSymbol:
        return start > 0 ? name.left(start).trimmed() : QString();
    case MatchRule::Symbol:
        return start >= 0 ? name.mid(start + 1, name.size() - start - 2).trimmed() : QString();
    case MatchRule::WholeName:
    case MatchRule::Prefix:
        break;
    }
    return name;
}

bool matches(MatchRule rule, const QString &name, const QString &wanted, Qt::CaseSensitivity sensitivity)
{
    const QString part = comparedPart(rule, withoutDegreeSigns(name));
    if (part.isEmpty())
        return false;
    if (rule == MatchRule::Prefix)
        return part.startsWith(wanted, sensitivity);
    return part.compare(wanted, sensitivity) == 0;
}

// Where a typed text names units: by the first rule that names any, the categories in which it
// does (in their order) and the units it names in each.
struct Whereabouts {
    QStringList categories;
    std::vector<Units> units;

    bool found() const { return !categories.isEmpty(); }
    const Units *in(const QString &category) const
    {
        const qsizetype at = categories.indexOf(category);
        return at < 0 ? nullptr : &units[std::size_t(at)];
    }
};

Whereabouts locate(const std::vector<CategoryUnits> &categories, const QString &typed)
{
    Whereabouts where;
    const QString wanted = withoutDegreeSigns(typed).trimmed();
    if (wanted.isEmpty())
        return where;
    for (const MatchRule rule : kRules) {
        bool sameCaseFound = false;
        for (const CategoryUnits &category : categories) {
            Units named;
            for (const catalogue::UnitEntry &unit : category.units) {
                if (matches(rule, unit.name, wanted, Qt::CaseInsensitive)) {
                    named.push_back(unit);
                    sameCaseFound = sameCaseFound || matches(rule, unit.name, wanted, Qt::CaseSensitive);
                }
            }
            if (!named.empty()) {
                where.categories.append(category.name);
                where.units.push_back(std::move(named));
            }
        }
        if (!where.found())
            continue;
        // Letter case decides between units that differ in it alone.
        if (sameCaseFound) {
            for (qsizetype i = where.categories.size() - 1; i >= 0; --i) {
                Units &named = where.units[std::size_t(i)];
                std::erase_if(named, [&](const catalogue::UnitEntry &unit) {
                    return !matches(rule, unit.name, wanted, Qt::CaseSensitive);
                });
                if (named.empty()) {
                    where.categories.removeAt(i);
                    where.units.erase(where.units.begin() + i);
                }
            }
        }
        return where;
    }
    return where;
}

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString namesOf(const Units &units, const QString &separator)
{
    QStringList names;
    for (const catalogue::UnitEntry &unit : units)
        names.append(unit.name);
    return names.join(separator);
}

QString unitLines(const Units &units)
{
    return QStringLiteral("\n  ") + namesOf(units, QStringLiteral("\n  "));
}

struct Candidate {
    QString category;
    const Units *from = nullptr;
    const Units *to = nullptr;

    bool decisive() const { return from->size() == 1 && to->size() == 1; }
};

const QString kListHint = QStringLiteral("The command \"list\" shows the categories, \"list CATEGORY\" their units.");

// No category holds both.
QString noCommonCategory(const std::vector<CategoryUnits> &categories, const QString &from, const QString &to,
                         const Whereabouts &fromFound, const Whereabouts &toFound)
{
    if (!fromFound.found() && !toFound.found())
        return QStringLiteral("No unit is named %1 or %2. ").arg(quoted(from), quoted(to)) + kListHint;
    if (fromFound.found() && toFound.found())
        return QStringLiteral("No category holds both %1 and %2: %1 is in %3; %2 is in %4.")
            .arg(quoted(from), quoted(to), fromFound.categories.join(QStringLiteral(", ")),
                 toFound.categories.join(QStringLiteral(", ")));
    const QString &unknown = fromFound.found() ? to : from;
    const QStringList &known = fromFound.found() ? fromFound.categories : toFound.categories;
    if (known.size() == 1) {
        // The other unit tells the category: its units are the candidates.
        const auto category = std::find_if(categories.begin(), categories.end(),
                                           [&](const CategoryUnits &each) { return each.name == known.first(); });
        return QStringLiteral("No unit of %1 is named %2. Its units are:").arg(known.first(), quoted(unknown))
               + unitLines(category->units);
    }
    return QStringLiteral("No unit is named %1. ").arg(quoted(unknown)) + kListHint;
}

QString severalCategories(const QString &from, const QString &to, const std::vector<Candidate> &candidates)
{
    QString text = QStringLiteral("%1 and %2 name units of more than one category; choose one with --category:")
                       .arg(quoted(from), quoted(to));
    for (const Candidate &candidate : candidates)
        text += QStringLiteral("\n  %1: %2 to %3")
                    .arg(candidate.category, namesOf(*candidate.from, QStringLiteral(" or ")),
                         namesOf(*candidate.to, QStringLiteral(" or ")));
    return text;
}

QString ambiguous(const QString &typed, const QString &category, const Units &units)
{
    return QStringLiteral("%1 could be any of these units of %2:").arg(quoted(typed), category) + unitLines(units);
}

} // namespace

std::variant<UnitPair, QString> lookUpUnits(const std::vector<CategoryUnits> &categories, const QString &from,
                                            const QString &to)
{
    const Whereabouts fromFound = locate(categories, from);
    const Whereabouts toFound = locate(categories, to);
    std::vector<Candidate> candidates;
    for (const QString &category : fromFound.categories)
        if (const Units *toUnits = toFound.in(category))
            candidates.push_back({category, fromFound.in(category), toUnits});
    if (candidates.empty())
        return noCommonCategory(categories, from, to, fromFound, toFound);

    std::vector<Candidate> decisive;
    std::copy_if(candidates.begin(), candidates.end(), std::back_inserter(decisive),
                 [](const Candidate &candidate) { return candidate.decisive(); });
    if (decisive.size() == 1)
        return UnitPair{decisive.front().category, decisive.front().from->front(), decisive.front().to->front()};
    if (!decisive.empty())
        return severalCategories(from, to, decisive);
    if (candidates.size() > 1)
        return severalCategories(from, to, candidates);
    const Candidate &found = candidates.front();
    if (found.from->size() > 1)
        return ambiguous(from, found.category, *found.from);
    return ambiguous(to, found.category, *found.to);
}

} // namespace cli
