#pragma once

#include <QStringList>
#include <QTextStream>

#include <optional>

// The program's command line, read before anything of the window system is made, so that what
// it answers works without a display: "--version" and "--help" answer on standard output and end
// the program, a command line that cannot be read ends it with kUsageError, and anything else
// lets the window open. Commands that run without widgets belong here too.
namespace cli {

// The exit status for a command line that cannot be read (an unknown option, a stray argument).
inline constexpr int kUsageError = 2;

// Reads arguments (the program's, its own path first) and writes what they ask for to out, or
// what is wrong with them and the usage to err. Returns the exit status when the program is to
// end now, nothing when it is to open its window. The options that Qt's window classes read
// (-platform, -style and the like) are accepted and left to them.
std::optional<int> runCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace cli
