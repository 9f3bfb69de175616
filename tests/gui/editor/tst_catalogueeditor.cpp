#include "gui/editor/CatalogueEditor.h"
#include "gui/editor/EditorTexts.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/platform/Beep.h"
#include "gui/platform/BusyPointer.h"
#include "support/AccessKeys.h"
#include "support/Controls.h"
#include "support/FaultFiles.h"
#include "support/HostileEntries.h"
#include "support/ListItems.h"
#include "support/OtherCopy.h"
#include "support/Readability.h"
#include "support/ShownBoxes.h"
#include "support/TestEnvironment.h"

#include "core/base/AppInfo.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/CatalogueFiles.h"
#include "core/catalogue/CatalogueIndex.h"
#include "core/catalogue/CatalogueNames.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/settings/ProgramRecords.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <memory>

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using Boxes = QList<platform::MessageBoxRequest>;

namespace {

platform::MessageBoxRequest box(const QString &text, Buttons buttons = Buttons::OK, Icon icon = Icon::None)
{
    return {text, buttons, icon, app::appTitle()};
}

// n units named "Unit 1".."Unit n" with factors 1..n.
QByteArray unitsFile(int n)
{
    QByteArray bytes;
    for (int i = 1; i <= n; ++i)
        bytes += QByteArray::number(i) + "^Unit " + QByteArray::number(i) + "\r\n";
    return bytes;
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kPlaceholder = kPlaceholderUnitName;
const QString kBusy = QStringLiteral(
    "The catalogue is being changed by another copy of Tallimer.\r\nNothing has been changed: please try again in a moment.");

} // namespace

// The catalogue editor on a main window loaded from the test's catalogue, connected as the
// program connects them, shown and active so that the focus moves as it does for the user.
class TestCatalogueEditor : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<MainWindow> m_form;
    std::unique_ptr<CatalogueEditor> m_editor;

    platform::ScriptedMessageBoxes &boxes() { return m_env->boxes(); }
    CatalogueEditor &editor() { return *m_editor; }
    UnitCategory &category() { return m_editor->currentCategory(); }
    QComboBox *chooser() { return child<QComboBox>(*m_editor, "UnitSelect"); }
    QLineEdit *nameBox(int row) { return child<QLineEdit>(*m_editor, "txtUnitName", row); }
    QLineEdit *factorBox(int row) { return child<QLineEdit>(*m_editor, "txtUnitFactor", row); }
    QLineEdit *baseName() { return child<QLineEdit>(*m_editor, "txtBaseUnit"); }
    QPushButton *button(const char *name) { return child<QPushButton>(*m_editor, name); }
    QScrollBar *pager() { return child<QScrollBar>(*m_editor, "VScroll1"); }
    bool unitAreaEnabled() { return child<QGroupBox>(*m_editor, "Frame2")->isEnabled(); }
    QStringList mainList() { return listItems(child<QListWidget>(*m_form, "UnitType")); }
    QByteArray categoryBytes(const QString &name) { return bytesOf(catalogue::categoryFile(name)); }
    QByteArray index() { return m_env->readFile("bin/unitType.ucr"); }

    // Writes a category file and lists it in the index (before openEditor).
    void addCategory(const QString &name, const QByteArray &bytes)
    {
        m_env->writeFile("bin/" + name + ".ucr", bytes);
        m_env->writeFile("bin/unitType.ucr", index() + name.toLatin1() + "\r\n");
    }
    void openEditor()
    {
        if (!m_form) {
            m_form = std::make_unique<MainWindow>();
            QVERIFY(m_form->load());
        }
        m_editor = std::make_unique<CatalogueEditor>(m_form.get());
        connect(m_editor.get(), &CatalogueEditor::categoriesChanged, m_form.get(), &MainWindow::reloadCategories);
        connect(m_editor.get(), &CatalogueEditor::catalogueReplaced, m_form.get(), [this] {
            m_form->reloadCategories();
            m_form->disableConversion();
        });
        m_editor->load();
        m_editor->show();
        QVERIFY(QTest::qWaitForWindowActive(m_editor.get()));
    }
    void openWith(const QByteArray &file)
    {
        addCategory("Test", file);
        openEditor();
        choose("Test");
    }
    // Chooses a listed category as a click in the list does.
    void choose(const QString &name)
    {
        const int index = chooser()->findText(name, Qt::MatchExactly);
        QVERIFY2(index >= 0, qPrintable(name));
        chooser()->setCurrentIndex(index);
        emit chooser()->activated(index);
    }
    // Types a name that no list item is chosen for.
    void typeName(const QString &name)
    {
        chooser()->setCurrentIndex(-1);
        chooser()->setEditText(name);
    }
    void createCategory(const QString &name)
    {
        typeName(name);
        boxes().expect(Answer::OK);
        editor().chooseCategory();
        QCOMPARE(category().categoryName(), name);
    }
    // Gives a box the focus as Tab does, so that the box left before commits.
    void focus(QWidget *box)
    {
        box->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), box);
    }
    // Replaces a box's text as the user does, then leaves it for another box, which commits it.
    void edit(QLineEdit *box, const QString &text, QWidget *next)
    {
        focus(box);
        box->setText(text);
        focus(next);
    }
    void name(int row, const QString &text) { edit(nameBox(row), text, factorBox(row)); }
    void renameKilometre()
    {
        choose("Length");
        edit(nameBox(1), "Renamed", nameBox(2));
    }
    QStringList rowTexts(const QString &boxName)
    {
        QStringList texts;
        for (int row = 0; row < 5; ++row)
            texts << child<QLineEdit>(*m_editor, boxName, row)->text();
        return texts;
    }
    QStringList rowNames() { return rowTexts("txtUnitName"); }
    void verifyIdle()
    {
        QVERIFY(!unitAreaEnabled());
        QCOMPARE(baseName()->text(), editor::kNoBaseUnit);
        QCOMPARE(rowNames(), QStringList(5, QString()));
        QCOMPARE(pager()->maximum(), 0);
        QCOMPARE(editor().helpText(), editor::kStartHelpText);
    }

private slots:
    void init()
    {
        releaseProgramRecords();
        platform::resetBeepCount();
        m_env = std::make_unique<TestEnvironment>();
    }
    void cleanup()
    {
        m_editor.reset();
        m_form.reset();
        releaseProgramRecords();
        const int unusedAnswers = m_env->boxes().pendingAnswers();
        finishEnvironment(m_env);
        QCOMPARE(unusedAnswers, 0);
    }

    // --- choosing a category ---------------------------------------------------------------------

    void namesThatCannotBeEditedChangeNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Temperature, listed: refused, the editor idle") << "Temperature";
        QTest::newRow("temperature, typed: a new category, cancelled") << "temperature";
        QTest::newRow("a name no file can carry: refused") << "Speed/Time";
    }
    void namesThatCannotBeEditedChangeNothing()
    {
        QFETCH(QString, name);
        openEditor();
        choose("Length");
        const bool listed = name == "Temperature";
        if (listed) {
            boxes().expectOK();
            choose(name);
        } else {
            typeName(name);
            boxes().expect(Answer::Cancel);
            editor().chooseCategory();
        }
        const QString refusal = catalogue::categoryFileRefusal(name);
        const auto question = box(editor::kCreateCategoryQuestion + name, Buttons::OKCancel, Icon::Question);
        QCOMPARE(boxes().shown(), Boxes{listed ? box(editor::kTemperatureRefusal) : refusal.isEmpty() ? question : box(refusal)});
        if (listed)
            verifyIdle();
        else
            QCOMPARE(nameBox(0)->text(), QStringLiteral("Meter (m)"));
    }

    void saveOfferWhenSwitching_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("secondRow"); // once the choice is made
        QTest::newRow("Yes saves, then switches") << "Area" << Answer::Yes << "Square Kilometer (km\u00B2)";
        QTest::newRow("No discards, then switches") << "Area" << Answer::No << "Square Kilometer (km\u00B2)";
        QTest::newRow("Cancel keeps everything") << "Area" << Answer::Cancel << "Renamed";
        QTest::newRow("No, the same category again: reloaded") << "Length" << Answer::No << "Kilometer (km)";
    }
    void saveOfferWhenSwitching()
    {
        QFETCH(QString, target);
        QFETCH(Answer, answer);
        QFETCH(QString, secondRow);
        openEditor();
        renameKilometre();
        boxes().expect(answer);
        choose(target);
        QCOMPARE(boxes().shown(), Boxes{box(editor::kSaveChangesQuestion, Buttons::YesNoCancel, Icon::Exclamation)});
        const bool switched = answer != Answer::Cancel;
        QCOMPARE(category().categoryName(), switched ? target : QStringLiteral("Length"));
        QCOMPARE(nameBox(1)->text(), secondRow);
        QCOMPARE(category().isChanged(), !switched);
        QCOMPARE(categoryBytes("Length").contains("^Renamed\r\n"), answer == Answer::Yes);
    }

    void theBaseRowShowsTheFirstUnitOfFactorOne_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("baseName");
        QTest::newRow("first unit") << QByteArray("1^Meter\r\n0.3048^Foot\r\n") << "Meter";
        QTest::newRow("later unit") << QByteArray("0.3048^Foot\r\n1^Meter\r\n") << "Meter";
        QTest::newRow("no unit of factor 1: first spare slot") << QByteArray("2^Double\r\n3^Triple\r\n") << kPlaceholder;
        QTest::newRow("Base Unit named so: the next unit of factor 1") << QByteArray("1^Base Unit\r\n2^Two\r\n1^Other\r\n")
                                                                       << "Other";
    }
    void theBaseRowShowsTheFirstUnitOfFactorOne()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, baseName);
        openWith(file);
        QCOMPARE(this->baseName()->text(), baseName);
        QCOMPARE(child<QLineEdit>(editor(), "txtBaseFactor")->text(), QStringLiteral("1"));
    }

    // The slots run to the last unit plus two spares; five rows show them from the scroll value.
    // Each caption's access key is the last digit of its unit's number, which no two rows share.
    void rowsShowTheSlotsFromTheScrollValue_data()
    {
        QTest::addColumn<int>("units");
        QTest::addColumn<int>("first");
        QTest::addColumn<QString>("firstCaption");
        QTest::newRow("3 units and two spares: one page") << 3 << 0 << "Unit &1:";
        QTest::newRow("20 units, first page") << 20 << 0 << "Unit &1:";
        QTest::newRow("across ten") << 20 << 5 << "Unit &6:";
        QTest::newRow("beyond ten") << 20 << 9 << "Unit 1&0:";
        QTest::newRow("last page") << 20 << 16 << "Unit 1&7:";
    }
    void rowsShowTheSlotsFromTheScrollValue()
    {
        QFETCH(int, units);
        QFETCH(int, first);
        QFETCH(QString, firstCaption);
        openWith(unitsFile(units));
        QCOMPARE(int(category().lastIndex()), units + 1);
        QCOMPARE(pager()->maximum(), std::max(0, units - 4));
        QCOMPARE(editor().helpText(), editor::kExistingCategoryHelpText);
        QVERIFY(!category().isChanged());
        QVERIFY(!platform::isBusyPointer());
        pager()->setValue(first);
        QStringList names;
        QStringList factors;
        for (int unit = first + 1; unit <= first + 5; ++unit) {
            names << (unit <= units ? QStringLiteral("Unit %1").arg(unit) : kPlaceholder);
            factors << QString::number(unit <= units ? unit : 1);
        }
        QCOMPARE(rowNames(), names);
        QCOMPARE(rowTexts("txtUnitFactor"), factors);
        QCOMPARE(child<QLabel>(editor(), "UnitNum", 1)->text(), firstCaption);
        QCOMPARE(nameBox(4)->accessibleName(), QStringLiteral("Unit %1 name").arg(first + 5));
        QCOMPARE(accessKeys::windowFaults(editor()), QStringList());
        QTest::keyClick(&editor(), Qt::Key(Qt::Key_0 + (first + 3) % 10), Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), nameBox(2));
    }

    void anEmptyNameLeavesItsRowToTheNextSlot()
    {
        openWith("1^A\r\n2^\r\n3^B\r\n4^C\r\n");
        QCOMPARE(rowNames(), QStringList({"A", "B", "C", kPlaceholder, kPlaceholder}));
        // Each row commits to the slot it shows: passing through the rows changes nothing ...
        for (int row = 0; row < 5; ++row)
            edit(nameBox(row), nameBox(row)->text(), factorBox(row));
        focus(nameBox(0));
        QVERIFY(!category().isChanged());
        // ... and an edit of B reaches B's slot.
        edit(factorBox(1), "5", nameBox(2));
        QCOMPARE(category().unitFactor(2), 5.0);
        QCOMPARE(category().unitFactor(1), 2.0);
    }

    // The prompt of the new category's first name is selected, so that the name typed replaces
    // it, also when the focus only arrives as the editor becomes the active window again.
    void aNewCategoryStartsWithItsFirstNameSelected_data()
    {
        QTest::addColumn<bool>("activatedLater");
        QTest::newRow("editor active") << false;
        QTest::newRow("focus arrives by activation") << true;
    }
    void aNewCategoryStartsWithItsFirstNameSelected()
    {
        QFETCH(bool, activatedLater);
        openEditor();
        QWidget other;
        if (activatedLater) {
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        }
        createCategory("Widgets");
        if (activatedLater) {
            editor().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&editor()));
        }
        QVERIFY(category().isChanged());
        QCOMPARE(baseName()->text(), editor::kBaseUnitPrompt);
        QCOMPARE(rowNames(), QStringList({editor::kBaseUnitPrompt, kPlaceholder, kPlaceholder, kPlaceholder, kPlaceholder}));
        QCOMPARE(rowTexts("txtUnitFactor"), QStringList(5, "1"));
        QVERIFY(unitAreaEnabled());
        QCOMPARE(editor().helpText(), editor::kNewCategoryHelpText);
        QCOMPARE(QApplication::focusWidget(), nameBox(0));
        QTest::keyClicks(nameBox(0), "Meter");
        QCOMPARE(nameBox(0)->text(), QStringLiteral("Meter"));
        QVERIFY(categoryBytes("Widgets").isEmpty());
    }

    // Keys typed into the category field: completion, refused characters, and Enter, which
    // chooses once; in the open list Enter takes the typed name unless the user moved through it.
    void typingIntoTheCategoryField()
    {
        openEditor();
        QLineEdit *field = chooser()->lineEdit();
        focus(chooser());
        QTest::keyClick(field, Qt::Key_Return); // nothing typed: nothing happens
        choose("Area");
        nameBox(1)->setText("Renamed");
        editor().commitName(1);
        typeName(QString());
        focus(chooser());
        QTest::keyClicks(field, "len");
        QCOMPARE(chooser()->currentText(), QStringLiteral("Length"));
        boxes().expect(Answer::No);
        int choices = 0;
        connect(chooser(), &QComboBox::activated, this, [&choices] { ++choices; });
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(choices, 0); // the combo did not choose the item a second time
        QCOMPARE(category().categoryName(), QStringLiteral("Length"));

        // Refused characters are not typed; Enter in the open list takes the typed name, not the
        // item highlighted by the completion.
        typeName(QString());
        focus(chooser());
        boxes().expectOK(2);
        QTest::keyClicks(field, "Len/");
        QKeyEvent smiley(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("\u263A"));
        QCoreApplication::sendEvent(field, &smiley);
        QTest::keyClicks(field, "X");
        QCOMPARE(chooser()->currentText(), QStringLiteral("LengthX"));
        QVERIFY(chooser()->view()->isVisible());
        boxes().expect(Answer::Cancel);
        QTest::keyClick(chooser()->view(), Qt::Key_Return);
        QVERIFY(!chooser()->view()->isVisible());
        QCOMPARE(boxes().shownTexts(),
                 QStringList({editor::kSaveChangesQuestion, catalogue::refusedCategoryCharactersMessage(),
                              catalogue::outsideCatalogueMessage("Category name", "\u263A"),
                              editor::kCreateCategoryQuestion + "LengthX"}));

        // Moving through the open list makes the highlighted item the choice, until the next key
        // typed.
        for (const QString typedAfter : {"", "q"}) {
            typeName(QString());
            focus(chooser());
            QTest::keyClicks(field, "m");
            QCOMPARE(chooser()->currentText(), QStringLiteral("Magnetic Field Strength"));
            QTest::keyClick(chooser()->view(), Qt::Key_Down);
            QTest::keyClicks(chooser()->view(), typedAfter);
            if (!typedAfter.isEmpty())
                boxes().expect(Answer::Cancel);
            QTest::keyClick(chooser()->view(), Qt::Key_Return);
        }
        QCOMPARE(category().categoryName(), QStringLiteral("Magnetic Flux"));
        QCOMPARE(boxes().shown().last().text, editor::kCreateCategoryQuestion + "Mq");
    }

    // Cancel and the close box drop the edits unasked and unload the editor; Escape does nothing.
    void closingTheEditor_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Cancel") << "Cancel";
        QTest::newRow("close box") << "close box";
        QTest::newRow("Escape") << "Escape";
    }
    void closingTheEditor()
    {
        QFETCH(QString, way);
        openEditor();
        const QByteArray original = categoryBytes("Length");
        renameKilometre();
        if (way == "Cancel")
            QTest::mouseClick(button("CancelButton"), Qt::LeftButton);
        else if (way == "close box")
            editor().close();
        else
            QTest::keyClick(nameBox(2), Qt::Key_Escape);
        const bool unloads = way != "Escape";
        QCOMPARE(editor().isUnloaded(), unloads);
        QCOMPARE(editor().isVisible(), !unloads);
        QCOMPARE(editor().hasCurrentCategory(), !unloads);
        QCOMPARE(categoryBytes("Length"), original);
    }

    void hiddenEditorIsShownAgainAndAnUnloadedOneIsMadeAnew()
    {
        m_form = std::make_unique<MainWindow>();
        QVERIFY(m_form->load());
        QPointer<CatalogueEditor> kept;
        const auto whileShown = [&](const std::function<void()> &step) {
            QTimer::singleShot(0, this, step);
            CatalogueEditor::showEditor(*m_form, kept);
        };
        QPointer<CatalogueEditor> first;
        whileShown([&] {
            first = kept;
            child<QComboBox>(*kept, "UnitSelect")->setCurrentIndex(child<QComboBox>(*kept, "UnitSelect")->findText("Length"));
            kept->chooseCategory();
            kept->hideKeepingState();
        });
        bool stateKept = false;
        whileShown([&] {
            stateKept = kept == first && child<QLineEdit>(*kept, "txtUnitName", 0)->text() == QStringLiteral("Meter (m)");
            kept->cancel();
        });
        QVERIFY(stateKept);
        QVERIFY(!kept);
        QVERIFY(!first);
        bool fresh = false;
        whileShown([&] {
            fresh = kept && child<QComboBox>(*kept, "UnitSelect")->count() > 0 && !child<QGroupBox>(*kept, "Frame2")->isEnabled();
            kept->cancel();
        });
        QVERIFY(fresh);
    }

    // The read-only boxes take the window's colours with its text colour.
    void readableInLightAndDarkThemes_data() { ThemeScope::addThemeRows(); }
    void readableInLightAndDarkThemes()
    {
        QFETCH(bool, dark);
        const ThemeScope scope(dark);
        openWith("1^Only\r\n");
        const QStringList poor = readability::poorlyReadable(editor());
        QVERIFY2(poor.isEmpty(), qPrintable(poor.join("; ")));
    }

    // --- the unit rows: focus, keys and commits ----------------------------------------------------

    void focusSelectsTheWholeText_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key"); // 0: a click
        QTest::addColumn<QString>("to");
        QTest::newRow("a name, clicked") << "" << 0 << "txtUnitName1";
        QTest::newRow("a factor, clicked") << "" << 0 << "txtUnitFactor1";
        QTest::newRow("the base unit, clicked") << "" << 0 << "txtBaseUnit";
        QTest::newRow("Enter in a name: its factor") << "txtUnitName2" << int(Qt::Key_Return) << "txtUnitFactor2";
        QTest::newRow("Enter in a factor: the next name") << "txtUnitFactor2" << int(Qt::Key_Return) << "txtUnitName3";
        QTest::newRow("Enter in the last factor: stays") << "txtUnitFactor4" << int(Qt::Key_Enter) << "txtUnitFactor4";
        QTest::newRow("Tab in a name: its factor") << "txtUnitName0" << int(Qt::Key_Tab) << "txtUnitFactor0";
        QTest::newRow("Tab in a factor: the next name") << "txtUnitFactor0" << int(Qt::Key_Tab) << "txtUnitName1";
    }
    void focusSelectsTheWholeText()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        openEditor();
        choose("Length");
        auto *target = child<QLineEdit>(editor(), to);
        if (key == 0) {
            target->setFocus(Qt::MouseFocusReason);
            QCoreApplication::processEvents();
        } else {
            focus(child<QLineEdit>(editor(), from));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        }
        QCOMPARE(QApplication::focusWidget(), target);
        QVERIFY(!target->text().isEmpty());
        QCOMPARE(target->selectedText(), target->text());
        QVERIFY(editor().isVisible());
        QCOMPARE(platform::beepCount(), 0);
    }

    void leavingAFactorBoxCommitsIt_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("boxAfter");
        QTest::addColumn<double>("stored");
        QTest::addColumn<bool>("changed");
        const int none = -1;
        const int ok = int(Answer::OK);
        const int cancel = int(Answer::Cancel);
        const QString base = editor::kBaseFactorMessage;
        const QString invalid = editor::kInvalidFactorQuestion;
        // Rows: Meter (m) 1, Kilometer (km) 1000, Meter (m) 2.
        QTest::newRow("1.0 over a stored 1") << 0 << "1.0" << QString() << none << "1.0" << 1.0 << false;
        QTest::newRow("1e3 over a stored 1000") << 1 << "1e3" << QString() << none << "1e3" << 1000.0 << false;
        QTest::newRow("a new factor") << 1 << "2.5" << QString() << none << "2.5" << 2.5 << true;
        QTest::newRow("the base unit's factor") << 0 << "2" << base << ok << "1" << 1.0 << false;
        QTest::newRow("a second unit of the base's name") << 2 << "3" << base << ok << "1" << 2.0 << false;
        QTest::newRow("zero, OK") << 1 << "0" << invalid << ok << "1000" << 1000.0 << false;
        QTest::newRow("zero, Cancel") << 1 << "0" << invalid << cancel << "0" << 1000.0 << false;
        QTest::newRow("pasted word, OK") << 1 << "abc" << invalid << ok << "1000" << 1000.0 << false;
        QTest::newRow("pasted word, Cancel") << 1 << "abc" << invalid << cancel << "abc" << 1000.0 << false;
        QTest::newRow("exponent without digits") << 1 << "1e" << invalid << ok << "1000" << 1000.0 << false;
        QTest::newRow("empty") << 1 << "" << invalid << ok << "1000" << 1000.0 << false;
    }
    void leavingAFactorBoxCommitsIt()
    {
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(int, answer);
        QFETCH(QString, boxAfter);
        QFETCH(double, stored);
        QFETCH(bool, changed);
        openWith("1^Meter (m)\r\n1000^Kilometer (km)\r\n2^Meter (m)\r\n");
        if (answer >= 0)
            boxes().expect(Answer(answer));
        edit(factorBox(row), text, nameBox(row + 1));
        const bool question = message == editor::kInvalidFactorQuestion;
        QCOMPARE(boxes().shown(), message.isEmpty() ? Boxes()
                                  : Boxes{question ? box(message, Buttons::OKCancel, Icon::Exclamation)
                                                   : box(message, Buttons::OK, Icon::Information)});
        QCOMPARE(factorBox(row)->text(), boxAfter);
        QCOMPARE(category().unitFactor(qint16(row)), stored);
        QCOMPARE(category().isChanged(), changed);
        if (answer == int(Answer::Cancel))
            QTRY_COMPARE(QApplication::focusWidget(), factorBox(row));
    }

    void theBaseRowFollowsTheBaseUnitsName()
    {
        openEditor();
        choose("Length");
        name(0, "Metre");
        QCOMPARE(baseName()->text(), QStringLiteral("Metre"));
        QCOMPARE(category().unitName(0), QStringLiteral("Metre"));
        name(0, QString());
        QCOMPARE(baseName()->text(), QString());
        // Now every row without a name counts as the base unit for the factor rule.
        name(2, QString());
        boxes().expectOK();
        edit(factorBox(2), "0.2", nameBox(3));
        QCOMPARE(boxes().shownTexts(), QStringList{editor::kBaseFactorMessage});
        QCOMPARE(category().unitFactor(2), 0.1);
    }

    void factorBoxesTakeOnlyNumberKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("typed");
        const int plain = int(Qt::NoModifier);
        QTest::newRow("digit") << int(Qt::Key_7) << plain << "7" << true;
        QTest::newRow("full stop") << int(Qt::Key_Period) << plain << "." << true;
        QTest::newRow("lower-case e") << int(Qt::Key_E) << plain << "e" << true;
        QTest::newRow("upper-case E") << int(Qt::Key_E) << int(Qt::ShiftModifier) << "E" << false;
        QTest::newRow("minus") << int(Qt::Key_Minus) << plain << "-" << false;
        QTest::newRow("comma") << int(Qt::Key_Comma) << plain << "," << false;
        QTest::newRow("colon, after the digits") << int(Qt::Key_Colon) << plain << ":" << false;
        QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier) << "\x16" << false;
    }
    void factorBoxesTakeOnlyNumberKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(bool, typed);
        openEditor();
        choose("Length");
        QLineEdit *factor = factorBox(1);
        focus(factor);
        factor->setText("12");
        QApplication::clipboard()->setText("999");
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        QCoreApplication::sendEvent(factor, &press);
        QCOMPARE(factor->text(), typed ? "12" + text : QStringLiteral("12"));
        QCOMPARE(platform::beepCount(), typed ? 0 : 1);
        QTest::keyClick(factor, Qt::Key_Backspace);
        QCOMPARE(factor->text(), typed ? "12" : QStringLiteral("1"));
    }

    // Characters typed, or composed by an input method, into a unit name: refused ones reach
    // neither the box nor the name committed when the box is left.
    void refusedCharactersNeverReachAUnitName_data()
    {
        QTest::addColumn<QString>("characters");
        QTest::addColumn<bool>("composed");
        QTest::addColumn<QString>("message");
        const QString commaCaret = catalogue::refusedUnitCharactersMessage();
        const auto outside = [](const QString &c) { return catalogue::outsideCatalogueMessage("Unit name", c); };
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("comma") << "," << false << commaCaret;
        QTest::newRow("caret") << "^" << false << commaCaret;
        QTest::newRow("accented letter") << "\u00E9" << false << QString();
        QTest::newRow("euro sign") << "\u20AC" << false << QString();
        QTest::newRow("Greek letter") << "\u03A9" << false << outside("\u03A9");
        QTest::newRow("beyond 16 bits") << emoji << false << outside(emoji);
        QTest::newRow("composed accented letter") << "\u00E9" << true << QString();
        QTest::newRow("composed comma") << "," << true << commaCaret;
        QTest::newRow("composed text holding a caret") << "s^2" << true << commaCaret;
        QTest::newRow("composed CJK character") << "\u65E5" << true << outside("\u65E5");
    }
    void refusedCharactersNeverReachAUnitName()
    {
        QFETCH(QString, characters);
        QFETCH(bool, composed);
        QFETCH(QString, message);
        openEditor();
        choose("Length");
        focus(nameBox(1));
        nameBox(1)->setText("Km");
        if (!message.isEmpty())
            boxes().expectOK();
        if (composed) {
            QInputMethodEvent commit(QString(), {});
            commit.setCommitString(characters);
            QCoreApplication::sendEvent(nameBox(1), &commit);
        } else {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, characters);
            QCoreApplication::sendEvent(nameBox(1), &press);
        }
        const QString kept = message.isEmpty() ? "Km" + characters : QStringLiteral("Km");
        QCOMPARE(nameBox(1)->text(), kept);
        QCOMPARE(boxes().shownTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        focus(factorBox(1));
        QCOMPARE(category().unitName(1), kept);
    }

    // A name box commits its text to its slot when the user leaves it, not when another window
    // takes the focus. Pasted text did not pass the key filter: a refused name is put back.
    void leavingANameBoxCommitsIt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("factor"); // in the factor box meanwhile
        QTest::addColumn<QString>("committed");
        const int tab = Qt::TabFocusReason;
        const QString kilometre = QStringLiteral("Kilometer (km)");
        QTest::newRow("Tab") << "Km" << tab << "1000" << "Km";
        QTest::newRow("a click") << "Km" << int(Qt::MouseFocusReason) << "1000" << "Km";
        QTest::newRow("other reason") << "Km" << int(Qt::OtherFocusReason) << "1000" << "Km";
        QTest::newRow("another window active: nothing") << "Km" << int(Qt::ActiveWindowFocusReason) << "1000" << kilometre;
        QTest::newRow("a popup: nothing") << "Km" << int(Qt::PopupFocusReason) << "1000" << kilometre;
        QTest::newRow("beside a factor that is none: the slot's own kept") << "Km" << tab << "abc" << "Km";
        QTest::newRow("pasted comma: refused") << "Kilo,metre" << tab << "1000" << kilometre;
        QTest::newRow("pasted tab: refused") << "Kilo\tmetre" << tab << "1000" << kilometre;
    }
    void leavingANameBoxCommitsIt()
    {
        QFETCH(QString, text);
        QFETCH(int, reason);
        QFETCH(QString, factor);
        QFETCH(QString, committed);
        openEditor();
        choose("Length");
        const QString refusal = catalogue::unitNameRefusal(text);
        boxes().expectOK(refusal.isEmpty() ? 0 : 1);
        factorBox(1)->setText(factor);
        nameBox(1)->setText(text);
        QFocusEvent out(QEvent::FocusOut, Qt::FocusReason(reason));
        QCoreApplication::sendEvent(nameBox(1), &out);
        QCOMPARE(boxes().shown(), refusal.isEmpty() ? Boxes() : Boxes{box(refusal)});
        QCOMPARE(nameBox(1)->text(), refusal.isEmpty() ? text : committed);
        QCOMPARE(category().unitName(1), committed);
        QCOMPARE(category().unitFactor(1), 1000.0);
        QCOMPARE(category().isChanged(), committed == "Km");
    }

    void aClickThatAMessageInterruptedIsDropped_data()
    {
        QTest::addColumn<QString>("factor");
        QTest::addColumn<int>("answer");
        QTest::newRow("valid factor: the click goes through") << "2" << -1;
        QTest::newRow("question answered OK") << "0" << int(Answer::OK);
        QTest::newRow("question answered Cancel") << "0" << int(Answer::Cancel);
    }
    void aClickThatAMessageInterruptedIsDropped()
    {
        QFETCH(QString, factor);
        QFETCH(int, answer);
        openWith(unitsFile(7));
        focus(factorBox(1));
        factorBox(1)->setText(factor);
        if (answer >= 0)
            boxes().expect(Answer(answer));
        QTest::mouseClick(button("AddUnit"), Qt::LeftButton);
        QCOMPARE(pager()->value(), answer < 0 ? 3 : 0);
        QVERIFY(!button("AddUnit")->isDown());
        if (answer == int(Answer::Cancel)) {
            QTRY_COMPARE(QApplication::focusWidget(), factorBox(1));
            factorBox(1)->setText("1000");
        }
        // The next click is the user's own again.
        QCoreApplication::processEvents();
        QTest::mouseClick(button("AddUnit"), Qt::LeftButton);
        QCOMPARE(pager()->value(), 3);
    }

    // Add unit shows the last free slot, then the spare one, then appends a slot.
    void addUnitOffersEveryFreeRow()
    {
        openWith(unitsFile(7)); // slots 0..8: seven units and two spares; range 0..3
        QTest::mouseClick(button("AddUnit"), Qt::LeftButton);
        QCOMPARE(pager()->value(), 3);
        QCOMPARE(int(editor().rowSlot(4)), 7);
        QVERIFY(!category().isChanged());
        name(4, "Eight");
        QTest::mouseClick(button("AddUnit"), Qt::LeftButton);
        QCOMPARE(pager()->value(), 4);
        QCOMPARE(int(category().lastIndex()), 8);
        name(4, "Nine");
        QTest::mouseClick(button("AddUnit"), Qt::LeftButton);
        QCOMPARE(int(category().lastIndex()), 9);
        QCOMPARE(pager()->value(), 5);
        QCOMPARE(rowNames(), QStringList({"Unit 6", "Unit 7", "Eight", "Nine", kPlaceholder}));
    }

    void rowsWithoutASlotAreReadOnlyAndNeverFail()
    {
        openWith("1^Only\r\n"); // slots 0..2
        QCOMPARE(rowNames(), QStringList({"Only", kPlaceholder, kPlaceholder, "", ""}));
        for (int row = 3; row <= 4; ++row) {
            QCOMPARE(int(editor().rowSlot(row)), -1);
            QVERIFY(nameBox(row)->isReadOnly());
            QCOMPARE(factorBox(row)->focusPolicy(), Qt::NoFocus);
            nameBox(row)->setText("x");
            factorBox(row)->setText("y");
            editor().commitName(row);
            editor().commitFactor(row);
        }
        QVERIFY(!category().isChanged());
        // A slot added to a category of fewer than five slots joins the page.
        name(1, "Two");
        name(2, "Three");
        QTest::mouseClick(button("AddUnit"), Qt::LeftButton);
        QCOMPARE(int(editor().rowSlot(3)), 3);
        QVERIFY(!nameBox(3)->isReadOnly());
        QCOMPARE(nameBox(3)->text(), kPlaceholder);
    }

    void factorsUseTheCatalogueFormatInEveryLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        openWith("1^Meter\r\n0.3048^Foot\r\n");
        QCOMPARE(factorBox(1)->text(), QStringLiteral("0.3048"));
        focus(factorBox(1));
        factorBox(1)->clear();
        QTest::keyClicks(factorBox(1), "0.25");
        focus(nameBox(2));
        QCOMPARE(category().unitFactor(1), 0.25);
    }

    // --- the commands ----------------------------------------------------------------------------

    void okWithoutChangesWritesNothingAndLeavesTheMainListAlone()
    {
        openEditor();
        child<QListWidget>(*m_form, "UnitType")->setCurrentRow(2);
        const QByteArray before = categoryBytes("Length");
        choose("Length");
        pager()->setValue(pager()->maximum());
        editor().addUnit();
        button("OKButton")->click();
        QVERIFY(editor().isUnloaded());
        QCOMPARE(categoryBytes("Length"), before);
        QCOMPARE(m_form->categoryIndex(), 2); // not reloaded: the choice is still there
    }

    // A new category is written and listed by OK or by Yes to the save offer; where its file
    // cannot be written, the edits stay in the open editor.
    void savingANewCategory_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("throughTheSaveOffer");
        QTest::addColumn<bool>("folderInTheWay");
        QTest::newRow("OK") << "Widgets" << false << false;
        QTest::newRow("OK, a name that is part of a listed one") << "Flow" << false << false;
        QTest::newRow("Yes to the save offer") << "Widgets" << true << false;
        QTest::newRow("OK, a folder in the file's place") << "Widgets" << false << true;
        QTest::newRow("Yes to the save offer, a folder in the file's place") << "Widgets" << true << true;
    }
    void savingANewCategory()
    {
        QFETCH(QString, name);
        QFETCH(bool, throughTheSaveOffer);
        QFETCH(bool, folderInTheWay);
        if (folderInTheWay)
            QDir(m_env->binFolder()).mkdir(name + ".ucr");
        openEditor();
        const QByteArray before = index();
        createCategory(name);
        if (throughTheSaveOffer)
            boxes().expect(Answer::Yes);
        if (folderInTheWay)
            boxes().expectOK();
        if (throughTheSaveOffer)
            choose("Length");
        else
            button("OKButton")->click();
        if (folderInTheWay) {
            QCOMPARE(boxes().shown().last(),
                     box(editor::kSaveFailed.arg(catalogue::categoryFile(name)), Buttons::OK, Icon::Critical));
            QVERIFY(editor().isVisible());
            QCOMPARE(category().categoryName(), name);
            QVERIFY(category().isChanged());
            QCOMPARE(index(), before);
            return;
        }
        QCOMPARE(editor().isUnloaded(), !throughTheSaveOffer);
        QCOMPARE(categoryBytes(name), "1^" + editor::kBaseUnitPrompt.toLatin1() + "\r\n");
        QCOMPARE(index(), before + name.toLatin1() + "\r\n");
        QVERIFY(mainList().contains(name));
    }

    void addNewCategoryNeedsATypedName()
    {
        openEditor();
        boxes().expectOK(2);
        button("AddCategory")->click();
        choose("Length");
        button("AddCategory")->click();
        QCOMPARE(boxes().shown(), Boxes(2, box(editor::kEnterCategoryName, Buttons::OK, Icon::Information)));
        typeName("Widgets");
        boxes().expect(Answer::Cancel);
        button("AddCategory")->click();
        QCOMPARE(boxes().shown().last().text, editor::kCreateCategoryQuestion + "Widgets");
    }

    void deleteNeedsAChosenCategoryAndConfirmation()
    {
        openEditor();
        typeName("Length");
        button("deleteCategory")->click();
        QVERIFY(boxes().shown().isEmpty());
        renameKilometre();
        boxes().expect(Answer::Cancel);
        button("deleteCategory")->click();
        QCOMPARE(boxes().shown(), Boxes{box(editor::kConfirmDelete.arg("Length"), Buttons::OKCancel, Icon::Exclamation)});
        QCOMPARE(category().unitName(1), QStringLiteral("Renamed"));
        QVERIFY(editor().isVisible());
        QVERIFY(!categoryBytes("Length").isEmpty());
    }

    // The other index lines stay as they were, in their order.
    void deleteTakesTheLineOffTheIndex_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fileGone");
        QTest::newRow("Temperature: refused for editing, not for deleting") << "Temperature" << false;
        QTest::newRow("a file already gone, a % in the name") << "Gone %2 %1" << true;
    }
    void deleteTakesTheLineOffTheIndex()
    {
        QFETCH(QString, name);
        QFETCH(bool, fileGone);
        const QString path = catalogue::categoryFile(name);
        m_env->writeFile("bin/" + name + ".ucr", "1^Thing\r\n");
        m_env->writeFile("bin/unitType.ucr", "Mass\r\n" + name.toLatin1() + "\r\nArea\r\n");
        openEditor();
        child<QListWidget>(*m_form, "UnitType")->setCurrentRow(0);
        Boxes expected;
        if (fileGone) {
            QFile::remove(path);
        } else {
            boxes().expectOK();
            expected << box(editor::kTemperatureRefusal);
        }
        choose(name);
        boxes().expect(Answer::OK);
        expected << box(editor::kConfirmDelete.arg(name), Buttons::OKCancel, Icon::Exclamation);
        if (fileGone) {
            boxes().expectOK();
            expected << box(editor::kCategoryFileWasMissing.arg(name, path), Buttons::OK, Icon::Information);
        }
        button("deleteCategory")->click();
        QCOMPARE(boxes().shown(), expected);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(index(), QByteArray("Mass\r\nArea\r\n"));
        QCOMPARE(listItems(chooser()), (QStringList{"Area", "Mass"}));
        QVERIFY(editor().isHidden());
        QVERIFY(!editor().isUnloaded());
        QCOMPARE(mainList(), (QStringList{"Area", "Mass"}));
    }

    // Another copy of the program changes the index while this editor is open: each change here
    // builds on the index as it is on disk, and keeps the other copy's.
    void twoCopiesChangeTheIndex_data()
    {
        QTest::addColumn<bool>("deleting"); // this copy deletes Mass, or creates Widgets
        QTest::newRow("the other creates, this one deletes") << true;
        QTest::newRow("the other deletes, this one creates") << false;
    }
    void twoCopiesChangeTheIndex()
    {
        QFETCH(bool, deleting);
        openEditor();
        if (deleting) {
            m_env->writeFile("bin/From B.ucr", "1^Thing\r\n");
            QVERIFY(catalogue::listInIndex("From B"));
            choose("Mass");
            boxes().expect(Answer::OK);
            button("deleteCategory")->click();
        } else {
            QCOMPARE(catalogue::deleteCategory("Area"), catalogue::DeleteOutcome::Deleted);
            createCategory("Widgets");
            button("OKButton")->click();
        }
        const QStringList lines = catalogue::indexLines();
        QCOMPARE(lines.contains("From B"), deleting);
        QVERIFY(!lines.contains(deleting ? "Mass" : "Area"));
        QCOMPARE(lines.contains("Widgets"), !deleting);
        QCOMPARE(mainList().contains("From B"), deleting);
    }

    // Both copies load a category; the other saves a change to it; this one's OK asks before it
    // writes over that change.
    void aCategoryChangedOnDiskIsAskedAbout_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("Yes: overwrite") << Answer::Yes;
        QTest::newRow("No: load it again") << Answer::No;
        QTest::newRow("Cancel: go on editing") << Answer::Cancel;
    }
    void aCategoryChangedOnDiskIsAskedAbout()
    {
        QFETCH(Answer, answer);
        const QString name = "Rate %1";
        const QString path = catalogue::categoryFile(name);
        addCategory(name, "1^Per second\r\n60^Per minute\r\n3600^Per hour\r\n");
        openEditor();
        choose(name);
        UnitCategory otherCopy;
        QCOMPARE(int(otherCopy.load(path, 2)), 2);
        otherCopy.setUnit("Per hour (h)", 3600, 2);
        otherCopy.save(path);
        const QByteArray theirs = categoryBytes(name);

        edit(nameBox(1), "Per minute (min)", nameBox(0));
        boxes().expect(answer);
        button("OKButton")->click();
        QCOMPARE(boxes().shown(), Boxes{box(editor::kChangedOnDiskQuestion.arg(name, path), Buttons::YesNoCancel,
                                            Icon::Exclamation)});
        const bool overwritten = answer == Answer::Yes;
        QCOMPARE(categoryBytes(name), overwritten ? "1^Per second\r\n60^Per minute (min)\r\n3600^Per hour\r\n" : theirs);
        QCOMPARE(editor().isUnloaded(), overwritten);
        if (!overwritten)
            QCOMPARE(rowNames().mid(1, 2), answer == Answer::No ? QStringList({"Per minute", "Per hour (h)"})
                                                                : QStringList({"Per minute (min)", "Per hour"}));
    }

    // Another copy holds the catalogue lock: the command says the catalogue is busy, changes
    // nothing and keeps the edits; once the other copy is done, the same edits are saved.
    void aBusyCatalogueKeepsTheEdits_data()
    {
        QTest::addColumn<QString>("command");
        for (const char *command : {"OK", "switching category", "Delete Category", "Restore one", "Restore all"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }
    void aBusyCatalogueKeepsTheEdits()
    {
        QFETCH(QString, command);
        openEditor();
        renameKilometre();
        {
            const othercopy::HeldCatalogueLock otherCopy;
            QVERIFY(otherCopy.isHeld());
            const QMap<QString, QByteArray> before = faultfiles::filesUnder(m_env->binFolder());
            if (command != "OK")
                boxes().expect(command == "switching category" ? Answer::Yes : Answer::OK);
            boxes().expectOK();
            if (command == "OK")
                button("OKButton")->click();
            else if (command == "switching category")
                choose("Mass");
            else if (command == "Delete Category")
                button("deleteCategory")->click();
            else {
                if (command == "Restore all")
                    typeName("");
                button("ReDefault")->click();
            }
            QCOMPARE(boxes().shown().last(), box(kBusy, Buttons::OK, Icon::Exclamation));
            QVERIFY(editor().isVisible());
            QCOMPARE(category().categoryName(), QStringLiteral("Length"));
            QCOMPARE(category().unitName(1), QStringLiteral("Renamed"));
            QCOMPARE(nameBox(1)->text(), QStringLiteral("Renamed"));
            QCOMPARE(faultfiles::filesUnder(m_env->binFolder()), before);
        }
        button("OKButton")->click();
        QVERIFY(editor().isUnloaded());
        QVERIFY(categoryBytes("Length").contains("^Renamed\r\n"));
    }

    void aMissingIndexOpensAnEmptyList()
    {
        m_form = std::make_unique<MainWindow>();
        QVERIFY(m_form->load());
        QFile::remove(catalogue::indexFile());
        boxes().expectOK(2);
        openEditor();
        QVERIFY(boxes().shown().at(0).text.endsWith("File Does Not Exist."));
        QVERIFY(boxes().shown().at(1).text.startsWith("Vital file is missing\r\n"));
        QCOMPARE(chooser()->count(), 0);
        verifyIdle();
    }

    // Nothing is read or written through a link left in a category file's place.
    void aCategoryFileThatIsNoFile_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("listed"); // chosen from the list, or created under that name
        QTest::newRow("no file, chosen") << "" << true;
        QTest::newRow("a link to a file outside, chosen") << "outside.ucr" << true;
        QTest::newRow("a dangling link, chosen") << "nowhere.ucr" << true;
        QTest::newRow("a link to a file outside, created") << "outside.ucr" << false;
        QTest::newRow("a dangling link, created") << "nowhere.ucr" << false;
    }
    void aCategoryFileThatIsNoFile()
    {
        QFETCH(QString, entry);
        QFETCH(bool, listed);
        const QByteArray victim("1^Victim\r\n2^Secret\r\n");
        m_env->writeFile("outside.ucr", victim);
        const QString path = catalogue::categoryFile("Evil");
        if (!entry.isEmpty())
            QVERIFY(hostile::makeLink(m_env->folder() + "/" + entry, path));
        if (listed)
            m_env->writeFile("bin/unitType.ucr", index() + "Evil\r\n");
        openEditor();
        boxes().expectOK(entry.isEmpty() ? 0 : 1);
        if (listed) {
            choose("Evil");
            QCOMPARE(boxes().shownTexts(), entry.isEmpty() ? QStringList() : QStringList{catalogue::notARegularFileMessage(path)});
            verifyIdle();
        } else {
            createCategory("Evil");
            button("OKButton")->click();
            QCOMPARE(boxes().shown().last(), box(editor::kSaveFailed.arg(path), Buttons::OK, Icon::Critical));
            QVERIFY(!catalogue::isListedInIndex("Evil"));
        }
        QCOMPARE(QFileInfo(path).isSymLink(), !entry.isEmpty());
        QCOMPARE(m_env->readFile("outside.ucr"), victim);
        QVERIFY(!QFileInfo::exists(m_env->folder() + "/nowhere.ucr"));
    }

    // Restore Defaults puts back the chosen category's factory copy, or the whole factory
    // catalogue when none is chosen; either way the editor goes and the main window reloads.
    void restoreDefaultsPutsBackTheFactoryCopies_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QByteArray>("factoryIndex"); // empty: as shipped
        QTest::newRow("one category") << "Length" << Answer::OK << QByteArray();
        QTest::newRow("the user's own category: no factory copy") << "Widgets" << Answer::OK << QByteArray();
        QTest::newRow("all categories") << "" << Answer::OK << QByteArray();
        QTest::newRow("all categories, cancelled") << "" << Answer::Cancel << QByteArray();
        QTest::newRow("all, a blank line in the factory index: one error") << "" << Answer::OK
                                                                          << QByteArray("Length\r\n\r\nMass\r\n");
    }
    void restoreDefaultsPutsBackTheFactoryCopies()
    {
        QFETCH(QString, chosen);
        QFETCH(Answer, answer);
        QFETCH(QByteArray, factoryIndex);
        addCategory("Widgets", "1^Mine\r\n");
        m_env->writeFile("bin/Length.ucr", "1^Mine\r\n");
        if (!factoryIndex.isEmpty())
            m_env->writeFile("bin/default/unitType.ucr", factoryIndex);
        openEditor();
        chooser()->setCurrentIndex(chooser()->findText(chosen));
        boxes().expect(answer);
        Boxes expected{chosen.isEmpty() ? box(editor::kConfirmRestoreAll, Buttons::OKCancel, Icon::Exclamation)
                                        : box(editor::kConfirmRestoreOne.arg(chosen), Buttons::OKCancel, Icon::Exclamation)};
        if (chosen == "Widgets") {
            boxes().expectOK();
            expected << box("An Error has occurred while restoring defaults\r\n" + catalogue::factoryCategoryFile(chosen)
                                + " could not be found",
                            Buttons::OK, Icon::Critical);
        }
        if (!factoryIndex.isEmpty()) {
            boxes().expectOK();
            expected << box("An Error has occurred while restoring defaults\r\n" + catalogue::factoryFolder()
                                + QDir::separator() + ".ucr could not be found",
                            Buttons::OK, Icon::Critical);
        }
        button("ReDefault")->click();
        QCOMPARE(boxes().shown(), expected);
        const bool restored = answer == Answer::OK;
        QCOMPARE(categoryBytes("Length"),
                 restored && chosen != "Widgets" ? bytesOf(catalogue::factoryCategoryFile("Length")) : "1^Mine\r\n");
        QCOMPARE(mainList().contains("Widgets"), !(restored && chosen.isEmpty()));
        QCOMPARE(editor().isUnloaded(), restored);
        if (!factoryIndex.isEmpty())
            QCOMPARE(index(), factoryIndex);
    }
};

QTEST_MAIN(TestCatalogueEditor)
#include "tst_catalogueeditor.moc"
