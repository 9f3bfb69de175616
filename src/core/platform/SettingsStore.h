#pragma once

#include <QSettings>
#include <QString>

#include <map>

#include <memory>

namespace platform {

// The per-user settings store: text values keyed by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Returns the stored text, or defaultValue when the key, section or application is absent.
    virtual QString read(const QString &application, const QString &section, const QString &key,
                         const QString &defaultValue) = 0;
    // Stores the text; a store that cannot be written throws app::Failure (75).
    virtual void write(const QString &application, const QString &section, const QString &key,
                       const QString &value) = 0;
    // Deletes one key; deleting an absent key changes nothing.
    virtual void remove(const QString &application, const QString &section, const QString &key) = 0;
};

// The store used by the program; a QtSettingsStore in the user's profile unless replaced.
SettingsStore &settingsStore();
// Installs a store and returns the one it replaces.
std::unique_ptr<SettingsStore> setSettingsStore(std::unique_ptr<SettingsStore> store);

// QSettings-backed store. On Windows it uses the per-user registry key
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>, where
// earlier installations kept their settings; elsewhere one INI file per application in the
// user's configuration folder. Given a folder, it keeps INI files there instead (tests).
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(const QString &iniFolder = QString());

    QString read(const QString &application, const QString &section, const QString &key,
                 const QString &defaultValue) override;
    void write(const QString &application, const QString &section, const QString &key,
               const QString &value) override;
    void remove(const QString &application, const QString &section, const QString &key) override;

    QString iniFolder() const { return m_iniFolder; }

private:
    QSettings &settingsFor(const QString &application);

    QString m_iniFolder;
    // One open store per application: every conversion may read it, and opening parses it.
    std::map<QString, std::unique_ptr<QSettings>> m_open;
};

} // namespace platform
