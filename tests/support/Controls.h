#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

// The control of a window that carries objectName (every control keeps the object name it was
// designed with, so tests reach private controls the way a tool driving the program would).
// The test program stops at once when there is none: every later check would be meaningless.
template <typename Control>
Control *child(const QObject &window, const QString &objectName)
{
    auto *control = window.findChild<Control *>(objectName);
    if (!control)
        qFatal("%s has no control named %s", qPrintable(window.objectName()), qPrintable(objectName));
    return control;
}

// One of a numbered row of controls: objectName followed by the number.
template <typename Control>
Control *child(const QObject &window, const QString &objectName, int number)
{
    return child<Control>(window, objectName + QString::number(number));
}
