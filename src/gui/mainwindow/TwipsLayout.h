#pragma once

#include <QHash>
#include <QRectF>
#include <QWidget>

// Window geometry as designed: in twips (1440 per inch, 15 per logical pixel at 96 dpi),
// possibly with half twips. Layout formulas read the twips kept here, not the rounded pixels.
// A scale above 1 (a larger system font) makes every twip that much larger in pixels.
class TwipsLayout {
public:
    static constexpr double kTwipsPerPixel = 15.0;

    void setScale(double scale) { m_scale = scale; }
    double scale() const { return m_scale; }
    int toPixels(double twips) const;

    void place(QWidget *widget, double left, double top, double width, double height);
    void move(QWidget *widget, double left, double top);
    void setTop(QWidget *widget, double top);
    void setLeft(QWidget *widget, double left);
    void setHeight(QWidget *widget, double height);
    void setWidth(QWidget *widget, double width);

    QRectF geometry(const QWidget *widget) const { return m_geometry.value(widget); }
    double left(const QWidget *widget) const { return geometry(widget).left(); }
    double top(const QWidget *widget) const { return geometry(widget).top(); }
    double width(const QWidget *widget) const { return geometry(widget).width(); }

private:
    void apply(QWidget *widget, const QRectF &twips);

    QHash<const QWidget *, QRectF> m_geometry;
    double m_scale = 1.0;
};
