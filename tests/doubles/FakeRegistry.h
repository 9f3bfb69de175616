#pragma once

#include "core/platform/Registry.h"

#include <QMap>
#include <QSet>

namespace platform {

// Test registry: keys and values set by the test, key names compared without regard to case
// as the Windows registry compares them. It keeps count of the keys left open.
class FakeRegistry : public Registry {
public:
    // Stores a value exactly as given (type and bytes).
    void setValue(quint32 root, const QString &keyName, const QString &valueName, const RegistryValue &value);
    // Stores a text value (REG_SZ) in UTF-8, with or without its terminating zero.
    void setText(quint32 root, const QString &keyName, const QString &valueName, const QString &text,
                 bool withTerminatingZero = true);
    // Creates a key with no values.
    void addKey(quint32 root, const QString &keyName);

    std::optional<RegistryKey> openKey(quint32 root, const QString &keyName) override;
    std::optional<RegistryValue> queryValue(RegistryKey key, const QString &valueName, int bufferSize) override;
    void closeKey(RegistryKey key) override;

    // Keys opened and not closed yet.
    int openKeyCount() const { return int(m_open.size()); }

private:
    static QString keyPath(quint32 root, const QString &keyName);

    QMap<QString, QMap<QString, RegistryValue>> m_keys; // lower-case key path → values
    QMap<RegistryKey, QString> m_open;
    RegistryKey m_nextKey = 1;
};

} // namespace platform
