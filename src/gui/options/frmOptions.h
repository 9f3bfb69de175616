#pragma once

#include <QDialog>

class Form1;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The options dialog: the five options of gOptions as check boxes, with OK, Cancel and Apply.
// It edits gOptions in memory only (the settings store is written at program end) and, when
// the compact-window option no longer matches the main window's layout, offers to switch it.
// Created for one opening and discarded when closed, so each opening starts from gOptions.
// Like the main window, its controls and handlers are public so that tests drive them directly.
class frmOptions : public QDialog {
    Q_OBJECT
public:
    // Creates the dialog over the main window and loads it (Form_Load); not yet shown.
    explicit frmOptions(Form1 &mainWindow);
    ~frmOptions() override;

    // Opens a new dialog modally over the main window and returns once it is closed and gone.
    // This is the opener the program installs for the main window's "&Options" entry.
    static void showModal(Form1 &mainWindow);

    // The load: centres the dialog on the screen and sets the check boxes from gOptions.
    void Form_Load();
    // "Remember last converter used" changed (by the user or by the load): the three boxes
    // that depend on it are enabled while it is checked, and disabled and unchecked otherwise.
    void ChbRLCU_Click();
    // Copies the check boxes into gOptions; offers to switch the main window's layout when the
    // compact-window option no longer matches it. The dialog stays open.
    void cmdApply_Click();
    // Apply, then close.
    void cmdOK_Click();
    // Close without applying (the close box and Escape do the same).
    void cmdCancel_Click();

    QGroupBox *frm1 = nullptr;
    QCheckBox *ChbRLCU = nullptr;
    QCheckBox *ChbRLUU = nullptr;
    QCheckBox *ChbRLCV = nullptr;
    QCheckBox *chbAutoCon = nullptr;
    QGroupBox *Frame1 = nullptr;
    QCheckBox *chbCompactForm = nullptr;
    QLabel *imgIcon = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdApply = nullptr;

private:
    void createControls();
    void centreOnScreen();
    // The three boxes that take effect only while "Remember last converter used" is checked.
    QList<QCheckBox *> dependentBoxes() const;

    Form1 &m_mainWindow;
};
