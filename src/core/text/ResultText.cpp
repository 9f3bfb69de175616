#include "core/text/ResultText.h"

#include "core/text/NumberSymbols.h"

#include <QStringBuilder>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace conversion {

namespace {

// The shortest decimal fraction of a finite double has at most 1074 places, so rounding to more
// places than that changes nothing.
constexpr int kMostPlacesThatMatter = 1074;
// The result shows at most this many decimals and this many significant digits.
constexpr int kResultDecimals = 14;
constexpr int kSignificantDigits = 15;
// The whole digits of the largest double.
constexpr int kMostWholeDigits = 309;

// Plain digits of a non-negative value, split at the decimal point.
struct Digits {
    char whole[kMostWholeDigits]; // at least one digit
    int wholeLength = 0;
    char fraction[kResultDecimals]; // no trailing zeros
    int fractionLength = 0;
};

void significantDigits(double magnitude, Digits &digits)
{
    // 15 significant digits first ("d.dddddddddddddde+XX"); a value below 1 instead gets its 14
    // decimals directly, which then carry fewer than 15 significant digits.
    char scientific[32];
    const auto sci = std::to_chars(scientific, scientific + sizeof scientific, magnitude,
                                   std::chars_format::scientific, kSignificantDigits - 1);
    char *e = std::find(scientific, sci.ptr, 'e');
    int exponent = 0;
    std::from_chars(e[1] == '+' ? e + 2 : e + 1, sci.ptr, exponent);

    if (exponent < 0) {
        char fixed[32];
        const auto fix = std::to_chars(fixed, fixed + sizeof fixed, magnitude, std::chars_format::fixed, kResultDecimals);
        char *point = std::find(fixed, fix.ptr, '.');
        digits.wholeLength = int(point - fixed);
        std::copy(fixed, point, digits.whole);
        digits.fractionLength = int(fix.ptr - point - 1);
        std::copy(point + 1, fix.ptr, digits.fraction);
    } else {
        char mantissa[kSignificantDigits];
        mantissa[0] = scientific[0];
        std::copy(scientific + 2, e, mantissa + 1);
        const int wholeCount = exponent + 1;
        if (kSignificantDigits <= wholeCount) {
            std::copy(mantissa, mantissa + kSignificantDigits, digits.whole);
            std::fill(digits.whole + kSignificantDigits, digits.whole + wholeCount, '0');
            digits.wholeLength = wholeCount;
        } else {
            std::copy(mantissa, mantissa + wholeCount, digits.whole);
            digits.wholeLength = wholeCount;
            std::copy(mantissa + wholeCount, mantissa + kSignificantDigits, digits.fraction);
            digits.fractionLength = kSignificantDigits - wholeCount;
        }
    }
    while (digits.fractionLength > 0 && digits.fraction[digits.fractionLength - 1] == '0')
        --digits.fractionLength;
}

} // namespace

double roundHalfEven(double value, int decimals)
{
    if (!std::isfinite(value) || decimals >= kMostPlacesThatMatter)
        return value;
    decimals = std::max(decimals, 0);
    // to_chars in fixed notation is exact and rounds an exact tie to even; reading its text back
    // gives the double nearest to the rounded decimal. The sign, 309 whole digits, the point and
    // the decimals fit.
    char text[330 + kMostPlacesThatMatter];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    double rounded = 0.0;
    std::from_chars(text, written.ptr, rounded);
    return rounded == 0.0 ? 0.0 : rounded;
}

QString formatResult(double value, const QLocale &locale)
{
    Digits digits;
    significantDigits(std::fabs(value), digits);
    const bool zero = std::all_of(digits.whole, digits.whole + digits.wholeLength, [](char c) { return c == '0'; })
        && digits.fractionLength == 0;

    const NumberSymbols &symbols = numberSymbols(locale);
    const QString grouped = symbols.grouping.group(QString::fromLatin1(digits.whole, digits.wholeLength), symbols.group);
    const QLatin1String fraction(digits.fraction, digits.fractionLength);
    if (value < 0 && !zero)
        return symbols.minus % grouped % symbols.decimal % fraction;
    return grouped % symbols.decimal % fraction;
}

} // namespace conversion
