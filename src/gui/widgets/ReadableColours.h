#pragma once

#include <QColor>
#include <QPalette>

// Text and background colours set as pairs, so that every window reads in light and dark themes.
namespace colours {

// What text needs against its background: WCAG 2, level AA, text of normal size.
inline constexpr double kReadableContrast = 4.5;

// The WCAG 2 contrast ratio of two colours, from their relative luminance: 1 (the same
// luminance) to 21 (black and white).
double contrastRatio(const QColor &first, const QColor &second);

// wanted, when it reads on background at kReadableContrast; otherwise wanted mixed with white
// (on a dark background) or black (on a light one) just far enough that it does.
QColor readableOn(const QColor &wanted, const QColor &background);

// A whole palette for a window that paints a background colour of its own: text, boxes and
// buttons matched to that colour (dark on light, light on dark), the selection colours of theme.
QPalette paletteOn(const QColor &background, const QPalette &theme);

// Colours a box that is read but not edited like the window behind it: it takes the window's
// background and the window's text colour together, whatever the theme pairs with its boxes.
void colourLikeWindow(QPalette &palette);

} // namespace colours
