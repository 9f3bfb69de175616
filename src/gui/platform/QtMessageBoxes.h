#pragma once

#include "core/platform/MessageBox.h"

namespace platform {

// Message boxes as modal QMessageBox dialogs over the active window.
class QtMessageBoxes : public MessageBoxService {
public:
    Answer show(const MessageBoxRequest &request) override;
};

// Turns CR, LF and CR LF into line breaks for display.
QString displayText(const QString &text);

} // namespace platform
