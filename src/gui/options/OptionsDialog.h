#pragma once

#include <QDialog>

class LayoutSwitch;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The options dialog: the five options of programOptions() as check boxes, with OK, Cancel and
// Apply. It edits the options in memory only (the settings store is written at program end)
// and, when the compact-window option no longer matches the main window's layout, offers to
// switch it. Created for one opening and discarded when closed, so each opening starts from the
// options as they are.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    // Creates the dialog over parent (the main window, whose layout switches through layout) and
    // loads it; not yet shown.
    OptionsDialog(QWidget *parent, LayoutSwitch &layout);
    ~OptionsDialog() override;

    // Opens a new dialog modally over parent and returns once it is closed and gone. This is the
    // opener the program installs for the main window's "&Options" entry.
    static void showModal(QWidget *parent, LayoutSwitch &layout);

    // Centres the dialog on the screen and sets the check boxes from the options.
    void load();
    // "Remember last converter used" changed (by the user or by the load): the three boxes
    // that depend on it are enabled while it is checked, and disabled and unchecked otherwise.
    void updateDependentBoxes();
    // Copies the check boxes into the options; offers to switch the main window's layout when
    // the compact-window option no longer matches it. The dialog stays open.
    void apply();
    // Apply, then close.
    void applyAndClose();

private:
    void createControls();
    // The three boxes that take effect only while "Remember last converter used" is checked.
    QList<QCheckBox *> dependentBoxes() const;

    LayoutSwitch &m_layout;
    QGroupBox *m_historyFrame = nullptr;
    QCheckBox *m_rememberCategoryBox = nullptr;
    QCheckBox *m_rememberUnitsBox = nullptr;
    QCheckBox *m_rememberValueBox = nullptr;
    QCheckBox *m_autoConvertBox = nullptr;
    QGroupBox *m_viewFrame = nullptr;
    QCheckBox *m_startCompactBox = nullptr;
    QLabel *m_icon = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_applyButton = nullptr;
};
