#pragma once

#include <QString>

#include <span>
#include <vector>

class Options;
class ConversionHistory;

namespace conversion {

// The main window's factor table: element i holds the factor text of line i of the loaded
// category file, or empty text for a blank or rejected line.
using FactorTable = std::vector<QString>;

// What a conversion reads from and writes to the main window. MainWindow implements it; tests use a
// plain fake, so the whole conversion runs without a window.
class ConversionView {
public:
    virtual ~ConversionView() = default;
    virtual QString fromUnitText() const = 0;      // the unit to convert from, as shown
    virtual QString toUnitText() const = 0;        // the unit to convert to, as shown
    virtual QString decimalPlacesText() const = 0; // the decimal places chosen
    virtual QString categoryText() const = 0;      // the name of the category chosen
    virtual int categoryIndex() const = 0;         // selected positions, -1 for none
    virtual int fromUnitIndex() const = 0;
    virtual int toUnitIndex() const = 0;
    // Item tags (file line numbers) of the selected entries; app::Failure 381 with no selection.
    virtual int fromUnitTag() const = 0;
    virtual int toUnitTag() const = 0;
    virtual QString numberText() const = 0;        // the number typed
    virtual void setNumberText(const QString &text) = 0;
    virtual void setResultText(const QString &text) = 0; // Result
};

// Runs one conversion on the view's current state: reads the units, decimal places and
// category, records or wipes the history as the options say, validates the number (an invalid
// one is announced and replaced by 1), converts by the two units' factors in factors or,
// for "Temperature", by ConvertTemperature, and writes the rounded, formatted result line.
// A failure ends the conversion and is reported (routine "Converter"); the result line then
// keeps its previous text.
void ConvertUnits(ConversionView &view, const FactorTable &factors, const Options &options,
                  ConversionHistory &history);
// The same with the factors read already, one per line of the category file: NaN for a blank
// or rejected line. This is how the main window keeps them: read once when the category is
// chosen, not on every conversion.
void ConvertUnits(ConversionView &view, std::span<const double> factors, const Options &options,
                  ConversionHistory &history);

} // namespace conversion
