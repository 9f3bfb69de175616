#include "core/base/AppInfo.h"

#include "core/base/Version.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace app {

namespace {
QString &folderOverride()
{
    static QString folder;
    return folder;
}
} // namespace

QString appTitle()
{
    return QStringLiteral("Tallimer");
}

QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

QString programBaseName()
{
    const QString path = QCoreApplication::applicationFilePath();
    if (path.isEmpty())
        return appTitle();
    return QFileInfo(path).completeBaseName();
}

QString applicationFolder()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QCoreApplication::applicationDirPath();
}

void setApplicationFolder(const QString &folder)
{
    folderOverride() = folder;
}

} // namespace app
