#include "gui/widgets/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void setStaysOnTop(QWidget *window, bool topMost)
{
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topMost)
        return; // already so: changing the flags again would only make the window flicker
    const bool visible = window->isVisible();
    const QPoint position = window->pos();
    // Changing window flags re-creates a shown window: put it back where it was.
    window->setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
    window->move(position);
    if (visible)
        window->show();
}

void fixWindowSize(QWidget *window)
{
    window->setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    window->setFixedSize(window->size());
}

void centreOnScreen(QWidget *window, const QSize &outerSize)
{
    const QScreen *screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    window->move(area.left() + (area.width() - outerSize.width()) / 2,
                 area.top() + (area.height() - outerSize.height()) / 2);
}
