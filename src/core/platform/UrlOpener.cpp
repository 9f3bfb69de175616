#include "core/platform/UrlOpener.h"

#include "core/platform/InstalledService.h"

namespace platform {

namespace {

class RefusingUrlOpener : public UrlOpener {
public:
    bool openUrl(const QString &) override { return false; }
};

InstalledService<UrlOpener> &installedOpener()
{
    static InstalledService<UrlOpener> service([] { return std::make_unique<RefusingUrlOpener>(); });
    return service;
}

} // namespace

UrlOpener &urlOpener()
{
    return installedOpener().get();
}

std::unique_ptr<UrlOpener> setUrlOpener(std::unique_ptr<UrlOpener> opener)
{
    return installedOpener().replace(std::move(opener));
}

} // namespace platform
