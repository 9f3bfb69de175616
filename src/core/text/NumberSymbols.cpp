#include "core/text/NumberSymbols.h"

#include <optional>
#include <utility>

namespace conversion {

namespace {

NumberSymbols readSymbols(const QLocale &locale)
{
    NumberSymbols symbols;
    symbols.decimal = locale.decimalPoint();
    symbols.group = locale.groupSeparator();
    symbols.spaceGroups = symbols.group.size() == 1 && symbols.group.at(0).isSpace();
    symbols.minus = locale.negativeSign();
    symbols.plus = locale.positiveSign();
    symbols.grouping = digitGrouping(locale);
    return symbols;
}

} // namespace

const NumberSymbols &numberSymbols(const QLocale &locale)
{
    // One locale is in use at a time: the last one asked for is kept, per thread.
    thread_local std::optional<std::pair<QLocale, NumberSymbols>> last;
    if (!last || !(last->first == locale))
        last.emplace(locale, readSymbols(locale));
    return last->second;
}

} // namespace conversion
