#include "gui/mainwindow/FootFurlongMetre.h"
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

#include <memory>

// Keys typed into an editable combo through the filter, offscreen. Keys sent "through the window"
// go the way the window system delivers them: to the open drop-down list once it has the keyboard.
class TestComboKeyPressFilter : public QObject {
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

    void keyCodeOf_data()
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
        QTest::newRow("Ctrl+C") << int(Qt::Key_C) << ctrl << "\x03" << 3;
        QTest::newRow("Ctrl+Shift+V") << int(Qt::Key_V) << (ctrl | shift) << "\x16" << 22;
        QTest::newRow("Ctrl+digit") << int(Qt::Key_1) << ctrl << "1" << -1;
        QTest::newRow("Alt+letter") << int(Qt::Key_F) << alt << "f" << -1;
        QTest::newRow("Alt+Down") << int(Qt::Key_Down) << alt << "" << -1;
        QTest::newRow("Down") << int(Qt::Key_Down) << none << "" << -1;
        QTest::newRow("Home") << int(Qt::Key_Home) << none << "" << -1;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << none << "\t" << -1;
        QTest::newRow("F4") << int(Qt::Key_F4) << none << "" << -1;
        QTest::newRow("Delete with its text") << int(Qt::Key_Delete) << none << "\x7f" << -1;
        QTest::newRow("Ctrl+Backspace") << int(Qt::Key_Backspace) << ctrl << "\x7f" << -1;
    }
    void keyCodeOf()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, code);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        const std::optional<qint16> actual = ComboKeyPressFilter::keyCodeOf(event);
        QCOMPARE(actual.has_value(), code != -1);
        if (actual)
            QCOMPARE(*actual, qint16(code));
    }

    // The example typed key by key, at the combo and the way a real window delivers the keys.
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
        QLineEdit *edit = m_combo->lineEdit();

        type('f', throughWindow);
        QCOMPARE(edit->text(), QStringLiteral("Foot"));
        QCOMPARE(edit->selectedText(), QStringLiteral("oot"));
        QVERIFY(m_combo->view()->isVisible());
        if (throughWindow)
            QCOMPARE(QApplication::activePopupWidget(), m_combo->view()->window());

        type('u', throughWindow);
        QCOMPARE(edit->text(), QStringLiteral("Furlong"));
        QCOMPARE(edit->selectedText(), QStringLiteral("rlong"));

        type('x', throughWindow);
        QCOMPARE(edit->text(), QStringLiteral("Furlong"));
        QCOMPARE(edit->selectedText(), QStringLiteral("rlong"));

        press(Qt::Key_Backspace, throughWindow);
        QCOMPARE(edit->text(), QStringLiteral("Fu"));
        QCOMPARE(edit->cursorPosition(), 2);
        QVERIFY(!edit->hasSelectedText());
        QCOMPARE(m_keys, QList<qint16>({'f', 'u', 'x', 8}));

        // Down still moves through the list; Enter takes the item and reaches the edit field.
        press(Qt::Key_Down, throughWindow);
        QSignalSpy returns(edit, &QLineEdit::returnPressed);
        press(Qt::Key_Return, throughWindow);
        QCOMPARE(m_keys.last(), qint16(13));
        QCOMPARE(returns.size(), 1);
        QCOMPARE(m_combo->currentIndex(), 2);
        QCOMPARE(edit->text(), QStringLiteral("Metre"));
        QCOMPARE(edit->cursorPosition(), 5);
        QVERIFY(!edit->hasSelectedText());
        if (throughWindow)
            QVERIFY(!m_combo->view()->isVisible());
    }

    // What the combo gets for each answer of the handler, also while the list has the keyboard.
    void handlerAnswer_data()
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
    void handlerAnswer()
    {
        QFETCH(QString, answer);
        QFETCH(bool, listOpen);
        QFETCH(QString, expected);
        new ComboKeyPressFilter(m_combo, [this, answer](qint16 key) -> qint16 {
            m_keys.append(key);
            if (answer == QLatin1String("upper"))
                return qint16(QChar(key).toUpper().unicode());
            if (answer == QLatin1String("drop"))
                return 0;
            if (answer == QLatin1String("b-erases") && key == 'b')
                return 8;
            return key;
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
        QLineEdit *edit = m_combo->lineEdit();
        m_combo->setEditText(QStringLiteral("Fur"));
        QTest::keyClick(m_combo, Qt::Key_Home);
        QCOMPARE(edit->cursorPosition(), 0);
        QTest::keyClick(m_combo, Qt::Key_End);
        QCOMPARE(edit->cursorPosition(), 3);
        QTest::keyClick(m_combo, Qt::Key_Down);
        QCOMPARE(m_combo->currentIndex(), 0);
        QTest::keyClick(m_combo, Qt::Key_Delete);
        QTest::keyClick(m_combo, Qt::Key_PageDown);
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
        QCOMPARE(m_combo->currentText(), QStringLiteral("Metre"));
        QCOMPARE(m_combo->lineEdit()->selectedText(), QStringLiteral("etre"));
        QCOMPARE(m_keys, QList<qint16>({'m', 'x'}));
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

QTEST_MAIN(TestComboKeyPressFilter)
#include "tst_combokeypressfilter.moc"
