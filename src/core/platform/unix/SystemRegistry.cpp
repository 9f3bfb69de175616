#include "core/platform/Registry.h"

namespace platform {

namespace {

// No registry here: every key is missing.
class NoRegistry : public Registry {
public:
    std::optional<RegistryKey> openKey(quint32, const QString &) override { return std::nullopt; }
    std::optional<RegistryValue> queryValue(RegistryKey, const QString &, int) override { return std::nullopt; }
    void closeKey(RegistryKey) override {}
};

} // namespace

std::unique_ptr<Registry> createSystemRegistry()
{
    return std::make_unique<NoRegistry>();
}

} // namespace platform
