#pragma once

#include "cli/CommandOutput.h"

#include <QStringList>

namespace cli {

// "check [CATEGORY...]": reads the index and every listed category file (or the named ones) and
// prints each problem as "FILE:LINE: message" (CatalogueCheck.h), the index's first, then the
// categories' in the index's order; without names also the category files the index does not
// list. Returns kProblemsFound when it printed any, kDone when the catalogue is clean.
int runCheck(const QStringList &categories, const CommandOutput &output);

} // namespace cli
