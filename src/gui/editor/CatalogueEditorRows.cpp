// The editor's unit rows: paging, key filters, and the commits when a box loses the focus.
#include "gui/editor/CatalogueEditor.h"

#include "core/catalogue/CatalogueNames.h"
#include "core/platform/MessageBox.h"
#include "core/text/CatalogueText.h"
#include "core/text/NumberText.h"
#include "gui/editor/EditorTexts.h"
#include "gui/platform/Beep.h"
#include "gui/widgets/ComboKeyPressFilter.h"
#include "gui/widgets/KeyCodes.h"
#include "gui/widgets/TextFocus.h"

#include <QCoreApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace {

// Focus that moves because another window (a message box, a popup) takes it or gives it back
// is not the user leaving or entering a box.
bool isWindowFocusChange(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

bool isFreeUnitName(const QString &name)
{
    return name.isEmpty() || name == kPlaceholderUnitName;
}

// A factor as the boxes take it: a number in the catalogue's format, greater than zero.
std::optional<double> validFactor(const QString &text)
{
    const auto value = conversion::parseFactor(text);
    if (value && *value > 0)
        return value;
    return std::nullopt;
}

// Swallows the next mouse press (or wheel turn) anywhere in the program, if one comes before
// the event loop turns again. A message box shown while the focus leaves a box for a mouse
// press has taken that press's release: delivered alone, the press would leave a button held
// down or a scroll bar stepping. The click is lost, as the user only saw the message.
class PressSwallower : public QObject {
public:
    explicit PressSwallower(QObject *parent)
        : QObject(parent)
    {
        QCoreApplication::instance()->installEventFilter(this);
        QTimer::singleShot(0, this, &QObject::deleteLater);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            QCoreApplication::instance()->removeEventFilter(this);
            return true;
        default:
            return false;
        }
    }
};

} // namespace

// --- events --------------------------------------------------------------------------------------

bool CatalogueEditor::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // The open list of m_categoryBox would take Enter as choosing its highlighted item, even
        // when the user has typed a new name since. Enter stays a key for categoryKeyPress,
        // which takes the field's text: the highlighted item only when the user moved to it.
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == m_categoryBox->view() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            const QModelIndex highlighted = m_categoryBox->view()->currentIndex();
            if (m_listNavigated && highlighted.isValid())
                m_categoryBox->setCurrentIndex(highlighted.row());
            key->accept();
            return true;
        }
        break;
    }
    case QEvent::KeyPress:
        return handleKeyPress(watched, static_cast<QKeyEvent *>(event));
    case QEvent::InputMethod:
        return handleInputMethod(watched, static_cast<QInputMethodEvent *>(event));
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        auto *box = qobject_cast<QLineEdit *>(watched);
        if (!box || isWindowFocusChange(reason))
            break;
        box->selectAll();
        if (reason == Qt::MouseFocusReason) {
            // The click that gave the focus puts the caret where it lands once this returns:
            // select again after it.
            QTimer::singleShot(0, box, [box] { box->selectAll(); });
        }
        break;
    }
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (isWindowFocusChange(reason) || m_rowsBusy || m_committing)
            break;
        QScopedValueRollback committing(m_committing, true);
        m_commitAsked = false;
        if (const int row = rowOf(m_nameBoxes, watched); row >= 0)
            commitName(row);
        else if (const int factorRow = rowOf(m_factorBoxes, watched); factorRow >= 0)
            commitFactor(factorRow);
        if (m_commitAsked && reason == Qt::MouseFocusReason)
            new PressSwallower(this);
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

int CatalogueEditor::rowOf(const std::array<QLineEdit *, 5> &boxes, const QObject *watched) const
{
    const auto found = std::find(boxes.begin(), boxes.end(), watched);
    return found == boxes.end() ? -1 : int(found - boxes.begin());
}

bool CatalogueEditor::handleKeyPress(QObject *watched, QKeyEvent *event)
{
    if (watched == m_categoryBox->view()) {
        static const QList<int> moves = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home,
                                         Qt::Key_End};
        if (moves.contains(event->key()))
            m_listNavigated = true;
        return false;
    }
    const auto code = ComboKeyPressFilter::keyCodeOf(*event);
    if (!code)
        return false;

    // Enter has done its work once it has moved the focus; passed on, it would reach the window.
    if (const int row = rowOf(m_nameBoxes, watched); row >= 0)
        return nameKeyPress(row, *code, event->text()) == 0 || *code == keyCodes::kEnter;
    if (const int row = rowOf(m_factorBoxes, watched); row >= 0)
        return factorKeyPress(row, *code) == 0 || *code == keyCodes::kEnter;
    return false;
}

bool CatalogueEditor::handleInputMethod(QObject *watched, QInputMethodEvent *event)
{
    // Text composed by an input method is judged as if its characters had been typed.
    const int row = rowOf(m_nameBoxes, watched);
    const QString text = event->commitString();
    if (row < 0 || text.isEmpty())
        return false;
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('^'))) {
        platform::MsgBox(catalogue::refusedUnitCharactersMessage());
        return true;
    }
    const QString outside = catalogue::charactersOutsideCatalogue(text);
    if (!outside.isEmpty()) {
        platform::MsgBox(catalogue::outsideCatalogueMessage(QStringLiteral("Unit name"), outside));
        return true;
    }
    return false;
}

platform::Answer CatalogueEditor::askDuringCommit(const QString &text, platform::Buttons buttons, platform::Icon icon)
{
    m_commitAsked = true;
    return platform::MsgBox(text, buttons, icon);
}

void CatalogueEditor::moveFocusTo(QLineEdit *box)
{
    focusWithTextSelected(box);
}

// --- paging --------------------------------------------------------------------------------------

void CatalogueEditor::showPage()
{
    QScopedValueRollback busy(m_rowsBusy, true);
    const int first = m_pager->value();
    for (int row = 0; row < 5; ++row) {
        const int slot = first + row;
        if (slot <= 32767 && slotExists(qint16(slot))) {
            showSlotInRow(row, qint16(slot));
        } else {
            m_nameBoxes[row]->clear();
            m_factorBoxes[row]->clear();
            m_rowSlot[row] = -1;
        }
    }
    updateRowLabels();
    updateRowAvailability();
}

// --- keys ----------------------------------------------------------------------------------------

qint16 CatalogueEditor::nameKeyPress(int row, qint16 key, const QString &typed)
{
    if (key == 44 || key == 94) {
        platform::MsgBox(catalogue::refusedUnitCharactersMessage());
        return 0;
    }
    if (keyCodes::isCharacter(key)) {
        const QString characters = typed.isEmpty() ? QString(keyCodes::characterOf(key)) : typed;
        if (!catalogue::isCatalogueText(characters)) {
            const QString outside = typed.isEmpty() ? keyCodes::shownCharacter(key)
                                                    : catalogue::charactersOutsideCatalogue(typed);
            platform::MsgBox(catalogue::outsideCatalogueMessage(QStringLiteral("Unit name"), outside));
            return 0;
        }
    }
    if (key == keyCodes::kEnter)
        moveFocusTo(m_factorBoxes[row]);
    return key;
}

qint16 CatalogueEditor::factorKeyPress(int row, qint16 key)
{
    if (key == keyCodes::kBackspace || key == 46 || (key >= 48 && key <= 57) || key == 101)
        return key;
    if (key == keyCodes::kEnter) {
        if (row < 4)
            moveFocusTo(m_nameBoxes[row + 1]);
        return key;
    }
    platform::beep();
    return 0;
}

// --- commits -------------------------------------------------------------------------------------

void CatalogueEditor::commitName(int row)
{
    const qint16 slot = m_rowSlot[row];
    if (!slotExists(slot))
        return;
    UnitCategory &category = currentCategory();
    QLineEdit *box = m_nameBoxes[row];
    const QString name = box->text();
    const QString oldName = category.unitName(slot);
    if (name == oldName)
        return;
    // Pasted or dropped text did not pass the key filter.
    if (const QString refusal = catalogue::unitNameRefusal(name); !refusal.isEmpty()) {
        askDuringCommit(refusal, platform::Buttons::OK, platform::Icon::None);
        box->setText(oldName);
        return;
    }
    if (oldName == m_baseNameBox->text())
        m_baseNameBox->setText(name);
    // A factor box whose text is no valid factor has not been committed: the slot keeps its own.
    const auto factor = validFactor(m_factorBoxes[row]->text());
    category.setUnit(name, factor ? *factor : category.unitFactor(slot), slot);
}

void CatalogueEditor::commitFactor(int row)
{
    const qint16 slot = m_rowSlot[row];
    if (!slotExists(slot))
        return;
    UnitCategory &category = currentCategory();
    QLineEdit *box = m_factorBoxes[row];
    if (const auto factor = validFactor(box->text())) {
        if (*factor == category.unitFactor(slot))
            return;
        if (m_nameBoxes[row]->text() == m_baseNameBox->text()) {
            askDuringCommit(editor::kBaseFactorMessage, platform::Buttons::OK, platform::Icon::Information);
            box->setText(QStringLiteral("1"));
            return;
        }
        category.setUnit(m_nameBoxes[row]->text(), *factor, slot);
        return;
    }
    const platform::Answer answer =
        askDuringCommit(editor::kInvalidFactorQuestion, platform::Buttons::OKCancel, platform::Icon::Exclamation);
    if (answer == platform::Answer::OK) {
        box->setText(conversion::factorText(category.unitFactor(slot)));
    } else {
        // The focus is on its way elsewhere: bring it back once it has arrived.
        QTimer::singleShot(0, box, [this, box] { moveFocusTo(box); });
    }
}

// --- adding a slot -------------------------------------------------------------------------------

void CatalogueEditor::addUnit()
{
    if (!m_currentCategory || !m_currentCategory->isAllocated())
        return;
    UnitCategory &category = currentCategory();
    const int last = category.lastIndex();
    // The last slot that the scroll range reaches: when it is free, show it; otherwise offer the
    // next slot, appending one when there is no spare slot left.
    const int lastShown = std::min(m_pager->maximum() + 4, last);
    if (isFreeUnitName(category.unitName(qint16(lastShown)))) {
        m_pager->setValue(m_pager->maximum());
        return;
    }
    if (lastShown == last) {
        if (last == 32767)
            return; // the 16-bit slot range is full
        category.resize(category.firstIndex(), qint16(last + 1), true);
    }
    const int maximum = std::max(0, lastShown + 1 - 4);
    m_pager->setMaximum(maximum);
    if (m_pager->value() == maximum)
        showPage(); // a category of fewer than five slots: the new slot joins this page
    else
        m_pager->setValue(maximum);
}
