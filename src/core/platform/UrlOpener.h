#pragma once

#include <QString>

#include <memory>

namespace platform {

// Hands a web address to the user's default browser and does not wait for it.
// main() installs the widget implementation (QtUrlOpener); tests install a RecordingUrlOpener.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // False when the system cannot open the address (no browser, no handler, a bad address).
    virtual bool openUrl(const QString &address) = 0;
};

// The opener in use. Until main() installs one, every address is refused: a program without
// windows has no browser to hand it to.
UrlOpener &urlOpener();
// Installs an opener and returns the one it replaces; nullptr puts the refusing one back.
std::unique_ptr<UrlOpener> setUrlOpener(std::unique_ptr<UrlOpener> opener);

} // namespace platform
