#pragma once

#include "core/conversion/TemperatureResult.h"

#include <QString>

namespace conversion {

class ConversionView;

// The one category converted by formulas instead of factors; compared exactly. The editor
// never opens it.
inline constexpr char16_t kTemperatureCategory[] = u"Temperature";

// The unit names that select a temperature scale; any other name is kelvin. The character
// before C, F and R is U+00BA, the masculine ordinal indicator.
inline constexpr char16_t kCelsiusName[] = u"Degrees Celsius (\u00BAC)";
inline constexpr char16_t kFahrenheitName[] = u"Degrees Fahrenheit (\u00BAF)";
inline constexpr char16_t kRankineName[] = u"Degrees Rankine (\u00BAR)";

// Converts value from the scale named fromUnit to the scale named toUnit through kelvin.
// Empties the view's result first. Below absolute zero it shows "Try Again, below absolute
// zero." and gives belowZero; any other failure is reported (routine "Temp Converter") and
// gives empty.
TemperatureResult ConvertTemperature(ConversionView &view, double value, const QString &fromUnit,
                                     const QString &toUnit);

} // namespace conversion
