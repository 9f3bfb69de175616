#include "core/text/NumberText.h"

#include "core/text/CatalogueText.h"
#include "core/text/NumberSymbols.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <system_error>

namespace conversion {

namespace {

// For a text that is out of a double's range: true when it is too small rather than too large.
// Its decimal magnitude is the exponent plus the position of the first significant digit.
bool isTinyMagnitude(std::string_view unsignedText)
{
    long magnitude = 0;
    long position = 0; // digits before the point count up, digits after it count down
    bool seenPoint = false;
    bool found = false;
    std::size_t i = 0;
    for (; i < unsignedText.size() && unsignedText[i] != 'e' && unsignedText[i] != 'E'; ++i) {
        const char c = unsignedText[i];
        if (c == '.') {
            seenPoint = true;
            continue;
        }
        if (!seenPoint)
            ++position;
        else
            --position;
        if (c != '0' && !found) {
            found = true;
            magnitude = seenPoint ? position : position - 1;
        }
    }
    if (i < unsignedText.size()) {
        // The exponent has at most a few hundred thousand digits in any text we could meet; a
        // saturating read keeps the sign right.
        long exponent = 0;
        bool negative = false;
        std::size_t j = i + 1;
        if (j < unsignedText.size() && (unsignedText[j] == '+' || unsignedText[j] == '-'))
            negative = unsignedText[j++] == '-';
        for (; j < unsignedText.size(); ++j)
            exponent = std::min(exponent * 10 + (unsignedText[j] - '0'), 100000L);
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude < 0;
}

// Parses [+-]digits[.digits][(e|E)[+-]digits] in plain ASCII, at least one mantissa digit.
std::optional<double> parsePlain(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t mantissaStart = i;
    int digits = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && text[i] >= '0' && text[i] <= '9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ++i;
        int exponentDigits = 0;
        while (i < n && text[i] >= '0' && text[i] <= '9') {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;

    double value = 0.0;
    const char *first = text.data() + mantissaStart;
    const char *last = text.data() + n;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (end != last)
        return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // Underflow reads as zero, as every classic conversion does; overflow is no number.
        if (!isTinyMagnitude(text.substr(mantissaStart)))
            return std::nullopt;
        value = 0.0;
    } else if (error != std::errc()) {
        return std::nullopt;
    }
    if (!std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

QStringView trimmed(QStringView text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).isSpace())
        ++first;
    while (last > first && text.at(last - 1).isSpace())
        --last;
    return text.sliced(first, last - first);
}

// The spaces QChar::isSpace finds among ASCII characters.
bool isAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// parseLocaleNumber on text already trimmed.
std::optional<double> parseTrimmedLocaleNumber(QStringView body, const QLocale &locale)
{
    const NumberSymbols &symbols = numberSymbols(locale);
    const QString &decimal = symbols.decimal;
    const QString &group = symbols.group;
    const bool spaceGroups = symbols.spaceGroups;
    const QString &minus = symbols.minus;
    const QString &plus = symbols.plus;

    std::string plain;
    plain.reserve(std::size_t(body.size()));
    bool seenDecimal = false;
    bool seenExponent = false;
    bool previousWasDigit = false;
    // The whole part's digits counted between group separators, once one has been seen.
    QList<int> groupLengths;
    int digitsInGroup = 0;
    const auto startsAt = [&body](qsizetype i, const QString &symbol) {
        return !symbol.isEmpty() && body.mid(i, symbol.size()) == symbol;
    };
    for (qsizetype i = 0; i < body.size();) {
        const QChar c = body.at(i);
        if (c.isDigit()) {
            plain.push_back(char('0' + c.digitValue()));
            previousWasDigit = true;
            if (!seenDecimal && !seenExponent)
                ++digitsInGroup;
            ++i;
        } else if (startsAt(i, decimal) && !seenDecimal && !seenExponent) {
            plain.push_back('.');
            seenDecimal = true;
            previousWasDigit = false;
            i += decimal.size();
        } else if (!seenDecimal && !seenExponent && previousWasDigit
                   && (startsAt(i, group) || (spaceGroups && c == QLatin1Char(' ')))) {
            // A group separator stands between digits of the whole part; where, is checked at the end.
            i += spaceGroups && c == QLatin1Char(' ') ? 1 : group.size();
            if (i >= body.size() || !body.at(i).isDigit())
                return std::nullopt;
            groupLengths.append(digitsInGroup);
            digitsInGroup = 0;
            previousWasDigit = false;
        } else if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && !seenExponent) {
            plain.push_back('E');
            seenExponent = true;
            previousWasDigit = false;
            ++i;
        } else if (c == QLatin1Char('-') || startsAt(i, minus)) {
            plain.push_back('-');
            previousWasDigit = false;
            i += c == QLatin1Char('-') ? 1 : minus.size();
        } else if (c == QLatin1Char('+') || startsAt(i, plus)) {
            plain.push_back('+');
            previousWasDigit = false;
            i += c == QLatin1Char('+') ? 1 : plus.size();
        } else {
            return std::nullopt;
        }
    }
    // Separators only where the locale puts them: "1,5" in English is no number, not 15.
    if (!groupLengths.isEmpty()) {
        groupLengths.append(digitsInGroup);
        if (!symbols.grouping.accepts(groupLengths))
            return std::nullopt;
    }
    return parsePlain(plain);
}

} // namespace

std::optional<double> parseLocaleNumber(const QString &text, const QLocale &locale)
{
    return parseTrimmedLocaleNumber(trimmed(text), locale);
}

bool isLocaleNumber(const QString &text, const QLocale &locale)
{
    return parseLocaleNumber(text, locale).has_value();
}

QString factorText(double factor)
{
    // Rounded to 15 digits, the largest doubles pass the largest double (1.79769313486232E+308),
    // and such text reads back as no number. They are written one step of the 15th digit lower.
    constexpr double kLargestWritable = 1.79769313486231e308;
    if (std::fabs(factor) > kLargestWritable)
        factor = std::copysign(kLargestWritable, factor);
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, factor, std::chars_format::general, 15);
    const qsizetype length = result.ptr - buffer;
    if (length == 2 && buffer[0] == '-' && buffer[1] == '0')
        return QStringLiteral("0");
    std::replace(buffer, result.ptr, 'e', 'E');
    return QString::fromLatin1(buffer, length);
}

QString generalForm(double value, const QLocale &locale)
{
    QString text = factorText(value);
    const QString &decimal = numberSymbols(locale).decimal;
    if (decimal != QLatin1String("."))
        text.replace(QLatin1Char('.'), decimal);
    return text;
}

std::optional<double> parseFactor(const QString &text, const QLocale &locale)
{
    const QStringView body = trimmed(text);
    bool ascii = true;
    for (const QChar c : body)
        ascii = ascii && c.unicode() < 128;
    if (ascii) {
        std::string plain(std::size_t(body.size()), '\0');
        std::transform(body.begin(), body.end(), plain.begin(), [](QChar c) { return char(c.unicode()); });
        if (const auto value = parsePlain(plain))
            return value;
    }
    return parseTrimmedLocaleNumber(body, locale);
}

std::optional<double> parseFactorBytes(QByteArrayView bytes)
{
    // ASCII, as nearly every factor is, is read here without decoding; anything else as text.
    qsizetype first = 0;
    qsizetype last = bytes.size();
    while (first < last && isAsciiSpace(bytes.at(first)))
        ++first;
    while (last > first && isAsciiSpace(bytes.at(last - 1)))
        --last;
    const QByteArrayView body = bytes.sliced(first, last - first);
    const bool ascii = std::all_of(body.begin(), body.end(), [](char c) { return static_cast<unsigned char>(c) < 128; });
    if (ascii) {
        if (const auto value = parsePlain(std::string_view(body.data(), std::size_t(body.size()))))
            return value;
    }
    return parseFactor(catalogue::decodeCatalogueText(bytes.toByteArray()));
}

bool isFactorNumber(const QString &text, const QLocale &locale)
{
    return parseFactor(text, locale).has_value();
}

} // namespace conversion
