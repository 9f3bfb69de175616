#include "core/base/AppInfo.h"
#include "core/base/Version.h"
#include "core/catalogue/CatalogueLocation.h"
#include "core/catalogue/UserCatalogue.h"
#include "core/platform/MessageBox.h"
#include "core/platform/UrlOpener.h"
#include "gui/about/AboutDialog.h"
#include "gui/editor/CatalogueEditor.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/options/OptionsDialog.h"
#include "gui/platform/QtMessageBoxes.h"
#include "gui/platform/QtUrlOpener.h"
#include "resources/TallimerIcon.h"
#include "resources/TallimerResources.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <utility>

namespace {

// Says once, over the main window, which new factory categories this start added to the user's
// copy of the catalogue.
void tellAddedCategories(MainWindow &window)
{
    const QStringList added = catalogue::categoriesAddedAtStart();
    if (added.isEmpty())
        return;
    QTimer::singleShot(0, &window, [added] {
        platform::MsgBox(catalogue::addedCategoriesMessage(added), platform::Buttons::OK, platform::Icon::Information);
    });
}

// What the editor changed reaches the main window at once, in the order the editor tells it.
void connectEditor(CatalogueEditor &editor, MainWindow &window)
{
    QObject::connect(&editor, &CatalogueEditor::categoriesChanged, &window, &MainWindow::reloadCategories,
                     Qt::DirectConnection);
    QObject::connect(
        &editor, &CatalogueEditor::catalogueReplaced, &window,
        [&window] {
            window.reloadCategories();
            window.disableConversion();
        },
        Qt::DirectConnection);
}

// Loads and shows the main window, then runs the program on its events until it closes.
int run(QApplication &application)
{
    MainWindow window;
    // The editor is kept while hidden (it keeps its state between openings) and made anew after
    // it was unloaded.
    QPointer<CatalogueEditor> editor;
    // The modal windows the popup menu opens.
    MainWindow::ModalWindows windows;
    windows.options = [](MainWindow &owner) { OptionsDialog::showModal(&owner, owner); };
    windows.editor = [&editor](MainWindow &owner) {
        CatalogueEditor::showEditor(owner, editor, [&owner](CatalogueEditor &made) { connectEditor(made, owner); });
    };
    windows.about = [](MainWindow &owner) {
        AboutDialog about(&owner);
        about.exec();
    };
    window.setModalWindows(std::move(windows));
    if (!window.load())
        return 0; // no catalogue index: the program ends before the window is shown
    window.show();
    tellAddedCategories(window);
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
