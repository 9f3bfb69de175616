#include "core/catalogue/InstallMarker.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace catalogue {

namespace {

// A marker is a few short lines; anything longer was not written by an install.
constexpr qint64 kMaxMarkerSize = 4096;

// The value of "factory=" in the marker's text, or empty text when there is none that can be used.
QString factoryLine(const QByteArray &bytes)
{
    const QLatin1String key("factory=");
    for (QString line : QString::fromUtf8(bytes).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.startsWith(key))
            continue;
        const QString path = line.mid(key.size());
        const bool usable = !path.isEmpty() && QDir::isRelativePath(path) && !path.startsWith(QLatin1Char('~'))
                            && std::none_of(path.cbegin(), path.cend(), [](QChar c) { return c.unicode() < 0x20; });
        return usable ? path : QString();
    }
    return QString();
}

} // namespace

std::optional<QString> installedFactoryFolder(const QString &applicationFolder)
{
    const QString fallback = applicationFolder + QStringLiteral("/bin/default");
    const QFileInfo marker(applicationFolder + QLatin1Char('/') + QLatin1String(kInstallMarkerName));
    if (!marker.exists() && !marker.isSymLink())
        return std::nullopt;
    // Only a plain file is read: a link or a special file is no marker an install wrote.
    if (marker.isSymLink() || !marker.isFile() || marker.size() > kMaxMarkerSize)
        return fallback;
    QFile file(marker.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return fallback;
    const QString relative = factoryLine(file.read(kMaxMarkerSize));
    if (relative.isEmpty())
        return fallback;
    return QDir::cleanPath(applicationFolder + QLatin1Char('/') + relative);
}

} // namespace catalogue
