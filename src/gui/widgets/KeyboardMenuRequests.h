#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

// Opens a window's own popup menu from the keyboard, anywhere in the window: the Menu key (which
// Qt turns into a context-menu request at the focused control) and Shift+F10. The request is
// taken before the focused control sees it, so a text box's own Cut and Copy menu stays shut;
// right clicks are left alone. The requests are caught for the whole application and passed on
// only for controls of window; the object is a child of window and installs itself.
class KeyboardMenuRequests : public QObject {
    Q_OBJECT
public:
    // Shows the menu at a global position, beside the focused control.
    using Opener = std::function<void(const QPoint &globalPosition)>;
    KeyboardMenuRequests(QWidget &window, Opener open);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isInWindow(QObject *watched) const;
    // Where a menu for control opens: at its text cursor, its current item or its middle, as Qt
    // places a control's own menu.
    static QPoint menuPosition(const QWidget &control);

    QPointer<QWidget> m_window;
    Opener m_open;
};
