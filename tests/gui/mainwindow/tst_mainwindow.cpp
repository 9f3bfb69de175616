#include "core/base/AppInfo.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/platform/SettingsStore.h"
#include "core/settings/ProgramRecords.h"
#include "doubles/FakeSystemServices.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/mainwindow/MainWindowTest.h"
#include "support/AccessKeys.h"
#include "support/Controls.h"
#include "support/ConversionCases.h"
#include "support/ListItems.h"
#include "support/Readability.h"
#include "support/TestEnvironment.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <utility>

namespace {

const QByteArray kLengthFile("1^Meter\r\n0.3048^Foot\r\n1000^Kilometer\r\n");

QString boolText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

void writeOptions(bool rluc, bool rluu = false, bool rluv = false, bool autoCon = false, bool compact = false)
{
    auto &store = platform::settingsStore();
    const QString application = app::programBaseName();
    store.write(application, "Options", "Remember Last Converter", boolText(rluc));
    store.write(application, "Options", "Remember Last Units", boolText(rluu));
    store.write(application, "Options", "Remember Last Value", boolText(rluv));
    store.write(application, "Options", "Auto Convert", boolText(autoCon));
    store.write(application, "Options", "Compact Form", boolText(compact));
}

void writeHistory(int converter, int fromUnit, int toUnit, const QString &value)
{
    auto &store = platform::settingsStore();
    const QString application = app::programBaseName();
    store.write(application, "History", "Last Converter", QString::number(converter));
    store.write(application, "History", "Last From Unit", QString::number(fromUnit));
    store.write(application, "History", "Last To Unit", QString::number(toUnit));
    store.write(application, "History", "Last Value", value);
}

QString stored(const QString &section, const QString &key)
{
    return platform::settingsStore().read(app::programBaseName(), section, key, "<absent>");
}

// The Menu key: the window system asks the window for a context menu, and the window passes the
// request on to the control that has the focus.
void pressMenuKey(QWidget &window)
{
    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QCoreApplication::sendEvent(window.windowHandle(), &request);
}

QRect globalGeometry(const QWidget *control)
{
    return QRect(control->mapToGlobal(QPoint(0, 0)), control->size());
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { mainwindowtest::start(m_environment); }
    void cleanup() { mainwindowtest::finish(m_form, m_environment); }

    void firstRunShowsTheCategoriesAndNothingElse()
    {
        QVERIFY(load());
        QVERIFY(child<QListWidget>(*m_form, "UnitType")->count() >= 20);
        QCOMPARE(child<QListWidget>(*m_form, "UnitType")->item(0)->text(), QStringLiteral("Acceleration"));
        QCOMPARE(m_form->categoryIndex(), -1);
        for (QWidget *control : conversionControls())
            QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
        QCOMPARE(child<QComboBox>(*m_form, "DecPlace")->currentText(), QStringLiteral("5"));
        QCOMPARE(child<QComboBox>(*m_form, "DecPlace")->count(), 9);
        QCOMPARE(child<QLineEdit>(*m_form, "ConvertNum")->text(), QStringLiteral("1"));
        QCOMPARE(child<QLineEdit>(*m_form, "Result")->text(), QString());
        QCOMPARE(m_form->windowTitle(), app::programBaseName() + " Version 1.3.0");
        QVERIFY(!child<QAction>(*m_form, "mnuInvert")->isEnabled());
        QVERIFY(!child<QAction>(*m_form, "mnuATop")->isChecked());
    }

    void categoriesAreSortedWithoutCaseAndBlankLinesAreIgnored()
    {
        m_environment->writeFile("bin/unitType.ucr", "Length\r\narea\r\n\r\nMass\r\n");
        QVERIFY(load());
        QStringList shown;
        for (int i = 0; i < child<QListWidget>(*m_form, "UnitType")->count(); ++i)
            shown.append(child<QListWidget>(*m_form, "UnitType")->item(i)->text());
        QCOMPARE(shown, (QStringList{"area", "Length", "Mass"}));
    }

    void rememberConverterWithNothingRememberedLeavesControlsEnabled()
    {
        writeOptions(true);
        writeHistory(-1, -1, -1, "1");
        QVERIFY(load());
        QCOMPARE(m_form->categoryIndex(), -1);
        QCOMPARE(child<QComboBox>(*m_form, "FromUnit")->count(), 0);
        QVERIFY(child<QPushButton>(*m_form, "Convert")->isEnabled());
    }

    void fullRestoreConvertsAtOnce()
    {
        useLengthOnly();
        writeOptions(true, true, true, true);
        writeHistory(0, 0, 2, "10");
        QVERIFY(load());
        QCOMPARE(m_form->categoryText(), QStringLiteral("Length"));
        QCOMPARE(child<QComboBox>(*m_form, "FromUnit")->currentText(), QStringLiteral("Foot"));
        QCOMPARE(child<QComboBox>(*m_form, "ToUnit")->currentText(), QStringLiteral("Meter"));
        QCOMPARE(child<QLineEdit>(*m_form, "ConvertNum")->text(), QStringLiteral("10"));
        QCOMPARE(child<QLineEdit>(*m_form, "Result")->text(), QStringLiteral("10 Foot = 3.048 Meter"));
        QCOMPARE(programHistory().lastValue(), 10.0);
    }

    void rememberedValueIsNotRecordedOver()
    {
        useLengthOnly();
        writeOptions(true, true, true, false);
        writeHistory(0, 0, 2, "2.5");
        QVERIFY(load());
        QCOMPARE(child<QLineEdit>(*m_form, "ConvertNum")->text(), QStringLiteral("2.5"));
        QCOMPARE(programHistory().lastValue(), 2.5);
        QCOMPARE(child<QLineEdit>(*m_form, "Result")->text(), QStringLiteral("2.5 Foot = 0.762 Meter"));
    }

    void rememberedCategoryBeyondTheListStopsTheLoad()
    {
        useLengthOnly();
        writeOptions(true, false, false, false, true);
        writeHistory(5, -1, -1, "1");
        m_environment->boxes().expectOK();
        QVERIFY(load());
        QCOMPARE(m_environment->boxes().shownTexts(),
                 QStringList{"File containing units for your selection is missing\r\nPlease make another selection"});
        QCOMPARE(m_environment->boxes().shown().first().icon, platform::Icon::Exclamation);
        QVERIFY(m_form->showsNormalLayout()); // the compact option is not applied in this run
        QCOMPARE(m_form->windowTitle(), app::programBaseName() + " Version 1.3.0");
    }

    void storedOptionThatIsNoBooleanIsReported()
    {
        platform::settingsStore().write(app::programBaseName(), "Options", "Remember Last Units", "maybe");
        m_environment->boxes().expectOK();
        QVERIFY(load());
        QCOMPARE(m_environment->boxes().shownTexts().first(),
                 "Error # 13 was generated by Tallimer in routine Main Form Load.\r\n\r\nType mismatch");
        QCOMPARE(child<QListWidget>(*m_form, "UnitType")->count(), 0); // the load stopped before the list
    }

    void missingIndexEndsTheProgramAfterTwoMessages()
    {
        QFile::remove(catalogue::indexFile());
        writeOptions(false, true);
        m_environment->boxes().expectOK(2);
        QVERIFY(!load());
        QCOMPARE(m_environment->boxes().shownTexts(),
                 (QStringList{"File: " + catalogue::indexFile() + "\r\nFile Does Not Exist.",
                              "Vital file is missing\r\n" + app::programBaseName() + " may need to close"}));
        QVERIFY(m_form->isUnloaded());
        QVERIFY(!m_form->isVisible());
        // The closing sequence wrote the options back as they were read.
        QCOMPARE(stored("Options", "Remember Last Units"), QStringLiteral("True"));
        QCOMPARE(stored("History", "Last Converter"), QStringLiteral("-1"));
    }

    void choosingACategoryFillsBothListsSortedWithTags()
    {
        useLengthOnly();
        QVERIFY(load());
        child<QListWidget>(*m_form, "UnitType")->setCurrentRow(0);
        QCOMPARE(listItems(child<QComboBox>(*m_form, "FromUnit")), (QStringList{"Foot", "Kilometer", "Meter"}));
        QCOMPARE(listItems(child<QComboBox>(*m_form, "ToUnit")), (QStringList{"Foot", "Kilometer", "Meter"}));
        QCOMPARE(child<QComboBox>(*m_form, "FromUnit")->itemData(0).toInt(), 1);
        QCOMPARE(child<QComboBox>(*m_form, "FromUnit")->itemData(1).toInt(), 2);
        QCOMPARE(child<QComboBox>(*m_form, "ToUnit")->itemData(2).toInt(), 0);
        QCOMPARE(m_form->factorTable(), (conversion::FactorTable{"1", "0.3048", "1000"}));
        // Without remembered units the first unit is chosen in both lists; Result is emptied.
        QCOMPARE(child<QComboBox>(*m_form, "FromUnit")->currentText(), QStringLiteral("Foot"));
        QCOMPARE(child<QComboBox>(*m_form, "ToUnit")->currentText(), QStringLiteral("Foot"));
        QCOMPARE(child<QLineEdit>(*m_form, "Result")->text(), QString());
        QVERIFY(child<QAction>(*m_form, "mnuInvert")->isEnabled());
        for (QWidget *control : conversionControls())
            QVERIFY(control->isEnabled());
        child<QPushButton>(*m_form, "Convert")->click();
        QCOMPARE(child<QLineEdit>(*m_form, "Result")->text(), QStringLiteral("1 Foot = 1. Foot"));
    }

    void rememberedUnitsWaitForBothLists()
    {
        useLengthOnly();
        writeOptions(true, true);
        writeHistory(-1, -1, -1, "1");
        QVERIFY(load());
        child<QListWidget>(*m_form, "UnitType")->setCurrentRow(0);
        QCOMPARE(child<QComboBox>(*m_form, "FromUnit")->currentIndex(), -1);
        QCOMPARE(child<QComboBox>(*m_form, "ToUnit")->currentIndex(), -1);
        child<QComboBox>(*m_form, "FromUnit")->setCurrentIndex(0);
        QCOMPARE(child<QLineEdit>(*m_form, "Result")->text(), QString());
        child<QComboBox>(*m_form, "ToUnit")->setCurrentIndex(1);
        QCOMPARE(child<QLineEdit>(*m_form, "Result")->text(), QStringLiteral("1 Foot = 0.0003 Kilometer"));
        child<QComboBox>(*m_form, "DecPlace")->setCurrentIndex(8);
        QCOMPARE(child<QLineEdit>(*m_form, "Result")->text(), QStringLiteral("1 Foot = 0.0003048 Kilometer"));
    }

    void convertWithAUnitMissingReportsAndKeepsTheResult()
    {
        useLengthOnly();
        writeOptions(true, true);
        writeHistory(-1, -1, -1, "1");
        QVERIFY(load());
        child<QListWidget>(*m_form, "UnitType")->setCurrentRow(0);
        child<QLineEdit>(*m_form, "Result")->setText("before");
        m_environment->boxes().expectOK();
        child<QPushButton>(*m_form, "Convert")->click();
        QCOMPARE(m_environment->boxes().shown().size(), 1);
        QVERIFY(m_environment->boxes().shownTexts().first().contains("in routine Converter."));
        QCOMPARE(child<QLineEdit>(*m_form, "Result")->text(), QStringLiteral("before"));
    }

    void unitFilesThatAreMissingOrFaulty_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("units");
        QTest::newRow("missing file") << QByteArray() << false
                                      << QStringList{"File: %1\r\nFile Does Not Exist.",
                                                     "Vital file is missing\r\n%2 may need to close"}
                                      << QStringList{};
        QTest::newRow("rejected line is reported twice")
            << QByteArray("1^Meter\r\nx^Inch\r\n") << true
            << QStringList{"Error loading Inch This Unit has been removed",
                           "Error loading Inch This Unit has been removed"}
            << QStringList{"Meter"};
        QTest::newRow("three fields take the last as the name")
            << QByteArray("1^Meter\r\n2.54^Centi^Inch\r\n") << true << QStringList{} << QStringList{"Inch", "Meter"};
        QTest::newRow("file beyond the 16-bit limit")
            << QByteArray("1^U\r\n").repeated(32768) << true
            << QStringList{"File: %1\r\nFile has more than 32767 lines and cannot be used."} << QStringList{};
        QTest::newRow("file without lines") << QByteArray() << true
                                            << QStringList{"Error # 9 was generated by Tallimer in routine Converter "
                                                           "Selection.\r\n\r\nSubscript out of range"}
                                            << QStringList{};
        QTest::newRow("file without a valid unit")
            << QByteArray("x^Inch\r\n") << true
            << QStringList{"Error loading Inch This Unit has been removed",
                           "Error loading Inch This Unit has been removed",
                           "File containing units for your selection is missing\r\nPlease make another selection"}
            << QStringList{};
    }
    void unitFilesThatAreMissingOrFaulty()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, fileExists);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, units);
        m_environment->writeFile("bin/unitType.ucr", "Odd\r\n");
        if (fileExists)
            m_environment->writeFile("bin/Odd.ucr", content);
        QVERIFY(load());
        m_environment->boxes().expectOK(int(messages.size()));
        child<QListWidget>(*m_form, "UnitType")->setCurrentRow(0);
        for (QString &message : messages)
            message = message.replace("%1", catalogue::categoryFile("Odd")).replace("%2", app::programBaseName());
        QCOMPARE(m_environment->boxes().shownTexts(), messages);
        QCOMPARE(listItems(child<QComboBox>(*m_form, "FromUnit")), units);
        QCOMPARE(child<QPushButton>(*m_form, "Convert")->isEnabled(), !units.isEmpty());
    }

    void resetReturnsToNoCategory()
    {
        useLengthOnly();
        QVERIFY(load());
        child<QListWidget>(*m_form, "UnitType")->setCurrentRow(0);
        child<QLineEdit>(*m_form, "ConvertNum")->setText("7");
        child<QComboBox>(*m_form, "DecPlace")->setCurrentIndex(2);
        child<QPushButton>(*m_form, "Convert")->click();
        QVERIFY(!child<QLineEdit>(*m_form, "Result")->text().isEmpty());
        child<QPushButton>(*m_form, "Reset")->click();
        QCOMPARE(m_form->categoryIndex(), -1);
        QCOMPARE(child<QComboBox>(*m_form, "FromUnit")->count(), 0);
        QCOMPARE(child<QComboBox>(*m_form, "ToUnit")->count(), 0);
        QCOMPARE(child<QLineEdit>(*m_form, "ConvertNum")->text(), QStringLiteral("1"));
        QCOMPARE(child<QComboBox>(*m_form, "DecPlace")->currentText(), QStringLiteral("5"));
        QCOMPARE(child<QLineEdit>(*m_form, "Result")->text(), QString());
        QVERIFY(!child<QPushButton>(*m_form, "Convert")->isEnabled());
        QVERIFY(!child<QAction>(*m_form, "mnuInvert")->isEnabled());
        QCOMPARE(m_form->factorTable().size(), std::size_t(1));
    }

    void invertSwapsTheUnitsAndConverts()
    {
        useLengthOnly();
        QVERIFY(load());
        child<QListWidget>(*m_form, "UnitType")->setCurrentRow(0);
        child<QComboBox>(*m_form, "FromUnit")->setCurrentIndex(0); // Foot
        child<QComboBox>(*m_form, "ToUnit")->setCurrentIndex(2);   // Meter
        child<QLineEdit>(*m_form, "ConvertNum")->setText("10");
        child<QAction>(*m_form, "mnuInvert")->trigger();
        QCOMPARE(child<QComboBox>(*m_form, "FromUnit")->currentText(), QStringLiteral("Meter"));
        QCOMPARE(child<QComboBox>(*m_form, "ToUnit")->currentText(), QStringLiteral("Foot"));
        QCOMPARE(child<QLineEdit>(*m_form, "Result")->text(), QStringLiteral("10 Meter = 32.8084 Foot"));
    }

    void invertWithOnlyTheFromUnitMovesIt()
    {
        useLengthOnly();
        writeOptions(true, true);
        writeHistory(-1, -1, -1, "1");
        QVERIFY(load());
        child<QListWidget>(*m_form, "UnitType")->setCurrentRow(0);
        child<QComboBox>(*m_form, "FromUnit")->setCurrentIndex(1);
        child<QAction>(*m_form, "mnuInvert")->trigger();
        QCOMPARE(child<QComboBox>(*m_form, "FromUnit")->currentIndex(), -1);
        QCOMPARE(child<QComboBox>(*m_form, "ToUnit")->currentText(), QStringLiteral("Kilometer"));
        QCOMPARE(child<QLineEdit>(*m_form, "Result")->text(), QString());
    }

    void historyIsRecordedAsTheOptionsSay()
    {
        useLengthOnly();
        writeOptions(true, true, true);
        writeHistory(-1, -1, -1, "1");
        QVERIFY(load());
        child<QListWidget>(*m_form, "UnitType")->setCurrentRow(0);
        child<QComboBox>(*m_form, "FromUnit")->setCurrentIndex(2);
        child<QLineEdit>(*m_form, "ConvertNum")->setText("2.5");
        child<QComboBox>(*m_form, "ToUnit")->setCurrentIndex(1);
        QCOMPARE(programHistory().lastCategory(), qint16(0));
        QCOMPARE(programHistory().lastFromUnit(), qint16(2));
        QCOMPARE(programHistory().lastToUnit(), qint16(1));
        QCOMPARE(programHistory().lastValue(), 2.5);
    }

    void exitAndCloseBoxStoreTheSameValues_data()
    {
        QTest::addColumn<bool>("throughExit");
        QTest::newRow("exit") << true;
        QTest::newRow("close box") << false;
    }
    void exitAndCloseBoxStoreTheSameValues()
    {
        QFETCH(bool, throughExit);
        useLengthOnly();
        writeOptions(true, true, true);
        writeHistory(-1, -1, -1, "1");
        QVERIFY(load());
        m_form->show();
        child<QListWidget>(*m_form, "UnitType")->setCurrentRow(0);
        child<QComboBox>(*m_form, "FromUnit")->setCurrentIndex(1);
        child<QLineEdit>(*m_form, "ConvertNum")->setText("4");
        child<QComboBox>(*m_form, "ToUnit")->setCurrentIndex(2);
        programOptions().setStartCompact(true);
        if (throughExit)
            child<QAction>(*m_form, "mnuExit")->trigger();
        else
            m_form->close();
        QVERIFY(m_form->isUnloaded());
        QCOMPARE(stored("Options", "Compact Form"), QStringLiteral("True"));
        QCOMPARE(stored("Options", "Remember Last Converter"), QStringLiteral("True"));
        QCOMPARE(stored("History", "Last Converter"), QStringLiteral("0"));
        QCOMPARE(stored("History", "Last From Unit"), QStringLiteral("1"));
        QCOMPARE(stored("History", "Last To Unit"), QStringLiteral("2"));
        QCOMPARE(stored("History", "Last Value"), QStringLiteral("4"));
        // Closing again stores nothing more.
        platform::settingsStore().write(app::programBaseName(), "History", "Last Value", "99");
        m_form->unload();
        QCOMPARE(stored("History", "Last Value"), QStringLiteral("99"));
    }

    void popupOpensOnTheListedControlsOnly()
    {
        useLengthOnly();
        QVERIFY(load());
        child<QListWidget>(*m_form, "UnitType")->setCurrentRow(0);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        const QList<QWidget *> opening{child<QListWidget>(*m_form, "UnitType")->viewport(), child<QLabel>(*m_form, "Label1"),        child<QLabel>(*m_form, "Label2"),
                                       child<QLabel>(*m_form, "Image1"),                child<QLabel>(*m_form, "Image3"),        child<QLabel>(*m_form, "ConvertFromName"),
                                       child<QLabel>(*m_form, "ConvertToName"),         child<QLabel>(*m_form, "ConvertNumName"), child<QLabel>(*m_form, "DecPlaceName"),
                                       child<QLabel>(*m_form, "ResultName"),            m_form.get()};
        for (QWidget *control : opening) {
            QTest::mousePress(control, Qt::RightButton, {}, QPoint(2, 2));
            QVERIFY2(child<QMenu>(*m_form, "MenuPopUp")->isVisible(), qPrintable(control->objectName()));
            child<QMenu>(*m_form, "MenuPopUp")->hide();
        }
        const QList<QWidget *> silent{child<QLineEdit>(*m_form, "Result"), child<QComboBox>(*m_form, "FromUnit"), child<QComboBox>(*m_form, "ToUnit"), child<QComboBox>(*m_form, "DecPlace"),
                                      child<QLineEdit>(*m_form, "ConvertNum"), child<QPushButton>(*m_form, "Convert"), child<QPushButton>(*m_form, "Reset")};
        for (QWidget *control : silent) {
            QTest::mousePress(control, Qt::RightButton, {}, QPoint(2, 2));
            QVERIFY2(!child<QMenu>(*m_form, "MenuPopUp")->isVisible(), qPrintable(control->objectName()));
            QTest::mouseRelease(control, Qt::RightButton, {}, QPoint(2, 2));
        }
        const QStringList captions{"&Options", "&Invert Selections", "Always on &Top", "&Compact Window",
                                   "Add Custom &Unit", "&About", "", "E&xit"};
        QStringList shown;
        for (QAction *action : child<QMenu>(*m_form, "MenuPopUp")->actions())
            shown.append(action->text());
        QCOMPARE(shown, captions);
        QCOMPARE(child<QMenu>(*m_form, "MenuPopUp")->title(), QStringLiteral("PopUp"));
    }

    // The Menu key and Shift+F10 open the popup menu at whichever control has the focus, also on
    // the controls where a right click does not (a text box's own menu stays shut).
    void keyboardOpensThePopupMenu_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("shiftF10");
        for (const char *control : {"UnitType", "ConvertNum", "DecPlace", "FromUnit", "ToUnit", "Convert", "Reset", "Result", "Label2"}) {
            QTest::addRow("%s, Menu key", control) << control << false;
            QTest::addRow("%s, Shift+F10", control) << control << true;
        }
    }
    void keyboardOpensThePopupMenu()
    {
        QFETCH(QString, control);
        QFETCH(bool, shiftF10);
        QVERIFY(showWithLengthChosen());
        QWidget *focused = child<QWidget>(*m_form, control);
        focused->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), focused);
        if (shiftF10)
            QTest::keyClick(focused, Qt::Key_F10, Qt::ShiftModifier);
        else
            pressMenuKey(*m_form);
        auto *menu = child<QMenu>(*m_form, "MenuPopUp");
        QVERIFY(menu->isVisible());
        QCOMPARE(QApplication::activePopupWidget(), menu);
        QVERIFY(menu->geometry().intersects(globalGeometry(focused)));
        menu->hide();
    }

    void menuEntriesHaveTheirOwnAccessKeys()
    {
        QVERIFY(load());
        const QList<QAction *> entries = child<QMenu>(*m_form, "MenuPopUp")->actions();
        QCOMPARE(accessKeys::menuFaults(entries), QStringList());
        m_form->toggleCompactLayout(); // the layout entry now reads "&Normal Window"
        QCOMPARE(accessKeys::menuFaults(entries), QStringList());
    }

    // Walking the category list with the keyboard chooses each category it reaches (the units
    // load) and keeps the focus in the list; typed letters search the list.
    void walkingTheCategoriesKeepsTheFocus_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("arrow down twice") << QList<int>{Qt::Key_Down, Qt::Key_Down} << QString() << "Angle";
        QTest::newRow("end") << QList<int>{Qt::Key_End} << QString() << "Volume";
        QTest::newRow("home after end") << QList<int>{Qt::Key_End, Qt::Key_Home} << QString() << "Acceleration";
        QTest::newRow("page down") << QList<int>{Qt::Key_PageDown} << QString() << QString();
        QTest::newRow("typed letters") << QList<int>{} << "Len" << "Length";
        QTest::newRow("letters after arrows") << QList<int>{Qt::Key_Down} << "ma" << "Magnetic Field Strength";
    }
    void walkingTheCategoriesKeepsTheFocus()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QVERIFY(load());
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        auto *list = child<QListWidget>(*m_form, "UnitType");
        list->setFocus(Qt::TabFocusReason);
        for (const int key : keys)
            QTest::keyClick(list, Qt::Key(key));
        QTest::keyClicks(list, typed);
        QVERIFY(list->hasFocus());
        QVERIFY(m_form->categoryIndex() >= 0);
        QCOMPARE(m_form->categoryText(), list->currentItem()->text());
        if (!expected.isEmpty())
            QCOMPARE(m_form->categoryText(), expected);
        QVERIFY(child<QComboBox>(*m_form, "FromUnit")->count() > 0);
        QCOMPARE(child<QComboBox>(*m_form, "FromUnit")->currentIndex(), 0);
        QCOMPARE(child<QLineEdit>(*m_form, "ConvertNum")->text(), QStringLiteral("1"));
    }

    // A click, Enter or Space takes the category, and a choice from code does so too: the focus
    // moves on to the number box with its text selected, so that the number typed replaces it,
    // also when the focus arrives only as the window is activated.
    void takingACategoryMovesOnWithTheNumberSelected_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("expected");
        QTest::newRow("click") << "click" << "Length";
        QTest::newRow("Enter on the current entry") << "enter" << "Acceleration";
        QTest::newRow("Space on the current entry") << "space" << "Acceleration";
        QTest::newRow("Enter after walking") << "walk, enter" << "Length";
        QTest::newRow("from code") << "code" << "Length";
        QTest::newRow("from code while another window is active") << "code, inactive" << "Length";
    }
    void takingACategoryMovesOnWithTheNumberSelected()
    {
        QFETCH(QString, how);
        QFETCH(QString, expected);
        QVERIFY(load());
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        auto *list = child<QListWidget>(*m_form, "UnitType");
        auto *number = child<QLineEdit>(*m_form, "ConvertNum");
        QListWidgetItem *length = list->findItems("Length", Qt::MatchExactly).first();
        list->setFocus(Qt::TabFocusReason);
        QWidget other;
        if (how == "click") {
            list->scrollToItem(length);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(length).center());
        } else if (how == "enter" || how == "space") {
            QTest::keyClick(list, how == "enter" ? Qt::Key_Return : Qt::Key_Space);
        } else if (how == "walk, enter") {
            QTest::keyClicks(list, "Len");
            QVERIFY(list->hasFocus());
            QTest::keyClick(list, Qt::Key_Enter);
        } else {
            if (how == "code, inactive") {
                other.show();
                other.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&other));
            }
            list->setCurrentItem(length);
            if (how == "code, inactive") {
                m_form->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
            }
        }
        QCOMPARE(m_form->categoryText(), expected);
        QCOMPARE(QApplication::focusWidget(), number);
        QCOMPARE(number->selectedText(), number->text());
        QTest::keyClicks(number, "12");
        QCOMPARE(number->text(), QStringLiteral("12"));
    }

    // The same rows as the command line's test: it prints what the window shows.
    void resultLinesOfTheFactoryCatalogue_data() { addConversionRows(); }

    void resultLinesOfTheFactoryCatalogue()
    {
        const ConversionRow row = fetchConversionRow();
        QLocale::setDefault(QLocale(row.locale));
        QVERIFY(load());
        auto *categories = child<QListWidget>(*m_form, "UnitType");
        const QList<QListWidgetItem *> chosen = categories->findItems(row.category, Qt::MatchExactly);
        QCOMPARE(chosen.size(), 1);
        categories->setCurrentItem(chosen.first());
        for (const auto &[list, unit] : {std::pair{"FromUnit", row.from}, std::pair{"ToUnit", row.to}}) {
            auto *units = child<QComboBox>(*m_form, list);
            units->setCurrentIndex(units->findText(unit));
            QCOMPARE(units->currentText(), unit);
        }
        child<QComboBox>(*m_form, "DecPlace")->setCurrentText(QString::number(row.places));
        child<QLineEdit>(*m_form, "ConvertNum")->setText(row.value);
        child<QPushButton>(*m_form, "Convert")->click();
        QCOMPARE(child<QLineEdit>(*m_form, "Result")->text(), row.line);
    }

    void bothLinksOpenTheProductPage()
    {
        FakeSystemServices services;
        QVERIFY(load());
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        QCOMPARE(child<QLabel>(*m_form, "Label2")->text(), QStringLiteral("www.tallimer.org"));
        QCOMPARE(child<QLabel>(*m_form, "Label2")->toolTip(), QStringLiteral("Click Here To Go To www.tallimer.org"));
        QCOMPARE(child<QLabel>(*m_form, "Image1")->toolTip(), QStringLiteral("Click Here To Go to www.tallimer.org"));
        QTest::mouseClick(child<QLabel>(*m_form, "Label2"), Qt::LeftButton);
        QTest::mouseClick(child<QLabel>(*m_form, "Image1"), Qt::LeftButton);
        child<QLabel>(*m_form, "Label2")->setFocus();
        QTest::keyClick(child<QLabel>(*m_form, "Label2"), Qt::Key_Return);
        QCOMPARE(services.browser().requested(), QStringList(3, "https://www.tallimer.org/?converter"));

        // A system that cannot open the page says so once per click, and nothing else changes.
        services.browser().setRefusing(true);
        m_environment->boxes().expectOK(2);
        QTest::mouseClick(child<QLabel>(*m_form, "Label2"), Qt::LeftButton);
        QTest::mouseClick(child<QLabel>(*m_form, "Image1"), Qt::LeftButton);
        QCOMPARE(m_environment->boxes().shownTexts(), QStringList(2, "Web Browser Error"));
        QCOMPARE(m_environment->boxes().shown().first().icon, platform::Icon::Critical);
        QVERIFY(m_form->isVisible());
    }

    void webLinkIsALinkForScreenReadersAndTheKeyboard()
    {
        FakeSystemServices services;
        useLengthOnly();
        QVERIFY(load());
        child<QListWidget>(*m_form, "UnitType")->setCurrentRow(0);
        auto *link = child<QLabel>(*m_form, "Label2");
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(link);
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::Link);
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("www.tallimer.org"));
        QVERIFY(accessible->state().focusable);
        QAccessibleActionInterface *actions = accessible->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(services.browser().requested(), QStringList{"https://www.tallimer.org/?converter"});

        // Tab from the result reaches it, it shows that it has the focus, and Space opens it.
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        const QImage unfocused = link->grab().toImage();
        child<QLineEdit>(*m_form, "Result")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(child<QLineEdit>(*m_form, "Result"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), link);
        QVERIFY(link->grab().toImage() != unfocused);
        QTest::keyClick(link, Qt::Key_Space);
        QCOMPARE(services.browser().requested().size(), 2);
    }

    // Every caption with a buddy, and every button, has an access key of its own in either
    // layout, and the key reaches its control.
    void accessKeysAreUniqueAndReachTheirControls()
    {
        QVERIFY(showWithLengthChosen());
        QCOMPARE(accessKeys::windowFaults(*m_form), QStringList());
        QTest::keyClick(m_form.get(), Qt::Key_N, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(*m_form, "ConvertNum"));
        QTest::keyClick(m_form.get(), Qt::Key_T, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), child<QComboBox>(*m_form, "ToUnit"));
        m_form->toggleCompactLayout();
        QCOMPARE(accessKeys::windowFaults(*m_form), QStringList());
        QTest::keyClick(m_form.get(), Qt::Key_S, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), child<QListWidget>(*m_form, "UnitType"));
    }

    void readableInLightAndDarkThemes_data() { ThemeScope::addThemeRows(); }
    void readableInLightAndDarkThemes()
    {
        QFETCH(bool, dark);
        const ThemeScope scope(dark);
        QVERIFY(load());
        child<QListWidget>(*m_form, "UnitType")->setCurrentRow(0);
        child<QPushButton>(*m_form, "Convert")->click();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        const QStringList poor = readability::poorlyReadable(*m_form);
        QVERIFY2(poor.isEmpty(), qPrintable(poor.join("; ")));
    }

    void accessibleNamesAndBuddies()
    {
        QVERIFY(load());
        for (QLabel *label : {child<QLabel>(*m_form, "Label1"), child<QLabel>(*m_form, "ConvertNumName"), child<QLabel>(*m_form, "DecPlaceName"), child<QLabel>(*m_form, "ConvertFromName"),
                              child<QLabel>(*m_form, "ConvertToName"), child<QLabel>(*m_form, "ResultName")})
            QVERIFY2(label->buddy() != nullptr, qPrintable(label->objectName()));
        for (QWidget *control : conversionControls())
            QVERIFY2(!control->accessibleName().isEmpty() || qobject_cast<QLabel *>(control),
                     qPrintable(control->objectName()));
        QCOMPARE(child<QComboBox>(*m_form, "FromUnit")->toolTip(), QStringLiteral("Select Unit To Convert From "));
        QCOMPARE(child<QLineEdit>(*m_form, "ConvertNum")->toolTip(), QStringLiteral("Enter number To Be Converted"));
        // The names are the captions' words, without their access-key marks.
        QCOMPARE(child<QComboBox>(*m_form, "FromUnit")->accessibleName(), QStringLiteral("Convert From"));
        QCOMPARE(child<QListWidget>(*m_form, "UnitType")->accessibleName(), QStringLiteral("Select Converter Type from List Below"));
        QCOMPARE(child<QPushButton>(*m_form, "Reset")->accessibleName(), QStringLiteral("Reset"));
    }

private:
    bool load() { return mainwindowtest::load(m_form); }

    // The window shown and active with the one category Length chosen; false when it is not.
    bool showWithLengthChosen()
    {
        useLengthOnly();
        if (!load())
            return false;
        child<QListWidget>(*m_form, "UnitType")->setCurrentRow(0);
        m_form->show();
        return QTest::qWaitForWindowActive(m_form.get());
    }

    void useLengthOnly()
    {
        m_environment->writeFile("bin/unitType.ucr", "Length\r\n");
        m_environment->writeFile("bin/Length.ucr", kLengthFile);
    }

    QList<QWidget *> conversionControls() const
    {
        return {child<QComboBox>(*m_form, "FromUnit"),  child<QLabel>(*m_form, "ConvertFromName"), child<QComboBox>(*m_form, "ToUnit"),     child<QLabel>(*m_form, "ConvertToName"),
                child<QComboBox>(*m_form, "DecPlace"),  child<QLabel>(*m_form, "DecPlaceName"),    child<QLineEdit>(*m_form, "ConvertNum"), child<QLabel>(*m_form, "ConvertNumName"),
                child<QPushButton>(*m_form, "Convert"),   child<QPushButton>(*m_form, "Reset"),           child<QLineEdit>(*m_form, "Result"),     child<QLabel>(*m_form, "ResultName")};
    }

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<MainWindow> m_form;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
