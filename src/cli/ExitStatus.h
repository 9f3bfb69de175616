#pragma once

// The exit statuses of the command line, as the usage and the manual page list them.
namespace cli {

inline constexpr int kDone = 0;
// check found something wrong in the catalogue.
inline constexpr int kProblemsFound = 1;
// The command line cannot be read (an unknown option or command, a missing or stray argument, a
// value that is no number), or it names an unknown or ambiguous unit or category.
inline constexpr int kUsageError = 2;
// The catalogue cannot be read: its index, or the file of the category a command needs.
inline constexpr int kCatalogueUnreadable = 3;

} // namespace cli
