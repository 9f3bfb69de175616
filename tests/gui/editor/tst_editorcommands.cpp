#include "gui/editor/EditorTestSupport.h"
#include "support/Controls.h"

#include "support/ListItems.h"

#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/CatalogueFiles.h"
#include "core/catalogue/CatalogueIndex.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/catalogue/UnitCategory.h"
#include "support/FaultFiles.h"
#include "support/HostileEntries.h"
#include "support/OtherCopy.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using Files = QMap<QString, QByteArray>;
using faultfiles::filesUnder;

Q_DECLARE_METATYPE(platform::Answer)

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestEditorCommands : public EditorTest {
    Q_OBJECT

private slots:
    void init() { startTest(); }
    void cleanup() { finishTest(); }

    void okWithoutChangesWritesNothingAndLeavesTheMainListAlone()
    {
        m_setup->openEditor();
        child<QListWidget>(m_setup->form(), "UnitType")->setCurrentRow(2);
        const QByteArray before = bytesOf(catalogue::categoryFile("Length"));
        m_setup->choose("Length");
        child<QScrollBar>(editor(), "VScroll1")->setValue(child<QScrollBar>(editor(), "VScroll1")->maximum());
        editor().addUnit();
        child<QPushButton>(editor(), "OKButton")->click();
        QVERIFY(editor().isUnloaded());
        QCOMPARE(bytesOf(catalogue::categoryFile("Length")), before);
        QCOMPARE(m_setup->form().categoryIndex(), 2); // not reloaded: the choice is still there
        QVERIFY(boxes().shown().isEmpty());
    }

    void okAfterCreatingACategoryWritesAndListsIt()
    {
        m_setup->openEditor();
        const QByteArray index = m_setup->env().readFile("bin/unitType.ucr");
        createCategory("Widgets");
        child<QPushButton>(editor(), "OKButton")->click();
        QVERIFY(editor().isUnloaded());
        QCOMPARE(m_setup->env().readFile("bin/Widgets.ucr"), QByteArray("1^Enter Base Unit Name\r\n"));
        QCOMPARE(m_setup->env().readFile("bin/unitType.ucr"), index + "Widgets\r\n");
        QVERIFY(listItems(child<QListWidget>(m_setup->form(), "UnitType")).contains("Widgets"));
    }

    void aNewNamePartOfAListedNameIsListed()
    {
        m_setup->openEditor(); // the factory index lists "Flow Rate"
        createCategory("Flow");
        child<QPushButton>(editor(), "OKButton")->click();
        QVERIFY(m_setup->env().readFile("bin/unitType.ucr").endsWith("\r\nFlow\r\n"));
        QVERIFY(listItems(child<QListWidget>(m_setup->form(), "UnitType")).contains("Flow"));
    }

    void aCategorySavedThroughTheSaveOfferIsListed()
    {
        m_setup->openEditor();
        createCategory("Widgets");
        boxes().expect(Answer::Yes);
        m_setup->choose("Length");
        QCOMPARE(m_setup->env().readFile("bin/Widgets.ucr"), QByteArray("1^Enter Base Unit Name\r\n"));
        QVERIFY(m_setup->env().readFile("bin/unitType.ucr").endsWith("\r\nWidgets\r\n"));
        QVERIFY(listItems(child<QListWidget>(m_setup->form(), "UnitType")).contains("Widgets"));
        QCOMPARE(editor().currentCategory().categoryName(), QStringLiteral("Length"));
    }

    void aSaveThatFailsKeepsTheEditorOpen()
    {
        QDir(m_setup->env().binFolder()).mkdir("Widgets.ucr"); // a folder where the file should go
        m_setup->openEditor();
        const QByteArray index = m_setup->env().readFile("bin/unitType.ucr");
        createCategory("Widgets");
        boxes().expectOK();
        child<QPushButton>(editor(), "OKButton")->click();
        QCOMPARE(boxes().shown().last().text,
                 "The category could not be saved:\r\n" + catalogue::categoryFile("Widgets") + " could not be written.");
        QCOMPARE(boxes().shown().last().icon, Icon::Critical);
        QVERIFY(!editor().isUnloaded());
        QVERIFY(editor().isVisible());
        QCOMPARE(editor().currentCategory().isChanged(), true);
        QCOMPARE(m_setup->env().readFile("bin/unitType.ucr"), index);
    }

    void addNewCategoryNeedsATypedName()
    {
        m_setup->openEditor();
        boxes().expectOK();
        child<QPushButton>(editor(), "AddCategory")->click();
        m_setup->choose("Length");
        boxes().expectOK();
        child<QPushButton>(editor(), "AddCategory")->click();
        QCOMPARE(boxes().shownTexts(), QStringList(2, "Enter the category name in the text box at the top"));
        QCOMPARE(boxes().shown().first().icon, Icon::Information);
        m_setup->typeName("Widgets");
        boxes().expect(Answer::Cancel);
        child<QPushButton>(editor(), "AddCategory")->click();
        QCOMPARE(boxes().shown().last().text, QStringLiteral("Create new Category\r\nWidgets"));
    }

    void deleteWithNothingSelectedDoesNothing()
    {
        m_setup->openEditor();
        m_setup->typeName("Length");
        child<QPushButton>(editor(), "deleteCategory")->click();
        QVERIFY(boxes().shown().isEmpty());
        QVERIFY(QFile::exists(catalogue::categoryFile("Length")));
    }

    void deleteAnsweredCancelKeepsTheEdits()
    {
        m_setup->openEditor();
        m_setup->choose("Length");
        m_setup->focus(child<QLineEdit>(editor(), "txtUnitName", 1));
        child<QLineEdit>(editor(), "txtUnitName", 1)->setText("Renamed");
        m_setup->focus(child<QLineEdit>(editor(), "txtUnitName", 2));
        boxes().expect(Answer::Cancel);
        child<QPushButton>(editor(), "deleteCategory")->click();
        QCOMPARE(boxes().shown().first().text,
                 QStringLiteral("Confirm delete Length category,\r\nCaution all units will be lost and you will not "
                                "be able to undo this operation."));
        QCOMPARE(boxes().shown().first().buttons, Buttons::OKCancel);
        QCOMPARE(boxes().shown().first().icon, Icon::Exclamation);
        QCOMPARE(child<QLineEdit>(editor(), "txtUnitName", 1)->text(), QStringLiteral("Renamed"));
        QCOMPARE(editor().currentCategory().unitName(1), QStringLiteral("Renamed"));
        QCOMPARE(editor().currentCategory().isChanged(), true);
        QVERIFY(editor().isVisible());
    }

    void deleteTakesItsLineOffTheIndexAndHidesTheEditor()
    {
        m_setup->env().writeFile("bin/unitType.ucr", "Mass\r\nLength\r\nArea\r\nTemperature\r\n");
        m_setup->openEditor();
        child<QListWidget>(m_setup->form(), "UnitType")->setCurrentRow(0);
        boxes().expectOK(); // the temperature category is refused for editing only...
        m_setup->choose("Temperature");
        boxes().expect(Answer::OK); // ...but it can be deleted
        child<QPushButton>(editor(), "deleteCategory")->click();
        QVERIFY(!QFile::exists(catalogue::categoryFile("Temperature")));
        // The other lines stay as they were, in their order.
        QCOMPARE(m_setup->env().readFile("bin/unitType.ucr"), QByteArray("Mass\r\nLength\r\nArea\r\n"));
        QCOMPARE(listItems(child<QComboBox>(editor(), "UnitSelect")), (QStringList{"Area", "Length", "Mass"}));
        QVERIFY(editor().isHidden());
        QVERIFY(!editor().isUnloaded());
        QCOMPARE(listItems(child<QListWidget>(m_setup->form(), "UnitType")), (QStringList{"Area", "Length", "Mass"}));
        QVERIFY(!child<QPushButton>(m_setup->form(), "Convert")->isEnabled());
    }

    void deletingACategoryWhoseFileIsGoneTakesItsLineOff()
    {
        // A "%" in a name is shown as typed.
        const QString name = "Gone %2 %1";
        m_setup->addCategory(name, "1^Thing\r\n");
        m_setup->openEditor();
        QFile::remove(catalogue::categoryFile(name));
        m_setup->choose(name);
        boxes().expect(Answer::OK);
        boxes().expectOK();
        child<QPushButton>(editor(), "deleteCategory")->click();
        QVERIFY(boxes().shown().first().text.startsWith("Confirm delete Gone %2 %1 category,\r\n"));
        QCOMPARE(boxes().shown().last().text, "The file of the category Gone %2 %1 was already missing:\r\n"
                                                  + catalogue::categoryFile(name) + "\r\nThe category has been taken off the list.");
        QCOMPARE(boxes().shown().last().icon, Icon::Information);
        QVERIFY(!m_setup->env().readFile("bin/unitType.ucr").contains("Gone"));
        QVERIFY(!listItems(child<QComboBox>(editor(), "UnitSelect")).contains(name));
        QVERIFY(!listItems(child<QListWidget>(m_setup->form(), "UnitType")).contains(name));
        QVERIFY(editor().isHidden());
    }

    // Another copy of the program changes the catalogue while this editor is open: each change
    // here builds on the index as it is on disk, and keeps the other copy's.
    void twoCopiesChangeTheIndex_data()
    {
        QTest::addColumn<bool>("deleting"); // this copy deletes Mass, or creates Widgets
        QTest::newRow("the other creates, this one deletes") << true;
        QTest::newRow("the other deletes, this one creates") << false;
    }
    void twoCopiesChangeTheIndex()
    {
        QFETCH(bool, deleting);
        m_setup->openEditor();
        if (deleting) {
            m_setup->env().writeFile("bin/From B.ucr", "1^Thing\r\n");
            QVERIFY(catalogue::listInIndex("From B"));
            m_setup->choose("Mass");
            boxes().expect(Answer::OK);
            child<QPushButton>(editor(), "deleteCategory")->click();
        } else {
            QCOMPARE(catalogue::deleteCategory("Area"), catalogue::DeleteOutcome::Deleted);
            createCategory("Widgets");
            child<QPushButton>(editor(), "OKButton")->click();
        }
        const QStringList index = catalogue::indexLines();
        QCOMPARE(index.contains("From B"), deleting);
        QVERIFY(!index.contains(deleting ? "Mass" : "Area"));
        QCOMPARE(index.contains("Widgets"), !deleting);
        QCOMPARE(listItems(child<QListWidget>(m_setup->form(), "UnitType")).contains("From B"), deleting);
        if (deleting)
            QCOMPARE(m_setup->env().readFile("bin/From B.ucr"), QByteArray("1^Thing\r\n"));
    }

    // Both copies load Length; the other saves a change to it; this one's OK asks before it
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
        m_setup->addCategory("Rate %1", "1^Per second\r\n60^Per minute\r\n3600^Per hour\r\n");
        m_setup->openEditor();
        m_setup->choose("Rate %1");
        const QString path = catalogue::categoryFile("Rate %1");
        UnitCategory otherCopy;
        QCOMPARE(int(otherCopy.load(path, 2)), 2);
        otherCopy.setUnit("Per hour (h)", 3600, 2);
        otherCopy.save(path);
        const QByteArray theirs = m_setup->env().readFile("bin/Rate %1.ucr");

        m_setup->focus(child<QLineEdit>(editor(), "txtUnitName", 1));
        child<QLineEdit>(editor(), "txtUnitName", 1)->setText("Per minute (min)");
        m_setup->focus(child<QLineEdit>(editor(), "txtUnitName", 0));
        boxes().expect(answer);
        child<QPushButton>(editor(), "OKButton")->click();
        QCOMPARE(boxes().shown().size(), 1);
        QCOMPARE(boxes().shown().first().text,
                 "The file of the category Rate %1 has been changed by someone else since you began editing it:\r\n"
                     + path + "\r\n\r\nYes: overwrite it with your changes\r\nNo: load it again and lose your changes"
                              "\r\nCancel: go back to editing");
        QCOMPARE(boxes().shown().first().buttons, Buttons::YesNoCancel);
        QCOMPARE(boxes().shown().first().icon, Icon::Exclamation);

        const QByteArray onDisk = m_setup->env().readFile("bin/Rate %1.ucr");
        if (answer == Answer::Yes) {
            QCOMPARE(onDisk, QByteArray("1^Per second\r\n60^Per minute (min)\r\n3600^Per hour\r\n"));
            QVERIFY(editor().isUnloaded());
            return;
        }
        QCOMPARE(onDisk, theirs);
        QVERIFY(!editor().isUnloaded());
        QVERIFY(editor().isVisible());
        if (answer == Answer::No) {
            QCOMPARE(m_setup->rowNames().mid(0, 3), (QStringList{"Per second", "Per minute", "Per hour (h)"}));
            QVERIFY(!editor().currentCategory().isChanged());
        } else {
            QCOMPARE(m_setup->rowNames().at(1), QStringLiteral("Per minute (min)"));
            QVERIFY(editor().currentCategory().isChanged());
        }
    }

    // Another copy holds the catalogue lock for longer than a moment: the command says the
    // catalogue is busy, changes nothing and keeps the edits; once the other copy is done, the
    // same edits are saved.
    void aBusyCatalogueKeepsTheEdits_data()
    {
        QTest::addColumn<QString>("command");
        for (const char *command : {"OK", "switching category", "Delete Category", "Restore one", "Restore all"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }
    void aBusyCatalogueKeepsTheEdits()
    {
        QFETCH(QString, command);
        m_setup->openEditor();
        m_setup->choose("Length");
        m_setup->focus(child<QLineEdit>(editor(), "txtUnitName", 1));
        child<QLineEdit>(editor(), "txtUnitName", 1)->setText("Renamed");
        m_setup->focus(child<QLineEdit>(editor(), "txtUnitName", 2));
        {
            const othercopy::HeldCatalogueLock otherCopy;
            QVERIFY(otherCopy.isHeld());
            const Files before = filesUnder(m_setup->env().binFolder());
            if (command == "OK") {
                boxes().expectOK();
                child<QPushButton>(editor(), "OKButton")->click();
            } else if (command == "switching category") {
                boxes().expect(Answer::Yes);
                boxes().expectOK();
                m_setup->choose("Mass");
            } else {
                if (command == "Restore all")
                    m_setup->typeName("");
                boxes().expect(Answer::OK);
                boxes().expectOK();
                child<QPushButton>(editor(), command == "Delete Category" ? "deleteCategory" : "ReDefault")->click();
            }
            QCOMPARE(boxes().shown().last().text,
                     "The catalogue is being changed by another copy of Tallimer.\r\nNothing has been changed: please "
                     "try again in a moment.");
            QCOMPARE(boxes().shown().last().icon, Icon::Exclamation);
            QVERIFY(editor().isVisible());
            QCOMPARE(editor().currentCategory().categoryName(), QStringLiteral("Length"));
            QCOMPARE(editor().currentCategory().unitName(1), QStringLiteral("Renamed"));
            QCOMPARE(child<QLineEdit>(editor(), "txtUnitName", 1)->text(), QStringLiteral("Renamed"));
            QCOMPARE(filesUnder(m_setup->env().binFolder()), before);
        }
        boxes().clear();
        child<QPushButton>(editor(), "OKButton")->click();
        QVERIFY(editor().isUnloaded());
        QVERIFY(m_setup->env().readFile("bin/Length.ucr").contains("^Renamed\r\n"));
    }

    // A link someone left in a category file's place: choosing the category reads nothing
    // through it; creating a category of that name writes nothing through it.
    void aLinkInACategoryFilesPlace_data()
    {
        QTest::addColumn<bool>("dangling");
        QTest::addColumn<bool>("listed"); // chosen from the list, or created under that name
        QTest::newRow("a link to a file outside, chosen") << false << true;
        QTest::newRow("a dangling link, chosen") << true << true;
        QTest::newRow("a link to a file outside, created") << false << false;
        QTest::newRow("a dangling link, created") << true << false;
    }
    void aLinkInACategoryFilesPlace()
    {
        QFETCH(bool, dangling);
        QFETCH(bool, listed);
        const QByteArray victim("1^Victim\r\n2^Secret\r\n");
        m_setup->env().writeFile("outside.ucr", victim);
        const QString outside = m_setup->env().folder() + (dangling ? "/nowhere.ucr" : "/outside.ucr");
        const QString path = catalogue::categoryFile("Evil");
        QVERIFY(hostile::makeLink(outside, path));
        if (listed)
            m_setup->env().writeFile("bin/unitType.ucr", m_setup->env().readFile("bin/unitType.ucr") + "Evil\r\n");
        m_setup->openEditor();
        if (listed) {
            boxes().expectOK();
            m_setup->choose("Evil");
            QCOMPARE(boxes().shownTexts(), QStringList{catalogue::notARegularFileMessage(path)});
            QVERIFY(!child<QGroupBox>(editor(), "Frame2")->isEnabled());
        } else {
            createCategory("Evil");
            boxes().expectOK();
            child<QPushButton>(editor(), "OKButton")->click();
            QCOMPARE(boxes().shown().last().text,
                     "The category could not be saved:\r\n" + path + " could not be written.");
            QVERIFY(!catalogue::isListedInIndex("Evil"));
        }
        QVERIFY(QFileInfo(path).isSymLink());
        QCOMPARE(m_setup->env().readFile("outside.ucr"), victim);
        QVERIFY(!QFileInfo::exists(m_setup->env().folder() + "/nowhere.ucr"));
    }

    void restoringAUserCategoryReportsTheFactoryPathAndKeepsTheFile()
    {
        m_setup->addCategory("Widgets", "1^Widget\r\n");
        m_setup->openEditor();
        m_setup->choose("Widgets");
        boxes().expect(Answer::OK);
        boxes().expectOK();
        child<QPushButton>(editor(), "ReDefault")->click();
        QCOMPARE(boxes().shown().first().text,
                 QStringLiteral("Confirm restore defaults to Widgets category\r\nAll custom units will be lost"));
        QCOMPARE(boxes().shown().last().text, "An Error has occurred while restoring defaults\r\n"
                                                  + catalogue::factoryCategoryFile("Widgets") + " could not be found");
        QCOMPARE(m_setup->env().readFile("bin/Widgets.ucr"), QByteArray("1^Widget\r\n"));
        QVERIFY(editor().isUnloaded());
        QVERIFY(!child<QPushButton>(m_setup->form(), "Convert")->isEnabled());
    }

    void restoringOneCategoryBringsBackItsFactoryCopy()
    {
        m_setup->env().writeFile("bin/Temperature.ucr", "1^Mine\r\n");
        m_setup->openEditor();
        m_setup->choose("Length");
        m_setup->typeName("");
        const int temperature = child<QComboBox>(editor(), "UnitSelect")->findText("Temperature");
        child<QComboBox>(editor(), "UnitSelect")->setCurrentIndex(temperature);
        boxes().expect(Answer::OK);
        child<QPushButton>(editor(), "ReDefault")->click();
        QCOMPARE(bytesOf(catalogue::categoryFile("Temperature")), bytesOf(catalogue::factoryCategoryFile("Temperature")));
    }

    void restoringEverythingBringsBackExactlyTheFactoryCatalogue()
    {
        m_setup->addCategory("Widgets", "1^Widget\r\n");
        m_setup->env().writeFile("bin/Length.ucr", "1^Only\r\n");
        m_setup->openEditor();
        boxes().expect(Answer::OK);
        child<QPushButton>(editor(), "ReDefault")->click();
        QCOMPARE(boxes().shown().first().text,
                 QStringLiteral("Confirm restore defaults to all categorys\r\nAll custom units and categorys will be lost"));
        QCOMPARE(QDir(m_setup->env().binFolder()).entryList({"*.ucr"}, QDir::Files),
                 QDir(catalogue::factoryFolder()).entryList({"*.ucr"}, QDir::Files));
        for (const QString &name : QDir(catalogue::factoryFolder()).entryList({"*.ucr"}, QDir::Files))
            QCOMPARE(bytesOf(m_setup->env().binFolder() + "/" + name), bytesOf(catalogue::factoryFolder() + "/" + name));
        QVERIFY(!listItems(child<QListWidget>(m_setup->form(), "UnitType")).contains("Widgets"));
        QVERIFY(editor().isUnloaded());
    }

    void aFactoryIndexWithABlankLineGivesOneError()
    {
        m_setup->env().writeFile("bin/default/unitType.ucr", "Length\r\n\r\nMass\r\n");
        m_setup->openEditor();
        boxes().expect(Answer::OK);
        boxes().expectOK();
        child<QPushButton>(editor(), "ReDefault")->click();
        QCOMPARE(boxes().shown().size(), 2);
        QCOMPARE(boxes().shown().last().text, "An Error has occurred while restoring defaults\r\n"
                                                  + catalogue::factoryFolder() + QDir::separator() + ".ucr could not be found");
        QCOMPARE(m_setup->env().readFile("bin/unitType.ucr"), QByteArray("Length\r\n\r\nMass\r\n"));
    }

    void cancellingARestoreChangesNothing()
    {
        m_setup->env().writeFile("bin/Length.ucr", "1^Only\r\n");
        m_setup->openEditor();
        boxes().expect(Answer::Cancel);
        child<QPushButton>(editor(), "ReDefault")->click();
        QCOMPARE(m_setup->env().readFile("bin/Length.ucr"), QByteArray("1^Only\r\n"));
        QVERIFY(!editor().isUnloaded());
    }

private:
    void createCategory(const QString &name)
    {
        m_setup->typeName(name);
        boxes().expect(Answer::OK);
        editor().chooseCategory();
        QCOMPARE(editor().currentCategory().categoryName(), name);
    }
};

QTEST_MAIN(TestEditorCommands)
#include "tst_editorcommands.moc"
