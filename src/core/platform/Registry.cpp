#include "core/platform/Registry.h"

#include "core/platform/InstalledService.h"

namespace platform {

namespace {
InstalledService<Registry> &installedRegistry()
{
    static InstalledService<Registry> service([] { return createSystemRegistry(); });
    return service;
}
} // namespace

Registry &registry()
{
    return installedRegistry().get();
}

std::unique_ptr<Registry> setRegistry(std::unique_ptr<Registry> registry)
{
    return installedRegistry().replace(std::move(registry));
}

} // namespace platform
