#include "mainwindow/Form1.h"

#include "app/AppInfo.h"

Form1::Form1(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(app::programBaseName() + QStringLiteral(" Version ") + app::versionText());
    resize(648, 375);
}
