#include "gui/mainwindow/UnitListSource.h"

#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/ListOrder.h"
#include "core/platform/FreeMemory.h"

#include <QHash>

namespace {

// A category of more units than this gives its memory back to the system when it is left.
constexpr int kManyUnits = 1000;

} // namespace

std::shared_ptr<const LoadedUnits> UnitListSource::read(const QString &path, bool *missingFile)
{
    auto bytes = catalogue::readListBytes(path, missingFile);
    if (!bytes) {
        forget();
        return nullptr;
    }
    const size_t hash = qHash(QByteArrayView(*bytes), QHashSeed::globalSeed());
    if (m_units && path == m_path && bytes->size() == m_size && hash == m_hash)
        return m_units;
    const bool leavingMany = m_units && m_units->table->size() > kManyUnits;
    forget();
    std::optional<catalogue::UnitTable> table = catalogue::parseUnitTable(path, *bytes);
    const qsizetype size = bytes->size();
    bytes.reset(); // the file's bytes are not needed while the units are sorted
    if (leavingMany)
        platform::giveBackFreeMemory();
    if (!table)
        return nullptr;
    table->sort(catalogue::ListOrder());
    auto units = std::make_shared<LoadedUnits>();
    units->table = std::make_shared<const catalogue::UnitTable>(std::move(*table));
    units->model = std::make_shared<UnitListModel>(units->table);
    m_path = path;
    m_size = size;
    m_hash = hash;
    m_units = units;
    return m_units;
}

void UnitListSource::forget()
{
    m_units.reset();
    m_path.clear();
}
