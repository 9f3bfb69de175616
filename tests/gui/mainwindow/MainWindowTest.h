#pragma once

#include "gui/mainwindow/Form1.h"
#include "core/settings/ProgramRecords.h"
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
inline bool load(std::unique_ptr<Form1> &form)
{
    form = std::make_unique<Form1>();
    return form->Form_Load();
}

inline void finish(std::unique_ptr<Form1> &form, std::unique_ptr<TestEnvironment> &environment)
{
    form.reset();
    ReleaseProgramRecords();
    finishEnvironment(environment);
}

} // namespace mainwindowtest
