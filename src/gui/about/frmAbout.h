#pragma once

#include <QDialog>

#include <array>

class QFrame;
class QLabel;
class QPushButton;

// The about box: the program's title, version and purpose, a copying notice, and a button that
// starts the system-information program. Modal; open it with exec(). It reads nothing from the
// catalogue or the settings. The controls carry their design names as object names.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    // "Copyright © 2026 The Tallimer developers": the second line of lblTitle.
    static QString ownershipNotice();
    // The copying notice shown in lblWarning.
    static QString copyingNotice();

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    QLabel *picIcon = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *lblWarning = nullptr;
    std::array<QFrame *, 2> Line1{};
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;
};
