#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

namespace platform {

// Root keys and value types, numbered as the Windows registry numbers them.
inline constexpr quint32 kHKeyClassesRoot = 0x80000000u;
inline constexpr quint32 kHKeyCurrentUser = 0x80000001u;
inline constexpr quint32 kHKeyLocalMachine = 0x80000002u;
inline constexpr quint32 kHKeyUsers = 0x80000003u;

inline constexpr quint32 kRegNone = 0;
inline constexpr quint32 kRegSz = 1;
inline constexpr quint32 kRegDword = 4;

// An open key, as the registry hands it out.
using RegistryKey = quintptr;

// One value as the registry stored it: its type and exactly the bytes stored (a text value
// may or may not end in its terminating zero).
struct RegistryValue {
    quint32 type = kRegNone;
    QByteArray bytes;
};

// Reads the system registry. On Windows it is the real registry; elsewhere no key exists.
// Tests install a FakeRegistry.
class Registry {
public:
    virtual ~Registry() = default;
    // Opens keyName under root, asking for all access rights; nothing when the key cannot be
    // opened. Every key opened must be closed with closeKey.
    virtual std::optional<RegistryKey> openKey(quint32 root, const QString &keyName) = 0;
    // Reads the value named valueName of an open key into a buffer of bufferSize bytes:
    // nothing when the value is absent or does not fit.
    virtual std::optional<RegistryValue> queryValue(RegistryKey key, const QString &valueName,
                                                    int bufferSize) = 0;
    virtual void closeKey(RegistryKey key) = 0;
};

// The registry in use: the operating system's unless a test replaced it.
Registry &registry();
// Installs a registry and returns the one it replaces; nullptr puts the system's back.
std::unique_ptr<Registry> setRegistry(std::unique_ptr<Registry> registry);

// The operating system's registry (chosen per OS by the build).
std::unique_ptr<Registry> createSystemRegistry();

} // namespace platform
