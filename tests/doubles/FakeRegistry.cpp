#include "doubles/FakeRegistry.h"

namespace platform {

QString FakeRegistry::keyPath(quint32 root, const QString &keyName)
{
    return QString::number(root, 16) + QLatin1Char('\\') + keyName.toLower();
}

void FakeRegistry::setValue(quint32 root, const QString &keyName, const QString &valueName,
                            const RegistryValue &value)
{
    m_keys[keyPath(root, keyName)].insert(valueName.toLower(), value);
}

void FakeRegistry::setText(quint32 root, const QString &keyName, const QString &valueName, const QString &text,
                           bool withTerminatingZero)
{
    QByteArray bytes = text.toUtf8();
    if (withTerminatingZero)
        bytes.append('\0');
    setValue(root, keyName, valueName, RegistryValue{kRegSz, bytes});
}

void FakeRegistry::addKey(quint32 root, const QString &keyName)
{
    m_keys[keyPath(root, keyName)];
}

std::optional<RegistryKey> FakeRegistry::openKey(quint32 root, const QString &keyName)
{
    const QString path = keyPath(root, keyName);
    if (!m_keys.contains(path))
        return std::nullopt;
    const RegistryKey key = m_nextKey++;
    m_open.insert(key, path);
    return key;
}

std::optional<RegistryValue> FakeRegistry::queryValue(RegistryKey key, const QString &valueName, int bufferSize)
{
    const auto open = m_open.constFind(key);
    if (open == m_open.constEnd())
        return std::nullopt;
    const QMap<QString, RegistryValue> &values = m_keys[open.value()];
    const auto value = values.constFind(valueName.toLower());
    // A value larger than the buffer is refused, as the registry refuses it.
    if (value == values.constEnd() || value->bytes.size() > bufferSize)
        return std::nullopt;
    return *value;
}

void FakeRegistry::closeKey(RegistryKey key)
{
    m_open.remove(key);
}

} // namespace platform
