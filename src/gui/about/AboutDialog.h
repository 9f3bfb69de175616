#pragma once

#include <QDialog>

#include <array>

class QFrame;
class QLabel;
class QPushButton;

// The about box: the program's title, version and purpose, a copying notice, and a button that
// starts the system-information program. Modal; open it with exec(). It reads nothing from the
// catalogue or the settings.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // "Copyright © 2026 The Tallimer developers": the second line of m_title.
    static QString ownershipNotice();
    // The copying notice shown in m_copyingNotice.
    static QString copyingNotice();

private:
    void fillTexts();
    void startSystemInformation();

    QLabel *m_icon = nullptr;
    QLabel *m_title = nullptr;
    QLabel *m_version = nullptr;
    QLabel *m_description = nullptr;
    QLabel *m_copyingNotice = nullptr;
    std::array<QFrame *, 2> m_separators{};
    QPushButton *m_okButton = nullptr;
    QPushButton *m_systemInfoButton = nullptr;
};
