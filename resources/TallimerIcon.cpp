#include "resources/TallimerIcon.h"

#include "resources/PngPicture.h"
#include "resources/TallimerResources.h"

#include <QPixmap>

QIcon tallimerIcon()
{
    initTallimerResources();
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(pngPicture(QStringLiteral(":/icons/tallimer-%1.png").arg(side))));
    return icon;
}
