#pragma once

#include <QWidget>

#include <cmath>

// Window geometry is designed in twips: 1440 per inch, 15 per logical pixel at 96 dpi.
inline constexpr double kTwipsPerPixel = 15.0;

inline int twipsToPixels(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

inline void setTwipsGeometry(QWidget *widget, double left, double top, double width, double height)
{
    widget->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

inline void moveTwips(QWidget *widget, double left, double top)
{
    widget->move(twipsToPixels(left), twipsToPixels(top));
}
