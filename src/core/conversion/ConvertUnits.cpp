#include "core/conversion/ConvertUnits.h"

#include "core/base/Failure.h"
#include "core/base/ReportError.h"
#include "core/conversion/ConvertTemperature.h"
#include "core/platform/MessageBox.h"
#include "core/settings/ConversionHistory.h"
#include "core/settings/Options.h"
#include "core/text/NumberText.h"
#include "core/text/ResultText.h"

#include <QStringBuilder>

#include <cmath>
#include <limits>
#include <optional>

namespace conversion {

namespace {

double finiteOrOverflow(double value)
{
    if (!std::isfinite(value))
        throw app::Failure(app::kErrOverflow);
    return value;
}

// The factor of the unit whose item tag is tag, read from a factor table's text in the
// catalogue's fixed format.
double factorAt(const FactorTable &factors, int tag)
{
    if (tag < 0 || std::size_t(tag) >= factors.size())
        throw app::Failure(app::kErrSubscriptOutOfRange);
    const std::optional<double> factor = parseFactor(factors[std::size_t(tag)]);
    if (!factor)
        throw app::Failure(app::kErrTypeMismatch);
    return *factor;
}

// The same from factors read already: NaN stands for a line without one.
double factorAt(std::span<const double> factors, int tag)
{
    if (tag < 0 || std::size_t(tag) >= factors.size())
        throw app::Failure(app::kErrSubscriptOutOfRange);
    const double factor = factors[std::size_t(tag)];
    if (std::isnan(factor))
        throw app::Failure(app::kErrTypeMismatch);
    return factor;
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

// typed is the typed number as read, nothing when it is no number.
void recordHistory(const ConversionView &view, const Options &options, ConversionHistory &history,
                   const std::optional<double> &typed)
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
    if (options.rememberValue() && typed)
        history.setLastValue(*typed);
}

// The typed number; an entry that is no number is announced and replaced by 1.
double validatedEntry(ConversionView &view, const QString &entry, const std::optional<double> &typed,
                      const Options &options, ConversionHistory &history)
{
    if (typed)
        return *typed;
    platform::MsgBox(QLatin1Char('"') + (entry.isEmpty() ? QStringLiteral(" ") : entry)
                         + QStringLiteral("\" is an invalid number.\rYour entry will be changed to 1"),
                     platform::Buttons::OK, platform::Icon::Exclamation);
    view.setNumberText(QStringLiteral("1"));
    if (options.rememberCategory() && options.rememberValue())
        history.setLastValue(1.0);
    return 1.0;
}

template <typename Factors>
void convert(ConversionView &view, const Factors &factors, const Options &options, ConversionHistory &history)
{
    const QLocale locale; // the user's, looked up once for the whole conversion
    const QString fromUnit = view.fromUnitText();
    const QString toUnit = view.toUnitText();
    const std::optional<double> places = parseLocaleNumber(view.decimalPlacesText(), locale);
    if (!places)
        throw app::Failure(app::kErrTypeMismatch);
    const bool temperature = view.categoryText() == QStringView(kTemperatureCategory);

    // The typed number is read once, for the history and for the conversion.
    const QString typedText = view.numberText();
    const std::optional<double> typed = parseLocaleNumber(typedText, locale);
    recordHistory(view, options, history, typed);

    double ratio = 0.0;
    if (!temperature) {
        const double fromFactor = factorAt(factors, view.fromUnitTag());
        const double toFactor = factorAt(factors, view.toUnitTag());
        if (toFactor == 0.0)
            throw app::Failure(app::kErrDivisionByZero);
        ratio = finiteOrOverflow(fromFactor / toFactor);
    }

    const double entry = validatedEntry(view, typedText, typed, options, history);

    QString entryText;
    double converted = 0.0;
    if (!temperature) {
        const double value = std::fabs(entry);
        entryText = generalForm(value, locale);
        view.setNumberText(entryText);
        converted = finiteOrOverflow(value * ratio);
    } else {
        const TemperatureResult result = ConvertTemperature(view, entry, fromUnit, toUnit);
        if (!result.hasValue())
            return;
        converted = result.value();
        entryText = view.numberText();
    }

    const QString number = formatResult(roundHalfEven(converted, decimalPlaces(*places)), locale);
    // Built in one piece: the pieces' sizes are added up first, and each is copied once.
    view.setResultText(entryText % QLatin1Char(' ') % fromUnit % QLatin1String(" = ") % number % QLatin1Char(' ')
                       % toUnit);
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

void ConvertUnits(ConversionView &view, std::span<const double> factors, const Options &options,
                  ConversionHistory &history)
{
    try {
        convert(view, factors, options, history);
    } catch (const app::Failure &failure) {
        app::ReportError(QStringLiteral("Converter"), failure);
    }
}

} // namespace conversion
