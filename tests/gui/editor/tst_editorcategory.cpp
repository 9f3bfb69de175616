#include "gui/editor/EditorTestSupport.h"
#include "support/Controls.h"
#include "support/Readability.h"

#include "core/catalogue/CatalogueIndex.h"
#include "core/catalogue/CataloguePaths.h"

#include "gui/platform/BusyPointer.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {

const QString kStartHelp = QStringLiteral(
    "Pick the category from the list above that you wish to amend or type a new category name in the text box "
    "at the top and press return to create a new category.\r\n\r\nTo restore defaults select the category above "
    "and click on the Restore Defaults button or just click the restore Defaults button to restore all categorys");
const QString kExistingHelp = QStringLiteral(
    "Update the category units in the Units frame and add units by pressing the add unit to category button, to "
    "delete a unit from the category delete the unit name.  When you are finished press OK to save or Cancel to "
    "discard\r\n\r\nTo add units to or create another category select from the combo box and press OK when prompted");
const QString kNewHelp = QStringLiteral(
    "Update the category units in the Units frame and add units by pressing the add unit to category button when "
    "you are finished press OK to save or Cancel to discard\r\n\r\nTo add units to or create another category "
    "select from the combo box and press OK when prompted");
const QString kPlaceholder = QStringLiteral("Add custom unit here");
const QString kSaveQuestion = QStringLiteral("Save Changes to current category ?");

} // namespace

class TestEditorCategory : public EditorTest {
    Q_OBJECT

private:
    void verifyIdle()
    {
        QVERIFY(!child<QGroupBox>(editor(), "Frame2")->isEnabled());
        QVERIFY(!child<QPushButton>(editor(), "AddUnit")->isEnabled());
        QCOMPARE(child<QLineEdit>(editor(), "txtBaseUnit")->text(), QStringLiteral("Base Unit"));
        QCOMPARE(child<QLineEdit>(editor(), "txtBaseFactor")->text(), QString());
        QCOMPARE(setup().rowNames(), QStringList(5, QString()));
        QCOMPARE(child<QScrollBar>(editor(), "VScroll1")->maximum(), 0);
        QCOMPARE(editor().helpText(), kStartHelp);
    }

private slots:
    void init() { startTest(); }
    void cleanup() { finishTest(); }

    void opensIdleWithTheSortedCategoryList()
    {
        setup().openEditor();
        QCOMPARE(editor().windowTitle(), QStringLiteral("Add Custom Unit Convertion Factors"));
        QCOMPARE(child<QComboBox>(editor(), "UnitSelect")->count(), catalogue::indexLines().size());
        QCOMPARE(child<QComboBox>(editor(), "UnitSelect")->currentIndex(), -1);
        for (int i = 1; i < child<QComboBox>(editor(), "UnitSelect")->count(); ++i)
            QVERIFY(child<QComboBox>(editor(), "UnitSelect")->itemText(i - 1).compare(child<QComboBox>(editor(), "UnitSelect")->itemText(i), Qt::CaseInsensitive) < 0);
        verifyIdle();
        QCOMPARE(setup().rowLabels(), QStringList({"Unit &1:", "Unit &2:", "Unit &3:", "Unit &4:", "Unit &5:"}));
        QVERIFY(child<QLineEdit>(editor(), "txtBaseUnit")->isReadOnly());
        QCOMPARE(child<QLineEdit>(editor(), "txtBaseUnit")->focusPolicy(), Qt::ClickFocus);
        QVERIFY(child<QPlainTextEdit>(editor(), "lblexplain")->isReadOnly());
        QCOMPARE(child<QPlainTextEdit>(editor(), "lblexplain")->toPlainText(), QString(kStartHelp).replace("\r\n", "\n"));
    }

    void temperature_data()
    {
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("name");
        QTest::newRow("chosen from the list") << true << "Temperature";
        QTest::newRow("typed in lower case") << false << "temperature";
    }
    void temperature()
    {
        QFETCH(bool, listed);
        QFETCH(QString, name);
        setup().openEditor();
        setup().choose("Length");
        QVERIFY(child<QGroupBox>(editor(), "Frame2")->isEnabled());
        if (listed) {
            boxes().expectOK();
            setup().choose(name);
            QCOMPARE(boxes().shown().last().text, QStringLiteral("Unable amend or add units to Temperature converter"));
            QCOMPARE(boxes().shown().last().icon, Icon::None);
            verifyIdle();
        } else {
            setup().typeName(name);
            boxes().expect(Answer::Cancel);
            editor().chooseCategory();
            const platform::MessageBoxRequest question = boxes().shown().last();
            QCOMPARE(question.text, "Create new Category\r\n" + name);
            QCOMPARE(question.buttons, Buttons::OKCancel);
            QCOMPARE(question.icon, Icon::Question);
            QCOMPARE(child<QLineEdit>(editor(), "txtBaseUnit")->text(), QStringLiteral("Meter (m)")); // Length kept
        }
    }

    void saveOfferWhenSwitching_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("Yes saves, then switches") << Answer::Yes;
        QTest::newRow("No discards, then switches") << Answer::No;
        QTest::newRow("Cancel keeps everything") << Answer::Cancel;
    }
    void saveOfferWhenSwitching()
    {
        QFETCH(Answer, answer);
        setup().openEditor();
        const QString original = setup().categoryBytes("Length");
        setup().choose("Length");
        setup().focus(child<QLineEdit>(editor(), "txtUnitName", 1));
        setup().type(child<QLineEdit>(editor(), "txtUnitName", 1), "Renamed");
        setup().focus(child<QLineEdit>(editor(), "txtUnitName", 2));
        QCOMPARE(editor().currentCategory().isChanged(), true);

        boxes().expect(answer);
        setup().choose("Area");
        QCOMPARE(boxes().shown().size(), 1);
        QCOMPARE(boxes().shown().first().text, kSaveQuestion);
        QCOMPARE(boxes().shown().first().buttons, Buttons::YesNoCancel);
        QCOMPARE(boxes().shown().first().icon, Icon::Exclamation);
        if (answer == Answer::Cancel) {
            QCOMPARE(child<QLineEdit>(editor(), "txtUnitName", 1)->text(), QStringLiteral("Renamed"));
            QCOMPARE(editor().currentCategory().categoryName(), QStringLiteral("Length"));
            QCOMPARE(child<QComboBox>(editor(), "UnitSelect")->currentText(), QStringLiteral("Area"));
            QCOMPARE(editor().helpText(), kExistingHelp);
            QCOMPARE(setup().categoryBytes("Length"), original);
            return;
        }
        QCOMPARE(editor().currentCategory().categoryName(), QStringLiteral("Area"));
        QCOMPARE(child<QLineEdit>(editor(), "txtUnitName", 0)->text(), QStringLiteral("Square Meter (m\u00B2)"));
        QCOMPARE(editor().currentCategory().isChanged(), false);
        QCOMPARE(setup().categoryBytes("Length").contains("^Renamed\r\n"), answer == Answer::Yes);
        if (answer == Answer::No)
            QCOMPARE(setup().categoryBytes("Length"), original);
    }

    void choosingTheSameCategoryAgainReloadsIt()
    {
        setup().openEditor();
        setup().choose("Length");
        child<QLineEdit>(editor(), "txtUnitName", 1)->setText("Renamed");
        editor().commitName(1);
        boxes().expect(Answer::No);
        setup().choose("Length");
        QCOMPARE(child<QLineEdit>(editor(), "txtUnitName", 1)->text(), QStringLiteral("Kilometer (km)"));
    }

    void baseRow_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("baseName");
        QTest::addColumn<QString>("baseFactor");
        QTest::newRow("first unit") << QByteArray("1^Meter\r\n0.3048^Foot\r\n") << "Meter" << "1";
        QTest::newRow("later unit") << QByteArray("0.3048^Foot\r\n1^Meter\r\n") << "Meter" << "1";
        QTest::newRow("no unit of factor 1: first spare slot")
            << QByteArray("2^Double\r\n3^Triple\r\n") << kPlaceholder << "1";
        QTest::newRow("first factor-1 unit named Base Unit: next factor-1 unit")
            << QByteArray("1^Base Unit\r\n2^Two\r\n1^Other\r\n") << "Other" << "1";
        QTest::newRow("Base Unit alone: the spare slot takes the base row")
            << QByteArray("1^Base Unit\r\n2^Two\r\n") << kPlaceholder << "1";
    }
    void baseRow()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, baseName);
        QFETCH(QString, baseFactor);
        setup().addCategory("Test", file);
        setup().openEditor();
        setup().choose("Test");
        QCOMPARE(child<QLineEdit>(editor(), "txtBaseUnit")->text(), baseName);
        QCOMPARE(child<QLineEdit>(editor(), "txtBaseFactor")->text(), baseFactor);
    }

    void loadingShape_data()
    {
        QTest::addColumn<int>("units");
        QTest::addColumn<int>("upperBound");
        QTest::addColumn<int>("scrollMaximum");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("factors");
        QTest::newRow("7 units") << 7 << 8 << 3 << QStringList({"Unit 1", "Unit 2", "Unit 3", "Unit 4", "Unit 5"})
                                 << QStringList({"1", "2", "3", "4", "5"});
        QTest::newRow("3 units") << 3 << 4 << 0
                                 << QStringList({"Unit 1", "Unit 2", "Unit 3", kPlaceholder, kPlaceholder})
                                 << QStringList({"1", "2", "3", "1", "1"});
    }
    void loadingShape()
    {
        QFETCH(int, units);
        QFETCH(int, upperBound);
        QFETCH(int, scrollMaximum);
        QFETCH(QStringList, names);
        QFETCH(QStringList, factors);
        setup().addCategory("Test", unitsFile(units));
        setup().openEditor();
        setup().choose("Test");
        // The loading answer is units - 1; the slots run to it plus two spares.
        QCOMPARE(int(editor().currentCategory().lastIndex()), upperBound);
        QCOMPARE(child<QScrollBar>(editor(), "VScroll1")->minimum(), 0);
        QCOMPARE(child<QScrollBar>(editor(), "VScroll1")->maximum(), scrollMaximum);
        QCOMPARE(child<QScrollBar>(editor(), "VScroll1")->value(), 0);
        QCOMPARE(setup().rowNames(), names);
        QCOMPARE(setup().rowFactors(), factors);
        QCOMPARE(editor().helpText(), kExistingHelp);
        QVERIFY(child<QGroupBox>(editor(), "Frame2")->isEnabled());
        QCOMPARE(editor().currentCategory().isChanged(), false);
        QVERIFY(!platform::isBusyPointer());
    }

    void emptyNameBetweenUnits()
    {
        setup().addCategory("Test", "1^A\r\n2^\r\n3^B\r\n4^C\r\n");
        setup().openEditor();
        setup().choose("Test");
        // The empty-named slot leaves its row to the next slot.
        QCOMPARE(setup().rowNames(), QStringList({"A", "B", "C", kPlaceholder, kPlaceholder}));
        QCOMPARE(setup().rowFactors(), QStringList({"1", "3", "4", "1", "1"}));
        // Each row commits to the slot it shows: passing through the rows changes nothing ...
        for (int row = 0; row < 5; ++row) {
            setup().focus(child<QLineEdit>(editor(), "txtUnitName", row));
            setup().focus(child<QLineEdit>(editor(), "txtUnitFactor", row));
        }
        setup().focus(child<QLineEdit>(editor(), "txtUnitName", 0));
        QCOMPARE(editor().currentCategory().isChanged(), false);
        // ... and an edit of B reaches B's slot.
        setup().focus(child<QLineEdit>(editor(), "txtUnitFactor", 1));
        child<QLineEdit>(editor(), "txtUnitFactor", 1)->setText("5");
        setup().focus(child<QLineEdit>(editor(), "txtUnitName", 2));
        QCOMPARE(editor().currentCategory().unitFactor(2), 5.0);
        QCOMPARE(editor().currentCategory().unitName(1), QString());
        QCOMPARE(editor().currentCategory().unitFactor(1), 2.0);
    }

    void aSaveThatFailsKeepsTheEdits()
    {
        QDir(setup().env().binFolder()).mkdir("Widgets.ucr"); // no file can be written there
        setup().openEditor();
        setup().typeName("Widgets");
        boxes().expectOK();
        editor().chooseCategory();
        boxes().expect(Answer::Yes);
        boxes().expectOK();
        setup().choose("Length");
        QCOMPARE(boxes().shown().size(), 3);
        QCOMPARE(boxes().shown().last().text, "The category could not be saved:\r\n"
                                                  + catalogue::categoryFile("Widgets") + " could not be written.");
        QCOMPARE(boxes().shown().last().icon, Icon::Critical);
        QCOMPARE(editor().currentCategory().categoryName(), QStringLiteral("Widgets"));
        QCOMPARE(editor().currentCategory().isChanged(), true);
        QCOMPARE(child<QLineEdit>(editor(), "txtBaseUnit")->text(), QStringLiteral("Enter Base Unit Name"));
    }

    void missingIndexOpensAnEmptyList()
    {
        setup().loadForm();
        QFile::remove(setup().env().binFolder() + "/unitType.ucr");
        boxes().expectOK(2);
        setup().openEditor();
        QCOMPARE(boxes().shown().size(), 2);
        QVERIFY(boxes().shown().at(0).text.endsWith("File Does Not Exist."));
        QVERIFY(boxes().shown().at(1).text.startsWith("Vital file is missing\r\n"));
        QCOMPARE(child<QComboBox>(editor(), "UnitSelect")->count(), 0);
        QVERIFY(!child<QGroupBox>(editor(), "Frame2")->isEnabled());
    }

    void missingCategoryFileLeavesTheEditorIdle()
    {
        setup().env().writeFile("bin/unitType.ucr", setup().env().readFile("bin/unitType.ucr") + "Ghost\r\n");
        setup().openEditor();
        setup().choose("Ghost");
        verifyIdle();
    }

    // The prompt of the new category's first name is selected, so that the name typed replaces
    // it, also when the focus only arrives as the editor becomes the active window again.
    void newCategory_data()
    {
        QTest::addColumn<bool>("activatedLater");
        QTest::newRow("editor active") << false;
        QTest::newRow("focus arrives by activation") << true;
    }
    void newCategory()
    {
        QFETCH(bool, activatedLater);
        setup().openEditor();
        setup().typeName("Widgets");
        QWidget other;
        if (activatedLater) {
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        }
        boxes().expectOK();
        editor().chooseCategory();
        if (activatedLater) {
            editor().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&editor()));
        }
        QCOMPARE(boxes().shown().last().text, QStringLiteral("Create new Category\r\nWidgets"));
        QCOMPARE(editor().currentCategory().categoryName(), QStringLiteral("Widgets"));
        QCOMPARE(editor().currentCategory().isChanged(), true);
        QCOMPARE(child<QLineEdit>(editor(), "txtBaseUnit")->text(), QStringLiteral("Enter Base Unit Name"));
        QCOMPARE(child<QLineEdit>(editor(), "txtBaseFactor")->text(), QStringLiteral("1"));
        QCOMPARE(setup().rowNames(),
                 QStringList({"Enter Base Unit Name", kPlaceholder, kPlaceholder, kPlaceholder, kPlaceholder}));
        QCOMPARE(setup().rowFactors(), QStringList(5, "1"));
        QCOMPARE(child<QScrollBar>(editor(), "VScroll1")->maximum(), 0);
        QVERIFY(child<QGroupBox>(editor(), "Frame2")->isEnabled());
        QCOMPARE(editor().helpText(), kNewHelp);
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(editor(), "txtUnitName", 0));
        QCOMPARE(child<QLineEdit>(editor(), "txtUnitName", 0)->selectedText(), QStringLiteral("Enter Base Unit Name"));
        QTest::keyClicks(child<QLineEdit>(editor(), "txtUnitName", 0), "Meter");
        QCOMPARE(child<QLineEdit>(editor(), "txtUnitName", 0)->text(), QStringLiteral("Meter"));
        QVERIFY(!QFile::exists(setup().env().binFolder() + "/Widgets.ucr"));
    }

    // The read-only boxes take the window's colours with its text colour.
    void readableInLightAndDarkThemes_data() { ThemeScope::addThemeRows(); }
    void readableInLightAndDarkThemes()
    {
        QFETCH(bool, dark);
        const ThemeScope scope(dark);
        setup().openEditor();
        setup().choose("Length");
        const QStringList poor = readability::poorlyReadable(editor());
        QVERIFY2(poor.isEmpty(), qPrintable(poor.join("; ")));
    }

    void newCategoryCancelledChangesNothing()
    {
        setup().openEditor();
        setup().choose("Length");
        setup().typeName("Widgets");
        boxes().expect(Answer::Cancel);
        editor().chooseCategory();
        QCOMPARE(editor().currentCategory().categoryName(), QStringLiteral("Length"));
        QCOMPARE(child<QLineEdit>(editor(), "txtUnitName", 0)->text(), QStringLiteral("Meter (m)"));
    }

    void enterInTheCategoryField()
    {
        setup().openEditor();
        setup().typeName(QString());
        editor().categoryKeyPress(13); // nothing typed: nothing happens
        setup().typeName("Widgets");
        boxes().expect(Answer::Cancel);
        editor().categoryKeyPress(13);
        QCOMPARE(boxes().shown().size(), 1);
        QCOMPARE(boxes().shown().last().text, QStringLiteral("Create new Category\r\nWidgets"));
    }

    void refusedNewNamesChangeNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("messageStart");
        QTest::newRow("the index's name") << "UnitType" << "\"UnitType\" cannot be a category name";
        QTest::newRow("device name") << "con.txt" << "\"con.txt\" cannot be a category name";
        QTest::newRow("pasted slash") << "Speed/Time" << "Category name cannot contain any of the\r\n";
        QTest::newRow("outside Windows-1252") << "Ohm \u03A9" << "Category name cannot contain \u03A9\r\n";
        QTest::newRow("too long for a file name") << QString(300, 'x') << "Category name is too long to name a file";
        QTest::newRow("up a folder") << ".." << "Category name cannot end with a full stop";
    }
    void refusedNewNamesChangeNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, messageStart);
        setup().openEditor();
        setup().choose("Length");
        child<QLineEdit>(editor(), "txtUnitName", 1)->setText("Renamed");
        editor().commitName(1);
        setup().typeName(name);
        boxes().expectOK(); // the refusal, before any save offer
        editor().chooseCategory();
        QCOMPARE(boxes().shown().size(), 1);
        QVERIFY2(boxes().shown().first().text.startsWith(messageStart), qPrintable(boxes().shown().first().text));
        QCOMPARE(editor().currentCategory().categoryName(), QStringLiteral("Length"));
        QCOMPARE(child<QLineEdit>(editor(), "txtUnitName", 1)->text(), QStringLiteral("Renamed"));
    }

    void refusedCategoryKeys_data()
    {
        QTest::addColumn<QChar>("key");
        QTest::addColumn<QString>("message");
        const QString eleven = QStringLiteral(
            "Category name cannot contain any of the\r\nfollowing characters: \\ / : ? * \" < > | , ^");
        for (const QChar c : QStringLiteral("\\/:?*\"<>|,^"))
            QTest::addRow("%s", qPrintable(QString(c))) << c << eleven;
        QTest::newRow("outside Windows-1252")
            << QChar(0x263A)
            << QStringLiteral("Category name cannot contain \u263A\r\nThe catalogue files can only store the "
                              "characters of the Western European (Windows-1252) character set");
    }
    void refusedCategoryKeys()
    {
        QFETCH(QChar, key);
        QFETCH(QString, message);
        setup().openEditor();
        setup().typeName("Ab");
        boxes().expectOK();
        QCOMPARE(editor().categoryKeyPress(qint16(key.unicode())), qint16(0));
        QCOMPARE(boxes().shown().last().text, message);
        QCOMPARE(boxes().shown().last().buttons, Buttons::OK);
        QCOMPARE(child<QComboBox>(editor(), "UnitSelect")->currentText(), QStringLiteral("Ab"));
    }

    void typingIntoTheCategoryField()
    {
        setup().openEditor();
        setup().choose("Area");
        child<QLineEdit>(editor(), "txtUnitName", 1)->setText("Renamed");
        editor().commitName(1);
        QLineEdit *field = child<QComboBox>(editor(), "UnitSelect")->lineEdit();
        setup().typeName(QString());
        setup().focus(child<QComboBox>(editor(), "UnitSelect"));
        // Completion to a listed name, and Enter chooses it once: one save offer, one load.
        QTest::keyClicks(field, "len");
        QCOMPARE(child<QComboBox>(editor(), "UnitSelect")->currentText(), QStringLiteral("Length"));
        boxes().expect(Answer::No);
        int choices = 0;
        connect(child<QComboBox>(editor(), "UnitSelect"), &QComboBox::activated, this, [&choices] { ++choices; });
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(boxes().shown().size(), 1);
        QCOMPARE(choices, 0); // the combo did not choose the item a second time
        QCOMPARE(editor().currentCategory().categoryName(), QStringLiteral("Length"));
        QVERIFY(editor().isVisible());
        // A refused character is not typed; a new name goes the new-category way.
        setup().typeName(QString());
        setup().focus(child<QComboBox>(editor(), "UnitSelect"));
        boxes().expectOK();
        QTest::keyClicks(field, "Q/");
        QCOMPARE(boxes().shown().last().text.left(39), QStringLiteral("Category name cannot contain any of the"));
        QTest::keyClicks(field, "x");
        QCOMPARE(child<QComboBox>(editor(), "UnitSelect")->currentText(), QStringLiteral("Qx"));
        boxes().expect(Answer::Cancel);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(boxes().shown().last().text, QStringLiteral("Create new Category\r\nQx"));
    }

    void enterInTheOpenListTakesTheTypedName()
    {
        setup().openEditor();
        setup().choose("Length");
        setup().typeName(QString());
        setup().focus(child<QComboBox>(editor(), "UnitSelect"));
        QTest::keyClicks(child<QComboBox>(editor(), "UnitSelect")->lineEdit(), "LengthX");
        QVERIFY(child<QComboBox>(editor(), "UnitSelect")->view()->isVisible());
        QCOMPARE(child<QComboBox>(editor(), "UnitSelect")->currentText(), QStringLiteral("LengthX"));
        boxes().expect(Answer::Cancel);
        QTest::keyClick(child<QComboBox>(editor(), "UnitSelect")->view(), Qt::Key_Return);
        QCOMPARE(boxes().shown().size(), 1);
        QCOMPARE(boxes().shown().last().text, QStringLiteral("Create new Category\r\nLengthX"));
        QVERIFY(!child<QComboBox>(editor(), "UnitSelect")->view()->isVisible());

        // Moving through the list makes the highlighted item the choice.
        setup().typeName(QString());
        setup().focus(child<QComboBox>(editor(), "UnitSelect"));
        QTest::keyClicks(child<QComboBox>(editor(), "UnitSelect")->lineEdit(), "m");
        QCOMPARE(child<QComboBox>(editor(), "UnitSelect")->currentText(), QStringLiteral("Magnetic Field Strength"));
        QTest::keyClick(child<QComboBox>(editor(), "UnitSelect")->view(), Qt::Key_Down);
        QTest::keyClick(child<QComboBox>(editor(), "UnitSelect")->view(), Qt::Key_Return);
        QCOMPARE(editor().currentCategory().categoryName(), QStringLiteral("Magnetic Flux"));
        QCOMPARE(boxes().shown().size(), 1);
    }

    void cancelAndTheCloseBoxUnload_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Cancel") << false;
        QTest::newRow("close box") << true;
    }
    void cancelAndTheCloseBoxUnload()
    {
        QFETCH(bool, closeBox);
        setup().openEditor();
        setup().choose("Length");
        child<QLineEdit>(editor(), "txtUnitName", 1)->setText("Renamed");
        editor().commitName(1);
        const QString original = setup().categoryBytes("Length");
        if (closeBox)
            editor().close();
        else
            QTest::mouseClick(child<QPushButton>(editor(), "CancelButton"), Qt::LeftButton);
        QVERIFY(editor().isUnloaded());
        QVERIFY(!editor().isVisible());
        QVERIFY(!editor().hasCurrentCategory());
        QCOMPARE(setup().categoryBytes("Length"), original);
    }

    void escapeKeepsTheEditorOpen()
    {
        setup().openEditor();
        setup().focus(child<QPushButton>(editor(), "OKButton"));
        QTest::keyClick(child<QPushButton>(editor(), "OKButton"), Qt::Key_Escape);
        QVERIFY(editor().isVisible());
        QVERIFY(!editor().isUnloaded());
    }

    void hiddenEditorIsShownAgainAndAnUnloadedOneIsMadeAnew()
    {
        setup().loadForm();
        QPointer<CatalogueEditor> kept;
        QPointer<CatalogueEditor> first;
        QTimer::singleShot(0, this, [&] {
            first = kept;
            child<QComboBox>(*kept, "UnitSelect")->setCurrentIndex(child<QComboBox>(*kept, "UnitSelect")->findText("Length"));
            kept->chooseCategory();
            kept->hideKeepingState();
        });
        CatalogueEditor::showEditor(setup().form(), kept);
        QVERIFY(kept);

        bool stateKept = false;
        QTimer::singleShot(0, this, [&] {
            stateKept = kept == first && child<QLineEdit>(*kept, "txtUnitName", 0)->text() == QStringLiteral("Meter (m)");
            child<QPushButton>(*kept, "CancelButton")->click();
        });
        CatalogueEditor::showEditor(setup().form(), kept);
        QVERIFY(stateKept);
        QVERIFY(!kept);
        QVERIFY(!first);

        bool fresh = false;
        QTimer::singleShot(0, this, [&] {
            fresh = kept && child<QComboBox>(*kept, "UnitSelect")->count() == catalogue::indexLines().size() && !child<QGroupBox>(*kept, "Frame2")->isEnabled();
            child<QPushButton>(*kept, "CancelButton")->click();
        });
        CatalogueEditor::showEditor(setup().form(), kept);
        QVERIFY(fresh);
    }
};

QTEST_MAIN(TestEditorCategory)
#include "tst_editorcategory.moc"
