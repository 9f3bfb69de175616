#include "gui/editor/EditorFixture.h"
#include "support/FaultFiles.h"
#include "support/OtherCopy.h"

#include "core/catalogue/CatalogueFiles.h"

#include <QDir>

namespace {

const QString kBusy = QStringLiteral(
    "The catalogue is being changed by another copy of Tallimer.\r\nNothing has been changed: please try again in a moment.");

} // namespace

// OK, Add new Category, Delete Category and Restore Defaults, also while another copy of the
// program changes the catalogue.
class TestEditorCommands : public EditorFixture {
    Q_OBJECT

private slots:
    void init() { startTest(); }
    void cleanup() { finishTest(); }

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

QTEST_MAIN(TestEditorCommands)
#include "tst_editorcommands.moc"
