#include "app/program/Main.h"
#include "platform/widgets/QtMessageBoxes.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    platform::setMessageBoxService(std::make_unique<platform::QtMessageBoxes>());
    return Main(application);
}
