#include "core/text/SettingsText.h"

#include "core/base/Failure.h"
#include "core/text/NumberText.h"

#include <QLocale>

#include <cmath>

namespace settings {

namespace {

// Rounds to the nearest whole number; a value exactly halfway goes to the even neighbour.
double roundHalfEven(double value)
{
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction < 0.5)
        return lower;
    if (fraction > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

} // namespace

QString booleanText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool textToBoolean(const QString &text)
{
    const QString word = text.trimmed();
    if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<double> number = conversion::parseLocaleNumber(text, QLocale());
    if (!number)
        throw app::Failure(app::kErrTypeMismatch);
    return *number != 0.0;
}

QString integerText(qint16 value)
{
    return QString::number(value);
}

qint16 textToInteger(const QString &text)
{
    const std::optional<double> number = conversion::parseLocaleNumber(text, QLocale());
    if (!number)
        throw app::Failure(app::kErrTypeMismatch);
    const double rounded = roundHalfEven(*number);
    if (rounded < -32768.0 || rounded > 32767.0)
        throw app::Failure(app::kErrOverflow);
    return qint16(rounded);
}

QString doubleText(double value)
{
    return conversion::generalForm(value, QLocale());
}

double textToDouble(const QString &text)
{
    const std::optional<double> number = conversion::parseLocaleNumber(text, QLocale());
    if (!number)
        throw app::Failure(app::kErrTypeMismatch);
    return *number;
}

} // namespace settings
