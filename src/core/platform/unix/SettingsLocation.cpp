#include "core/platform/SettingsLocation.h"

#include <QStandardPaths>

namespace platform {

std::unique_ptr<QSettings> openNativeSettings(const QString &application)
{
    return std::make_unique<QSettings>(nativeSettingsFile(application), QSettings::IniFormat);
}

QString nativeSettingsFile(const QString &application)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                           + QStringLiteral("/Tallimer");
    return folder + QLatin1Char('/') + application + QStringLiteral(".ini");
}

} // namespace platform
