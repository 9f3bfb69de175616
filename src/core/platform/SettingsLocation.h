#pragma once

#include <QSettings>
#include <QString>

#include <memory>

namespace platform {

// Opens the native settings location of one application (chosen per OS by the build).
std::unique_ptr<QSettings> openNativeSettings(const QString &application);
// The INI file of that location, or empty text where the settings are not kept in a file (the
// Windows registry).
QString nativeSettingsFile(const QString &application);

} // namespace platform
