#pragma once

#include <QString>

// The key codes that key handlers take and return (ComboKeyPressFilter::keyCodeOf reads them
// from key events): control characters below 32 (8 Backspace, 13 Enter, 27 Escape, 1..26
// Ctrl+letter, so Ctrl+V is 22), otherwise the typed character as one UTF-16 code unit (units
// from 0x8000 up are negative in 16 bits). 0 is no key.
namespace keyCodes {

inline constexpr qint16 kNone = 0;
inline constexpr qint16 kBackspace = 8;
inline constexpr qint16 kEnter = 13;
inline constexpr qint16 kEscape = 27;
inline constexpr qint16 kFirstPrintable = 32;
inline constexpr qint16 kDelete = 127;

// True for the code of a typed character (not a control code, not 0).
inline bool isCharacter(qint16 code)
{
    return code < 0 || code >= kFirstPrintable;
}

// The UTF-16 unit of a code.
inline QChar characterOf(qint16 code)
{
    return QChar(char16_t(quint16(code)));
}

// The character of a code for a message; empty for half of a character beyond 16 bits.
QString shownCharacter(qint16 code);

} // namespace keyCodes
