#pragma once

#include "core/platform/ProgramStarter.h"

#include <QStringList>

namespace platform {

// Test starter: records every program it is asked to start and starts none. Told to fail, it
// reports each start as failed.
class RecordingProgramStarter : public ProgramStarter {
public:
    bool startDetached(const QString &path) override;

    void setFailing(bool failing) { m_failing = failing; }
    // Every path asked for, started or not.
    const QStringList &requested() const { return m_requested; }
    // The paths reported as started.
    const QStringList &started() const { return m_started; }

private:
    bool m_failing = false;
    QStringList m_requested;
    QStringList m_started;
};

} // namespace platform
