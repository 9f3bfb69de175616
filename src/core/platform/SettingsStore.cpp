#include "core/platform/SettingsStore.h"

#include "core/platform/InstalledService.h"

#include "core/base/Failure.h"
#include "core/platform/SettingsLocation.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

InstalledService<SettingsStore> &installedStore()
{
    static InstalledService<SettingsStore> service([] { return std::make_unique<QtSettingsStore>(); });
    return service;
}

// The INI file of one application, or empty text where the settings are kept in the registry.
QString settingsFile(const QString &iniFolder, const QString &application)
{
    if (iniFolder.isEmpty())
        return nativeSettingsFile(application);
    return QDir(iniFolder).filePath(application + QStringLiteral(".ini"));
}

std::unique_ptr<QSettings> openSettings(const QString &iniFolder, const QString &application)
{
    if (iniFolder.isEmpty())
        return openNativeSettings(application);
    return std::make_unique<QSettings>(settingsFile(iniFolder, application), QSettings::IniFormat);
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

// Why an INI file is not to be opened: parsing a huge one takes half a minute, and reading a
// FIFO never ends. Empty for a file that can be opened (or none at all yet). A link is followed:
// keeping one's settings in a linked file is common, and the file is the user's own.
QString refusalOf(const QString &iniFile)
{
    if (iniFile.isEmpty())
        return QString();
    const QFileInfo file(iniFile);
    if (!file.exists() || file.isDir()) // a folder fails as it always has, when written
        return QString();
    if (!file.isFile())
        return QStringLiteral("The settings file ") + QDir::toNativeSeparators(file.filePath())
            + QStringLiteral(" is not an ordinary file: it was not read, and the settings cannot be stored in it.");
    if (file.size() > QtSettingsStore::kMaxSettingsFileBytes)
        return QStringLiteral("The settings file ") + QDir::toNativeSeparators(file.filePath())
            + QStringLiteral(" is larger than 1 MB: it was not read, and the settings cannot be stored in it.");
    return QString();
}

} // namespace

SettingsChanges::SettingsChanges()
    : m_store(settingsStore())
{
    m_store.beginChanges();
}

SettingsChanges::~SettingsChanges()
{
    if (m_ended)
        return;
    try {
        m_store.endChanges();
    } catch (const app::Failure &) {
        // The failure that left this group unfinished is the one the caller hears of.
    }
}

void SettingsChanges::commit()
{
    m_ended = true;
    m_store.endChanges();
}

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

QtSettingsStore::OpenSettings &QtSettingsStore::settingsFor(const QString &application)
{
    OpenSettings &open = m_open[application];
    if (!open.settings && open.refusal.isEmpty()) {
        // Looked at before QSettings opens it: opening reads it.
        open.refusal = refusalOf(settingsFile(m_iniFolder, application));
        if (open.refusal.isEmpty())
            open.settings = openSettings(m_iniFolder, application);
    }
    return open;
}

void QtSettingsStore::changed(OpenSettings &open)
{
    open.dirty = true;
    if (m_changeDepth == 0) {
        open.dirty = false;
        syncOrFail(*open.settings);
    }
}

QString QtSettingsStore::read(const QString &application, const QString &section, const QString &key,
                              const QString &defaultValue)
{
    const OpenSettings &open = settingsFor(application);
    if (!open.refusal.isEmpty())
        return defaultValue;
    const QVariant value = open.settings->value(keyPath(section, key));
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
    OpenSettings &open = settingsFor(application);
    if (!open.refusal.isEmpty())
        throw app::Failure(app::kErrPathFileAccess, open.refusal);
    open.settings->setValue(keyPath(section, key), value);
    changed(open);
}

void QtSettingsStore::remove(const QString &application, const QString &section, const QString &key)
{
    OpenSettings &open = settingsFor(application);
    if (!open.refusal.isEmpty())
        throw app::Failure(app::kErrPathFileAccess, open.refusal);
    open.settings->remove(keyPath(section, key));
    changed(open);
}

void QtSettingsStore::beginChanges()
{
    ++m_changeDepth;
}

void QtSettingsStore::endChanges()
{
    if (m_changeDepth == 0 || --m_changeDepth > 0)
        return;
    for (auto &[application, open] : m_open) {
        if (open.dirty) {
            open.dirty = false;
            syncOrFail(*open.settings);
        }
    }
}

} // namespace platform
