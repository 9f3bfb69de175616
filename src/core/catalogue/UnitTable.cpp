#include "core/catalogue/UnitTable.h"

#include "core/catalogue/ListOrder.h"
#include "core/text/CatalogueText.h"

#include <limits>

namespace catalogue {

UnitTable::UnitTable(qint16 lineCount, qsizetype nameBytes)
    : m_lineCount(lineCount)
    , m_factors(std::size_t(std::max<qint16>(lineCount, 0)), std::numeric_limits<double>::quiet_NaN())
{
    m_names.reserve(nameBytes);
    m_nameEnds.reserve(m_factors.size());
    m_tags.reserve(m_factors.size());
}

QStringView UnitTable::nameInFile(int index) const
{
    const quint32 start = index == 0 ? 0 : m_nameEnds[std::size_t(index - 1)];
    return QStringView(m_names).sliced(start, m_nameEnds[std::size_t(index)] - start);
}

void UnitTable::addUnit(qint16 line, QByteArrayView name, double factor)
{
    appendCatalogueText(m_names, name);
    m_nameEnds.push_back(quint32(m_names.size()));
    m_tags.push_back(line);
    m_factors[std::size_t(line)] = factor;
}

void UnitTable::addRejected(QByteArrayView name)
{
    m_rejectedNames.append(decodeCatalogueText(name.toByteArray()));
}

void UnitTable::sort(const ListOrder &order)
{
    m_names.squeeze();
    m_order = order.sortedPositions(size(), [this](int index) { return nameInFile(index); });
}

} // namespace catalogue
