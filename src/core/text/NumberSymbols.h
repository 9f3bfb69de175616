#pragma once

#include "core/text/DigitGrouping.h"

#include <QLocale>
#include <QString>

namespace conversion {

// The symbols a locale writes numbers with. QLocale builds each of them anew on every call, and
// one conversion needs them several times; numberSymbols() reads them once per locale.
struct NumberSymbols {
    QString decimal;
    QString group;
    QString minus;
    QString plus;
    bool spaceGroups = false; // the group separator is a single space of some kind
    DigitGrouping grouping;
};

// The symbols of locale. The reference stays valid until this thread asks for another locale.
const NumberSymbols &numberSymbols(const QLocale &locale);

} // namespace conversion
