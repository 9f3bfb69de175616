#include "about/WebLink.h"

#include "app/Failure.h"
#include "app/ReportError.h"
#include "platform/MessageBox.h"
#include "platform/UrlOpener.h"

namespace Functions {

void OpenWebAddress(const QString &address)
{
    try {
        if (!platform::urlOpener().openUrl(address))
            platform::MsgBox(QStringLiteral("Web Browser Error"), platform::Buttons::OK, platform::Icon::Critical);
    } catch (const app::Failure &failure) {
        app::ReportError(QStringLiteral("Web Link"), failure);
    }
}

} // namespace Functions
