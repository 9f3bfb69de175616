#pragma once

#include <QtGlobal>

class QComboBox;

// Type-ahead completion for editable combo boxes. Every key typed into the combo goes through
// typeKey before the combo sees it (see ComboKeyPressFilter): the routine opens the
// drop-down list, completes the typed text to the first item that begins with it and selects the
// part the user has not typed, so that the next key replaces it.
namespace typeAhead {

// Takes one key code (see KeyCodes.h) typed into combo. Returns the key code the combo should then process: 0 when the key has been handled here and
// is to be dropped, 13 for Enter, and keyChar unchanged when the combo has no edit field or the
// completion fails, so that the combo handles the key its ordinary way.
// allowNewText false: only text that begins some item can be typed; true: other text is accepted.
// Completing makes the matching item the combo's current item (currentIndexChanged is raised).
qint16 typeKey(QComboBox *combo, qint16 keyChar, bool allowNewText);

// Opens the combo's drop-down list unless it is open already or the combo is not shown.
void openDropDown(QComboBox *combo);

} // namespace typeAhead
