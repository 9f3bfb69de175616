#include "core/conversion/ConvertTemperature.h"

#include "core/base/Failure.h"
#include "core/base/ReportError.h"
#include "core/conversion/ConvertUnits.h"
#include "core/platform/MessageBox.h"

#include <cmath>

namespace conversion {

namespace {

constexpr double kKelvinAtZeroCelsius = 273.15;
constexpr double kDegreeRatio = 1.8; // Fahrenheit or Rankine degrees in one Celsius or kelvin degree
constexpr int kFahrenheitAtZeroCelsius = 32;

// A result beyond the range of a double is an overflow, as it was for the classic arithmetic.
double checked(double value)
{
    if (!std::isfinite(value))
        throw app::Failure(app::kErrOverflow);
    return value;
}

// The operations run in exactly this order, so that results agree to the last binary digit.
double toKelvin(double v, const QString &unit)
{
    if (unit == QStringView(kCelsiusName))
        return v + kKelvinAtZeroCelsius;
    if (unit == QStringView(kFahrenheitName))
        return (v - kFahrenheitAtZeroCelsius) / kDegreeRatio + kKelvinAtZeroCelsius;
    if (unit == QStringView(kRankineName))
        return v / kDegreeRatio;
    return v;
}

double fromKelvin(double k, const QString &unit)
{
    if (unit == QStringView(kCelsiusName))
        return k - kKelvinAtZeroCelsius;
    if (unit == QStringView(kFahrenheitName))
        return kDegreeRatio * (k - kKelvinAtZeroCelsius) + kFahrenheitAtZeroCelsius;
    if (unit == QStringView(kRankineName))
        return k * kDegreeRatio;
    return k;
}

} // namespace

TemperatureResult ConvertTemperature(ConversionView &view, double value, const QString &fromUnit,
                                     const QString &toUnit)
{
    try {
        view.setResultText(QString());
        const double kelvin = checked(toKelvin(value, fromUnit));
        if (kelvin < 0) {
            platform::MsgBox(QStringLiteral("Try Again, below absolute zero."), platform::Buttons::OK,
                             platform::Icon::None);
            return TemperatureResult::belowZero();
        }
        return TemperatureResult::ofValue(checked(fromKelvin(kelvin, toUnit)));
    } catch (const app::Failure &failure) {
        app::ReportError(QStringLiteral("Temp Converter"), failure);
        return TemperatureResult::empty();
    }
}

} // namespace conversion
