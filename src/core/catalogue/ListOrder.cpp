#include "core/catalogue/ListOrder.h"

namespace catalogue {

ListOrder::ListOrder()
    : ListOrder(QLocale().collation()) // the locale a default QCollator takes
{
}

ListOrder::ListOrder(const QLocale &locale)
    : m_collator(locale)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

bool ListOrder::lessThan(const QString &left, const QString &right) const
{
    return m_collator.compare(left, right) < 0;
}

} // namespace catalogue
