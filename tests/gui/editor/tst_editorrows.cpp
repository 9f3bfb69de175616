#include "gui/editor/EditorFixture.h"
#include "support/AccessKeys.h"

#include "gui/platform/BusyPointer.h"

#include <QClipboard>
#include <QInputMethodEvent>

// The unit rows: what they show, the focus, the keys and the commits.
class TestEditorRows : public EditorFixture {
    Q_OBJECT

private slots:
    void init() { startTest(); }
    void cleanup() { finishTest(); }

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
};

QTEST_MAIN(TestEditorRows)
#include "tst_editorrows.moc"
