#include "gui/editor/frmAddUnit.h"

#include "core/base/Failure.h"
#include "core/base/ReportError.h"
#include "core/catalogue/CatalogueNames.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/text/CatalogueText.h"
#include "core/text/NumberText.h"
#include "gui/widgets/ClassicKeys.h"
#include "gui/editor/EditorTexts.h"
#include "gui/widgets/AutoCompleteComboBoxModule.h"
#include "gui/mainwindow/Form1.h"
#include "core/platform/MessageBox.h"
#include "gui/platform/BusyPointer.h"

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

frmAddUnit::frmAddUnit(Form1 &mainForm, QWidget *parent)
    : QDialog(parent)
    , m_mainForm(mainForm)
{
    setObjectName(QStringLiteral("frmAddUnit"));
    setWindowTitle(QStringLiteral("Add Custom Unit Convertion Factors"));
    QFont font(QStringLiteral("Verdana"));
    font.setStyleHint(QFont::SansSerif); // the default sans where Verdana is missing
    font.setPixelSize(12);
    setFont(font);
    createControls();
    layOutControls();
    connectHandlers();
}

frmAddUnit::~frmAddUnit()
{
    // The controls are destroyed after this object: a box losing the focus then (the category
    // field commits its text and says so) must not reach a handler of an editor that is gone.
    for (QWidget *control : findChildren<QWidget *>())
        control->blockSignals(true);
}

void frmAddUnit::showEditor(Form1 &mainForm, QPointer<frmAddUnit> &editor)
{
    if (!editor) {
        editor = new frmAddUnit(mainForm, &mainForm);
        editor->Form_Load();
    }
    editor->exec();
    if (editor && editor->isUnloaded())
        delete editor.data();
}

// --- lifecycle -----------------------------------------------------------------------------------

void frmAddUnit::Form_Load()
{
    DisableUnitControls();
    setExplainText(editor::kStartHelpText);
    if (!m_mainForm.loadComboFromFile(catalogue::indexFile(), UnitSelect, true, false)) {
        VScroll1->setMinimum(0);
        VScroll1->setValue(0);
        VScroll1->setMaximum(0);
        updateRowLabels();
    }
}

void frmAddUnit::Form_Unload()
{
    currentCategory().RestClass();
    m_currentCategory.reset();
}

void frmAddUnit::HideForm()
{
    hide();
}

void frmAddUnit::UnloadForm()
{
    Form_Unload();
    m_unloaded = true;
    hide();
}

void frmAddUnit::CancelButton_Click()
{
    UnloadForm();
}

void frmAddUnit::reject()
{
    CancelButton_Click();
}

void frmAddUnit::keyPressEvent(QKeyEvent *event)
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

CUnitCategory &frmAddUnit::currentCategory()
{
    if (!m_currentCategory)
        m_currentCategory = std::make_unique<CUnitCategory>();
    return *m_currentCategory;
}

void frmAddUnit::setExplainText(const QString &text)
{
    m_explainText = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lblexplain->setPlainText(shown);
}

// --- the unit area -------------------------------------------------------------------------------

void frmAddUnit::DisableUnitControls()
{
    QScopedValueRollback busy(m_rowsBusy, true);
    for (QWidget *control : std::initializer_list<QWidget *>{Frame2, Label2, Label3, txtBaseUnit, txtBaseFactor,
                                                              AddUnit, VScroll1})
        control->setEnabled(false);
    for (QLineEdit *box : txtUnitName)
        box->setEnabled(false);
    for (QLabel *label : UnitNum)
        label->setEnabled(false);
    VScroll1->setMinimum(0);
    VScroll1->setValue(0);
    VScroll1->setMaximum(0);
}

void frmAddUnit::EnableUnitControls()
{
    for (QWidget *control : std::initializer_list<QWidget *>{Frame2, Label2, Label3, txtBaseUnit, txtBaseFactor,
                                                              AddUnit, VScroll1})
        control->setEnabled(true);
    for (QLineEdit *box : txtUnitName)
        box->setEnabled(true);
    for (QLabel *label : UnitNum)
        label->setEnabled(true);
}

void frmAddUnit::ClearUnitForm()
{
    QScopedValueRollback busy(m_rowsBusy, true);
    DisableUnitControls();
    VScroll1->setMinimum(0);
    VScroll1->setValue(0);
    VScroll1->setMaximum(0);
    for (int row = 0; row < 5; ++row) {
        txtUnitName[row]->clear();
        txtUnitFactor[row]->clear();
    }
    txtBaseUnit->setText(editor::kNoBaseUnit);
    txtBaseFactor->clear();
    currentCategory().RestClass();
    m_currentCategory.reset();
    m_rowSlot.fill(-1);
    updateRowAvailability();
    setExplainText(editor::kStartHelpText);
}

bool frmAddUnit::slotExists(qint16 slot) const
{
    if (slot < 0 || !m_currentCategory || !m_currentCategory->isAllocated())
        return false;
    return slot >= m_currentCategory->LBoundUnits() && slot <= m_currentCategory->UBoundUnits();
}

void frmAddUnit::showSlotInRow(int row, qint16 slot)
{
    txtUnitName[row]->setText(currentCategory().getUnitName(slot));
    txtUnitFactor[row]->setText(conversion::factorText(currentCategory().getUnitFactor(slot)));
    m_rowSlot[row] = slot;
}

void frmAddUnit::placeSlotInFirstEmptyRow(qint16 slot)
{
    for (int row = 0; row < 5; ++row) {
        if (txtUnitName[row]->text().isEmpty()) {
            showSlotInRow(row, slot);
            return;
        }
    }
}

void frmAddUnit::updateRowLabels()
{
    const int first = VScroll1->value();
    for (int row = 0; row < 5; ++row) {
        const QString unit = QStringLiteral("Unit %1").arg(first + row + 1);
        UnitNum[row + 1]->setText(unit + QLatin1Char(':'));
        txtUnitName[row]->setAccessibleName(unit + QStringLiteral(" name"));
        txtUnitFactor[row]->setAccessibleName(unit + QStringLiteral(" factor"));
    }
}

void frmAddUnit::updateRowAvailability()
{
    // A row that shows no slot of the category is read-only, grey and skipped by Tab.
    for (int row = 0; row < 5; ++row) {
        const bool available = m_rowSlot[row] >= 0;
        for (QLineEdit *box : {txtUnitName[row], txtUnitFactor[row]}) {
            box->setReadOnly(!available);
            box->setFocusPolicy(available ? Qt::StrongFocus : Qt::NoFocus);
            QPalette palette = QApplication::palette(box);
            if (!available)
                palette.setBrush(QPalette::Base, palette.brush(QPalette::Window));
            box->setPalette(palette);
        }
    }
}

// --- choosing a category -------------------------------------------------------------------------

bool frmAddUnit::UnitSelectHasSelection() const
{
    const int index = UnitSelect->currentIndex();
    return index >= 0 && UnitSelect->itemText(index) == UnitSelect->currentText();
}

void frmAddUnit::UnitSelect_Click()
{
    const QString name = UnitSelect->currentText();
    const bool listed = UnitSelectHasSelection();
    // A new name that no catalogue file can carry is refused before anything else happens.
    if (!listed && !name.isEmpty() && name != editor::kTemperatureCategory) {
        const QString refusal = catalogue::categoryNameRefusal(name);
        if (!refusal.isEmpty()) {
            platform::MsgBox(refusal);
            return;
        }
    }

    if (!offerToSave())
        return;

    if (name != editor::kTemperatureCategory && listed) {
        loadExistingCategory(name);
    } else if (name == editor::kTemperatureCategory) {
        ClearUnitForm();
        platform::MsgBox(editor::kTemperatureRefusal);
    } else if (!name.isEmpty()) {
        createNewCategory(name);
    }
}

void frmAddUnit::loadExistingCategory(const QString &name)
{
    ClearUnitForm();
    QScopedValueRollback busy(m_rowsBusy, true);
    const platform::BusyPointerScope pointer;
    CUnitCategory &category = currentCategory();
    category.setCategoryName(name);
    const qint16 last = category.LoadFromFile(catalogue::categoryFile(name), 2);
    if (last == -1)
        return;
    VScroll1->setMaximum(last < 4 ? 0 : last - 3);

    for (int slot = category.LBoundUnits(), end = category.UBoundUnits(); slot <= end; ++slot) {
        if (category.getUnitFactor(qint16(slot)) == 1.0 && txtBaseUnit->text() == editor::kNoBaseUnit) {
            txtBaseUnit->setText(category.getUnitName(qint16(slot)));
            txtBaseFactor->setText(conversion::factorText(category.getUnitFactor(qint16(slot))));
        }
        placeSlotInFirstEmptyRow(qint16(slot));
    }
    EnableUnitControls();
    updateRowAvailability();
    setExplainText(editor::kExistingCategoryHelpText);
}

void frmAddUnit::createNewCategory(const QString &name)
{
    if (platform::MsgBox(editor::kCreateCategoryQuestion + name, platform::Buttons::OKCancel,
                         platform::Icon::Question)
        == platform::Answer::Cancel)
        return;
    ClearUnitForm();
    {
        QScopedValueRollback busy(m_rowsBusy, true);
        const platform::BusyPointerScope pointer;
        CUnitCategory &category = currentCategory();
        category.setCategoryName(name);
        category.ReDimUnits(0, 4, false);
        category.setUnit(editor::kBaseUnitPrompt, 1, 0);
        for (qint16 slot = 0; slot <= 4; ++slot) {
            if (txtBaseUnit->text() == editor::kNoBaseUnit) {
                txtBaseUnit->setText(category.getUnitName(slot));
                txtBaseFactor->setText(QStringLiteral("1"));
            }
            placeSlotInFirstEmptyRow(slot);
        }
        EnableUnitControls();
        updateRowAvailability();
    }
    txtUnitName[0]->setFocus(Qt::OtherFocusReason);
    setExplainText(editor::kNewCategoryHelpText);
}

qint16 frmAddUnit::UnitSelect_KeyPress(qint16 KeyAscii)
{
    if (KeyAscii != classicKeys::kEnter)
        m_listNavigated = false; // typing makes the field's text the choice again
    const QChar typed = classicKeys::characterOf(KeyAscii);
    if (KeyAscii != 0 && catalogue::isRefusedCategoryCharacter(typed)) {
        platform::MsgBox(catalogue::refusedCategoryCharactersMessage());
        KeyAscii = 0;
    } else if (classicKeys::isCharacter(KeyAscii) && !catalogue::isCatalogueText(QString(typed))) {
        platform::MsgBox(catalogue::outsideCatalogueMessage(QStringLiteral("Category name"),
                                                            classicKeys::shownCharacter(KeyAscii)));
        KeyAscii = 0;
    } else if (KeyAscii == classicKeys::kEnter) {
        UnitSelect_Click();
    }
    return AutoCompleteComboBoxModule::AutoCompleteComboBox(UnitSelect, KeyAscii, true);
}
