#include "resources/TallimerIcon.h"

#include "resources/TallimerResources.h"

QIcon tallimerIcon()
{
    initTallimerResources();
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tallimer-%1.png").arg(side), QSize(side, side));
    return icon;
}
