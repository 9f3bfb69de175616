#include "app/program/Main.h"

#include "about/frmAbout.h"
#include "editor/frmAddUnit.h"
#include "mainwindow/Form1.h"
#include "settings/widgets/frmOptions.h"

#include <QApplication>
#include <QPointer>

#include <utility>

int Main(QApplication &application)
{
    Form1 form;
    // The editor is kept while hidden (it keeps its state between openings) and made anew after
    // it was unloaded.
    QPointer<frmAddUnit> addUnitWindow;
    // The modal windows the popup menu opens.
    Form1::ModalWindows windows;
    windows.options = &frmOptions::showModal;
    windows.addUnit = [&addUnitWindow](Form1 &owner) { frmAddUnit::showEditor(owner, addUnitWindow); };
    windows.about = [](Form1 &owner) {
        frmAbout about(&owner);
        about.exec();
    };
    form.setModalWindows(std::move(windows));
    if (!form.Form_Load())
        return 0; // no catalogue index: the program ends before the window is shown
    form.show();
    return application.exec();
}
