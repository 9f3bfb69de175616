#include "gui/widgets/NamedWidgets.h"

#include <QLabel>

QLabel *makeLabel(QWidget *parent, const QString &objectName, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    return label;
}
