#include "gui/mainwindow/UnitListSource.h"

#include "core/catalogue/ListOrder.h"

#include <QCryptographicHash>

std::shared_ptr<const LoadedUnits> UnitListSource::read(const QString &path, bool *missingFile)
{
    const auto bytes = catalogue::readListBytes(path, missingFile);
    if (!bytes) {
        m_units.reset();
        return nullptr;
    }
    const QByteArray digest = QCryptographicHash::hash(*bytes, QCryptographicHash::Sha256);
    if (m_units && path == m_path && digest == m_digest)
        return m_units;
    m_units.reset();
    std::optional<catalogue::UnitFile> file = catalogue::parseUnitFile(path, *bytes);
    if (!file)
        return nullptr;
    auto units = std::make_shared<LoadedUnits>();
    units->count = file->count;
    units->factors = std::move(file->listing.factors);
    units->rejectedNames = std::move(file->rejectedNames);
    catalogue::ListOrder().sort(file->listing.entries);
    units->model = std::make_shared<UnitListModel>(std::move(file->listing.entries));
    m_path = path;
    m_digest = digest;
    m_units = units;
    return m_units;
}
