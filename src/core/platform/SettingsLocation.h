#pragma once

#include <QSettings>
#include <QString>

#include <memory>

namespace platform {

// Opens the native settings location of one application (chosen per OS by the build).
std::unique_ptr<QSettings> openNativeSettings(const QString &application);

} // namespace platform
