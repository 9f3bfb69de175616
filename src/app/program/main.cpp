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
    initTallimerResources();
    QApplication::setWindowIcon(tallimerIcon());
    platform::setMessageBoxService(std::make_unique<platform::QtMessageBoxes>());
    platform::setUrlOpener(std::make_unique<platform::QtUrlOpener>());
    return Main(application);
}
