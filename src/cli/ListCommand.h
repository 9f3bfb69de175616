#pragma once

#include "cli/CommandOutput.h"

#include <QString>

#include <optional>

namespace cli {

// "list": the categories, one a line, in the order of the window's list. "list CATEGORY": the
// units its list shows, in the order of its file, one a line as "factor^name" with the factor
// in the catalogue's fixed format. Returns the exit status.
int runList(const std::optional<QString> &category, const CommandOutput &output);

} // namespace cli
