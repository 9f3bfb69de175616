#include "app/AppInfo.h"
#include "app/Version.h"
#include "app/program/Main.h"
#include "platform/UrlOpener.h"
#include "platform/widgets/QtMessageBoxes.h"
#include "platform/widgets/QtUrlOpener.h"
#include "resources/TallimerIcon.h"
#include "resources/TallimerResources.h"

#include <QApplication>

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
    return Main(application);
}
