#include "mainwindow/ListOrder.h"

#include <algorithm>
#include <numeric>

ListOrder::ListOrder()
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

bool ListOrder::lessThan(const QString &left, const QString &right) const
{
    return m_collator.compare(left, right) < 0;
}

void ListOrder::sort(std::vector<catalogue::UnitEntry> &entries) const
{
    // Sort keys once per name: comparing keys is far cheaper than collating on every comparison.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(entries.size());
    for (const catalogue::UnitEntry &entry : entries)
        keys.push_back(m_collator.sortKey(entry.name));
    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a].compare(keys[b]) < 0; });
    std::vector<catalogue::UnitEntry> sorted;
    sorted.reserve(entries.size());
    for (std::size_t index : order)
        sorted.push_back(std::move(entries[index]));
    entries = std::move(sorted);
}
