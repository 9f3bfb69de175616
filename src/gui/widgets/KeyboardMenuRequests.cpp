#include "gui/widgets/KeyboardMenuRequests.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWidget>

KeyboardMenuRequests::KeyboardMenuRequests(QWidget &window, Opener open)
    : QObject(&window)
    , m_window(&window)
    , m_open(std::move(open))
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool KeyboardMenuRequests::isInWindow(QObject *watched) const
{
    return watched->isWidgetType() && m_window && static_cast<QWidget *>(watched)->window() == m_window;
}

QPoint KeyboardMenuRequests::menuPosition(const QWidget &control)
{
    const QRect cursor = control.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QPoint position = cursor.isValid() && control.rect().contains(cursor.center()) ? cursor.center()
                                                                                       : control.rect().center();
    return control.mapToGlobal(position);
}

bool KeyboardMenuRequests::eventFilter(QObject *watched, QEvent *event)
{
    bool request = false;
    if (event->type() == QEvent::ContextMenu)
        request = static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard;
    else if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        request = key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
    }
    if (!request || !isInWindow(watched))
        return false;
    m_open(menuPosition(*static_cast<QWidget *>(watched)));
    event->accept();
    return true;
}
