#include "core/base/AppInfo.h"
#include "core/platform/SettingsStore.h"
#include "core/settings/ProgramRecords.h"
#include "gui/mainwindow/MainWindow.h"
#include "support/Controls.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>

class TestMainWindowLayouts : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_environment = std::make_unique<TestEnvironment>();
        m_form = std::make_unique<MainWindow>();
    }
    void cleanup()
    {
        m_form.reset();
        releaseProgramRecords();
        finishEnvironment(m_environment);
    }

    void compactLayoutPlacesEveryControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("width");
        QTest::newRow("UnitType") << "UnitType" << 120.0 << 120.0 << 2535.0;
        QTest::newRow("ConvertNum") << "ConvertNum" << 4835.0 << 435.0 << 1800.0;
        QTest::newRow("ConvertNumName") << "ConvertNumName" << 2755.0 << 435.0 << -1.0;
        QTest::newRow("DecPlaceName") << "DecPlaceName" << 2695.0 << 875.0 << -1.0;
        QTest::newRow("DecPlace") << "DecPlace" << 4835.0 << 875.0 << -1.0;
        QTest::newRow("FromUnit") << "FromUnit" << 120.0 << 1595.0 << 3135.0;
        QTest::newRow("ConvertFromName") << "ConvertFromName" << 120.0 << 1355.0 << 3135.0;
        QTest::newRow("ToUnit") << "ToUnit" << 3260.0 << 1595.0 << 3375.0;
        QTest::newRow("ConvertToName") << "ConvertToName" << 3260.0 << 1355.0 << 3375.0;
        QTest::newRow("Convert") << "Convert" << 1962.5 << 2075.0 << 1215.0;
        QTest::newRow("Reset") << "Reset" << 3327.5 << 2075.0 << -1.0;
        QTest::newRow("Result") << "Result" << 905.0 << 2675.0 << -1.0;
        QTest::newRow("ResultName") << "ResultName" << 120.0 << 2655.0 << 735.0;
        QTest::newRow("Label2") << "Label2" << 2170.0 << 3000.0 << 2415.0;
        QTest::newRow("Label1") << "Label1" << 2705.0 << 120.0 << -1.0;
    }
    void compactLayoutPlacesEveryControl()
    {
        QFETCH(QString, control);
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(double, width);
        m_form->toggleCompactLayout();
        auto *widget = m_form->findChild<QWidget *>(control);
        QVERIFY(widget);
        const QRectF twips = m_form->twipsGeometry(widget);
        QCOMPARE(twips.left(), left);
        QCOMPARE(twips.top(), top);
        if (width >= 0)
            QCOMPARE(twips.width(), width);
        QCOMPARE(widget->geometry().topLeft(), QPoint(qRound(left / 15), qRound(top / 15)));
        QCOMPARE(m_form->twipsGeometry(child<QListWidget>(*m_form, "UnitType")).height(), 1200.0);
    }

    void compactWindowIsItsDesignedSizeWithoutBanner()
    {
        m_form->toggleCompactLayout();
        QCOMPARE(m_form->windowSizeTwips(), QSizeF(6875, 3800));
        QVERIFY(child<QLabel>(*m_form, "Image1")->isHidden());
        QVERIFY(child<QLabel>(*m_form, "Image3")->isHidden());
        QVERIFY(child<QFrame>(*m_form, "Line1")->isHidden());
        QVERIFY(!m_form->showsNormalLayout());
        QCOMPARE(child<QLabel>(*m_form, "Label1")->text(), QStringLiteral("Select Converter Type from list on Left"));
        // Every control stays inside the smaller window.
        for (QWidget *child : m_form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!child->isHidden() && child->isWidgetType() && !child->isWindow())
                QVERIFY2(m_form->rect().contains(child->geometry()), qPrintable(child->objectName()));
        }
    }

    void switchingBackRestoresTheDesign()
    {
        QHash<QString, QRectF> twips;
        QHash<QString, QRect> pixels;
        const QList<QWidget *> children = m_form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (QWidget *child : children) {
            twips.insert(child->objectName(), m_form->twipsGeometry(child));
            pixels.insert(child->objectName(), child->geometry());
        }
        const QSize size = m_form->size();
        for (int round = 0; round < 2; ++round) {
            m_form->toggleCompactLayout();
            m_form->toggleCompactLayout();
        }
        for (QWidget *child : children) {
            QCOMPARE(m_form->twipsGeometry(child), twips.value(child->objectName()));
            QCOMPARE(child->geometry(), pixels.value(child->objectName()));
        }
        QCOMPARE(m_form->size(), size);
        QCOMPARE(m_form->windowSizeTwips(), QSizeF(9720, 5625));
        QVERIFY(!child<QLabel>(*m_form, "Image1")->isHidden());
        QVERIFY(!child<QFrame>(*m_form, "Line1")->isHidden());
        QCOMPARE(child<QLabel>(*m_form, "Label1")->text(), QStringLiteral("Select Converter Type from List Below"));
    }

    void menuNamesTheOtherLayout()
    {
        for (int switches = 0; switches < 5; ++switches) {
            const QString expected = switches % 2 == 0 ? "&Compact Window" : "&Normal Window";
            QCOMPARE(child<QAction>(*m_form, "mnuForm")->text(), expected);
            child<QAction>(*m_form, "mnuForm")->trigger();
        }
    }

    void everySwitchCentresTheWindow()
    {
        m_form->show();
        m_form->move(0, 0);
        m_form->toggleCompactLayout();
        const QRect screen = m_form->screen()->geometry();
        const int width = qRound(6875 / 15.0);
        QCOMPARE(m_form->pos().x(), screen.left() + (screen.width() - width) / 2);
    }

    void startsCompactWhenTheOptionIsSet()
    {
        platform::settingsStore().write(app::programBaseName(), "Options", "Compact Form", "True");
        QVERIFY(m_form->load());
        QVERIFY(!m_form->showsNormalLayout());
        QCOMPARE(m_form->windowSizeTwips(), QSizeF(6875, 3800));
        QCOMPARE(child<QAction>(*m_form, "mnuForm")->text(), QStringLiteral("&Normal Window"));
    }

    void alwaysOnTopSurvivesLayoutSwitches()
    {
        m_form->show();
        child<QAction>(*m_form, "mnuATop")->trigger();
        QVERIFY(child<QAction>(*m_form, "mnuATop")->isChecked());
        QVERIFY(m_form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(m_form->isVisible());
        m_form->toggleCompactLayout();
        m_form->toggleCompactLayout();
        QVERIFY(child<QAction>(*m_form, "mnuATop")->isChecked());
        QVERIFY(m_form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        child<QAction>(*m_form, "mnuATop")->trigger();
        QVERIFY(!m_form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(m_form->isVisible());
    }

    void windowCannotBeResizedOrMaximised()
    {
        QVERIFY(!m_form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
        m_form->toggleCompactLayout();
        QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<MainWindow> m_form;
};

QTEST_MAIN(TestMainWindowLayouts)
#include "tst_mainwindowlayouts.moc"
