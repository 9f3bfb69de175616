#pragma once

#include "cli/ExitStatus.h"

#include <QStringList>
#include <QTextStream>

#include <optional>

// The program's command line, read before anything of the window system is made, so that what
// it answers works without a display: "--version" and "--help" answer on standard output and end
// the program, and so do the commands "convert", "list" and "check", which read the catalogue
// the window works on and change no file; a command line that cannot be read ends it with
// kUsageError, and anything else lets the window open.
namespace cli {

// Reads arguments (the program's, its own path first) and writes what they ask for to out, or
// what is wrong with them and the usage to err; a command writes its messages to err. Returns
// the exit status (ExitStatus.h) when the program is to end now, nothing when it is to open its
// window. The options that Qt's window classes read (-platform, -style and the like) are
// accepted and left to them.
std::optional<int> runCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace cli
