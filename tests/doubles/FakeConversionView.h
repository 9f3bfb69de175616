#pragma once

#include "core/base/Failure.h"
#include "core/conversion/ConvertUnits.h"

#include <QStringList>

#include <optional>

// A main window reduced to the values a conversion reads and writes. A unit tag that is not
// set stands for a list without a selection.
class FakeConversionView : public conversion::ConversionView {
public:
    QString fromUnit;
    QString toUnit;
    QString decimalPlaces = QStringLiteral("5");
    QString category;
    int categoryPosition = 0;
    int fromPosition = 0;
    int toPosition = 0;
    std::optional<int> fromTag;
    std::optional<int> toTag;
    QString number;
    QString result = QStringLiteral("previous result");
    QStringList resultWrites; // every text written into the result, in order

    QString fromUnitText() const override { return fromUnit; }
    QString toUnitText() const override { return toUnit; }
    QString decimalPlacesText() const override { return decimalPlaces; }
    QString categoryText() const override { return category; }
    int categoryIndex() const override { return categoryPosition; }
    int fromUnitIndex() const override { return fromPosition; }
    int toUnitIndex() const override { return toPosition; }
    int fromUnitTag() const override { return tagOrFailure(fromTag); }
    int toUnitTag() const override { return tagOrFailure(toTag); }
    QString numberText() const override { return number; }
    void setNumberText(const QString &text) override { number = text; }
    void setResultText(const QString &text) override
    {
        result = text;
        resultWrites.append(text);
    }

private:
    static int tagOrFailure(const std::optional<int> &tag)
    {
        if (!tag)
            throw app::Failure(app::kErrInvalidPropertyArrayIndex);
        return *tag;
    }
};
