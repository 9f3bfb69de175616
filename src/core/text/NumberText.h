#pragma once

#include <QByteArrayView>
#include <QLocale>
#include <QString>

#include <optional>

// Number text in its two formats, kept apart:
// - what the person types and reads (the number box, the result line, stored values) follows
//   the user's locale, QLocale();
// - catalogue factors (category files, the factor table, the editor's factor boxes) use one
//   fixed format in every locale: "." decimal, no grouping, "E" exponent.
namespace conversion {

// The user's-locale numeric test and conversion: optional sign, digits with the locale's group
// separators, the locale's decimal separator, an optional exponent; surrounding spaces allowed.
// Group separators stand in the whole part only and only where the locale writes them (every
// three digits, or the locale's own grouping), or not at all. Values beyond the range of a
// double are not numbers.
std::optional<double> parseLocaleNumber(const QString &text, const QLocale &locale = QLocale());
bool isLocaleNumber(const QString &text, const QLocale &locale = QLocale());

// The general text form of a double: at most 15 significant digits, no grouping, no trailing
// zeros, the locale's decimal separator, and E+NN / E-NN for very large or small magnitudes.
// Every finite double gets a text that the readers below accept (the largest ones are written
// as 1.79769313486231E+308, which still is a double).
QString generalForm(double value, const QLocale &locale = QLocale());

// A catalogue factor as text: the general form with "." whatever the locale.
QString factorText(double factor);

// Reads a catalogue factor: the fixed format first; a text that is not in it is read in the
// user's locale form, which older files written under a comma locale hold ("0,3048").
std::optional<double> parseFactor(const QString &text, const QLocale &locale = QLocale());
// The same for a factor as a catalogue file's bytes hold it (Windows-1252), in the user's locale.
std::optional<double> parseFactorBytes(QByteArrayView bytes);
bool isFactorNumber(const QString &text, const QLocale &locale = QLocale());

} // namespace conversion
