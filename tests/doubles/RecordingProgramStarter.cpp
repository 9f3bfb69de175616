#include "doubles/RecordingProgramStarter.h"

namespace platform {

bool RecordingProgramStarter::startDetached(const QString &path)
{
    m_requested.append(path);
    if (m_failing)
        return false;
    m_started.append(path);
    return true;
}

} // namespace platform
