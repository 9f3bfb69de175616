#include "gui/widgets/ComboKeyPressFilter.h"

#include "gui/widgets/KeyCodes.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

#include <utility>

namespace {

using keyCodes::kBackspace;
using keyCodes::kDelete;
using keyCodes::kEnter;
using keyCodes::kEscape;
using keyCodes::kFirstPrintable;

bool isPrintable(quint16 code)
{
    return code >= kFirstPrintable && code != kDelete;
}

// The key event that types code: the control keys as such, Ctrl+letter for 1..26, otherwise
// the character itself.
QKeyEvent keyEventFor(quint16 code)
{
    switch (code) {
    case kBackspace:
        return QKeyEvent(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QString(QChar(code)));
    case kEnter:
        return QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(QChar(code)));
    case kEscape:
        return QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(QChar(code)));
    default:
        break;
    }
    if (code >= 1 && code <= 26)
        return QKeyEvent(QEvent::KeyPress, Qt::Key_A + (code - 1), Qt::ControlModifier, QString(QChar(code)));
    if (!isPrintable(code))
        return QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(code)));
    // Qt's key values for Latin-1 characters are their upper-case code points.
    const char16_t upper = QChar(code).toUpper().unicode();
    const int key = upper <= 0xFF ? int(upper) : (code <= 0xFF ? int(code) : int(Qt::Key_unknown));
    return QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(code)));
}

} // namespace

ComboKeyPressFilter::ComboKeyPressFilter(QComboBox *combo, Handler handler)
    : QObject(combo)
    , m_combo(combo)
    , m_handler(std::move(handler))
{
    combo->installEventFilter(this);
    if (QLineEdit *edit = combo->lineEdit())
        edit->installEventFilter(this);
    if (QAbstractItemView *view = combo->view()) {
        view->installEventFilter(this);
        view->viewport()->installEventFilter(this);
    }
}

std::optional<qint16> ComboKeyPressFilter::keyCodeOf(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);
    const bool meta = modifiers.testFlag(Qt::MetaModifier);
    const bool plain = !ctrl && !alt && !meta;

    switch (event.key()) {
    case Qt::Key_Backspace:
        return plain ? std::optional<qint16>(kBackspace) : std::nullopt;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return plain ? std::optional<qint16>(kEnter) : std::nullopt;
    case Qt::Key_Escape:
        return plain ? std::optional<qint16>(kEscape) : std::nullopt;
    default:
        break;
    }

    if (ctrl && !alt && !meta && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return qint16(event.key() - Qt::Key_A + 1);

    // Ctrl+Alt together is how AltGr arrives on some systems: the text is the character typed.
    if (meta || alt != ctrl)
        return std::nullopt;
    const QString text = event.text();
    if (text.isEmpty() || !isPrintable(text.at(0).unicode()))
        return std::nullopt;
    return qint16(text.at(0).unicode());
}

bool ComboKeyPressFilter::eventFilter(QObject *watched, QEvent *event)
{
    // Events keep coming while the combo is being destroyed, when it is a QComboBox no longer:
    // only the test for a null pointer may look at m_combo before the event is known to be a key.
    const QEvent::Type type = event->type();
    if (m_delivering || (type != QEvent::KeyPress && type != QEvent::InputMethod) || m_combo.isNull())
        return false;
    if (type == QEvent::KeyPress)
        return filterKeyPress(watched, static_cast<QKeyEvent *>(event));
    return filterInputMethod(watched, static_cast<QInputMethodEvent *>(event));
}

bool ComboKeyPressFilter::isListView(const QObject *watched) const
{
    const QAbstractItemView *view = m_combo->view();
    return view && (watched == view || watched == view->viewport());
}

bool ComboKeyPressFilter::filterKeyPress(QObject *watched, QKeyEvent *event)
{
    const std::optional<qint16> code = keyCodeOf(*event);
    if (!code)
        return false;
    const bool atList = isListView(watched);
    const qint16 result = m_handler(*code);
    if (result == *code && !atList)
        return false;
    event->accept();
    if (result == 0)
        return true;
    // Keys caught at the open list belong to the edit field.
    QObject *target = atList ? static_cast<QObject *>(m_combo.data()) : watched;
    if (result == *code) {
        QKeyEvent copy(QEvent::KeyPress, event->key(), event->modifiers(), event->text(), event->isAutoRepeat(),
                       event->count());
        deliver(target, copy);
    } else {
        QKeyEvent replacement = keyEventFor(quint16(result));
        deliver(target, replacement);
    }
    return true;
}

bool ComboKeyPressFilter::filterInputMethod(QObject *watched, QInputMethodEvent *event)
{
    const QString committed = event->commitString();
    if (committed.isEmpty() || !event->preeditString().isEmpty() || event->replacementLength() != 0)
        return false;
    // Let the edit field end any composition it shows, then type the committed text key by key.
    QInputMethodEvent ending(QString(), {});
    QObject *target = isListView(watched) ? static_cast<QObject *>(m_combo.data()) : watched;
    {
        const QScopedValueRollback<bool> guard(m_delivering, true);
        QCoreApplication::sendEvent(target, &ending);
    }
    for (const QChar character : committed) {
        if (m_combo.isNull())
            break;
        const qint16 result = m_handler(qint16(character.unicode()));
        if (result == 0)
            continue;
        QKeyEvent typed = keyEventFor(quint16(result));
        deliver(target, typed);
    }
    event->accept();
    return true;
}

void ComboKeyPressFilter::deliver(QObject *target, QKeyEvent &event)
{
    const QScopedValueRollback<bool> guard(m_delivering, true);
    QCoreApplication::sendEvent(target, &event);
}
