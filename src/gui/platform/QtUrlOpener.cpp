#include "gui/platform/QtUrlOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

bool QtUrlOpener::openUrl(const QString &address)
{
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

} // namespace platform
