#pragma once

#include <QLocale>
#include <QString>

// The number half of the result line: rounding to the chosen decimal places and the result
// pattern "###,###,###,##0.##############".
namespace conversion {

// Rounds value to decimals places (0 or more): to the nearest multiple of ten to the minus
// decimals, judged on the exact binary value, an exact tie going to the even last digit
// (0.125 at 2 places is 0.12; 2.675 is 2.67 because its binary value lies below the tie).
// A result of zero is always +0, whatever the sign of value. value must be finite.
double roundHalfEven(double value, int decimals);

// The result pattern in the given locale: every integer digit, grouped from the decimal
// separator as the locale groups (threes, or three and then twos in Indian locales); the decimal separator always, even with no decimals after it; at most 14
// decimals, no trailing zeros; a minus sign before a negative value. No more than 15
// significant digits are shown: further integer digits are written as zeros, since a double
// holds no information there. Zero, however signed, reads "0.". value must be finite.
QString formatResult(double value, const QLocale &locale = QLocale());

} // namespace conversion
