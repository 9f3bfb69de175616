// The editor's unit rows: paging, key filters, and the commits when a box loses the focus.
#include "gui/editor/frmAddUnit.h"

#include "core/catalogue/CatalogueNames.h"
#include "core/text/CatalogueText.h"
#include "core/text/NumberText.h"
#include "gui/widgets/ClassicKeys.h"
#include "gui/editor/EditorTexts.h"
#include "gui/widgets/ComboKeyPressFilter.h"
#include "core/platform/MessageBox.h"
#include "gui/platform/Beep.h"

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

bool frmAddUnit::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // The open list of UnitSelect would take Enter as choosing its highlighted item, even
        // when the user has typed a new name since. Enter stays a key for UnitSelect_KeyPress,
        // which takes the field's text: the highlighted item only when the user moved to it.
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == UnitSelect->view() && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            const QModelIndex highlighted = UnitSelect->view()->currentIndex();
            if (m_listNavigated && highlighted.isValid())
                UnitSelect->setCurrentIndex(highlighted.row());
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
        if (const int row = rowOf(txtUnitName, watched); row >= 0)
            txtUnitName_GotFocus(row);
        else if (const int factorRow = rowOf(txtUnitFactor, watched); factorRow >= 0)
            txtUnitFactor_GotFocus(factorRow);
        else if (watched == txtBaseUnit)
            txtBaseUnit_GotFocus();
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
        if (const int row = rowOf(txtUnitName, watched); row >= 0)
            txtUnitName_LostFocus(row);
        else if (const int factorRow = rowOf(txtUnitFactor, watched); factorRow >= 0)
            txtUnitFactor_LostFocus(factorRow);
        if (m_commitAsked && reason == Qt::MouseFocusReason)
            new PressSwallower(this);
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

int frmAddUnit::rowOf(const std::array<QLineEdit *, 5> &boxes, const QObject *watched) const
{
    const auto found = std::find(boxes.begin(), boxes.end(), watched);
    return found == boxes.end() ? -1 : int(found - boxes.begin());
}

bool frmAddUnit::handleKeyPress(QObject *watched, QKeyEvent *event)
{
    if (watched == UnitSelect->view()) {
        static const QList<int> moves = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home,
                                         Qt::Key_End};
        if (moves.contains(event->key()))
            m_listNavigated = true;
        return false;
    }
    const auto code = ComboKeyPressFilter::classicKeyCode(*event);
    if (!code)
        return false;

    // Enter has done its work once it has moved the focus; passed on, it would reach the window.
    if (const int row = rowOf(txtUnitName, watched); row >= 0)
        return txtUnitName_KeyPress(row, *code, event->text()) == 0 || *code == classicKeys::kEnter;
    if (const int row = rowOf(txtUnitFactor, watched); row >= 0)
        return txtUnitFactor_KeyPress(row, *code) == 0 || *code == classicKeys::kEnter;
    return false;
}

bool frmAddUnit::handleInputMethod(QObject *watched, QInputMethodEvent *event)
{
    // Text composed by an input method is judged as if its characters had been typed.
    const int row = rowOf(txtUnitName, watched);
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

platform::Answer frmAddUnit::askDuringCommit(const QString &text, platform::Buttons buttons, platform::Icon icon)
{
    m_commitAsked = true;
    return platform::MsgBox(text, buttons, icon);
}

void frmAddUnit::moveFocusTo(QLineEdit *box)
{
    box->setFocus(Qt::OtherFocusReason);
}

// --- paging --------------------------------------------------------------------------------------

void frmAddUnit::VScroll1_Change()
{
    QScopedValueRollback busy(m_rowsBusy, true);
    const int first = VScroll1->value();
    for (int row = 0; row < 5; ++row) {
        const int slot = first + row;
        if (slot <= 32767 && slotExists(qint16(slot))) {
            showSlotInRow(row, qint16(slot));
        } else {
            txtUnitName[row]->clear();
            txtUnitFactor[row]->clear();
            m_rowSlot[row] = -1;
        }
    }
    updateRowLabels();
    updateRowAvailability();
}

// --- focus ---------------------------------------------------------------------------------------

void frmAddUnit::txtUnitName_GotFocus(int Index)
{
    txtUnitName[Index]->selectAll();
}

void frmAddUnit::txtUnitFactor_GotFocus(int Index)
{
    txtUnitFactor[Index]->selectAll();
}

void frmAddUnit::txtBaseUnit_GotFocus()
{
    txtBaseUnit->selectAll();
}

// --- keys ----------------------------------------------------------------------------------------

qint16 frmAddUnit::txtUnitName_KeyPress(int Index, qint16 KeyAscii, const QString &typed)
{
    if (KeyAscii == 44 || KeyAscii == 94) {
        platform::MsgBox(catalogue::refusedUnitCharactersMessage());
        return 0;
    }
    if (classicKeys::isCharacter(KeyAscii)) {
        const QString characters = typed.isEmpty() ? QString(classicKeys::characterOf(KeyAscii)) : typed;
        if (!catalogue::isCatalogueText(characters)) {
            const QString outside = typed.isEmpty() ? classicKeys::shownCharacter(KeyAscii)
                                                    : catalogue::charactersOutsideCatalogue(typed);
            platform::MsgBox(catalogue::outsideCatalogueMessage(QStringLiteral("Unit name"), outside));
            return 0;
        }
    }
    if (KeyAscii == classicKeys::kEnter)
        moveFocusTo(txtUnitFactor[Index]);
    return KeyAscii;
}

qint16 frmAddUnit::txtUnitFactor_KeyPress(int Index, qint16 KeyAscii)
{
    if (KeyAscii == classicKeys::kBackspace || KeyAscii == 46 || (KeyAscii >= 48 && KeyAscii <= 57) || KeyAscii == 101)
        return KeyAscii;
    if (KeyAscii == classicKeys::kEnter) {
        if (Index < 4)
            moveFocusTo(txtUnitName[Index + 1]);
        return KeyAscii;
    }
    platform::beep();
    return 0;
}

// --- commits -------------------------------------------------------------------------------------

void frmAddUnit::txtUnitName_LostFocus(int Index)
{
    const qint16 slot = m_rowSlot[Index];
    if (!slotExists(slot))
        return;
    CUnitCategory &category = currentCategory();
    QLineEdit *box = txtUnitName[Index];
    const QString name = box->text();
    const QString oldName = category.getUnitName(slot);
    if (name == oldName)
        return;
    // Pasted or dropped text did not pass the key filter.
    if (const QString refusal = catalogue::unitNameRefusal(name); !refusal.isEmpty()) {
        askDuringCommit(refusal, platform::Buttons::OK, platform::Icon::None);
        box->setText(oldName);
        return;
    }
    if (oldName == txtBaseUnit->text())
        txtBaseUnit->setText(name);
    // A factor box whose text is no valid factor has not been committed: the slot keeps its own.
    const auto factor = validFactor(txtUnitFactor[Index]->text());
    category.setUnit(name, factor ? *factor : category.getUnitFactor(slot), slot);
}

void frmAddUnit::txtUnitFactor_LostFocus(int Index)
{
    const qint16 slot = m_rowSlot[Index];
    if (!slotExists(slot))
        return;
    CUnitCategory &category = currentCategory();
    QLineEdit *box = txtUnitFactor[Index];
    if (const auto factor = validFactor(box->text())) {
        if (*factor == category.getUnitFactor(slot))
            return;
        if (txtUnitName[Index]->text() == txtBaseUnit->text()) {
            askDuringCommit(editor::kBaseFactorMessage, platform::Buttons::OK, platform::Icon::Information);
            box->setText(QStringLiteral("1"));
            return;
        }
        category.setUnit(txtUnitName[Index]->text(), *factor, slot);
        return;
    }
    const platform::Answer answer =
        askDuringCommit(editor::kInvalidFactorQuestion, platform::Buttons::OKCancel, platform::Icon::Exclamation);
    if (answer == platform::Answer::OK) {
        box->setText(conversion::factorText(category.getUnitFactor(slot)));
    } else {
        // The focus is on its way elsewhere: bring it back once it has arrived.
        QTimer::singleShot(0, box, [this, box] { moveFocusTo(box); });
    }
}

// --- adding a slot -------------------------------------------------------------------------------

void frmAddUnit::AddUnit_Click()
{
    if (!m_currentCategory || !m_currentCategory->isAllocated())
        return;
    CUnitCategory &category = currentCategory();
    const int last = category.UBoundUnits();
    // The last slot that the scroll range reaches: when it is free, show it; otherwise offer the
    // next slot, appending one when there is no spare slot left.
    const int lastShown = std::min(VScroll1->maximum() + 4, last);
    if (isFreeUnitName(category.getUnitName(qint16(lastShown)))) {
        VScroll1->setValue(VScroll1->maximum());
        return;
    }
    if (lastShown == last) {
        if (last == 32767)
            return; // the 16-bit slot range is full
        category.ReDimUnits(category.LBoundUnits(), qint16(last + 1), true);
    }
    const int maximum = std::max(0, lastShown + 1 - 4);
    VScroll1->setMaximum(maximum);
    if (VScroll1->value() == maximum)
        VScroll1_Change(); // a category of fewer than five slots: the new slot joins this page
    else
        VScroll1->setValue(maximum);
}
