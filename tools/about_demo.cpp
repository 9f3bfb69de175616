// Shows the about box on its own, to look at it (not a test).
#include "gui/about/AboutDialog.h"
#include "gui/platform/QtMessageBoxes.h"
#include "resources/TallimerIcon.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setWindowIcon(tallimerIcon());
    platform::setMessageBoxService(std::make_unique<platform::QtMessageBoxes>());
    AboutDialog about;
    return about.exec() == QDialog::Accepted ? 0 : 1;
}
