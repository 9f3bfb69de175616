#include "doubles/RecordingSettingsStore.h"

#include "core/base/Failure.h"

RecordingSettingsStore &RecordingSettingsStore::install()
{
    auto recorder = std::make_unique<RecordingSettingsStore>();
    RecordingSettingsStore &result = *recorder;
    result.m_inner = platform::setSettingsStore(std::move(recorder));
    return result;
}

QString RecordingSettingsStore::read(const QString &application, const QString &section, const QString &key,
                                     const QString &defaultValue)
{
    record(application, QStringLiteral("read %1/%2").arg(section, key));
    return m_inner->read(application, section, key, defaultValue);
}

void RecordingSettingsStore::write(const QString &application, const QString &section, const QString &key,
                                   const QString &value)
{
    record(application, QStringLiteral("write %1/%2=%3").arg(section, key, value));
    if (key == failingKey)
        throw app::Failure(app::kErrPathFileAccess);
    m_inner->write(application, section, key, value);
}

void RecordingSettingsStore::remove(const QString &application, const QString &section, const QString &key)
{
    record(application, QStringLiteral("remove %1/%2").arg(section, key));
    if (key == failingKey)
        throw app::Failure(app::kErrPathFileAccess);
    m_inner->remove(application, section, key);
}

void RecordingSettingsStore::beginChanges()
{
    calls.append(QStringLiteral("begin changes"));
    m_inner->beginChanges();
}

void RecordingSettingsStore::endChanges()
{
    calls.append(QStringLiteral("end changes"));
    m_inner->endChanges();
}

QStringList RecordingSettingsStore::callsOf(const QString &operation) const
{
    QStringList result;
    for (const QString &call : calls)
        if (call.startsWith(operation + QLatin1Char(' ')))
            result.append(call);
    return result;
}

void RecordingSettingsStore::record(const QString &application, const QString &call)
{
    calls.append(call);
    if (!applications.contains(application))
        applications.append(application);
}
