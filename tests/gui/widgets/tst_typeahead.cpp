#include "gui/widgets/ComboKeyPressFilter.h"
#include "gui/widgets/TypeAhead.h"
#include "support/TestEnvironment.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>
#include <stdexcept>

namespace {

// A window holding one editable unit combo (Foot, Furlong, Metre; nothing chosen, no new items
// from typing), the list the type-ahead tests type into. The caller shows the window.
std::unique_ptr<QWidget> makeFootFurlongMetreWindow(QComboBox *&combo)
{
    auto window = std::make_unique<QWidget>();
    auto *layout = new QVBoxLayout(window.get());
    combo = new QComboBox(window.get());
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems({QStringLiteral("Foot"), QStringLiteral("Furlong"), QStringLiteral("Metre")});
    combo->setCurrentIndex(-1);
    layout->addWidget(combo);
    return window;
}

// An edit field's text and selection written as "Fu[rlong]" (selected part in brackets) or
// "Fu|rlong" (the caret, nothing selected).
void setState(QLineEdit *edit, const QString &state)
{
    QString text = state;
    const qsizetype open = text.indexOf('[');
    const qsizetype caret = open >= 0 ? open : text.indexOf('|');
    text.remove('[').remove(']').remove('|');
    edit->setText(text);
    if (open >= 0)
        edit->setSelection(int(open), int(state.indexOf(']') - open - 1));
    else
        edit->setCursorPosition(int(caret));
}

QString stateOf(const QLineEdit *edit)
{
    QString text = edit->text();
    if (!edit->hasSelectedText())
        return text.insert(edit->cursorPosition(), '|');
    const int start = edit->selectionStart();
    return text.insert(start + edit->selectionLength(), ']').insert(start, '[');
}

} // namespace

// Type-ahead in an editable combo holding Foot, Furlong and Metre, in a shown, active window.
// Keys sent "through the window" go the way the window system delivers them: to the open
// drop-down list once it has the keyboard.
class TestTypeAhead : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_environment = std::make_unique<TestEnvironment>();
        m_window = makeFootFurlongMetreWindow(m_combo);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        m_combo->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_keys.clear();
    }
    void cleanup()
    {
        m_window.reset();
        finishEnvironment(m_environment);
    }

    void keyEventsGiveKeyCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code"); // -1: not a key press for the handler
        const int none = Qt::NoModifier;
        const int shift = Qt::ShiftModifier;
        const int ctrl = Qt::ControlModifier;
        const int alt = Qt::AltModifier;
        QTest::newRow("letter") << int(Qt::Key_F) << none << "f" << int('f');
        QTest::newRow("space") << int(Qt::Key_Space) << none << " " << 32;
        QTest::newRow("accented letter") << int(Qt::Key_Eacute) << none << "\u00E9" << 0xE9;
        QTest::newRow("character from 0x8000 up") << int(Qt::Key_unknown) << none << "\uAC00" << int(qint16(0xAC00));
        QTest::newRow("AltGr as Ctrl+Alt") << int(Qt::Key_E) << (ctrl | alt) << "\u20AC" << int(qint16(0x20AC));
        QTest::newRow("keypad digit") << int(Qt::Key_5) << int(Qt::KeypadModifier) << "5" << int('5');
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << "\b" << 8;
        QTest::newRow("Shift+Backspace") << int(Qt::Key_Backspace) << shift << "\b" << 8;
        QTest::newRow("Return") << int(Qt::Key_Return) << none << "\r" << 13;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << 13;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << none << "\x1b" << 27;
        QTest::newRow("Ctrl+A without text") << int(Qt::Key_A) << ctrl << "" << 1;
        QTest::newRow("Ctrl+Shift+V") << int(Qt::Key_V) << (ctrl | shift) << "\x16" << 22;
        QTest::newRow("Ctrl+digit") << int(Qt::Key_1) << ctrl << "1" << -1;
        QTest::newRow("Alt+letter") << int(Qt::Key_F) << alt << "f" << -1;
        QTest::newRow("Alt+Down") << int(Qt::Key_Down) << alt << "" << -1;
        QTest::newRow("Down") << int(Qt::Key_Down) << none << "" << -1;
        QTest::newRow("Home") << int(Qt::Key_Home) << none << "" << -1;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << none << "\t" << -1;
        QTest::newRow("Delete with its text") << int(Qt::Key_Delete) << none << "\x7f" << -1;
        QTest::newRow("Ctrl+Backspace") << int(Qt::Key_Backspace) << ctrl << "\x7f" << -1;
    }
    void keyEventsGiveKeyCodes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, code);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        const std::optional<qint16> actual = ComboKeyPressFilter::keyCodeOf(event);
        QCOMPARE(actual.value_or(-1), qint16(code));
    }

    void keyOnAFieldState_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("allowNewText");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("listOpen");
        // Characters complete to the first item that begins with the text typed.
        QTest::newRow("f completes to Foot") << "|" << int('f') << false << 0 << "F[oot]" << 0 << true;
        QTest::newRow("u after F completes to Furlong") << "F[oot]" << int('u') << false << 0 << "Fu[rlong]" << 1 << true;
        QTest::newRow("x after Fu refused, the completion kept") << "Fu[rlong]" << int('x') << false << 0 << "Fu[rlong]" << -1 << true;
        QTest::newRow("m takes Metre's letters") << "|" << int('m') << false << 0 << "M[etre]" << 2 << true;
        QTest::newRow("upper-case O after F") << "F|" << int('O') << false << 0 << "Fo[ot]" << 0 << true;
        QTest::newRow("a whole item typed") << "Metr|" << int('e') << false << 0 << "Metre|" << 2 << true;
        QTest::newRow("a selection and the rest replaced") << "F[ur]long" << int('o') << false << 0 << "Fo[ot]" << 0 << true;
        QTest::newRow("caret inside: the whole text searched") << "F|ur" << int('l') << false << 0 << "Furl[ong]" << 1 << true;
        QTest::newRow("caret inside: refused, caret to the end") << "F|oot" << int('x') << false << 0 << "Foot|" << -1 << true;
        QTest::newRow("refused into an empty field") << "|" << int('x') << false << 0 << "|" << -1 << true;
        QTest::newRow("refused space after a whole item") << "Foot|" << int(' ') << false << 0 << "Foot|" << -1 << true;
        // New text, where it is allowed.
        QTest::newRow("new text into an empty field") << "|" << int('x') << true << 0 << "x|" << -1 << true;
        QTest::newRow("new text drops the completion") << "Fu[rlong]" << int('x') << true << 0 << "Fux|" << -1 << true;
        QTest::newRow("new text after the whole text") << "F|oot" << int('s') << true << 0 << "Foots|" << -1 << true;
        QTest::newRow("accented new text") << "Caf|" << 0xE9 << true << 0 << "Caf\u00E9|" << -1 << true;
        QTest::newRow("code unit from 0x8000 up: a character") << "|" << int(qint16(0xAC00)) << true << 0 << "\uAC00|" << -1 << true;
        // Control keys.
        QTest::newRow("Backspace cuts the completion") << "Fu[rlong]" << 8 << false << 0 << "Fu|" << -1 << false;
        QTest::newRow("Backspace cuts a selection and the rest") << "F[ur]long" << 8 << false << 0 << "F|" << -1 << false;
        QTest::newRow("Backspace removes the last character") << "Fu|rlong" << 8 << false << 0 << "Furlon|" << -1 << false;
        QTest::newRow("Backspace in an empty field") << "|" << 8 << false << 0 << "|" << -1 << false;
        QTest::newRow("Enter handed on, the caret at the end") << "F[oot]" << 13 << false << 13 << "Foot|" << -1 << false;
        QTest::newRow("Enter with new text allowed") << "F|ux" << 13 << true << 13 << "Fux|" << -1 << false;
        QTest::newRow("Escape cancels the selection") << "F[oot]" << 27 << false << 0 << "F|oot" << -1 << false;
        QTest::newRow("key 0 cancels the selection") << "Fu[rlong]" << 0 << true << 0 << "Fu|rlong" << -1 << false;
        QTest::newRow("Ctrl+V dropped") << "Fu|" << 22 << false << 0 << "Fu|" << -1 << false;
    }
    void keyOnAFieldState()
    {
        QFETCH(QString, before);
        QFETCH(int, key);
        QFETCH(bool, allowNewText);
        QFETCH(int, result);
        QFETCH(QString, after);
        QFETCH(int, current);
        QFETCH(bool, listOpen);
        setState(m_combo->lineEdit(), before);
        QCOMPARE(typeAhead::typeKey(m_combo, qint16(key), allowNewText), qint16(result));
        QCOMPARE(stateOf(m_combo->lineEdit()), after);
        QCOMPARE(m_combo->currentIndex(), current);
        QCOMPARE(m_combo->view()->isVisible(), listOpen);
    }

    // f, u, x, Backspace, r, Down and Enter in a row, at the combo and the way a real window
    // delivers the keys. Each completion is the user's choice of the item, highlighted in the
    // open list, so that Enter there keeps it.
    void typingCompletes_data()
    {
        QTest::addColumn<bool>("throughWindow");
        QTest::newRow("keys sent to the combo") << false;
        QTest::newRow("keys delivered through the window") << true;
    }
    void typingCompletes()
    {
        QFETCH(bool, throughWindow);
        completeLikeTheMainWindow();
        QSignalSpy choices(m_combo, &QComboBox::currentIndexChanged);
        QLineEdit *edit = m_combo->lineEdit();
        type('f', throughWindow);
        QCOMPARE(stateOf(edit), QStringLiteral("F[oot]"));
        QCOMPARE(m_combo->view()->currentIndex().row(), 0);
        if (throughWindow)
            QCOMPARE(QApplication::activePopupWidget(), m_combo->view()->window());
        type('u', throughWindow);
        QCOMPARE(stateOf(edit), QStringLiteral("Fu[rlong]"));
        QCOMPARE(m_combo->view()->currentIndex().row(), 1);
        type('x', throughWindow);
        QCOMPARE(stateOf(edit), QStringLiteral("Fu[rlong]"));
        press(Qt::Key_Backspace, throughWindow);
        QCOMPARE(stateOf(edit), QStringLiteral("Fu|"));
        type('r', throughWindow); // completes to the item that is current already
        QCOMPARE(stateOf(edit), QStringLiteral("Fur[long]"));
        QCOMPARE(m_keys, QList<qint16>({'f', 'u', 'x', 8, 'r'}));
        QCOMPARE(choices.size(), 2);

        press(Qt::Key_Down, throughWindow);
        QSignalSpy returns(edit, &QLineEdit::returnPressed);
        press(Qt::Key_Return, throughWindow);
        QCOMPARE(m_keys.last(), qint16(13));
        QCOMPARE(returns.size(), 1);
        QCOMPARE(m_combo->currentIndex(), 2);
        QCOMPARE(stateOf(edit), QStringLiteral("Metre|"));
        if (throughWindow)
            QVERIFY(!m_combo->view()->isVisible());
    }

    // What the combo gets for each answer of the handler, also while the list has the keyboard.
    void theComboGetsTheHandlersAnswer_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("listOpen");
        QTest::addColumn<QString>("expected");
        for (const bool open : {false, true}) {
            const QByteArray where = open ? " with the list open" : " with the list closed";
            QTest::newRow(("same key passes" + where).constData()) << "same" << open << "abc";
            QTest::newRow(("replaced keys are typed" + where).constData()) << "upper" << open << "ABC";
            QTest::newRow(("0 drops the key" + where).constData()) << "drop" << open << "";
            QTest::newRow(("replaced by Backspace" + where).constData()) << "b-erases" << open << "c";
        }
    }
    void theComboGetsTheHandlersAnswer()
    {
        QFETCH(QString, answer);
        QFETCH(bool, listOpen);
        QFETCH(QString, expected);
        new ComboKeyPressFilter(m_combo, [this, answer](qint16 key) -> qint16 {
            m_keys.append(key);
            if (answer == "upper")
                return qint16(QChar(key).toUpper().unicode());
            if (answer == "drop")
                return 0;
            return answer == "b-erases" && key == 'b' ? 8 : key;
        });
        if (listOpen) {
            m_combo->showPopup();
            QCOMPARE(QApplication::activePopupWidget(), m_combo->view()->window());
        }
        for (const char key : {'a', 'b', 'c'})
            type(key, listOpen);
        QCOMPARE(m_combo->currentText(), expected);
        QCOMPARE(m_keys, QList<qint16>({'a', 'b', 'c'}));
    }

    // Keys that type nothing never reach the handler and keep their ordinary effect.
    void nonCharacterKeysPass()
    {
        completeLikeTheMainWindow();
        m_combo->setEditText(QStringLiteral("Fur"));
        QTest::keyClick(m_combo, Qt::Key_Home);
        QCOMPARE(stateOf(m_combo->lineEdit()), QStringLiteral("|Fur"));
        QTest::keyClick(m_combo, Qt::Key_Down);
        QCOMPARE(m_combo->currentIndex(), 0);
        QTest::keyClick(m_combo, Qt::Key_Delete);
        QTest::keyClick(m_combo, Qt::Key_F, Qt::AltModifier);
        QTest::keyClick(m_combo, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(m_combo->view()->isVisible());
        QTest::keyClick(m_window->windowHandle(), Qt::Key_Up);
        QVERIFY(m_keys.isEmpty());
    }

    // Text that an input method commits (dead keys, compose) is typed character by character.
    void committedTextIsCompleted()
    {
        completeLikeTheMainWindow();
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("mx"));
        QApplication::sendEvent(m_combo, &commit);
        QCOMPARE(stateOf(m_combo->lineEdit()), QStringLiteral("M[etre]"));
        QCOMPARE(m_keys, QList<qint16>({'m', 'x'}));
    }

    void failureLeavesTheKeyToTheCombo()
    {
        connect(m_combo, &QComboBox::currentIndexChanged, this, [](int) { throw std::runtime_error("handler failed"); });
        QCOMPARE(typeAhead::typeKey(m_combo, qint16('m'), false), qint16('m'));
        // A combo without an edit field handles every key itself.
        QComboBox plain;
        plain.addItems({QStringLiteral("Foot")});
        QCOMPARE(typeAhead::typeKey(&plain, qint16('f'), false), qint16('f'));
        QCOMPARE(typeAhead::typeKey(nullptr, qint16(8), true), qint16(8));
    }

    void hiddenComboOpensNoList()
    {
        m_window->hide();
        QCOMPARE(typeAhead::typeKey(m_combo, qint16('f'), false), qint16(0));
        QCOMPARE(m_combo->currentText(), QStringLiteral("Foot"));
        QVERIFY(!m_combo->view()->isVisible());
    }

private:
    // The main window's unit lists: completion with new text refused.
    void completeLikeTheMainWindow()
    {
        new ComboKeyPressFilter(m_combo, [this](qint16 key) {
            m_keys.append(key);
            return typeAhead::typeKey(m_combo, key, false);
        });
    }

    void type(char key, bool throughWindow)
    {
        if (throughWindow)
            QTest::keyClick(m_window->windowHandle(), key);
        else
            QTest::keyClick(m_combo, key);
    }
    void press(Qt::Key key, bool throughWindow)
    {
        if (throughWindow)
            QTest::keyClick(m_window->windowHandle(), key);
        else
            QTest::keyClick(m_combo, key);
    }

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<QWidget> m_window;
    QComboBox *m_combo = nullptr;
    QList<qint16> m_keys;
};

QTEST_MAIN(TestTypeAhead)
#include "tst_typeahead.moc"
