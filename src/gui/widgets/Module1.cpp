#include "gui/widgets/Module1.h"

#include <QWidget>

void SetTopMost(QWidget *window, bool topMost)
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

void FixWindowSize(QWidget *window)
{
    window->setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    window->setFixedSize(window->size());
}
