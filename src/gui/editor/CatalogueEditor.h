#pragma once

#include "core/catalogue/UnitCategory.h"
#include "core/platform/MessageBox.h"

#include <QDialog>
#include <QPointer>

#include <functional>

#include <array>
#include <memory>

class QComboBox;
class QGroupBox;
class QInputMethodEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;

// The catalogue editor "Add Custom Unit Convertion Factors": one category at a time, its
// slots shown five at a time in rows of a name box and a factor box, paged by a scroll bar.
// It tells the program what it changed by its signals; it knows no other window.
//
// Lifecycle: a new editor is idle until load() fills its category list. hideKeepingState() ends
// the modal display and keeps everything for the next opening; unloadAndHide() runs unload() and
// marks the editor unloaded, after which its owner destroys it (showEditor does) and the next
// opening creates a new one.
class CatalogueEditor : public QDialog {
    Q_OBJECT
public:
    explicit CatalogueEditor(QWidget *parent = nullptr);
    ~CatalogueEditor() override;

    // Shows the editor modally over owner: the one kept in editor when there is one (hidden,
    // with its state), otherwise a new one, handed to connect before its load(). Returns when the
    // editor is hidden or unloaded; an unloaded editor is destroyed here and editor becomes null.
    static void showEditor(QWidget &owner, QPointer<CatalogueEditor> &editor,
                           const std::function<void(CatalogueEditor &)> &connect = {});

    void load();
    void unload();
    // Ends the modal display and keeps the editor's state (the next opening shows it again).
    void hideKeepingState();
    // unload(), then ends the modal display; the owner destroys the editor.
    void unloadAndHide();
    bool isUnloaded() const { return m_unloaded; }

    // The category being edited, created (empty) on first use whenever it is absent.
    UnitCategory &currentCategory();
    bool hasCurrentCategory() const { return m_currentCategory != nullptr; }
    // Drops the category record without clearing it (the OK command's way).
    void discardCurrentCategory() { m_currentCategory.reset(); }

    void disableUnitArea();
    void enableUnitArea();
    // Back to idle: rows empty and disabled, range 0..0, base row "Base Unit", the category
    // record reset and discarded, the start help text.
    void clearUnitArea();

    // The category chooser: save offer, then the refusal of Temperature, loading a listed
    // category or creating a new one from the typed name.
    void chooseCategory();
    // A key typed into the category box (a key code); returns the code the box is to process.
    qint16 categoryKeyPress(qint16 key);
    // True when an item of the category list is chosen and the field still shows it.
    bool isListedCategoryChosen() const;

    // The unit rows.
    void showPage();
    // typed: the key's text when it is known (a character beyond 16 bits arrives as two units).
    qint16 nameKeyPress(int row, qint16 key, const QString &typed = QString());
    qint16 factorKeyPress(int row, qint16 key);
    // A box that loses the focus commits its text to the slot its row shows.
    void commitName(int row);
    void commitFactor(int row);
    void addUnit();
    // The category slot that a row shows, or -1 for a row that shows none (read-only).
    qint16 rowSlot(int row) const { return m_rowSlot.at(std::size_t(row)); }

    // The commands that end a visit or change the catalogue on disk.
    void saveAndClose();
    void cancel();
    void addCategory();
    void deleteCategory();
    void restoreDefaults();

    // The help text exactly as set (CR LF kept); the help box shows it with plain line breaks.
    const QString &helpText() const { return m_helpText; }
    void setHelpText(const QString &text);

signals:
    // A category was saved (and listed): the index may list one more.
    void categoriesChanged();
    // Categories were deleted or restored: the catalogue on disk is not what was shown.
    void catalogueReplaced();

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
    // categoriesChanged() follows a save.
    bool saveCurrentCategory();
    // The end of every restore: catalogueReplaced(), and the editor goes.
    void finishRestore();

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
    // Moves the focus to a box from code, as the Enter key and the factor question do, its text
    // selected whatever kind of focus event follows.
    void moveFocusTo(QLineEdit *box);

    QGroupBox *m_categoryFrame = nullptr;
    QComboBox *m_categoryBox = nullptr;
    QPushButton *m_addCategoryButton = nullptr;
    QPushButton *m_deleteCategoryButton = nullptr;
    QPushButton *m_restoreButton = nullptr;
    QGroupBox *m_unitFrame = nullptr;
    QLabel *m_nameCaption = nullptr;
    QLabel *m_factorCaption = nullptr;
    std::array<QLabel *, 6> m_rowCaptions{};
    QLineEdit *m_baseNameBox = nullptr;
    QLineEdit *m_baseFactorBox = nullptr;
    std::array<QLineEdit *, 5> m_nameBoxes{};
    std::array<QLineEdit *, 5> m_factorBoxes{};
    QScrollBar *m_pager = nullptr;
    QPushButton *m_addUnitButton = nullptr;
    QPlainTextEdit *m_helpBox = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QLabel *m_icon = nullptr;

    std::unique_ptr<UnitCategory> m_currentCategory;
    std::array<qint16, 5> m_rowSlot{-1, -1, -1, -1, -1};
    QString m_helpText;
    bool m_unloaded = false;
    // Set while the rows are rewritten or cleared from code: focus moving then commits nothing.
    bool m_rowsBusy = false;
    // Set while a row commits: a message box it shows moves no further commit.
    bool m_committing = false;
    // Set when the user moved through m_categoryBox's open list since typing into it last.
    bool m_listNavigated = false;
    // Set when the commit under way showed a message box.
    bool m_commitAsked = false;
};
