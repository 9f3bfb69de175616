#pragma once

#include <Qt>

class QLineEdit;

// Moves the keyboard focus to a text box from code, with its whole text selected, so that what
// the user types next replaces it. The text is selected here rather than when the focus event
// arrives: in a window that is not active yet the focus arrives only with the window's
// activation, as focus of another kind, or not at all.
void focusWithTextSelected(QLineEdit *box, Qt::FocusReason reason = Qt::OtherFocusReason);
