#include "core/platform/Registry.h"

#include <windows.h>

#include <vector>

namespace platform {

namespace {

// The predefined root handles are 32-bit numbers that 64-bit Windows sign-extends; the macros
// give them exactly.
HKEY rootHandle(quint32 root)
{
    switch (root) {
    case kHKeyClassesRoot:
        return HKEY_CLASSES_ROOT;
    case kHKeyCurrentUser:
        return HKEY_CURRENT_USER;
    case kHKeyLocalMachine:
        return HKEY_LOCAL_MACHINE;
    case kHKeyUsers:
        return HKEY_USERS;
    default:
        return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
    }
}

// The Windows registry through its ANSI calls; texts travel in the system code page.
class WindowsRegistry : public Registry {
public:
    std::optional<RegistryKey> openKey(quint32 root, const QString &keyName) override
    {
        const QByteArray name = keyName.toLocal8Bit();
        const HKEY rootKey = rootHandle(root);
        HKEY key = nullptr;
        LONG result = RegOpenKeyExA(rootKey, name.constData(), 0, KEY_ALL_ACCESS, &key);
        // Without administrator rights all access to a machine-wide key is denied, while
        // reading it is allowed; reading is all that is done with it.
        if (result == ERROR_ACCESS_DENIED)
            result = RegOpenKeyExA(rootKey, name.constData(), 0, KEY_READ, &key);
        if (result != ERROR_SUCCESS)
            return std::nullopt;
        return reinterpret_cast<RegistryKey>(key);
    }

    std::optional<RegistryValue> queryValue(RegistryKey key, const QString &valueName, int bufferSize) override
    {
        const QByteArray name = valueName.toLocal8Bit();
        std::vector<BYTE> buffer(size_t(qMax(bufferSize, 0)), 0);
        DWORD type = REG_NONE;
        DWORD size = DWORD(buffer.size());
        if (RegQueryValueExA(reinterpret_cast<HKEY>(key), name.constData(), nullptr, &type, buffer.data(), &size)
            != ERROR_SUCCESS)
            return std::nullopt;
        return RegistryValue{quint32(type), QByteArray(reinterpret_cast<const char *>(buffer.data()), int(size))};
    }

    void closeKey(RegistryKey key) override { RegCloseKey(reinterpret_cast<HKEY>(key)); }
};

} // namespace

std::unique_ptr<Registry> createSystemRegistry()
{
    return std::make_unique<WindowsRegistry>();
}

} // namespace platform
