#include "gui/widgets/ReadableColours.h"

#include <algorithm>
#include <cmath>

namespace colours {

namespace {

// The linear light of one sRGB channel (0 to 1).
double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double relativeLuminance(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

// In 8-bit channels, as the colour will be drawn: its contrast is judged on what is drawn.
QColor mixed(const QColor &from, const QColor &to, double share)
{
    const auto channel = [share](int a, int b) { return int(std::lround(a + (b - a) * share)); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()), channel(from.blue(), to.blue()));
}

constexpr QPalette::ColorGroup kGroups[] = {QPalette::Active, QPalette::Inactive, QPalette::Disabled};

} // namespace

double contrastRatio(const QColor &first, const QColor &second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor readableOn(const QColor &wanted, const QColor &background)
{
    if (contrastRatio(wanted, background) >= kReadableContrast)
        return wanted;
    const QColor white(Qt::white);
    const QColor black(Qt::black);
    const QColor towards = contrastRatio(white, background) >= contrastRatio(black, background) ? white : black;
    for (int step = 1; step < 20; ++step) {
        const QColor candidate = mixed(wanted.toRgb(), towards, step / 20.0);
        if (contrastRatio(candidate, background) >= kReadableContrast)
            return candidate;
    }
    return towards;
}

QPalette paletteOn(const QColor &background, const QPalette &theme)
{
    QPalette palette(background); // window, text, boxes and buttons derived from the one colour
    for (const QPalette::ColorGroup group : kGroups) {
        for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
            palette.setBrush(group, role, theme.brush(group, role));
        palette.setColor(group, QPalette::Link, readableOn(theme.color(group, QPalette::Link), background));
    }
    return palette;
}

void colourLikeWindow(QPalette &palette)
{
    for (const QPalette::ColorGroup group : kGroups) {
        palette.setBrush(group, QPalette::Base, palette.brush(group, QPalette::Window));
        palette.setBrush(group, QPalette::Text, palette.brush(group, QPalette::WindowText));
    }
}

} // namespace colours
