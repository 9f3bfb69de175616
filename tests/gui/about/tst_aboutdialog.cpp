#include "core/platform/Registry.h"
#include "doubles/FakeSystemServices.h"
#include "gui/about/AboutDialog.h"
#include "support/AccessKeys.h"
#include "support/Readability.h"
#include "support/TestEnvironment.h"

#include <QAccessible>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
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

    void texts_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("expected");
        QTest::newRow("version without leading zeros") << "lblVersion" << "Version 1.3.0";
        QTest::newRow("description with two spaces before unit types")
            << "lblDescription" << "This application is used for converting between  unit types";
        QTest::newRow("copying notice") << "lblWarning" << AboutDialog::copyingNotice();
    }
    void texts()
    {
        QFETCH(QString, control);
        QFETCH(QString, expected);
        auto *label = m_about->findChild<QLabel *>(control);
        QVERIFY(label);
        QCOMPARE(label->text(), expected);
        QCOMPARE(label->textFormat(), Qt::PlainText);
    }

    void titleOverTheOwnershipLine()
    {
        auto *label = m_about->findChild<QLabel *>(QStringLiteral("lblTitle"));
        QVERIFY(label);
        QTextDocument shown;
        shown.setHtml(label->text());
        QCOMPARE(shown.toPlainText(), "Tallimer\n" + AboutDialog::ownershipNotice());
    }

    void captionNamesTheApplication() { QCOMPARE(m_about->windowTitle(), QStringLiteral("About Tallimer")); }

    void showsTheIconAndTwoLines()
    {
        auto *icon = m_about->findChild<QLabel *>(QStringLiteral("picIcon"));
        QVERIFY(icon);
        QVERIFY(!icon->pixmap().isNull());
        QCOMPARE(m_about->findChildren<QFrame *>(QStringLiteral("Line1")).size(), 2);
    }

    void everyControlHasAnAccessibleName()
    {
        for (QWidget *widget : m_about->findChildren<QWidget *>())
            QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
        QCOMPARE(accessKeys::windowFaults(*m_about), QStringList());
        QCOMPARE(button("cmdOK")->accessibleName(), QStringLiteral("OK"));
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
        QVERIFY(button("cmdOK")->isDefault());
        m_about->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_about.get()));
        if (how == QLatin1String("ok"))
            QTest::mouseClick(button("cmdOK"), Qt::LeftButton);
        else
            QTest::keyClick(m_about.get(), how == QLatin1String("enter") ? Qt::Key_Return : Qt::Key_Escape);
        QVERIFY(!m_about->isVisible());
        QVERIFY(m_services->starter().requested().isEmpty());
    }

    void systemInfoStartsTheProgram()
    {
        m_services->registry().setText(platform::kHKeyLocalMachine,
                                       QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                                       QStringLiteral("PATH"), QStringLiteral("C:\\msinfo32.exe"));
        m_about->show();
        QTest::mouseClick(button("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(m_services->starter().started(), QStringList{"C:\\msinfo32.exe"});
        // The about box stays open.
        QVERIFY(m_about->isVisible());
    }

    void systemInfoWithoutTheProgramSaysSo()
    {
        m_environment->boxes().expectOK();
        m_about->show();
        QTest::mouseClick(button("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(m_environment->boxes().shownTexts(),
                 QStringList{"System Information Is Unavailable At This Time"});
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
