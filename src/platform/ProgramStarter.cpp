#include "platform/ProgramStarter.h"

#include <QProcess>

namespace platform {

namespace {
std::unique_ptr<ProgramStarter> &installedStarter()
{
    static std::unique_ptr<ProgramStarter> starter = std::make_unique<QtProgramStarter>();
    return starter;
}
} // namespace

ProgramStarter &programStarter()
{
    return *installedStarter();
}

std::unique_ptr<ProgramStarter> setProgramStarter(std::unique_ptr<ProgramStarter> starter)
{
    if (!starter)
        starter = std::make_unique<QtProgramStarter>();
    installedStarter().swap(starter);
    return starter;
}

bool QtProgramStarter::startDetached(const QString &path)
{
    if (path.isEmpty())
        return false;
    // The path is one program file, spaces included; it is never split into arguments.
    return QProcess::startDetached(path, QStringList());
}

} // namespace platform
