#include "gui/editor/EditorTestSupport.h"
#include "support/Controls.h"

#include "support/ListItems.h"

#include "core/catalogue/CataloguePaths.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using platform::Answer;
using platform::Buttons;
using platform::Icon;

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

    void deleteRewritesTheIndexSortedAndHidesTheEditor()
    {
        m_setup->env().writeFile("bin/unitType.ucr", "Mass\r\nLength\r\nArea\r\nTemperature\r\n");
        m_setup->openEditor();
        child<QListWidget>(m_setup->form(), "UnitType")->setCurrentRow(0);
        boxes().expectOK(); // the temperature category is refused for editing only...
        m_setup->choose("Temperature");
        boxes().expect(Answer::OK); // ...but it can be deleted
        child<QPushButton>(editor(), "deleteCategory")->click();
        QVERIFY(!QFile::exists(catalogue::categoryFile("Temperature")));
        QCOMPARE(m_setup->env().readFile("bin/unitType.ucr"), QByteArray("Area\r\nLength\r\nMass\r\n"));
        QCOMPARE(listItems(child<QComboBox>(editor(), "UnitSelect")), (QStringList{"Area", "Length", "Mass"}));
        QVERIFY(editor().isHidden());
        QVERIFY(!editor().isUnloaded());
        QCOMPARE(listItems(child<QListWidget>(m_setup->form(), "UnitType")), (QStringList{"Area", "Length", "Mass"}));
        QVERIFY(!child<QPushButton>(m_setup->form(), "Convert")->isEnabled());
    }

    void deletingACategoryWhoseFileIsGoneReportsItsPath()
    {
        m_setup->openEditor();
        QFile::remove(catalogue::categoryFile("Mass"));
        const QByteArray index = m_setup->env().readFile("bin/unitType.ucr");
        m_setup->choose("Mass");
        boxes().expect(Answer::OK);
        boxes().expectOK();
        child<QPushButton>(editor(), "deleteCategory")->click();
        QCOMPARE(boxes().shown().last().text, "An Error has occurred while removing category files\r\n"
                                                  + catalogue::categoryFile("Mass") + " could not be found");
        QCOMPARE(boxes().shown().last().icon, Icon::Critical);
        QCOMPARE(m_setup->env().readFile("bin/unitType.ucr"), index);
        QVERIFY(listItems(child<QComboBox>(editor(), "UnitSelect")).contains("Mass"));
        QVERIFY(editor().isHidden());
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
