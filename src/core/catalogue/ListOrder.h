#pragma once

#include <QCollator>
#include <QString>

#include <algorithm>
#include <numeric>
#include <vector>

namespace catalogue {

// The order of the sorted lists: locale-aware and case-insensitive, stable for equal names.
class ListOrder {
public:
    ListOrder();
    explicit ListOrder(const QLocale &locale);

    bool lessThan(const QString &left, const QString &right) const;

    // The positions 0 to count - 1 in the order of the names nameAt(position) gives them, names
    // that compare equal in the order of their positions. Positions are sorted, never names.
    template <typename NameAt>
    std::vector<quint16> sortedPositions(int count, NameAt nameAt) const
    {
        std::vector<quint16> positions(std::size_t(std::max(count, 0)));
        std::iota(positions.begin(), positions.end(), quint16(0));
        std::stable_sort(positions.begin(), positions.end(), [this, &nameAt](quint16 a, quint16 b) {
            return m_collator.compare(nameAt(a), nameAt(b)) < 0;
        });
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
    QCollator m_collator;
};

} // namespace catalogue
