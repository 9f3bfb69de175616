#include "gui/widgets/FontScale.h"

#include <QApplication>
#include <QFontInfo>

#include <algorithm>

namespace fontScale {

double of(const QFont &systemFont)
{
    return std::max(1.0, double(QFontInfo(systemFont).pixelSize()) / kDesignedPixels);
}

double ofSystem()
{
    return of(QApplication::font());
}

} // namespace fontScale
