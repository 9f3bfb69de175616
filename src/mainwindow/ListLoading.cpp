#include "mainwindow/ListLoading.h"

#include "app/AppInfo.h"
#include "mainwindow/ListOrder.h"
#include "platform/MessageBox.h"

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
template <typename TextAt, typename Insert>
void addSorted(const catalogue::ListFile &file, int count, TextAt textAt, Insert insert)
{
    const ListOrder order;
    for (int i = 0; i < file.count; ++i) {
        const QString line = file.line(i);
        if (line.isEmpty())
            continue;
        insert(order.insertPosition(count++, line, textAt), line);
    }
}
} // namespace

void addLinesSorted(QListWidget *list, const catalogue::ListFile &file)
{
    addSorted(
        file, list->count(), [list](int row) { return list->item(row)->text(); },
        [list](int row, const QString &text) { list->insertItem(row, text); });
}

void addLinesSorted(QComboBox *list, const catalogue::ListFile &file)
{
    addSorted(
        file, list->count(), [list](int row) { return list->itemText(row); },
        [list](int row, const QString &text) { list->insertItem(row, text); });
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
