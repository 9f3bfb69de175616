#include "core/catalogue/ListOrder.h"

#include <algorithm>

namespace catalogue {

ListOrder::ListOrder()
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

bool ListOrder::lessThan(const QString &left, const QString &right) const
{
    return m_collator.compare(left, right) < 0;
}

void ListOrder::sort(std::vector<UnitEntry> &entries) const
{
    // Collating pairs directly: sort keys for every name would cost more memory than time saved.
    std::stable_sort(entries.begin(), entries.end(), [this](const UnitEntry &a, const UnitEntry &b) {
        return m_collator.compare(a.name, b.name) < 0;
    });
}

} // namespace catalogue
