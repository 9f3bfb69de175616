// The floor of the start figure: a plain Qt program that shows a window with the kinds of
// controls and text the main window has (a list, two combo boxes, labels, a line edit, two
// buttons), reports when it is shown, and ends.

#include "bench/ProcessProbe.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    auto *layout = new QGridLayout(&window);
    auto *list = new QListWidget(&window);
    for (const char *name : {"Acceleration", "Angle", "Area", "Data", "Density", "Energy", "Force", "Length",
                             "Mass", "Power", "Pressure", "Speed", "Temperature", "Time", "Volume"})
        list->addItem(QString::fromLatin1(name));
    auto *listCaption = new QLabel(QStringLiteral("&Categories"), &window);
    listCaption->setBuddy(list);
    auto *number = new QLineEdit(QStringLiteral("1"), &window);
    auto *numberCaption = new QLabel(QStringLiteral("&Number"), &window);
    numberCaption->setBuddy(number);
    auto *from = new QComboBox(&window);
    auto *to = new QComboBox(&window);
    for (QComboBox *box : {from, to}) {
        box->setEditable(true);
        box->addItems({QStringLiteral("Foot"), QStringLiteral("Kilometer"), QStringLiteral("Meter")});
    }
    auto *fromCaption = new QLabel(QStringLiteral("&From"), &window);
    fromCaption->setBuddy(from);
    auto *toCaption = new QLabel(QStringLiteral("&To"), &window);
    toCaption->setBuddy(to);
    auto *convert = new QPushButton(QStringLiteral("&Convert"), &window);
    auto *reset = new QPushButton(QStringLiteral("R&eset"), &window);
    auto *result = new QLabel(QStringLiteral("1 Foot = 0.3048 Meter"), &window);
    layout->addWidget(listCaption, 0, 0);
    layout->addWidget(list, 1, 0, 6, 1);
    layout->addWidget(numberCaption, 0, 1);
    layout->addWidget(number, 1, 1);
    layout->addWidget(fromCaption, 2, 1);
    layout->addWidget(from, 3, 1);
    layout->addWidget(toCaption, 4, 1);
    layout->addWidget(to, 5, 1);
    layout->addWidget(convert, 6, 1);
    layout->addWidget(reset, 7, 1);
    layout->addWidget(result, 7, 0);
    window.resize(640, 344);
    window.show();
    QApplication::processEvents();
    QApplication::processEvents();
    probe::print("shown_wall_ms", probe::millisecondsSinceLaunch());
    probe::print("shown_cpu_ms", probe::processCpuMilliseconds());
    probe::print("peak_kib", double(probe::peakResidentKibibytes()));
    probe::print("resident_kib", double(probe::residentKibibytes()));
    probe::copyMemoryMapIfAsked();
    return 0;
}
