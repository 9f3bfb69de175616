#pragma once

#include "core/settings/ConversionHistory.h"
#include "core/settings/Options.h"

// The program-wide records, each created on first use and released at program end.
Options &programOptions();
ConversionHistory &programHistory();
// Releases both records (the closing sequence, after saving them). The next use creates fresh
// ones, which only tests do.
void releaseProgramRecords();
