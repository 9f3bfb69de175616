#pragma once

#include "core/platform/SettingsStore.h"

#include <QStringList>

#include <memory>

// Wraps the settings store in use: passes every call on and records it as
// "operation section/key=value". Told a failing key, it fails writing or deleting that key as a
// store that cannot be written does (app::Failure 75). install() puts it in front of the store in
// use; the test environment puts the previous store back when it ends.
class RecordingSettingsStore : public platform::SettingsStore {
public:
    static RecordingSettingsStore &install();

    QString read(const QString &application, const QString &section, const QString &key,
                 const QString &defaultValue) override;
    void write(const QString &application, const QString &section, const QString &key,
               const QString &value) override;
    void remove(const QString &application, const QString &section, const QString &key) override;
    // Recorded as "begin changes" and "end changes".
    void beginChanges() override;
    void endChanges() override;

    // Calls whose operation is `operation` ("read", "write", "remove").
    QStringList callsOf(const QString &operation) const;
    // How many writes and deletions reached the store.
    int changeCount() const
    {
        return int(callsOf(QStringLiteral("write")).size() + callsOf(QStringLiteral("remove")).size());
    }

    QString failingKey;
    QStringList calls;
    QStringList applications; // each application named, once, in order

private:
    void record(const QString &application, const QString &call);

    std::unique_ptr<platform::SettingsStore> m_inner;
};
