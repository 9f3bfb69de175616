#include "app/program/Main.h"

#include "about/frmAbout.h"
#include "mainwindow/Form1.h"
#include "settings/widgets/frmOptions.h"

#include <QApplication>

int Main(QApplication &application)
{
    Form1 form;
    // The modal windows the popup menu opens.
    Form1::ModalWindows windows;
    windows.options = &frmOptions::showModal;
    windows.about = [](Form1 &owner) {
        frmAbout about(&owner);
        about.exec();
    };
    form.setModalWindows(windows);
    if (!form.Form_Load())
        return 0; // no catalogue index: the program ends before the window is shown
    form.show();
    return application.exec();
}
