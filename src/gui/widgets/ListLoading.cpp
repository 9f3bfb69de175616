#include "gui/widgets/ListLoading.h"

#include "core/base/AppInfo.h"
#include "core/catalogue/ListOrder.h"
#include "core/platform/MessageBox.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QListWidget>

std::optional<catalogue::ListFile> readListForLoading(const QString &path)
{
    bool missing = false;
    auto file = catalogue::readListFile(path, &missing);
    if (missing)
        reportVitalFileMissing();
    return file;
}

void reportVitalFileMissing()
{
    platform::MsgBox(QStringLiteral("Vital file is missing\r\n") + app::programBaseName()
                     + QStringLiteral(" may need to close"));
}

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
bool loadSorted(const QString &path, List *list, bool clearFirst)
{
    const auto file = readListForLoading(path);
    if (!file)
        return true;
    const QSignalBlocker blocker(list);
    if (clearFirst)
        list->clear();
    const ListOrder order;
    for (int i = 0; i < file->count; ++i) {
        const QString line = file->line(i);
        if (!line.isEmpty())
            list->insertItem(order.insertPosition(list->count(), line, [list](int row) { return textAt(list, row); }),
                             line);
    }
    chooseNothing(list);
    return false;
}

} // namespace

bool loadLinesSorted(const QString &path, QListWidget *list, bool clearFirst)
{
    return loadSorted(path, list, clearFirst);
}

bool loadLinesSorted(const QString &path, QComboBox *list, bool clearFirst)
{
    return loadSorted(path, list, clearFirst);
}

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
    ListOrder().sort(file->listing.entries);
    units->model = std::make_shared<UnitListModel>(std::move(file->listing.entries));
    m_path = path;
    m_digest = digest;
    m_units = units;
    return m_units;
}
