#include "core/platform/SettingsStore.h"

#include "core/platform/InstalledService.h"

#include "core/base/Failure.h"
#include "core/platform/SettingsLocation.h"

#include <QDir>

namespace platform {

namespace {

InstalledService<SettingsStore> &installedStore()
{
    static InstalledService<SettingsStore> service([] { return std::make_unique<QtSettingsStore>(); });
    return service;
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
    return installedStore().get();
}

std::unique_ptr<SettingsStore> setSettingsStore(std::unique_ptr<SettingsStore> store)
{
    return installedStore().replace(std::move(store));
}

QtSettingsStore::QtSettingsStore(const QString &iniFolder)
    : m_iniFolder(iniFolder)
{
}

QSettings &QtSettingsStore::settingsFor(const QString &application)
{
    std::unique_ptr<QSettings> &settings = m_open[application];
    if (!settings)
        settings = openSettings(m_iniFolder, application);
    return *settings;
}

QString QtSettingsStore::read(const QString &application, const QString &section, const QString &key,
                              const QString &defaultValue)
{
    const QVariant value = settingsFor(application).value(keyPath(section, key));
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
    QSettings &settings = settingsFor(application);
    settings.setValue(keyPath(section, key), value);
    syncOrFail(settings);
}

void QtSettingsStore::remove(const QString &application, const QString &section, const QString &key)
{
    QSettings &settings = settingsFor(application);
    settings.remove(keyPath(section, key));
    syncOrFail(settings);
}

} // namespace platform
