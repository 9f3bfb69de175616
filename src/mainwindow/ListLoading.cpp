#include "mainwindow/ListLoading.h"

#include "app/AppInfo.h"
#include "mainwindow/ListOrder.h"
#include "platform/MessageBox.h"

#include <QComboBox>
#include <QListWidget>

std::optional<catalogue::ListFile> readListForLoading(const QString &path)
{
    bool missing = false;
    auto file = catalogue::readListFile(path, &missing);
    if (missing)
        platform::MsgBox(QStringLiteral("Vital file is missing\r\n") + app::programBaseName()
                         + QStringLiteral(" may need to close"));
    return file;
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

std::shared_ptr<UnitListModel> UnitModelCache::modelFor(std::vector<catalogue::UnitEntry> fileOrder)
{
    if (!m_model || fileOrder != m_fileOrder) {
        m_fileOrder = fileOrder;
        ListOrder().sort(fileOrder);
        m_model = std::make_shared<UnitListModel>(std::move(fileOrder));
    }
    return m_model;
}
