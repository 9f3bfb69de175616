#include "core/text/ResultText.h"

#include "core/text/NumberSymbols.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace conversion {

namespace {

// The shortest decimal fraction of a finite double has at most 1074 places, so rounding to more
// places than that changes nothing.
constexpr int kMostPlacesThatMatter = 1074;
// The result shows at most this many decimals and this many significant digits.
constexpr int kResultDecimals = 14;
constexpr int kSignificantDigits = 15;

// Plain digits of a non-negative value, split at the decimal point.
struct Digits {
    std::string whole;    // at least one digit
    std::string fraction; // no trailing zeros
};

Digits significantDigits(double magnitude)
{
    // 15 significant digits first; a value below 1 instead gets its 14 decimals directly, which
    // then carry fewer than 15 significant digits.
    char buffer[32];
    const auto sci = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific,
                                   kSignificantDigits - 1);
    const std::string scientific(buffer, sci.ptr);
    const std::size_t e = scientific.find('e');
    const int exponent = std::stoi(scientific.substr(e + 1));

    Digits digits;
    if (exponent < 0) {
        char fixed[32];
        const auto fix = std::to_chars(fixed, fixed + sizeof fixed, magnitude, std::chars_format::fixed, kResultDecimals);
        const std::string text(fixed, fix.ptr);
        const std::size_t point = text.find('.');
        digits.whole = text.substr(0, point);
        digits.fraction = text.substr(point + 1);
    } else {
        std::string mantissa = scientific.substr(0, 1) + scientific.substr(2, e - 2); // 15 digits
        const std::size_t wholeCount = std::size_t(exponent) + 1;
        if (mantissa.size() <= wholeCount) {
            digits.whole = mantissa + std::string(wholeCount - mantissa.size(), '0');
        } else {
            digits.whole = mantissa.substr(0, wholeCount);
            digits.fraction = mantissa.substr(wholeCount);
        }
    }
    const std::size_t lastNonZero = digits.fraction.find_last_not_of('0');
    digits.fraction.resize(lastNonZero == std::string::npos ? 0 : lastNonZero + 1);
    return digits;
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
    const Digits digits = significantDigits(std::fabs(value));
    const bool zero = digits.whole.find_first_not_of('0') == std::string::npos && digits.fraction.empty();

    const NumberSymbols &symbols = numberSymbols(locale);
    const QString whole = QString::fromLatin1(digits.whole.data(), qsizetype(digits.whole.size()));
    const QString grouped = symbols.grouping.group(whole, symbols.group);
    QString text;
    text.reserve(symbols.minus.size() + grouped.size() + symbols.decimal.size() + qsizetype(digits.fraction.size()));
    if (value < 0 && !zero)
        text += symbols.minus;
    text += grouped;
    text += symbols.decimal;
    text += QLatin1String(digits.fraction.data(), qsizetype(digits.fraction.size()));
    return text;
}

} // namespace conversion
