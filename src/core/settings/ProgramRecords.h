#pragma once

#include "core/settings/CHistory.h"
#include "core/settings/COptions.h"

// The program-wide records, each created on first use and released at program end.
COptions &gOptions();
CHistory &gHistory();
// Releases both records (the closing sequence, after saving them). The next use creates fresh
// ones, which only tests do.
void ReleaseProgramRecords();
