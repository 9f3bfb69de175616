#include "core/conversion/ConvertUnits.h"

#include "core/base/Failure.h"
#include "core/base/ReportError.h"
#include "core/conversion/ConvertTemperature.h"
#include "core/platform/MessageBox.h"
#include "core/settings/ConversionHistory.h"
#include "core/settings/Options.h"
#include "core/text/NumberText.h"
#include "core/text/ResultText.h"

#include <cmath>
#include <limits>

namespace conversion {

namespace {

double finiteOrOverflow(double value)
{
    if (!std::isfinite(value))
        throw app::Failure(app::kErrOverflow);
    return value;
}

// The factor of the unit whose item tag is tag, read in the catalogue's fixed format.
double factorAt(const FactorTable &factors, int tag)
{
    if (tag < 0 || std::size_t(tag) >= factors.size())
        throw app::Failure(app::kErrSubscriptOutOfRange);
    const std::optional<double> factor = parseFactor(factors[std::size_t(tag)]);
    if (!factor)
        throw app::Failure(app::kErrTypeMismatch);
    return *factor;
}

// The number of decimal places: the decimal-places text rounded to the nearest whole number,
// an exact half going to the even one.
int decimalPlaces(double places)
{
    const double whole = std::nearbyint(places);
    if (whole < 0)
        throw app::Failure(app::kErrInvalidProcedureCall);
    if (whole > std::numeric_limits<qint16>::max())
        throw app::Failure(app::kErrOverflow);
    return int(whole);
}

void recordHistory(const ConversionView &view, const Options &options, ConversionHistory &history)
{
    if (!options.rememberCategory()) {
        history.forget();
        return;
    }
    history.setLastCategory(qint16(view.categoryIndex()));
    if (options.rememberUnits()) {
        history.setLastFromUnit(qint16(view.fromUnitIndex()));
        history.setLastToUnit(qint16(view.toUnitIndex()));
    }
    if (options.rememberValue()) {
        if (const std::optional<double> number = parseLocaleNumber(view.numberText()))
            history.setLastValue(*number);
    }
}

// The typed number; an entry that is no number is announced and replaced by 1.
double validatedEntry(ConversionView &view, const Options &options, ConversionHistory &history)
{
    const QString entry = view.numberText();
    if (const std::optional<double> number = parseLocaleNumber(entry))
        return *number;
    platform::MsgBox(QLatin1Char('"') + (entry.isEmpty() ? QStringLiteral(" ") : entry)
                         + QStringLiteral("\" is an invalid number.\rYour entry will be changed to 1"),
                     platform::Buttons::OK, platform::Icon::Exclamation);
    view.setNumberText(QStringLiteral("1"));
    if (options.rememberCategory() && options.rememberValue())
        history.setLastValue(1.0);
    return 1.0;
}

void convert(ConversionView &view, const FactorTable &factors, const Options &options, ConversionHistory &history)
{
    const QString fromUnit = view.fromUnitText();
    const QString toUnit = view.toUnitText();
    const std::optional<double> places = parseLocaleNumber(view.decimalPlacesText());
    if (!places)
        throw app::Failure(app::kErrTypeMismatch);
    const bool temperature = view.categoryText() == QStringView(kTemperatureCategory);

    recordHistory(view, options, history);

    double ratio = 0.0;
    if (!temperature) {
        const double fromFactor = factorAt(factors, view.fromUnitTag());
        const double toFactor = factorAt(factors, view.toUnitTag());
        if (toFactor == 0.0)
            throw app::Failure(app::kErrDivisionByZero);
        ratio = finiteOrOverflow(fromFactor / toFactor);
    }

    const double entry = validatedEntry(view, options, history);

    QString entryText;
    double converted = 0.0;
    if (!temperature) {
        const double value = std::fabs(entry);
        entryText = generalForm(value);
        view.setNumberText(entryText);
        converted = finiteOrOverflow(value * ratio);
    } else {
        const TemperatureResult result = ConvertTemperature(view, entry, fromUnit, toUnit);
        if (!result.hasValue())
            return;
        converted = result.value();
        entryText = view.numberText();
    }

    const double rounded = roundHalfEven(converted, decimalPlaces(*places));
    view.setResultText(entryText + QLatin1Char(' ') + fromUnit + QStringLiteral(" = ") + formatResult(rounded)
                       + QLatin1Char(' ') + toUnit);
}

} // namespace

void ConvertUnits(ConversionView &view, const FactorTable &factors, const Options &options,
                  ConversionHistory &history)
{
    try {
        convert(view, factors, options, history);
    } catch (const app::Failure &failure) {
        app::ReportError(QStringLiteral("Converter"), failure);
    }
}

} // namespace conversion
