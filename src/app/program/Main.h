#pragma once

class QApplication;

// The start-up routine: loads and shows the main window, then runs the program on its events
// until it closes. Returns the program's exit code.
int Main(QApplication &application);
