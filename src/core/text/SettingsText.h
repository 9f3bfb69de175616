#pragma once

#include <QString>
#include <QtGlobal>

// Text conversions of the stored settings values. Values are text in the settings store; the
// numbers follow the user's locale (QLocale()), as they always have.
namespace settings {

// "True" or "False".
QString booleanText(bool value);
// True or False in any letter case, or a number: 0 is false, any other number true.
// Anything else throws app::Failure 13 (type mismatch).
bool textToBoolean(const QString &text);

// Plain decimal text, "-1" for minus one.
QString integerText(qint16 value);
// A number rounded to the nearest whole number, ties to even. A text that is no number throws
// app::Failure 13; a number outside -32768..32767 after rounding throws app::Failure 6.
qint16 textToInteger(const QString &text);

// The general text form: at most 15 significant digits, E+NN for very large magnitudes.
QString doubleText(double value);
// A text that is no number throws app::Failure 13.
double textToDouble(const QString &text);

} // namespace settings
