#include "gui/editor/CatalogueEditor.h"

#include "core/base/Failure.h"
#include "core/base/ReportError.h"
#include "core/catalogue/CatalogueNames.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/conversion/ConvertTemperature.h"
#include "core/platform/MessageBox.h"
#include "core/text/CatalogueText.h"
#include "core/text/NumberText.h"
#include "gui/editor/EditorTexts.h"
#include "gui/platform/BusyPointer.h"
#include "gui/widgets/FontScale.h"
#include "gui/widgets/KeyCodes.h"
#include "gui/widgets/ReadableColours.h"
#include "gui/widgets/SortedListFill.h"
#include "gui/widgets/TypeAhead.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>

namespace {

// The editor's text size at the designed system font size; a larger system font scales it.
constexpr int kDesignedFontPixels = 12;

} // namespace

CatalogueEditor::CatalogueEditor(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAddUnit"));
    setWindowTitle(QStringLiteral("Add Custom Unit Convertion Factors"));
    QFont font(QStringLiteral("Verdana"));
    font.setStyleHint(QFont::SansSerif); // the default sans where Verdana is missing
    font.setPixelSize(qRound(kDesignedFontPixels * fontScale::ofSystem()));
    setFont(font);
    createControls();
    layOutControls();
    connectHandlers();
}

CatalogueEditor::~CatalogueEditor()
{
    // The controls are destroyed after this object: a box losing the focus then (the category
    // field commits its text and says so) must not reach a handler of an editor that is gone.
    for (QWidget *control : findChildren<QWidget *>())
        control->blockSignals(true);
}

void CatalogueEditor::showEditor(QWidget &owner, QPointer<CatalogueEditor> &editor,
                                 const std::function<void(CatalogueEditor &)> &connect)
{
    if (!editor) {
        editor = new CatalogueEditor(&owner);
        if (connect)
            connect(*editor);
        editor->load();
    }
    editor->exec();
    if (editor && editor->isUnloaded())
        delete editor.data();
}

// --- lifecycle -----------------------------------------------------------------------------------

void CatalogueEditor::load()
{
    disableUnitArea();
    setHelpText(editor::kStartHelpText);
    if (fillSortedFromFile(catalogue::indexFile(), m_categoryBox)) {
        m_pager->setMinimum(0);
        m_pager->setValue(0);
        m_pager->setMaximum(0);
        updateRowLabels();
    }
}

void CatalogueEditor::unload()
{
    currentCategory().clear();
    m_currentCategory.reset();
}

void CatalogueEditor::hideKeepingState()
{
    hide();
}

void CatalogueEditor::unloadAndHide()
{
    unload();
    m_unloaded = true;
    hide();
}

void CatalogueEditor::cancel()
{
    unloadAndHide();
}

void CatalogueEditor::reject()
{
    cancel();
}

void CatalogueEditor::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // No button is the default one; Enter presses the button that has the focus.
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

UnitCategory &CatalogueEditor::currentCategory()
{
    if (!m_currentCategory)
        m_currentCategory = std::make_unique<UnitCategory>();
    return *m_currentCategory;
}

void CatalogueEditor::setHelpText(const QString &text)
{
    m_helpText = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_helpBox->setPlainText(shown);
}

// --- the unit area -------------------------------------------------------------------------------

void CatalogueEditor::disableUnitArea()
{
    QScopedValueRollback busy(m_rowsBusy, true);
    for (QWidget *control : std::initializer_list<QWidget *>{m_unitFrame, m_nameCaption, m_factorCaption, m_baseNameBox, m_baseFactorBox,
                                                              m_addUnitButton, m_pager})
        control->setEnabled(false);
    for (QLineEdit *box : m_nameBoxes)
        box->setEnabled(false);
    for (QLabel *label : m_rowCaptions)
        label->setEnabled(false);
    m_pager->setMinimum(0);
    m_pager->setValue(0);
    m_pager->setMaximum(0);
}

void CatalogueEditor::enableUnitArea()
{
    for (QWidget *control : std::initializer_list<QWidget *>{m_unitFrame, m_nameCaption, m_factorCaption, m_baseNameBox, m_baseFactorBox,
                                                              m_addUnitButton, m_pager})
        control->setEnabled(true);
    for (QLineEdit *box : m_nameBoxes)
        box->setEnabled(true);
    for (QLabel *label : m_rowCaptions)
        label->setEnabled(true);
}

void CatalogueEditor::clearUnitArea()
{
    QScopedValueRollback busy(m_rowsBusy, true);
    disableUnitArea();
    m_pager->setMinimum(0);
    m_pager->setValue(0);
    m_pager->setMaximum(0);
    for (int row = 0; row < 5; ++row) {
        m_nameBoxes[row]->clear();
        m_factorBoxes[row]->clear();
    }
    m_baseNameBox->setText(editor::kNoBaseUnit);
    m_baseFactorBox->clear();
    currentCategory().clear();
    m_currentCategory.reset();
    m_rowSlot.fill(-1);
    updateRowAvailability();
    setHelpText(editor::kStartHelpText);
}

bool CatalogueEditor::slotExists(qint16 slot) const
{
    if (slot < 0 || !m_currentCategory || !m_currentCategory->isAllocated())
        return false;
    return slot >= m_currentCategory->firstIndex() && slot <= m_currentCategory->lastIndex();
}

void CatalogueEditor::showSlotInRow(int row, qint16 slot)
{
    m_nameBoxes[row]->setText(currentCategory().unitName(slot));
    m_factorBoxes[row]->setText(conversion::factorText(currentCategory().unitFactor(slot)));
    m_rowSlot[row] = slot;
}

void CatalogueEditor::placeSlotInFirstEmptyRow(qint16 slot)
{
    for (int row = 0; row < 5; ++row) {
        if (m_nameBoxes[row]->text().isEmpty()) {
            showSlotInRow(row, slot);
            return;
        }
    }
}

void CatalogueEditor::updateRowLabels()
{
    const int first = m_pager->value();
    for (int row = 0; row < 5; ++row) {
        const QString number = QString::number(first + row + 1);
        const QString unit = QStringLiteral("Unit ") + number;
        // The access key is the number's last digit, which no two of five rows in a row share.
        m_rowCaptions[row + 1]->setText(QStringLiteral("Unit ") + number.chopped(1) + QLatin1Char('&') + number.right(1)
                                        + QLatin1Char(':'));
        m_nameBoxes[row]->setAccessibleName(unit + QStringLiteral(" name"));
        m_factorBoxes[row]->setAccessibleName(unit + QStringLiteral(" factor"));
    }
}

void CatalogueEditor::updateRowAvailability()
{
    // A row that shows no slot of the category is read-only, grey and skipped by Tab.
    for (int row = 0; row < 5; ++row) {
        const bool available = m_rowSlot[row] >= 0;
        for (QLineEdit *box : {m_nameBoxes[row], m_factorBoxes[row]}) {
            box->setReadOnly(!available);
            box->setFocusPolicy(available ? Qt::StrongFocus : Qt::NoFocus);
            QPalette palette = QApplication::palette(box);
            if (!available)
                colours::colourLikeWindow(palette);
            box->setPalette(palette);
        }
    }
}

// --- choosing a category -------------------------------------------------------------------------

bool CatalogueEditor::isListedCategoryChosen() const
{
    const int index = m_categoryBox->currentIndex();
    return index >= 0 && m_categoryBox->itemText(index) == m_categoryBox->currentText();
}

void CatalogueEditor::chooseCategory()
{
    const QString name = m_categoryBox->currentText();
    const bool listed = isListedCategoryChosen();
    // A new name that no catalogue file can carry is refused before anything else happens.
    if (!listed && !name.isEmpty() && name != QStringView(conversion::kTemperatureCategory)) {
        const QString refusal = catalogue::categoryFileRefusal(name);
        if (!refusal.isEmpty()) {
            platform::MsgBox(refusal);
            return;
        }
    }

    if (!offerToSave())
        return;

    if (name != QStringView(conversion::kTemperatureCategory) && listed) {
        loadExistingCategory(name);
    } else if (name == QStringView(conversion::kTemperatureCategory)) {
        clearUnitArea();
        platform::MsgBox(editor::kTemperatureRefusal);
    } else if (!name.isEmpty()) {
        createNewCategory(name);
    }
}

void CatalogueEditor::loadExistingCategory(const QString &name)
{
    clearUnitArea();
    QScopedValueRollback busy(m_rowsBusy, true);
    const platform::BusyPointerScope pointer;
    UnitCategory &category = currentCategory();
    category.setCategoryName(name);
    const qint16 last = category.load(catalogue::categoryFile(name), 2);
    if (last == -1)
        return;
    m_pager->setMaximum(last < 4 ? 0 : last - 3);

    for (int slot = category.firstIndex(), end = category.lastIndex(); slot <= end; ++slot) {
        if (category.unitFactor(qint16(slot)) == 1.0 && m_baseNameBox->text() == editor::kNoBaseUnit) {
            m_baseNameBox->setText(category.unitName(qint16(slot)));
            m_baseFactorBox->setText(conversion::factorText(category.unitFactor(qint16(slot))));
        }
        placeSlotInFirstEmptyRow(qint16(slot));
    }
    enableUnitArea();
    updateRowAvailability();
    setHelpText(editor::kExistingCategoryHelpText);
}

void CatalogueEditor::createNewCategory(const QString &name)
{
    if (platform::MsgBox(editor::kCreateCategoryQuestion + name, platform::Buttons::OKCancel,
                         platform::Icon::Question)
        == platform::Answer::Cancel)
        return;
    clearUnitArea();
    {
        QScopedValueRollback busy(m_rowsBusy, true);
        const platform::BusyPointerScope pointer;
        UnitCategory &category = currentCategory();
        category.setCategoryName(name);
        category.resize(0, 4, false);
        category.setUnit(editor::kBaseUnitPrompt, 1, 0);
        for (qint16 slot = 0; slot <= 4; ++slot) {
            if (m_baseNameBox->text() == editor::kNoBaseUnit) {
                m_baseNameBox->setText(category.unitName(slot));
                m_baseFactorBox->setText(QStringLiteral("1"));
            }
            placeSlotInFirstEmptyRow(slot);
        }
        enableUnitArea();
        updateRowAvailability();
    }
    // The prompt is selected, so that the name typed replaces it, also when the focus only
    // arrives once the editor is active again.
    moveFocusTo(m_nameBoxes[0]);
    setHelpText(editor::kNewCategoryHelpText);
}

qint16 CatalogueEditor::categoryKeyPress(qint16 key)
{
    if (key != keyCodes::kEnter)
        m_listNavigated = false; // typing makes the field's text the choice again
    const QChar typed = keyCodes::characterOf(key);
    if (key != 0 && catalogue::isRefusedCategoryCharacter(typed)) {
        platform::MsgBox(catalogue::refusedCategoryCharactersMessage());
        key = 0;
    } else if (keyCodes::isCharacter(key) && !catalogue::isCatalogueText(QString(typed))) {
        platform::MsgBox(catalogue::outsideCatalogueMessage(QStringLiteral("Category name"),
                                                            keyCodes::shownCharacter(key)));
        key = 0;
    } else if (key == keyCodes::kEnter) {
        chooseCategory();
    }
    return typeAhead::typeKey(m_categoryBox, key, true);
}
