#include "app/program/Main.h"

#include "editor/frmAddUnit.h"
#include "mainwindow/Form1.h"

#include <QApplication>
#include <QPointer>

#include <utility>

int Main(QApplication &application)
{
    Form1 form;
    // The editor is kept while hidden (it keeps its state between openings) and made anew after
    // it was unloaded.
    QPointer<frmAddUnit> addUnitWindow;
    // The windows the popup menu opens are added here as they are built.
    Form1::ModalWindows windows;
    windows.addUnit = [&addUnitWindow](Form1 &owner) { frmAddUnit::showEditor(owner, addUnitWindow); };
    form.setModalWindows(std::move(windows));
    if (!form.Form_Load())
        return 0; // no catalogue index: the program ends before the window is shown
    form.show();
    return application.exec();
}
