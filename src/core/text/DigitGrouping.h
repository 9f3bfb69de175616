#pragma once

#include <QList>
#include <QLocale>
#include <QString>

namespace conversion {

// How a locale groups the whole digits of a number, counted from the decimal separator: threes
// in most locales, three and then twos in Indian ones. Qt 6.4 shows the rule only in the numbers
// it writes, so digitGrouping() reads it from those, once per locale.
struct DigitGrouping {
    int first = 0;  // digits of the group next to the decimal separator; 0: the locale never groups
    int higher = 0; // digits of every group further left
    int least = 1;  // separators are written only from first + least whole digits on

    // Whole digits (plain digits, no sign) with the separator wherever the locale writes one.
    QString group(const QString &digits, const QString &separator) const;
    // True when whole digits split by separators into groups of these lengths (left to right)
    // have each separator where the locale puts one: the group next to the decimal separator of
    // first digits, every group between of higher digits, the leftmost of 1 to higher digits.
    // One group (no separator) is always accepted.
    bool accepts(const QList<int> &groupLengths) const;

private:
    // True when a separator stands before the last digitsAfter whole digits.
    bool separatesBefore(qsizetype digitsAfter) const;
};

DigitGrouping digitGrouping(const QLocale &locale);

} // namespace conversion
