#include "gui/widgets/NamedWidgets.h"

#include <QLabel>

QLabel *makeLabel(QWidget *parent, const QString &objectName, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QString withoutAccessKey(const QString &caption)
{
    QString words;
    words.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i; // "&x" shows x; "&&" shows one "&"
        words += caption.at(i);
    }
    return words;
}
