#pragma once

#include <QString>

class QLabel;
class QWidget;

// Every control of the program's windows carries an object name (tests and anything driving the
// program from outside find it by that name) and an accessible name (what a screen reader says).

// Sets both names, and the tool tip when one is given; returns the widget.
template <typename Widget>
Widget *named(Widget *widget, const QString &objectName, const QString &accessibleName, const QString &toolTip = {})
{
    widget->setObjectName(objectName);
    widget->setAccessibleName(accessibleName);
    if (!toolTip.isEmpty())
        widget->setToolTip(toolTip);
    return widget;
}

// A caption's words without its access-key marks: "Convert &From" is "Convert From", "&&" is "&".
QString withoutAccessKey(const QString &caption);

// A control that shows a caption (a button, a check box, a group box), named after it. An "&" in
// the caption marks the control's access key.
template <typename Control>
Control *makeCaptioned(QWidget *parent, const QString &objectName, const QString &caption)
{
    return named(new Control(caption, parent), objectName, withoutAccessKey(caption));
}

// A caption shown as plain text, named objectName. An "&" in it marks the access key that moves
// the focus to the label's buddy.
QLabel *makeLabel(QWidget *parent, const QString &objectName, const QString &caption = QString());
