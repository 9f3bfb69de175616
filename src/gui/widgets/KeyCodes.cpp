#include "gui/widgets/KeyCodes.h"

namespace keyCodes {

QString shownCharacter(qint16 code)
{
    const QChar c = characterOf(code);
    return c.isSurrogate() ? QString() : QString(c);
}

} // namespace keyCodes
