#include "mainwindow/Form1.h"
#include "platform/widgets/QtMessageBoxes.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    platform::setMessageBoxService(std::make_unique<platform::QtMessageBoxes>());
    Form1 window;
    window.show();
    return application.exec();
}
