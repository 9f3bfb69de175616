#include "core/settings/Options.h"

#include "core/base/AppInfo.h"
#include "core/platform/SettingsStore.h"
#include "core/text/SettingsText.h"

namespace {

const QString kSection = QStringLiteral("Options");
const QString kRememberLastConverter = QStringLiteral("Remember Last Converter");
const QString kRememberLastUnits = QStringLiteral("Remember Last Units");
const QString kRememberLastValue = QStringLiteral("Remember Last Value");
const QString kAutoConvert = QStringLiteral("Auto Convert");
const QString kCompactForm = QStringLiteral("Compact Form");

void writeOption(const QString &key, bool value)
{
    platform::settingsStore().write(app::programBaseName(), kSection, key, settings::booleanText(value));
}

bool readOption(const QString &key)
{
    return settings::textToBoolean(
        platform::settingsStore().read(app::programBaseName(), kSection, key, QStringLiteral("0")));
}

} // namespace

void Options::save() const
{
    platform::SettingsChanges changes;
    writeOption(kRememberLastConverter, m_rluc);
    writeOption(kRememberLastUnits, m_rluu);
    writeOption(kRememberLastValue, m_rluv);
    writeOption(kAutoConvert, m_autoCon);
    writeOption(kCompactForm, m_compactForm);
    changes.commit();
}

void Options::load()
{
    // Each field takes its value as soon as it is read, so a bad key leaves the earlier fields
    // loaded and the later ones as they were.
    m_rluc = readOption(kRememberLastConverter);
    m_rluu = readOption(kRememberLastUnits);
    m_rluv = readOption(kRememberLastValue);
    m_autoCon = readOption(kAutoConvert);
    m_compactForm = readOption(kCompactForm);
}
