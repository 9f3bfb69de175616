#include "core/base/AppInfo.h"
#include "core/platform/Registry.h"
#include "doubles/FakeSystemServices.h"
#include "gui/about/AboutDialog.h"
#include "support/AccessKeys.h"
#include "support/Readability.h"
#include "support/ShownBoxes.h"
#include "support/TestEnvironment.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>

class TestAboutDialog : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_environment = std::make_unique<TestEnvironment>();
        m_services = std::make_unique<FakeSystemServices>();
        m_about = std::make_unique<AboutDialog>();
    }
    void cleanup()
    {
        m_about.reset();
        m_services.reset();
        finishEnvironment(m_environment);
    }

    void namesAndAccessKeys()
    {
        for (QWidget *widget : m_about->findChildren<QWidget *>())
            QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
        QCOMPARE(accessKeys::windowFaults(*m_about), QStringList());
    }

    // The title's two lines stay two lines in the rich text that shows them.
    void titleOverTheOwnershipLine()
    {
        QTextDocument shown;
        shown.setHtml(m_about->findChild<QLabel *>("lblTitle")->text());
        QCOMPARE(shown.toPlainText(), app::appTitle() + "\n" + AboutDialog::ownershipNotice());
    }

    void readableInLightAndDarkThemes_data() { ThemeScope::addThemeRows(); }
    void readableInLightAndDarkThemes()
    {
        QFETCH(bool, dark);
        const ThemeScope scope(dark);
        AboutDialog about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const QStringList poor = readability::poorlyReadable(about);
        QVERIFY2(poor.isEmpty(), qPrintable(poor.join("; ")));
    }

    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("OK button") << "ok";
        QTest::newRow("Enter presses the default OK") << "enter";
        QTest::newRow("Escape") << "escape";
    }
    void closing()
    {
        QFETCH(QString, how);
        QVERIFY(m_about->isModal());
        QVERIFY(button("cmdOK")->isDefault()); // Enter presses it wherever the focus is
        m_about->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_about.get()));
        if (how == "ok")
            QTest::mouseClick(button("cmdOK"), Qt::LeftButton);
        else
            QTest::keyClick(m_about.get(), how == "enter" ? Qt::Key_Return : Qt::Key_Escape);
        QVERIFY(!m_about->isVisible());
        QVERIFY(m_services->starter().requested().isEmpty());
    }

    // System Info starts the program the registry names, or says that there is none; the
    // about box stays open.
    void systemInfo_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("named in the registry") << "C:\\msinfo32.exe";
        QTest::newRow("not named") << "";
    }
    void systemInfo()
    {
        QFETCH(QString, program);
        if (!program.isEmpty())
            m_services->registry().setText(platform::kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                                           "PATH", program);
        else
            m_environment->boxes().expectOK();
        m_about->show();
        QTest::mouseClick(button("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(m_services->starter().started(), program.isEmpty() ? QStringList() : QStringList{program});
        QList<platform::MessageBoxRequest> boxes;
        if (program.isEmpty())
            boxes.append({"System Information Is Unavailable At This Time", platform::Buttons::OK,
                          platform::Icon::None, app::appTitle()});
        QCOMPARE(m_environment->boxes().shown(), boxes);
        QVERIFY(m_about->isVisible());
    }

private:
    QPushButton *button(const char *name) { return m_about->findChild<QPushButton *>(QLatin1String(name)); }

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<FakeSystemServices> m_services;
    std::unique_ptr<AboutDialog> m_about;
};

QTEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
