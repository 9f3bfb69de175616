#include "core/text/DigitGrouping.h"

#include <QHash>
#include <QMutex>
#include <QStringList>

namespace conversion {

namespace {

qsizetype codePoints(const QString &text)
{
    return text.toUcs4().size();
}

DigitGrouping readGrouping(const QLocale &locale)
{
    QLocale writer = locale;
    // The C locale omits its separators unless asked; the rule is what grouping would be.
    writer.setNumberOptions(QLocale::DefaultNumberOptions);
    const QString separator = writer.groupSeparator();
    DigitGrouping rule;
    if (separator.isEmpty())
        return rule;
    const QStringList groups = writer.toString(qlonglong(1234567890123456789)).split(separator);
    if (groups.size() < 2)
        return rule;
    rule.first = int(codePoints(groups.last()));
    rule.higher = groups.size() > 2 ? int(codePoints(groups.at(groups.size() - 2))) : rule.first;
    // The shortest power of ten the locale groups tells how many whole digits grouping needs.
    qlonglong power = 1;
    for (int digits = 1; digits < rule.first; ++digits)
        power *= 10;
    for (int least = 1; least <= 4; ++least) {
        power *= 10;
        if (writer.toString(power).contains(separator)) {
            rule.least = least;
            break;
        }
    }
    return rule;
}

} // namespace

bool DigitGrouping::separatesBefore(qsizetype digitsAfter) const
{
    if (digitsAfter == first)
        return true;
    return digitsAfter > first && higher > 0 && (digitsAfter - first) % higher == 0;
}

QString DigitGrouping::group(const QString &digits, const QString &separator) const
{
    const qsizetype count = digits.size();
    if (first <= 0 || count < first + least)
        return digits;
    QString text;
    text.reserve(count + count / 2);
    for (qsizetype i = 0; i < count; ++i) {
        if (i > 0 && separatesBefore(count - i))
            text += separator;
        text += digits.at(i);
    }
    return text;
}

bool DigitGrouping::accepts(const QList<int> &groupLengths) const
{
    if (groupLengths.size() <= 1)
        return true;
    if (first <= 0 || groupLengths.last() != first)
        return false;
    for (qsizetype i = 1; i + 1 < groupLengths.size(); ++i) {
        if (groupLengths.at(i) != higher)
            return false;
    }
    return groupLengths.first() >= 1 && groupLengths.first() <= higher;
}

DigitGrouping digitGrouping(const QLocale &locale)
{
    static QMutex mutex;
    static QHash<QLocale, DigitGrouping> known;
    const QMutexLocker lock(&mutex);
    const auto found = known.constFind(locale);
    if (found != known.constEnd())
        return *found;
    const DigitGrouping rule = readGrouping(locale);
    known.insert(locale, rule);
    return rule;
}

} // namespace conversion
