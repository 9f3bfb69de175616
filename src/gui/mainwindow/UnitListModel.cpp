#include "gui/mainwindow/UnitListModel.h"

UnitListModel::UnitListModel(std::shared_ptr<const catalogue::UnitTable> units, QObject *parent)
    : QAbstractListModel(parent)
    , m_units(std::move(units))
{
}

int UnitListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_units ? 0 : m_units->size();
}

QVariant UnitListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
        return m_units->name(index.row()).toString();
    case Qt::UserRole:
        return int(m_units->tag(index.row()));
    default:
        return QVariant();
    }
}
