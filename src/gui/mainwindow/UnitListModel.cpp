#include "gui/mainwindow/UnitListModel.h"

UnitListModel::UnitListModel(std::vector<catalogue::UnitEntry> sortedEntries, QObject *parent)
    : QAbstractListModel(parent)
    , m_entries(std::move(sortedEntries))
{
}

int UnitListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant UnitListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_entries.size()))
        return QVariant();
    const catalogue::UnitEntry &entry = m_entries[std::size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
        return entry.name;
    case Qt::UserRole:
        return int(entry.tag);
    default:
        return QVariant();
    }
}
