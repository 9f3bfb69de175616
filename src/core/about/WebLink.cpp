#include "core/about/WebLink.h"

#include "core/base/Failure.h"
#include "core/base/ReportError.h"
#include "core/platform/MessageBox.h"
#include "core/platform/UrlOpener.h"

namespace about {

void openWebAddress(const QString &address)
{
    try {
        if (!platform::urlOpener().openUrl(address))
            platform::MsgBox(QStringLiteral("Web Browser Error"), platform::Buttons::OK, platform::Icon::Critical);
    } catch (const app::Failure &failure) {
        app::ReportError(QStringLiteral("Web Link"), failure);
    }
}

} // namespace about
