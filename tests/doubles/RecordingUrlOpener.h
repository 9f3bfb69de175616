#pragma once

#include "core/platform/UrlOpener.h"

#include <QStringList>

#include <optional>

namespace platform {

// Test opener: records every address it is asked to open and opens none. It can be told to
// refuse (no browser) or to throw a failure out of the call.
class RecordingUrlOpener : public UrlOpener {
public:
    bool openUrl(const QString &address) override;

    void setRefusing(bool refusing) { m_refusing = refusing; }
    // The failure number thrown from the next calls (app::Failure); nothing stops throwing.
    void setThrowing(std::optional<int> failureNumber) { m_throwing = failureNumber; }
    // Every address asked for, opened or not.
    const QStringList &requested() const { return m_requested; }

private:
    bool m_refusing = false;
    std::optional<int> m_throwing;
    QStringList m_requested;
};

} // namespace platform
