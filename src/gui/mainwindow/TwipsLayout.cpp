#include "gui/mainwindow/TwipsLayout.h"

#include <cmath>

int TwipsLayout::toPixels(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

void TwipsLayout::apply(QWidget *widget, const QRectF &twips)
{
    m_geometry.insert(widget, twips);
    widget->setGeometry(toPixels(twips.left()), toPixels(twips.top()), toPixels(twips.width()),
                        toPixels(twips.height()));
}

void TwipsLayout::place(QWidget *widget, double left, double top, double width, double height)
{
    apply(widget, QRectF(left, top, width, height));
}

void TwipsLayout::move(QWidget *widget, double left, double top)
{
    QRectF twips = geometry(widget);
    twips.moveTo(left, top);
    apply(widget, twips);
}

void TwipsLayout::setTop(QWidget *widget, double top)
{
    move(widget, left(widget), top);
}

void TwipsLayout::setLeft(QWidget *widget, double left)
{
    move(widget, left, top(widget));
}

void TwipsLayout::setHeight(QWidget *widget, double height)
{
    QRectF twips = geometry(widget);
    twips.setHeight(height);
    apply(widget, twips);
}

void TwipsLayout::setWidth(QWidget *widget, double width)
{
    QRectF twips = geometry(widget);
    twips.setWidth(width);
    apply(widget, twips);
}
