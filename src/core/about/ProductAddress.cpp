#include "core/about/ProductAddress.h"

namespace product {

QString webHost()
{
    return QString::fromLatin1(kWebHost);
}

QString webAddress()
{
    return QStringLiteral("https://") + webHost() + QLatin1Char('/');
}

QString webLinkAddress()
{
    return webAddress() + QString::fromLatin1(kWebLinkQuery);
}

QString linkLabelToolTip()
{
    return QStringLiteral("Click Here To Go To ") + webHost();
}

QString linkPictureToolTip()
{
    return QStringLiteral("Click Here To Go to ") + webHost();
}

} // namespace product
