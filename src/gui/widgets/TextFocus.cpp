#include "gui/widgets/TextFocus.h"

#include <QLineEdit>

void focusWithTextSelected(QLineEdit *box, Qt::FocusReason reason)
{
    box->setFocus(reason);
    box->selectAll();
}
