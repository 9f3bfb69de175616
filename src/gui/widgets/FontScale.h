#pragma once

class QFont;

// The windows are designed for the usual desktop font: 9 points at 96 dots per inch, 12 pixels,
// which is also the font Qt gives an application when the desktop names none. A larger system
// font (a larger size, or more dots per inch) scales what a window fixes in pixels by the ratio
// of its pixel size to 12; a smaller one leaves the design as it is.
namespace fontScale {

inline constexpr int kDesignedPixels = 12;

// The scale for a system font: 1 at the designed size or below, its pixel size / 12 above.
double of(const QFont &systemFont);
// The scale for the application's font.
double ofSystem();

} // namespace fontScale
