#include "core/base/AppInfo.h"
#include "core/base/Version.h"
#include "core/platform/UrlOpener.h"
#include "gui/about/frmAbout.h"
#include "gui/editor/frmAddUnit.h"
#include "gui/mainwindow/Form1.h"
#include "gui/options/frmOptions.h"
#include "gui/platform/QtMessageBoxes.h"
#include "gui/platform/QtUrlOpener.h"
#include "resources/TallimerIcon.h"
#include "resources/TallimerResources.h"

#include <QApplication>
#include <QPointer>

#include <utility>

namespace {

// Loads and shows the main window, then runs the program on its events until it closes.
int run(QApplication &application)
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

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // Qt names the application after argv[0], which is "tallimer" when started through the
    // launcher; the per-user data folder must not depend on how the program was started.
    QCoreApplication::setApplicationName(app::appTitle());
    initTallimerResources();
    QApplication::setWindowIcon(tallimerIcon());
    // Lets the desktop match the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(app::kApplicationId));
    platform::setMessageBoxService(std::make_unique<platform::QtMessageBoxes>());
    platform::setUrlOpener(std::make_unique<platform::QtUrlOpener>());
    return run(application);
}
