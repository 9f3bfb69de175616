#include "cli/CommandLine.h"
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
#include <QTextStream>
#include <QTimer>

#include <optional>
#include <utility>

namespace {

// Qt names the application after argv[0], which is "tallimer" when started through the
// launcher; the per-user data folder must not depend on how the program was started.
void nameApplication()
{
    QCoreApplication::setApplicationName(app::appTitle());
}

// Reads the command line before anything of the window system is made, so that its answers need
// no display. The exit status when the program ends there, nothing when the window is to open.
std::optional<int> answerCommandLine(int &argc, char *argv[])
{
    const QCoreApplication application(argc, argv);
    nameApplication();
    QTextStream out(stdout);
    QTextStream err(stderr);
    return cli::runCommandLine(QCoreApplication::arguments(), out, err);
}

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
    if (const std::optional<int> status = answerCommandLine(argc, argv))
        return *status;
    QApplication application(argc, argv);
    nameApplication();
    initTallimerResources();
    QApplication::setWindowIcon(tallimerIcon());
    // Lets the desktop match the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(app::kApplicationId));
    platform::setMessageBoxService(std::make_unique<platform::QtMessageBoxes>());
    platform::setUrlOpener(std::make_unique<platform::QtUrlOpener>());
    return run(application);
}
