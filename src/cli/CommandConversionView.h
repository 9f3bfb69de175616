#pragma once

#include "cli/UnitLookup.h"
#include "core/conversion/ConvertUnits.h"

namespace cli {

// The main window's side of one conversion for the command line: the chosen category and units,
// the typed number and the decimal places, and the result line the conversion writes.
class CommandConversionView : public conversion::ConversionView {
public:
    CommandConversionView(const UnitPair &units, const QString &number, int places);

    QString fromUnitText() const override { return m_units.from.name; }
    QString toUnitText() const override { return m_units.to.name; }
    QString decimalPlacesText() const override { return m_places; }
    QString categoryText() const override { return m_units.category; }
    // No list positions: nothing of them is recorded (see runConvert).
    int categoryIndex() const override { return 0; }
    int fromUnitIndex() const override { return 0; }
    int toUnitIndex() const override { return 0; }
    int fromUnitTag() const override { return m_units.from.tag; }
    int toUnitTag() const override { return m_units.to.tag; }
    QString numberText() const override { return m_number; }
    void setNumberText(const QString &text) override { m_number = text; }
    void setResultText(const QString &text) override { m_result = text; }

    // The result line; empty when the conversion wrote none (it failed, after its message).
    const QString &resultText() const { return m_result; }
    // The converted number of the result line, as it shows it: the line less the number
    // converted, the units and the separators the conversion puts between them.
    QString resultNumber() const;

private:
    UnitPair m_units;
    QString m_number;
    QString m_places;
    QString m_result;
};

} // namespace cli
