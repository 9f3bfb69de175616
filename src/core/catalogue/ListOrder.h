#pragma once

#include <QCollator>
#include <QString>

#include <algorithm>
#include <numeric>
#include <thread>
#include <vector>

namespace catalogue {

// The order of the sorted lists: locale-aware and case-insensitive, stable for equal names.
class ListOrder {
public:
    ListOrder();
    explicit ListOrder(const QLocale &locale);

    bool lessThan(const QString &left, const QString &right) const;

    // The positions 0 to count - 1 in the order of the names nameAt(position) gives them, names
    // that compare equal in the order of their positions. Positions are sorted, never names. A
    // long list is sorted in two halves at once, the second on a thread of its own with a
    // collator of its own, and the halves merged: the order is the same as in one piece.
    template <typename NameAt>
    std::vector<quint16> sortedPositions(int count, NameAt nameAt) const
    {
        std::vector<quint16> positions(std::size_t(std::max(count, 0)));
        std::iota(positions.begin(), positions.end(), quint16(0));
        const auto byName = [&nameAt](const QCollator &collator) {
            return [&collator, &nameAt](quint16 a, quint16 b) { return collator.compare(nameAt(a), nameAt(b)) < 0; };
        };
        if (count < kHalvedSortLength || std::thread::hardware_concurrency() < 2) {
            std::stable_sort(positions.begin(), positions.end(), byName(m_collator));
            return positions;
        }
        const auto middle = positions.begin() + count / 2;
        std::jthread secondHalf([&] { // joined however this ends
            const ListOrder order(m_collator.locale());
            std::stable_sort(middle, positions.end(), byName(order.m_collator));
        });
        std::stable_sort(positions.begin(), middle, byName(m_collator));
        secondHalf.join();
        std::inplace_merge(positions.begin(), middle, positions.end(), byName(m_collator));
        return positions;
    }

    // The position at which text goes into a list already in this order (after equal names).
    template <typename TextAt>
    int insertPosition(int count, const QString &text, TextAt textAt) const
    {
        int low = 0;
        int high = count;
        while (low < high) {
            const int middle = (low + high) / 2;
            if (lessThan(text, textAt(middle)))
                high = middle;
            else
                low = middle + 1;
        }
        return low;
    }

private:
    // Lists at least this long are sorted in two halves at once.
    static constexpr int kHalvedSortLength = 4096;

    QCollator m_collator;
};

} // namespace catalogue
