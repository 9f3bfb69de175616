#pragma once

#include "core/catalogue/CUnitCategory.h"
#include "core/platform/MessageBox.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <memory>

class Form1;
class QComboBox;
class QGroupBox;
class QInputMethodEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;

// The custom unit editor "Add Custom Unit Convertion Factors": one category at a time, its
// slots shown five at a time in rows of a name box and a factor box, paged by VScroll1.
//
// Like the classic form it models, its controls and handlers are public: the main window's menu
// opens it through showEditor(), and the category commands act on it directly.
//
// Lifecycle: a new editor is idle until Form_Load fills its category list. HideForm ends the
// modal display and keeps everything for the next opening; UnloadForm runs Form_Unload and marks
// the editor unloaded, after which its owner destroys it (showEditor does) and the next opening
// creates a new one.
class frmAddUnit : public QDialog {
    Q_OBJECT
public:
    explicit frmAddUnit(Form1 &mainForm, QWidget *parent = nullptr);
    ~frmAddUnit() override;

    // Shows the editor modally over the main window: the one kept in editor when there is one
    // (hidden, with its state), otherwise a new one after its Form_Load. Returns when the editor
    // is hidden or unloaded; an unloaded editor is destroyed here and editor becomes null.
    static void showEditor(Form1 &mainForm, QPointer<frmAddUnit> &editor);

    // The main window whose category list the editor reads and refreshes.
    Form1 &mainForm() const { return m_mainForm; }

    void Form_Load();
    void Form_Unload();
    // Ends the modal display and keeps the editor's state (the next opening shows it again).
    void HideForm();
    // Form_Unload, then ends the modal display; the owner destroys the editor.
    void UnloadForm();
    bool isUnloaded() const { return m_unloaded; }

    // The category being edited, created (empty) on first use whenever it is absent.
    CUnitCategory &currentCategory();
    bool hasCurrentCategory() const { return m_currentCategory != nullptr; }
    // Drops the category record without RestClass (the OK command's way).
    void discardCurrentCategory() { m_currentCategory.reset(); }

    void DisableUnitControls();
    void EnableUnitControls();
    // Back to idle: rows empty and disabled, range 0..0, base row "Base Unit", the category
    // record reset and discarded, the start help text.
    void ClearUnitForm();

    // The category chooser: save offer, then the refusal of Temperature, loading a listed
    // category or creating a new one from the typed name.
    void UnitSelect_Click();
    // A key typed into UnitSelect (classic key code); returns the code the combo is to process.
    qint16 UnitSelect_KeyPress(qint16 KeyAscii);
    // True when an item of UnitSelect's list is chosen and the field still shows it.
    bool UnitSelectHasSelection() const;

    // The unit rows.
    void VScroll1_Change();
    void txtUnitName_GotFocus(int Index);
    void txtUnitFactor_GotFocus(int Index);
    void txtBaseUnit_GotFocus();
    // typed: the key's text when it is known (a character beyond 16 bits arrives as two units).
    qint16 txtUnitName_KeyPress(int Index, qint16 KeyAscii, const QString &typed = QString());
    qint16 txtUnitFactor_KeyPress(int Index, qint16 KeyAscii);
    void txtUnitName_LostFocus(int Index);
    void txtUnitFactor_LostFocus(int Index);
    void AddUnit_Click();
    // The category slot that row Index shows, or -1 for a row that shows none (read-only).
    qint16 rowSlot(int Index) const { return m_rowSlot.at(std::size_t(Index)); }

    // The commands that end a visit or change the catalogue on disk.
    void OKButton_Click();
    void CancelButton_Click();
    void AddCategory_Click();
    void deleteCategory_Click();
    void ReDefault_Click();

    // The help text exactly as set (CR LF kept); lblexplain shows it with plain line breaks.
    const QString &explainText() const { return m_explainText; }
    void setExplainText(const QString &text);

    QGroupBox *Frame1 = nullptr;
    QComboBox *UnitSelect = nullptr;
    QPushButton *AddCategory = nullptr;
    QPushButton *deleteCategory = nullptr;
    QPushButton *ReDefault = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    std::array<QLabel *, 6> UnitNum{};
    QLineEdit *txtBaseUnit = nullptr;
    QLineEdit *txtBaseFactor = nullptr;
    std::array<QLineEdit *, 5> txtUnitName{};
    std::array<QLineEdit *, 5> txtUnitFactor{};
    QScrollBar *VScroll1 = nullptr;
    QPushButton *AddUnit = nullptr;
    QPlainTextEdit *lblexplain = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QLabel *Image1 = nullptr;

public slots:
    // Closing the window (Escape is not a way out: it would drop the edits unasked).
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void layOutControls();
    void connectHandlers();

    // Asks before switching away from a changed category; Yes saves it (and lists it). False when
    // the switch must not happen: Cancel, or a save that failed.
    bool offerToSave();
    // Writes the category being edited and lists it in the index, telling the user of a failure;
    // the main window's category list is reloaded after a save.
    bool saveCurrentCategory();
    // The end of every restore: the main window shows the catalogue afresh, the editor goes.
    void finishRestore();
    void reloadMainCategories();

    void loadExistingCategory(const QString &name);
    void createNewCategory(const QString &name);
    // Puts a slot into the first row whose name box is empty (the loading row rule).
    void placeSlotInFirstEmptyRow(qint16 slot);
    void showSlotInRow(int row, qint16 slot);
    // Row captions and the boxes' read-only state after the rows' slots changed.
    void updateRowLabels();
    void updateRowAvailability();
    bool slotExists(qint16 slot) const;

    bool handleKeyPress(QObject *watched, QKeyEvent *event);
    bool handleInputMethod(QObject *watched, QInputMethodEvent *event);
    int rowOf(const std::array<QLineEdit *, 5> &boxes, const QObject *watched) const;
    // A message box shown by a commit (noted, so that the click that moved the focus is dropped).
    platform::Answer askDuringCommit(const QString &text, platform::Buttons buttons, platform::Icon icon);
    // Moves the focus to a box from code, as the Enter key and the factor question do.
    void moveFocusTo(QLineEdit *box);

    Form1 &m_mainForm;
    std::unique_ptr<CUnitCategory> m_currentCategory;
    std::array<qint16, 5> m_rowSlot{-1, -1, -1, -1, -1};
    QString m_explainText;
    bool m_unloaded = false;
    // Set while the rows are rewritten or cleared from code: focus moving then commits nothing.
    bool m_rowsBusy = false;
    // Set while a row commits: a message box it shows moves no further commit.
    bool m_committing = false;
    // Set when the user moved through UnitSelect's open list since typing into it last.
    bool m_listNavigated = false;
    // Set when the commit under way showed a message box.
    bool m_commitAsked = false;
};
