#pragma once

#include "core/settings/ProgramRecords.h"
#include "gui/mainwindow/MainWindow.h"
#include "support/TestEnvironment.h"

#include <QLocale>

#include <memory>

// The life of one main-window test function: its own catalogue and settings in an English
// locale, a main window made and loaded from them, and the program-wide records released with it.
namespace mainwindowtest {

inline void start(std::unique_ptr<TestEnvironment> &environment)
{
    environment = std::make_unique<TestEnvironment>();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// Makes the main window and runs its start-up; false when the program ended early.
inline bool load(std::unique_ptr<MainWindow> &form)
{
    form = std::make_unique<MainWindow>();
    return form->load();
}

inline void finish(std::unique_ptr<MainWindow> &form, std::unique_ptr<TestEnvironment> &environment)
{
    form.reset();
    releaseProgramRecords();
    finishEnvironment(environment);
}

} // namespace mainwindowtest
