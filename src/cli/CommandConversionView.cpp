#include "cli/CommandConversionView.h"

namespace cli {

CommandConversionView::CommandConversionView(const UnitPair &units, const QString &number, int places)
    : m_units(units)
    , m_number(number)
    , m_places(QString::number(places))
{
}

QString CommandConversionView::resultNumber() const
{
    // The line is: number, ' ', from-unit, " = ", result, ' ', to-unit.
    const QString before = m_number + QLatin1Char(' ') + m_units.from.name + QStringLiteral(" = ");
    const QString after = QLatin1Char(' ') + m_units.to.name;
    if (m_result.size() < before.size() + after.size() || !m_result.startsWith(before) || !m_result.endsWith(after))
        return QString();
    return m_result.mid(before.size(), m_result.size() - before.size() - after.size());
}

} // namespace cli
