#include "gui/mainwindow/CategoryList.h"

#include <QKeyEvent>
#include <QScopedValueRollback>

CategoryList::CategoryList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void CategoryList::keyPressEvent(QKeyEvent *event)
{
    const bool take = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (take) {
            if (QListWidgetItem *item = currentItem(); item && !item->isSelected())
                setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
            emit choiceTaken();
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    const QScopedValueRollback walking(m_walking, true);
    QListWidget::keyPressEvent(event);
}
