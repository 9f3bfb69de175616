#include "editor/ClassicKeys.h"

#include <QKeyEvent>

namespace classicKeys {

std::optional<qint16> classicKeyCode(const QKeyEvent &event)
{
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (key == Qt::Key_Backspace)
        return kBackspace;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return kEnter;
    if (key == Qt::Key_Escape)
        return qint16(27);
    // Alt+letter is a mnemonic (Ctrl+Alt is AltGr on Windows and types a character).
    if ((modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier))
        return std::nullopt;
    if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return qint16(key - Qt::Key_A + 1);
    if (key == Qt::Key_Delete || key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return std::nullopt;
    const QString text = event.text();
    if (text.isEmpty() || text.at(0).unicode() == 127)
        return std::nullopt;
    return qint16(text.at(0).unicode());
}

QString shownCharacter(qint16 code)
{
    const QChar c = characterOf(code);
    return c.isSurrogate() ? QString() : QString(c);
}

} // namespace classicKeys
