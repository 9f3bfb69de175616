#include "gui/widgets/TypeAhead.h"

#include "gui/widgets/KeyCodes.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace typeAhead {

namespace {

using keyCodes::kBackspace;
using keyCodes::kEnter;
using keyCodes::kFirstPrintable;

int selStart(const QLineEdit *edit)
{
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

int selLength(const QLineEdit *edit)
{
    return edit->hasSelectedText() ? edit->selectionLength() : 0;
}

// Selects length characters from start with the caret after them; length 0 only places the caret.
void setSelection(QLineEdit *edit, int start, int length)
{
    if (length > 0)
        edit->setSelection(start, length);
    else
        edit->setCursorPosition(start);
}

void caretToEnd(QLineEdit *edit)
{
    setSelection(edit, int(edit->text().size()), 0);
}

// Finds, from the top of the list, the first item whose text begins with prefix (letter case
// ignored). Makes it the current item, also in the drop-down list, puts its full text into the
// edit field and returns its position; returns -1 and changes nothing when there is none.
int selectByPrefix(QComboBox *combo, const QString &prefix)
{
    const int count = combo->count();
    for (int i = 0; i < count; ++i) {
        const QString itemText = combo->itemText(i);
        if (!itemText.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        combo->setCurrentIndex(i);
        // Qt leaves the edit text alone when the item was current already.
        if (combo->currentText() != itemText)
            combo->setEditText(itemText);
        // Keep the open list's highlight on the completion, so that Enter in the list keeps it.
        if (QAbstractItemView *view = combo->view()) {
            const QModelIndex index = combo->model()->index(i, combo->modelColumn(), combo->rootModelIndex());
            view->setCurrentIndex(index);
        }
        return i;
    }
    return -1;
}

qint16 complete(QComboBox *combo, QLineEdit *edit, quint16 code, int s, int l, bool allowNewText)
{
    const QString text = edit->text();
    if (code >= kFirstPrintable) {
        // The typed character counts as added at the end, or replaces the selection and
        // everything after it.
        const QString typed = (l == 0 ? text : text.left(s)) + QChar(code);
        const int typedLength = int(typed.size());
        openDropDown(combo);
        if (selectByPrefix(combo, typed) >= 0) {
            setSelection(edit, typedLength, int(edit->text().size()) - typedLength);
            return 0;
        }
        // Refused: select from the end of the kept prefix to the end of the text.
        const int start = typedLength - 1;
        setSelection(edit, start, int(edit->text().size()) - start);
        if (allowNewText) {
            combo->setEditText(typed);
            caretToEnd(edit);
        }
        return 0;
    }

    setSelection(edit, s, 0);
    switch (code) {
    case kBackspace:
        if (l == 0) {
            if (!text.isEmpty())
                combo->setEditText(text.chopped(1));
        } else {
            combo->setEditText(text.left(s));
        }
        caretToEnd(edit);
        return 0;
    case kEnter:
        caretToEnd(edit);
        return qint16(kEnter);
    default:
        return 0;
    }
}

} // namespace

qint16 typeKey(QComboBox *combo, qint16 keyChar, bool allowNewText)
{
    QLineEdit *edit = combo ? combo->lineEdit() : nullptr;
    if (!edit)
        return keyChar;
    const int s = selStart(edit);
    const int l = selLength(edit);
    try {
        return complete(combo, edit, quint16(keyChar), s, l, allowNewText);
    } catch (...) {
        // A failure here (also one raised by a handler of the combo's signals) leaves the key to
        // the combo; nothing is shown.
        return keyChar;
    }
}

void openDropDown(QComboBox *combo)
{
    if (!combo || !combo->isVisible())
        return;
    const QAbstractItemView *view = combo->view();
    if (view && view->isVisible())
        return;
    // The open list takes the focus from the edit field, and Qt then treats the edit text as
    // finished and makes an item of that name current. Opening the list is no choice of an item,
    // so the edit field's signals stay quiet meanwhile.
    const QSignalBlocker quiet(combo->lineEdit());
    combo->showPopup();
}

} // namespace typeAhead
