#include "core/base/AppInfo.h"
#include "core/platform/SettingsStore.h"
#include "core/settings/ProgramRecords.h"
#include "gui/mainwindow/MainWindow.h"
#include "support/Controls.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QApplication>
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
        m_systemFont = QApplication::font();
        m_form = std::make_unique<MainWindow>();
    }
    void cleanup()
    {
        m_form.reset();
        QApplication::setFont(m_systemFont);
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
        // The captions right of the category list keep a margin of 120 from it.
        QTest::newRow("ConvertNumName") << "ConvertNumName" << 2835.0 << 435.0 << -1.0;
        QTest::newRow("DecPlaceName") << "DecPlaceName" << 2775.0 << 875.0 << -1.0;
        QTest::newRow("DecPlace") << "DecPlace" << 4835.0 << 875.0 << -1.0;
        // The unit lists give up 60 and 55 to a margin of 120 between them.
        QTest::newRow("FromUnit") << "FromUnit" << 120.0 << 1595.0 << 3075.0;
        QTest::newRow("ConvertFromName") << "ConvertFromName" << 120.0 << 1355.0 << 3075.0;
        QTest::newRow("ToUnit") << "ToUnit" << 3315.0 << 1595.0 << 3320.0;
        QTest::newRow("ConvertToName") << "ConvertToName" << 3315.0 << 1355.0 << 3320.0;
        QTest::newRow("Convert") << "Convert" << 1962.5 << 2075.0 << 1215.0;
        QTest::newRow("Reset") << "Reset" << 3327.5 << 2075.0 << -1.0;
        QTest::newRow("Result") << "Result" << 905.0 << 2675.0 << -1.0;
        QTest::newRow("ResultName") << "ResultName" << 120.0 << 2655.0 << 735.0;
        QTest::newRow("Label2") << "Label2" << 2170.0 << 3000.0 << 2415.0;
        QTest::newRow("Label1") << "Label1" << 2775.0 << 120.0 << -1.0;
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
        QCOMPARE(child<QLabel>(*m_form, "Label1")->text(), QStringLiteral("&Select Converter Type from list on Left"));
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
        QCOMPARE(child<QLabel>(*m_form, "Label1")->text(), QStringLiteral("&Select Converter Type from List Below"));
    }

    // The controls keep the same margin from the window's left and right edges, and apart.
    void marginsAreEqualAndListsApart_data()
    {
        QTest::addColumn<bool>("compact");
        QTest::newRow("normal") << false;
        QTest::newRow("compact") << true;
    }
    void marginsAreEqualAndListsApart()
    {
        QFETCH(bool, compact);
        m_form->setCompactLayout(compact);
        const int margin = qRound(120 / 15.0);
        int right = 0;
        for (QWidget *control : layoutControls()) {
            if (control->objectName() != "Line1") // the separator spans the window
                right = std::max(right, control->geometry().right() + 1);
        }
        QCOMPARE(child<QListWidget>(*m_form, "UnitType")->x(), margin);
        QCOMPARE(m_form->width() - right, margin);
        if (compact) {
            // The caption right of the category list, and the to-unit list right of the from-unit list.
            const QRect categories = child<QListWidget>(*m_form, "UnitType")->geometry();
            QVERIFY(child<QLabel>(*m_form, "Label1")->x() - (categories.right() + 1) >= margin);
            const QRect fromUnits = child<QComboBox>(*m_form, "FromUnit")->geometry();
            QVERIFY(child<QComboBox>(*m_form, "ToUnit")->x() - (fromUnits.right() + 1) >= margin);
        } else {
            // The banner's right picture ends at the window's edge, not beyond it.
            QCOMPARE(child<QLabel>(*m_form, "Image3")->geometry().right() + 1, m_form->width());
        }
    }

    // At the designed font size and at a larger system font, the whole layout scales by the same
    // factor: no control overlaps another or leaves the window, every caption fits its control,
    // and the banner is drawn from a picture with as many pixels as it covers.
    void largerSystemFontScalesTheLayout_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<bool>("compact");
        QTest::newRow("designed font, normal") << 1.0 << false;
        QTest::newRow("designed font, compact") << 1.0 << true;
        QTest::newRow("font 1.5 times larger, normal") << 1.5 << false;
        QTest::newRow("font 1.5 times larger, compact") << 1.5 << true;
    }
    void largerSystemFontScalesTheLayout()
    {
        QFETCH(double, scale);
        QFETCH(bool, compact);
        QFont systemFont = QApplication::font();
        systemFont.setPixelSize(qRound(12 * scale));
        QApplication::setFont(systemFont);
        m_form = std::make_unique<MainWindow>();
        m_form->setCompactLayout(compact);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        const QSizeF designed = compact ? QSizeF(6875, 3800) : QSizeF(9720, 5625);
        QCOMPARE(m_form->size(), QSize(qRound((designed.width() - 120) * scale / 15), qRound((designed.height() - 465) * scale / 15)));

        const QList<QWidget *> controls = layoutControls();
        for (QWidget *control : controls) {
            QVERIFY2(m_form->rect().contains(control->geometry()), qPrintable(control->objectName()));
            for (QWidget *other : controls) {
                if (other != control)
                    QVERIFY2(!control->geometry().intersects(other->geometry()),
                             qPrintable(control->objectName() + " overlaps " + other->objectName()));
            }
            QVERIFY2(captionFits(control), qPrintable(control->objectName()));
        }
        for (QLabel *picture : {child<QLabel>(*m_form, "Image1"), child<QLabel>(*m_form, "Image3")}) {
            if (picture->isHidden())
                continue;
            QVERIFY(m_form->rect().contains(picture->geometry()));
            QVERIFY2(picture->pixmap().width() >= picture->width() * picture->devicePixelRatioF(), qPrintable(picture->objectName()));
        }
    }

    // After a switch, the chosen category is in sight in the list's new size.
    void chosenCategoryStaysInSightAcrossSwitches()
    {
        QVERIFY(m_form->load());
        auto *list = child<QListWidget>(*m_form, "UnitType");
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        for (const int row : {list->count() - 1, 0, list->count() / 2}) {
            list->setCurrentRow(row);
            for (int switches = 0; switches < 2; ++switches) {
                m_form->toggleCompactLayout();
                const QRect viewport = list->viewport()->rect();
                QTRY_VERIFY2(list->visualItemRect(list->item(row)).top() >= viewport.top()
                                 && list->visualItemRect(list->item(row)).bottom() <= viewport.bottom(),
                             qPrintable(list->item(row)->text()));
            }
        }
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
    // The controls the layouts place, without the banner's pictures (which overlap by design).
    QList<QWidget *> layoutControls() const
    {
        QList<QWidget *> controls;
        for (QWidget *control : m_form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            const bool picture = control->objectName() == "Image1" || control->objectName() == "Image3";
            if (!control->isHidden() && !control->isWindow() && !picture)
                controls.append(control);
        }
        return controls;
    }

    // A caption shows whole in its control, and a box has the height of a line of its text.
    static bool captionFits(const QWidget *control)
    {
        if (const auto *label = qobject_cast<const QLabel *>(control)) {
            if (label->wordWrap())
                return label->heightForWidth(label->width()) <= label->height();
            return label->sizeHint().width() <= label->width() && label->sizeHint().height() <= label->height();
        }
        if (const auto *button = qobject_cast<const QPushButton *>(control))
            return button->sizeHint().width() <= button->width() && button->sizeHint().height() <= button->height();
        if (qobject_cast<const QLineEdit *>(control) || qobject_cast<const QComboBox *>(control))
            return control->fontMetrics().height() + 4 <= control->height();
        return true;
    }

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<MainWindow> m_form;
    QFont m_systemFont;
};

QTEST_MAIN(TestMainWindowLayouts)
#include "tst_mainwindowlayouts.moc"
