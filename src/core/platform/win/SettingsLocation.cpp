#include "core/platform/SettingsLocation.h"

namespace platform {

std::unique_ptr<QSettings> openNativeSettings(const QString &application)
{
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") + application,
        QSettings::NativeFormat);
}

QString nativeSettingsFile(const QString &)
{
    return QString();
}

} // namespace platform
