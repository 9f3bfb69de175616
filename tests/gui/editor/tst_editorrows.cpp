#include "gui/editor/EditorTestSupport.h"
#include "support/AccessKeys.h"
#include "support/Controls.h"

#include "gui/platform/Beep.h"

#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

using platform::Answer;
using platform::Buttons;
using platform::Icon;

namespace {

const QString kPlaceholder = QStringLiteral("Add custom unit here");
const QString kBaseFactorMessage =
    QStringLiteral("Base Unit Factor can't be amended\r\nThe Base Unit Factor must equal one");
const QString kInvalidFactorQuestion = QStringLiteral(
    "Unit factor must be a numeric value greater then zero\r\n\r\nChange the unit factor back to is original value ?");
const QString kCommaCaretMessage = QStringLiteral("Unit name cannot contain comas or ^ symbol");

} // namespace

class TestEditorRows : public EditorTest {
    Q_OBJECT

private:
    UnitCategory &category() { return m_setup->editor().currentCategory(); }

    void openWith(const QByteArray &file)
    {
        setup().addCategory("Test", file);
        setup().openEditor();
        setup().choose("Test");
    }
    // Replaces a box's text as the user does (focus, then typing or pasting), then leaves it
    // for another box, which commits it.
    void edit(QLineEdit *box, const QString &text, QWidget *next)
    {
        setup().focus(box);
        box->setText(text);
        setup().focus(next);
    }
    void name(int row, const QString &text)
    {
        edit(child<QLineEdit>(editor(), "txtUnitName", row), text, child<QLineEdit>(editor(), "txtUnitFactor", row));
    }

private slots:
    void init()
    {
        startTest();
        platform::resetBeepCount();
    }
    void cleanup() { finishTest(); }

    void pagingShowsTheSlotsFromTheScrollValue()
    {
        openWith(unitsFile(7));
        child<QScrollBar>(editor(), "VScroll1")->setValue(2);
        QCOMPARE(setup().rowLabels(), QStringList({"Unit &3:", "Unit &4:", "Unit &5:", "Unit &6:", "Unit &7:"}));
        QCOMPARE(setup().rowNames(), QStringList({"Unit 3", "Unit 4", "Unit 5", "Unit 6", "Unit 7"}));
        QCOMPARE(setup().rowFactors(), QStringList({"3", "4", "5", "6", "7"}));
        QCOMPARE(int(editor().rowSlot(0)), 2);
        child<QScrollBar>(editor(), "VScroll1")->setValue(3);
        QCOMPARE(setup().rowNames().last(), kPlaceholder);
        QCOMPARE(child<QLineEdit>(editor(), "txtUnitName", 4)->accessibleName(), QStringLiteral("Unit 8 name"));
    }

    // The rows' captions take the last digit of their unit's number as access key, which no two
    // of five numbers in a row share, wherever the rows are paged to.
    void accessKeysStayUniqueWhilePaging_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<QString>("firstCaption");
        QTest::newRow("first page") << 0 << "Unit &1:";
        QTest::newRow("across ten") << 5 << "Unit &6:";
        QTest::newRow("beyond ten") << 9 << "Unit 1&0:";
    }
    void accessKeysStayUniqueWhilePaging()
    {
        QFETCH(int, first);
        QFETCH(QString, firstCaption);
        openWith(unitsFile(20));
        child<QScrollBar>(editor(), "VScroll1")->setValue(first);
        QCOMPARE(setup().rowLabels().first(), firstCaption);
        QCOMPARE(accessKeys::windowFaults(editor()), QStringList());
        QTest::keyClick(&editor(), Qt::Key(Qt::Key_0 + (first + 3) % 10), Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(editor(), "txtUnitName", 2));
    }

    void focusSelectsTheWholeText_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("name") << "txtUnitName1";
        QTest::newRow("factor") << "txtUnitFactor1";
        QTest::newRow("base unit, clicked") << "txtBaseUnit";
    }
    void focusSelectsTheWholeText()
    {
        QFETCH(QString, box);
        setup().openEditor();
        setup().choose("Length");
        auto *edit = editor().findChild<QLineEdit *>(box);
        QVERIFY(edit);
        edit->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        QCOMPARE(edit->selectedText(), edit->text());
        QVERIFY(!edit->text().isEmpty());
    }

    void factorCommit_data()
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
        // Length: row 0 Meter (m) 1, row 1 Kilometer (km) 1000.
        QTest::newRow("1.0 over a stored 1") << 0 << "1.0" << QString() << none << "1.0" << 1.0 << false;
        QTest::newRow("1e3 over a stored 1000") << 1 << "1e3" << QString() << none << "1e3" << 1000.0 << false;
        QTest::newRow("a new factor") << 1 << "2.5" << QString() << none << "2.5" << 2.5 << true;
        QTest::newRow("the base unit's factor") << 0 << "2" << kBaseFactorMessage << ok << "1" << 1.0 << false;
        QTest::newRow("zero, OK") << 1 << "0" << kInvalidFactorQuestion << ok << "1000" << 1000.0 << false;
        QTest::newRow("zero, Cancel") << 1 << "0" << kInvalidFactorQuestion << cancel << "0" << 1000.0 << false;
        QTest::newRow("pasted word, OK") << 1 << "abc" << kInvalidFactorQuestion << ok << "1000" << 1000.0 << false;
        QTest::newRow("pasted word, Cancel") << 1 << "abc" << kInvalidFactorQuestion << cancel << "abc" << 1000.0 << false;
        QTest::newRow("exponent without digits") << 1 << "1e" << kInvalidFactorQuestion << ok << "1000" << 1000.0 << false;
        QTest::newRow("empty") << 1 << "" << kInvalidFactorQuestion << ok << "1000" << 1000.0 << false;
    }
    void factorCommit()
    {
        QFETCH(int, row);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(int, answer);
        QFETCH(QString, boxAfter);
        QFETCH(double, stored);
        QFETCH(bool, changed);
        setup().openEditor();
        setup().choose("Length");
        if (answer >= 0)
            boxes().expect(Answer(answer));
        QLineEdit *box = child<QLineEdit>(editor(), "txtUnitFactor", row);
        edit(box, text, child<QLineEdit>(editor(), "txtUnitName", row + 1));
        if (message.isEmpty()) {
            QVERIFY(boxes().shown().isEmpty());
        } else {
            QCOMPARE(boxes().shown().size(), 1);
            QCOMPARE(boxes().shown().first().text, message);
            const bool question = message == kInvalidFactorQuestion;
            QCOMPARE(boxes().shown().first().buttons, question ? Buttons::OKCancel : Buttons::OK);
            QCOMPARE(boxes().shown().first().icon, question ? Icon::Exclamation : Icon::Information);
        }
        QCOMPARE(box->text(), boxAfter);
        QCOMPARE(category().unitFactor(qint16(row)), stored);
        QCOMPARE(category().isChanged(), changed);
        if (answer == int(Answer::Cancel))
            QTRY_COMPARE(QApplication::focusWidget(), box);
    }

    void baseFactorMessageAlsoForASecondUnitOfTheSameName()
    {
        openWith("1^Meter\r\n2^Meter\r\n");
        boxes().expectOK();
        edit(child<QLineEdit>(editor(), "txtUnitFactor", 1), "3", child<QLineEdit>(editor(), "txtUnitName", 2));
        QCOMPARE(boxes().shown().last().text, kBaseFactorMessage);
        QCOMPARE(child<QLineEdit>(editor(), "txtUnitFactor", 1)->text(), QStringLiteral("1"));
        QCOMPARE(category().unitFactor(1), 2.0);
    }

    void theBaseRowFollowsTheBaseUnitsName()
    {
        setup().openEditor();
        setup().choose("Length");
        name(0, "Metre");
        QCOMPARE(child<QLineEdit>(editor(), "txtBaseUnit")->text(), QStringLiteral("Metre"));
        QCOMPARE(category().unitName(0), QStringLiteral("Metre"));
        QCOMPARE(category().unitFactor(0), 1.0);
        name(0, QString());
        QCOMPARE(child<QLineEdit>(editor(), "txtBaseUnit")->text(), QString());
        // Now every row without a name counts as the base unit for the factor rule.
        name(2, QString());
        boxes().expectOK();
        edit(child<QLineEdit>(editor(), "txtUnitFactor", 2), "0.2", child<QLineEdit>(editor(), "txtUnitName", 3));
        QCOMPARE(boxes().shown().last().text, kBaseFactorMessage);
        QCOMPARE(category().unitFactor(2), 0.1);
    }

    void enterMovesAlongTheRows()
    {
        setup().openEditor();
        setup().choose("Length");
        setup().focus(child<QLineEdit>(editor(), "txtUnitName", 2));
        QTest::keyClick(child<QLineEdit>(editor(), "txtUnitName", 2), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(editor(), "txtUnitFactor", 2));
        QTest::keyClick(child<QLineEdit>(editor(), "txtUnitFactor", 2), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(editor(), "txtUnitName", 3));
        setup().focus(child<QLineEdit>(editor(), "txtUnitFactor", 4));
        QTest::keyClick(child<QLineEdit>(editor(), "txtUnitFactor", 4), Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(editor(), "txtUnitFactor", 4));
        QVERIFY(editor().isVisible());
        QCOMPARE(platform::beepCount(), 0);
    }

    void tabRunsRowByRow()
    {
        setup().openEditor();
        setup().choose("Length");
        setup().focus(child<QLineEdit>(editor(), "txtUnitName", 0));
        const QList<QWidget *> expected = {child<QLineEdit>(editor(), "txtUnitFactor", 0), child<QLineEdit>(editor(), "txtUnitName", 1), child<QLineEdit>(editor(), "txtUnitFactor", 1),
                                           child<QLineEdit>(editor(), "txtUnitName", 2)};
        for (QWidget *next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void factorKeys_data()
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
        QTest::newRow("plus") << int(Qt::Key_Plus) << plain << "+" << false;
        QTest::newRow("comma") << int(Qt::Key_Comma) << plain << "," << false;
        QTest::newRow("letter") << int(Qt::Key_X) << plain << "x" << false;
        QTest::newRow("space") << int(Qt::Key_Space) << plain << " " << false;
        QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier) << "\x16" << false;
    }
    void factorKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(bool, typed);
        setup().openEditor();
        setup().choose("Length");
        QLineEdit *box = child<QLineEdit>(editor(), "txtUnitFactor", 1);
        setup().focus(box);
        box->setText("12");
        QApplication::clipboard()->setText("999");
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        QCoreApplication::sendEvent(box, &press);
        QCOMPARE(box->text(), typed ? "12" + text : QStringLiteral("12"));
        QCOMPARE(platform::beepCount(), typed ? 0 : 1);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), typed ? "12" : QStringLiteral("1"));
    }

    void nameKeys_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QString>("message");
        const QString tail = QStringLiteral(
            "\r\nThe catalogue files can only store the characters of the Western European (Windows-1252) character set");
        QTest::newRow("comma") << "," << kCommaCaretMessage;
        QTest::newRow("caret") << "^" << kCommaCaretMessage;
        QTest::newRow("accented letter") << "\u00E9" << QString();
        QTest::newRow("euro sign") << "\u20AC" << QString();
        QTest::newRow("Greek letter") << "\u03A9" << "Unit name cannot contain \u03A9" + tail;
        QTest::newRow("beyond 16 bits") << QString::fromUtf8("\xF0\x9F\x98\x80") << "Unit name cannot contain "
                                                                                       + QString::fromUtf8("\xF0\x9F\x98\x80") + tail;
    }
    void nameKeys()
    {
        QFETCH(QString, character);
        QFETCH(QString, message);
        setup().openEditor();
        setup().choose("Length");
        QLineEdit *box = child<QLineEdit>(editor(), "txtUnitName", 1);
        setup().focus(box);
        box->setText("Km");
        if (!message.isEmpty())
            boxes().expectOK();
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, character);
        QCoreApplication::sendEvent(box, &press);
        QCOMPARE(box->text(), message.isEmpty() ? "Km" + character : QStringLiteral("Km"));
        if (!message.isEmpty())
            QCOMPARE(boxes().shown().last().text, message);
    }

    void composedCharactersAreJudgedLikeTypedOnes()
    {
        setup().openEditor();
        setup().choose("Length");
        QLineEdit *box = child<QLineEdit>(editor(), "txtUnitName", 1);
        setup().focus(box);
        box->setText("Km");
        QInputMethodEvent accepted(QString(), {});
        accepted.setCommitString("\u00E9");
        QCoreApplication::sendEvent(box, &accepted);
        QCOMPARE(box->text(), QStringLiteral("Km\u00E9"));
        boxes().expectOK();
        QInputMethodEvent refused(QString(), {});
        refused.setCommitString("\u65E5");
        QCoreApplication::sendEvent(box, &refused);
        QCOMPARE(box->text(), QStringLiteral("Km\u00E9"));
        QVERIFY(boxes().shown().last().text.startsWith("Unit name cannot contain \u65E5\r\n"));
    }

    void pastedNamesAreJudgedOnLeaving_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("messageStart");
        QTest::newRow("comma") << "Kilo,metre" << kCommaCaretMessage;
        QTest::newRow("caret") << "Kilo^metre" << kCommaCaretMessage;
        QTest::newRow("tab") << "Kilo\tmetre" << "Unit name cannot contain tabs, line breaks";
        QTest::newRow("outside Windows-1252") << "Kilo\u03A9" << "Unit name cannot contain \u03A9\r\n";
    }
    void pastedNamesAreJudgedOnLeaving()
    {
        QFETCH(QString, text);
        QFETCH(QString, messageStart);
        setup().openEditor();
        setup().choose("Length");
        boxes().expectOK();
        name(1, text);
        QVERIFY(boxes().shown().last().text.startsWith(messageStart));
        QCOMPARE(child<QLineEdit>(editor(), "txtUnitName", 1)->text(), QStringLiteral("Kilometer (km)"));
        QCOMPARE(category().unitName(1), QStringLiteral("Kilometer (km)"));
        QVERIFY(!category().isChanged());
    }

    void aNameCommitsBesideAnInvalidFactor()
    {
        setup().openEditor();
        setup().choose("Length");
        child<QLineEdit>(editor(), "txtUnitFactor", 1)->setText("abc");
        child<QLineEdit>(editor(), "txtUnitName", 1)->setText("Km");
        editor().commitName(1);
        QCOMPARE(category().unitName(1), QStringLiteral("Km"));
        QCOMPARE(category().unitFactor(1), 1000.0);
    }

    void focusTakenByAnotherWindowCommitsNothing_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("commits");
        QTest::newRow("active window") << int(Qt::ActiveWindowFocusReason) << false;
        QTest::newRow("popup") << int(Qt::PopupFocusReason) << false;
        QTest::newRow("mouse") << int(Qt::MouseFocusReason) << true;
        QTest::newRow("tab") << int(Qt::TabFocusReason) << true;
        QTest::newRow("other") << int(Qt::OtherFocusReason) << true;
    }
    void focusTakenByAnotherWindowCommitsNothing()
    {
        QFETCH(int, reason);
        QFETCH(bool, commits);
        setup().openEditor();
        setup().choose("Length");
        child<QLineEdit>(editor(), "txtUnitName", 1)->setText("Km");
        QFocusEvent out(QEvent::FocusOut, Qt::FocusReason(reason));
        QCoreApplication::sendEvent(child<QLineEdit>(editor(), "txtUnitName", 1), &out);
        QCOMPARE(category().unitName(1), commits ? QStringLiteral("Km") : QStringLiteral("Kilometer (km)"));
    }

    void aClickThatAMessageInterruptedIsDropped_data()
    {
        QTest::addColumn<QString>("factor");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("clicked");
        QTest::newRow("valid factor: the click goes through") << "2" << -1 << true;
        QTest::newRow("question answered OK") << "0" << int(Answer::OK) << false;
        QTest::newRow("question answered Cancel") << "0" << int(Answer::Cancel) << false;
    }
    void aClickThatAMessageInterruptedIsDropped()
    {
        QFETCH(QString, factor);
        QFETCH(int, answer);
        QFETCH(bool, clicked);
        openWith(unitsFile(7));
        QLineEdit *box = child<QLineEdit>(editor(), "txtUnitFactor", 1);
        setup().focus(box);
        box->setText(factor);
        if (answer >= 0)
            boxes().expect(Answer(answer));
        QTest::mouseClick(child<QPushButton>(editor(), "AddUnit"), Qt::LeftButton);
        QCOMPARE(child<QScrollBar>(editor(), "VScroll1")->value(), clicked ? 3 : 0);
        QVERIFY(!child<QPushButton>(editor(), "AddUnit")->isDown());
        if (answer == int(Answer::Cancel))
            QTRY_COMPARE(QApplication::focusWidget(), box);
        // The next click is the user's own again (after they corrected the factor).
        QCoreApplication::processEvents();
        if (answer == int(Answer::Cancel))
            box->setText("1000");
        QTest::mouseClick(child<QPushButton>(editor(), "AddUnit"), Qt::LeftButton);
        QCOMPARE(child<QScrollBar>(editor(), "VScroll1")->value(), 3);
    }

    void addUnitOnANewCategory()
    {
        setup().openEditor();
        setup().typeName("Widgets");
        boxes().expectOK();
        editor().chooseCategory();
        for (int row = 1; row <= 4; ++row)
            name(row, QStringLiteral("W%1").arg(row));
        QTest::mouseClick(child<QPushButton>(editor(), "AddUnit"), Qt::LeftButton);
        QCOMPARE(int(category().lastIndex()), 5);
        QCOMPARE(child<QScrollBar>(editor(), "VScroll1")->maximum(), 1);
        QCOMPARE(child<QScrollBar>(editor(), "VScroll1")->value(), 1);
        QCOMPARE(setup().rowLabels(), QStringList({"Unit &2:", "Unit &3:", "Unit &4:", "Unit &5:", "Unit &6:"}));
        QCOMPARE(setup().rowNames().last(), kPlaceholder);
        QCOMPARE(setup().rowFactors().last(), QStringLiteral("1"));
        // A free row is on show: Add unit only keeps it in view.
        QTest::mouseClick(child<QPushButton>(editor(), "AddUnit"), Qt::LeftButton);
        QCOMPARE(int(category().lastIndex()), 5);
        QCOMPARE(child<QScrollBar>(editor(), "VScroll1")->maximum(), 1);
        // Once it has a name, the next free row is offered.
        name(4, "W5");
        QTest::mouseClick(child<QPushButton>(editor(), "AddUnit"), Qt::LeftButton);
        QCOMPARE(int(category().lastIndex()), 6);
        QCOMPARE(child<QScrollBar>(editor(), "VScroll1")->value(), 2);
        QCOMPARE(setup().rowNames(), QStringList({"W2", "W3", "W4", "W5", kPlaceholder}));
    }

    void addUnitOffersEveryFreeRowOfALoadedCategory()
    {
        openWith(unitsFile(7)); // slots 0..8: seven units and two spares; range 0..3
        QTest::mouseClick(child<QPushButton>(editor(), "AddUnit"), Qt::LeftButton);
        QCOMPARE(child<QScrollBar>(editor(), "VScroll1")->value(), 3);
        QCOMPARE(int(editor().rowSlot(4)), 7);
        QCOMPARE(setup().rowNames().last(), kPlaceholder);
        QVERIFY(!category().isChanged());
        name(4, "Eight");
        QTest::mouseClick(child<QPushButton>(editor(), "AddUnit"), Qt::LeftButton);
        QCOMPARE(child<QScrollBar>(editor(), "VScroll1")->value(), 4);
        QCOMPARE(int(editor().rowSlot(4)), 8);
        QCOMPARE(int(category().lastIndex()), 8); // the spare slot, not a new one
        name(4, "Nine");
        QTest::mouseClick(child<QPushButton>(editor(), "AddUnit"), Qt::LeftButton);
        QCOMPARE(int(category().lastIndex()), 9);
        QCOMPARE(child<QScrollBar>(editor(), "VScroll1")->value(), 5);
        QCOMPARE(setup().rowNames(), QStringList({"Unit 6", "Unit 7", "Eight", "Nine", kPlaceholder}));
    }

    void rowsWithoutASlotAreReadOnlyAndNeverFail()
    {
        openWith("1^Only\r\n"); // slots 0..2
        QCOMPARE(setup().rowNames(), QStringList({"Only", kPlaceholder, kPlaceholder, "", ""}));
        for (int row = 3; row <= 4; ++row) {
            QCOMPARE(int(editor().rowSlot(row)), -1);
            QVERIFY(child<QLineEdit>(editor(), "txtUnitName", row)->isReadOnly());
            QVERIFY(child<QLineEdit>(editor(), "txtUnitFactor", row)->isReadOnly());
            QCOMPARE(child<QLineEdit>(editor(), "txtUnitName", row)->focusPolicy(), Qt::NoFocus);
            child<QLineEdit>(editor(), "txtUnitName", row)->setText("x");
            child<QLineEdit>(editor(), "txtUnitFactor", row)->setText("y");
            editor().commitName(row);
            editor().commitFactor(row);
        }
        QVERIFY(!category().isChanged());
        // A slot added to a category of fewer than five slots joins the page.
        name(1, "Two");
        name(2, "Three");
        QTest::mouseClick(child<QPushButton>(editor(), "AddUnit"), Qt::LeftButton);
        QCOMPARE(int(category().lastIndex()), 3);
        QCOMPARE(child<QScrollBar>(editor(), "VScroll1")->maximum(), 0);
        QCOMPARE(int(editor().rowSlot(3)), 3);
        QVERIFY(!child<QLineEdit>(editor(), "txtUnitName", 3)->isReadOnly());
        QCOMPARE(child<QLineEdit>(editor(), "txtUnitName", 3)->text(), kPlaceholder);
    }

    void factorsUseTheCatalogueFormatInEveryLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        openWith("1^Meter\r\n0.3048^Foot\r\n");
        QCOMPARE(child<QLineEdit>(editor(), "txtUnitFactor", 1)->text(), QStringLiteral("0.3048"));
        setup().focus(child<QLineEdit>(editor(), "txtUnitFactor", 1));
        child<QLineEdit>(editor(), "txtUnitFactor", 1)->clear();
        QTest::keyClicks(child<QLineEdit>(editor(), "txtUnitFactor", 1), "0.25");
        setup().focus(child<QLineEdit>(editor(), "txtUnitName", 2));
        QVERIFY(boxes().shown().isEmpty());
        QCOMPARE(category().unitFactor(1), 0.25);
    }
};

QTEST_MAIN(TestEditorRows)
#include "tst_editorrows.moc"
