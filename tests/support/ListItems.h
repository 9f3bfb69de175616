#pragma once

#include <QComboBox>
#include <QListWidget>
#include <QStringList>

// The texts of a list's entries, in list order.
inline QStringList listItems(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->itemText(i));
    return items;
}

inline QStringList listItems(const QListWidget *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}
