#pragma once

#include "core/settings/ConversionHistory.h"
#include "core/settings/Options.h"

// The program-wide records, each created on first use and released at program end.
Options &programOptions();
ConversionHistory &programHistory();
// Saves the options and then the last conversion, in one change of the settings store: the disk
// is written once, and a crash leaves the old or the new settings whole. A store failure
// (app::Failure) reaches the caller.
void saveProgramRecords();
// Releases both records (the closing sequence, after saving them). The next use creates fresh
// ones, which only tests do.
void releaseProgramRecords();
