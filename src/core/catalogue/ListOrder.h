#pragma once

#include "core/catalogue/CatalogueFile.h"

#include <QCollator>
#include <QString>

#include <vector>

namespace catalogue {

// The order of the sorted lists: locale-aware and case-insensitive, stable for equal names.
class ListOrder {
public:
    ListOrder();

    bool lessThan(const QString &left, const QString &right) const;
    // Sorts entries by name, keeping the file order of names that compare equal.
    void sort(std::vector<UnitEntry> &entries) const;

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
