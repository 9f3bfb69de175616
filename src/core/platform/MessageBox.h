#pragma once

#include <QString>

#include <memory>

namespace platform {

enum class Buttons { OK, OKCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Question, Exclamation, Critical };
enum class Answer { OK, Cancel, Yes, No };

// One message box as a caller asks for it. The text keeps its exact characters (CR, CR LF).
struct MessageBoxRequest {
    QString text;
    Buttons buttons = Buttons::OK;
    Icon icon = Icon::None;
    QString title;
};

// Shows a message box and returns the button pressed. The widget implementation is installed
// by main(); tests install a scripted responder instead.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual Answer show(const MessageBoxRequest &request) = 0;
};

// The first button of a set: what a program without a person to ask answers.
Answer firstButton(Buttons buttons);

// Installs the service used by MsgBox and returns the one it replaces (ownership passes back).
std::unique_ptr<MessageBoxService> setMessageBoxService(std::unique_ptr<MessageBoxService> service);

// Shows a message box. An empty title is replaced by the application title.
Answer MsgBox(const QString &text, Buttons buttons = Buttons::OK, Icon icon = Icon::None,
              const QString &title = QString());

} // namespace platform
