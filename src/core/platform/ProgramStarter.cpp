#include "core/platform/ProgramStarter.h"

#include "core/platform/InstalledService.h"

#include <QProcess>

namespace platform {

namespace {
InstalledService<ProgramStarter> &installedStarter()
{
    static InstalledService<ProgramStarter> service([] { return std::make_unique<QtProgramStarter>(); });
    return service;
}
} // namespace

ProgramStarter &programStarter()
{
    return installedStarter().get();
}

std::unique_ptr<ProgramStarter> setProgramStarter(std::unique_ptr<ProgramStarter> starter)
{
    return installedStarter().replace(std::move(starter));
}

bool QtProgramStarter::startDetached(const QString &path)
{
    if (path.isEmpty())
        return false;
    // The path is one program file, spaces included; it is never split into arguments.
    return QProcess::startDetached(path, QStringList());
}

} // namespace platform
