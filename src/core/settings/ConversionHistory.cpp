#include "core/settings/ConversionHistory.h"

#include "core/base/AppInfo.h"
#include "core/platform/SettingsStore.h"
#include "core/text/SettingsText.h"

namespace {

const QString kSection = QStringLiteral("History");
const QString kLastConverter = QStringLiteral("Last Converter");
const QString kLastFromUnit = QStringLiteral("Last From Unit");
const QString kLastToUnit = QStringLiteral("Last To Unit");
const QString kLastValue = QStringLiteral("Last Value");

QString readText(const QString &key, const QString &defaultValue)
{
    return platform::settingsStore().read(app::programBaseName(), kSection, key, defaultValue);
}

void writeText(const QString &key, const QString &value)
{
    platform::settingsStore().write(app::programBaseName(), kSection, key, value);
}

} // namespace

void ConversionHistory::save() const
{
    platform::SettingsChanges changes;
    writeText(kLastConverter, settings::integerText(m_lastConverter));
    writeText(kLastFromUnit, settings::integerText(m_lastFromUnit));
    writeText(kLastToUnit, settings::integerText(m_lastToUnit));
    writeText(kLastValue, settings::doubleText(m_lastConValue));
    changes.commit();
}

void ConversionHistory::load()
{
    // Each field takes its value as soon as it is read, so a bad key leaves the earlier fields
    // loaded and the later ones as they were.
    const QString none = QStringLiteral("-1");
    m_lastConverter = settings::textToInteger(readText(kLastConverter, none));
    m_lastFromUnit = settings::textToInteger(readText(kLastFromUnit, none));
    m_lastToUnit = settings::textToInteger(readText(kLastToUnit, none));
    m_lastConValue = settings::textToDouble(readText(kLastValue, QStringLiteral("1")));
}

void ConversionHistory::forget()
{
    m_lastConverter = -1;
    m_lastFromUnit = -1;
    m_lastToUnit = -1;
    m_lastConValue = 0.0;
    // Only keys that are present are deleted: a store may treat deleting an absent key as an
    // error, so each key is read first.
    platform::SettingsChanges changes;
    for (const QString &key : {kLastConverter, kLastFromUnit, kLastToUnit, kLastValue}) {
        if (!readText(key, QString()).isEmpty())
            platform::settingsStore().remove(app::programBaseName(), kSection, key);
    }
    changes.commit();
}
