#pragma once

#include "core/platform/MessageBox.h"

// Message boxes for fuzzing: every box is answered at once with its first button and only
// counted, since one input may show thousands of them.
class QuietMessageBoxes : public platform::MessageBoxService {
public:
    platform::Answer show(const platform::MessageBoxRequest &request) override;

    int count() const { return m_count; }
    void reset() { m_count = 0; }

    // Installs one for the whole run (on the first call) and returns it.
    static QuietMessageBoxes &installed();

private:
    int m_count = 0;
};
