#include "platform/Registry.h"

namespace platform {

namespace {
std::unique_ptr<Registry> &installedRegistry()
{
    static std::unique_ptr<Registry> installed = createSystemRegistry();
    return installed;
}
} // namespace

Registry &registry()
{
    return *installedRegistry();
}

std::unique_ptr<Registry> setRegistry(std::unique_ptr<Registry> registry)
{
    if (!registry)
        registry = createSystemRegistry();
    installedRegistry().swap(registry);
    return registry;
}

} // namespace platform
