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

    // The writes and deletions from beginChanges() to the matching endChanges() reach the disk
    // together at endChanges(), in one step: a crash in between leaves the store as it was.
    // Nested pairs join the outermost one. Without a pair, each write reaches the disk at once.
    virtual void beginChanges() = 0;
    // Puts the changes in place; a store that cannot be written throws app::Failure (75).
    virtual void endChanges() = 0;
};

// The writes and deletions made while one lives reach the store's disk in one step (see
// SettingsStore::beginChanges). commit() puts them in place and lets a failure through; a group
// left without commit() (an exception went through it) still puts in place what was changed
// before, as single writes would have, and throws nothing.
class SettingsChanges {
public:
    SettingsChanges();
    ~SettingsChanges();
    SettingsChanges(const SettingsChanges &) = delete;
    SettingsChanges &operator=(const SettingsChanges &) = delete;

    void commit();

private:
    SettingsStore &m_store;
    bool m_ended = false;
};

// The store used by the program; a QtSettingsStore in the user's profile unless replaced.
SettingsStore &settingsStore();
// Installs a store and returns the one it replaces.
std::unique_ptr<SettingsStore> setSettingsStore(std::unique_ptr<SettingsStore> store);

// QSettings-backed store. On Windows it uses the per-user registry key
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>, where
// earlier installations kept their settings; elsewhere one INI file per application in the
// user's configuration folder. Given a folder, it keeps INI files there instead (tests).
//
// An INI file is written aside and renamed into place at each sync, so a crash leaves the old or
// the new file whole. One that is larger than kMaxSettingsFileBytes, or is no file at all (a
// FIFO, a device), is treated like an unreadable one and never opened: every key reads its
// default, and writing fails (app::Failure 75, naming the file), which leaves it as it is.
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(const QString &iniFolder = QString());

    QString read(const QString &application, const QString &section, const QString &key,
                 const QString &defaultValue) override;
    void write(const QString &application, const QString &section, const QString &key,
               const QString &value) override;
    void remove(const QString &application, const QString &section, const QString &key) override;
    void beginChanges() override;
    void endChanges() override;

    QString iniFolder() const { return m_iniFolder; }

    // Far more than the nine short values the program stores.
    static constexpr qint64 kMaxSettingsFileBytes = 1024 * 1024;

private:
    struct OpenSettings {
        std::unique_ptr<QSettings> settings;
        QString refusal;    // why the file was not opened (empty: it was)
        bool dirty = false; // changed since the last sync
    };

    OpenSettings &settingsFor(const QString &application);
    // Writes what was changed, unless changes are being gathered.
    void changed(OpenSettings &open);

    QString m_iniFolder;
    // One open store per application: every conversion may read it, and opening parses it.
    std::map<QString, OpenSettings> m_open;
    int m_changeDepth = 0;
};

} // namespace platform
