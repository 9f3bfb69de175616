#pragma once

#include "core/platform/UrlOpener.h"

namespace platform {

// Opens addresses with QDesktopServices::openUrl (the shell's "open" on Windows, the desktop's
// URL handler elsewhere).
class QtUrlOpener : public UrlOpener {
public:
    bool openUrl(const QString &address) override;
};

} // namespace platform
