#include "platform/SettingsStore.h"

#include "app/Failure.h"
#include "platform/SettingsLocation.h"

#include <QDir>

namespace platform {

namespace {

std::unique_ptr<SettingsStore> &installedStore()
{
    static std::unique_ptr<SettingsStore> store = std::make_unique<QtSettingsStore>();
    return store;
}

std::unique_ptr<QSettings> openSettings(const QString &iniFolder, const QString &application)
{
    if (iniFolder.isEmpty())
        return openNativeSettings(application);
    return std::make_unique<QSettings>(QDir(iniFolder).filePath(application + QStringLiteral(".ini")),
                                       QSettings::IniFormat);
}

QString keyPath(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

void syncOrFail(QSettings &settings)
{
    settings.sync();
    // Only an access error says the store was not written. A format error stays set once
    // reading met a line that could not be parsed (a damaged or hand-edited file), though the
    // write itself went through.
    if (settings.status() == QSettings::AccessError)
        throw app::Failure(app::kErrPathFileAccess);
}

} // namespace

SettingsStore &settingsStore()
{
    return *installedStore();
}

std::unique_ptr<SettingsStore> setSettingsStore(std::unique_ptr<SettingsStore> store)
{
    if (!store)
        store = std::make_unique<QtSettingsStore>();
    installedStore().swap(store);
    return store;
}

QtSettingsStore::QtSettingsStore(const QString &iniFolder)
    : m_iniFolder(iniFolder)
{
}

QString QtSettingsStore::read(const QString &application, const QString &section, const QString &key,
                              const QString &defaultValue)
{
    const auto settings = openSettings(m_iniFolder, application);
    const QVariant value = settings->value(keyPath(section, key));
    if (!value.isValid())
        return defaultValue;
    // A hand-edited INI value with a comma reads back as a list: take it as the text it was.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

void QtSettingsStore::write(const QString &application, const QString &section, const QString &key,
                            const QString &value)
{
    const auto settings = openSettings(m_iniFolder, application);
    settings->setValue(keyPath(section, key), value);
    syncOrFail(*settings);
}

void QtSettingsStore::remove(const QString &application, const QString &section, const QString &key)
{
    const auto settings = openSettings(m_iniFolder, application);
    settings->remove(keyPath(section, key));
    syncOrFail(*settings);
}

} // namespace platform
