#include "gui/mainwindow/TwipsLayout.h"

#include <cmath>

int TwipsLayout::toPixels(double twips) const
{
    return int(std::lround(twips * m_scale / kTwipsPerPixel));
}

void TwipsLayout::apply(QWidget *widget, const QRectF &twips)
{
    m_geometry.insert(widget, twips);
    // Edges rounded, not sizes: controls that meet in twips meet in pixels at any scale.
    const int left = toPixels(twips.left());
    const int top = toPixels(twips.top());
    widget->setGeometry(left, top, toPixels(twips.right()) - left, toPixels(twips.bottom()) - top);
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
