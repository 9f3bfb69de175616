#pragma once

#include <QString>

namespace app {

// "Tallimer": the title of message boxes and of the about box.
QString appTitle();

// "1.3.0": major, minor and revision, each a plain whole number.
QString versionText();

// The program file's name without its extension, read at run time ("Tallimer" as shipped).
// It names the settings store's application and appears in the main window's caption.
QString programBaseName();

// The folder that holds the program file; every catalogue path is resolved against it.
QString applicationFolder();
// Points the application folder elsewhere (tests); an empty path restores the real folder.
void setApplicationFolder(const QString &folder);

} // namespace app
