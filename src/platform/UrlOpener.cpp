#include "platform/UrlOpener.h"

namespace platform {

namespace {

class RefusingUrlOpener : public UrlOpener {
public:
    bool openUrl(const QString &) override { return false; }
};

std::unique_ptr<UrlOpener> &installedOpener()
{
    static std::unique_ptr<UrlOpener> opener = std::make_unique<RefusingUrlOpener>();
    return opener;
}

} // namespace

UrlOpener &urlOpener()
{
    return *installedOpener();
}

std::unique_ptr<UrlOpener> setUrlOpener(std::unique_ptr<UrlOpener> opener)
{
    if (!opener)
        opener = std::make_unique<RefusingUrlOpener>();
    installedOpener().swap(opener);
    return opener;
}

} // namespace platform
