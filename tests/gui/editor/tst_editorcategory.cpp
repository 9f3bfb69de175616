#include "gui/editor/EditorFixture.h"
#include "support/HostileEntries.h"
#include "support/Readability.h"

#include "core/catalogue/CatalogueFile.h"

#include <QFileInfo>
#include <QTimer>

// Choosing, creating and leaving a category, and category files that cannot be read.
class TestEditorCategory : public EditorFixture {
    Q_OBJECT

private slots:
    void init() { startTest(); }
    void cleanup() { finishTest(); }

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
};

QTEST_MAIN(TestEditorCategory)
#include "tst_editorcategory.moc"
