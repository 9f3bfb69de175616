#include "core/platform/MessageBox.h"

#include "core/base/AppInfo.h"
#include "core/platform/InstalledService.h"

namespace platform {

namespace {

// Used when nothing was installed: answers as if the user pressed the first button, so core
// code never blocks or crashes in a program that has no windows.
class FirstButtonMessageBoxes : public MessageBoxService {
public:
    Answer show(const MessageBoxRequest &request) override { return firstButton(request.buttons); }
};

InstalledService<MessageBoxService> &installedService()
{
    static InstalledService<MessageBoxService> service([] { return std::make_unique<FirstButtonMessageBoxes>(); });
    return service;
}

} // namespace

Answer firstButton(Buttons buttons)
{
    switch (buttons) {
    case Buttons::OK:
    case Buttons::OKCancel:
        return Answer::OK;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return Answer::Yes;
    }
    return Answer::OK;
}

std::unique_ptr<MessageBoxService> setMessageBoxService(std::unique_ptr<MessageBoxService> service)
{
    return installedService().replace(std::move(service));
}

Answer MsgBox(const QString &text, Buttons buttons, Icon icon, const QString &title)
{
    MessageBoxRequest request{text, buttons, icon, title.isEmpty() ? app::appTitle() : title};
    return installedService().get().show(request);
}

} // namespace platform
