#include "gui/widgets/SortedListFill.h"

#include "core/catalogue/CatalogueIndex.h"
#include "core/catalogue/ListOrder.h"

#include <QComboBox>
#include <QListWidget>

namespace {

QString textAt(const QListWidget *list, int row)
{
    return list->item(row)->text();
}

QString textAt(const QComboBox *list, int row)
{
    return list->itemText(row);
}

void chooseNothing(QListWidget *)
{
    // Inserting rows chooses nothing in a list box.
}

void chooseNothing(QComboBox *list)
{
    list->setCurrentIndex(-1); // a combo box chooses its first item by itself
}

template <typename List>
bool fillSorted(const QString &path, List *list)
{
    const std::optional<QStringList> names = catalogue::readCategoryNames(path);
    if (!names)
        return false;
    const QSignalBlocker blocker(list);
    list->clear();
    const catalogue::ListOrder order;
    for (const QString &name : *names)
        list->insertItem(order.insertPosition(list->count(), name, [list](int row) { return textAt(list, row); }), name);
    chooseNothing(list);
    return true;
}

} // namespace

bool fillSortedFromFile(const QString &path, QListWidget *list)
{
    return fillSorted(path, list);
}

bool fillSortedFromFile(const QString &path, QComboBox *list)
{
    return fillSorted(path, list);
}
