#include "core/platform/SettingsLocation.h"

#include <QStandardPaths>

namespace platform {

std::unique_ptr<QSettings> openNativeSettings(const QString &application)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                           + QStringLiteral("/Tallimer");
    return std::make_unique<QSettings>(folder + QLatin1Char('/') + application + QStringLiteral(".ini"),
                                       QSettings::IniFormat);
}

} // namespace platform
