#include "doubles/RecordingUrlOpener.h"

#include "core/base/Failure.h"

namespace platform {

bool RecordingUrlOpener::openUrl(const QString &address)
{
    m_requested.append(address);
    if (m_throwing)
        throw app::Failure(*m_throwing);
    return !m_refusing;
}

} // namespace platform
