#pragma once

#include "core/catalogue/UnitTable.h"

#include <QAbstractListModel>

#include <memory>

// The sorted units of one category for a unit list: each row shows a unit name and carries its
// line number (the item tag) in Qt::UserRole. Both unit lists show the same instance, each with
// its own current entry, so a category of many units is sorted and stored once.
class UnitListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // units: sorted; nothing for no units at all.
    explicit UnitListModel(std::shared_ptr<const catalogue::UnitTable> units = nullptr, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    std::shared_ptr<const catalogue::UnitTable> m_units;
};
