#include "gui/widgets/ClassicKeys.h"

namespace classicKeys {

QString shownCharacter(qint16 code)
{
    const QChar c = characterOf(code);
    return c.isSurrogate() ? QString() : QString(c);
}

} // namespace classicKeys
