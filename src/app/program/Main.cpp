#include "app/program/Main.h"

#include "mainwindow/Form1.h"
#include "settings/widgets/frmOptions.h"

#include <QApplication>

int Main(QApplication &application)
{
    Form1 form;
    // The windows the popup menu opens are added here as they are built.
    Form1::ModalWindows windows;
    windows.options = &frmOptions::showModal;
    form.setModalWindows(windows);
    if (!form.Form_Load())
        return 0; // no catalogue index: the program ends before the window is shown
    form.show();
    return application.exec();
}
