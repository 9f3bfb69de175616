#include "gui/mainwindow/FootFurlongMetre.h"
#include "gui/widgets/TypeAhead.h"
#include "support/TestEnvironment.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <stdexcept>

using typeAhead::typeKey;

namespace {

int selStart(const QLineEdit *edit)
{
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

} // namespace

// The completion routine called directly on a shown editable combo holding Foot, Furlong, Metre.
class TestTypeAhead : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_environment = std::make_unique<TestEnvironment>();
        m_window = makeFootFurlongMetreWindow(m_combo);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        finishEnvironment(m_environment);
    }

    void keyOnState_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("allowNewText");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("newText");
        QTest::addColumn<int>("newStart");
        QTest::addColumn<int>("newLength");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("listOpen");

        // Typing into the list Foot, Furlong, Metre.
        QTest::newRow("f into an empty field completes to Foot")
            << "" << 0 << 0 << int('f') << false << 0 << "Foot" << 1 << 3 << 0 << true;
        QTest::newRow("u after F completes to Furlong")
            << "Foot" << 1 << 3 << int('u') << false << 0 << "Furlong" << 2 << 5 << 1 << true;
        QTest::newRow("x after Fu is refused and keeps the completion")
            << "Furlong" << 2 << 5 << int('x') << false << 0 << "Furlong" << 2 << 5 << -1 << true;
        QTest::newRow("m matches Metre ignoring case and takes its letters")
            << "" << 0 << 0 << int('m') << false << 0 << "Metre" << 1 << 4 << 2 << true;
        QTest::newRow("upper-case FO completes to Foot")
            << "F" << 1 << 0 << int('O') << false << 0 << "Foot" << 2 << 2 << 0 << true;
        QTest::newRow("whole item typed leaves nothing selected")
            << "Metr" << 4 << 0 << int('e') << false << 0 << "Metre" << 5 << 0 << 2 << true;
        QTest::newRow("a selection and the text after it are replaced")
            << "Furlong" << 1 << 2 << int('o') << false << 0 << "Foot" << 2 << 2 << 0 << true;
        QTest::newRow("caret in the middle: the whole text is searched")
            << "Fur" << 1 << 0 << int('l') << false << 0 << "Furlong" << 4 << 3 << 1 << true;
        QTest::newRow("caret in the middle: refused, caret to the end")
            << "Foot" << 1 << 0 << int('x') << false << 0 << "Foot" << 4 << 0 << -1 << true;

        // Characters that begin no item.
        QTest::newRow("refused into an empty field: it stays empty")
            << "" << 0 << 0 << int('x') << false << 0 << "" << 0 << 0 << -1 << true;
        QTest::newRow("refused space after a full item")
            << "Foot" << 4 << 0 << int(' ') << false << 0 << "Foot" << 4 << 0 << -1 << true;
        QTest::newRow("new text accepted into an empty field")
            << "" << 0 << 0 << int('x') << true << 0 << "x" << 1 << 0 << -1 << true;
        QTest::newRow("new text accepted drops the earlier completion")
            << "Furlong" << 2 << 5 << int('x') << true << 0 << "Fux" << 3 << 0 << -1 << true;
        QTest::newRow("new text accepted after the whole text when nothing is selected")
            << "Foot" << 1 << 0 << int('s') << true << 0 << "Foots" << 5 << 0 << -1 << true;
        QTest::newRow("accented character accepted as new text")
            << "Caf" << 3 << 0 << 0xE9 << true << 0 << "Caf\u00E9" << 4 << 0 << -1 << true;
        QTest::newRow("code unit from 0x8000 up is a character, not a control key")
            << "" << 0 << 0 << int(qint16(0xAC00)) << true << 0 << "\uAC00" << 1 << 0 << -1 << true;

        // Control keys.
        QTest::newRow("Backspace with a selection cuts it and the rest")
            << "Furlong" << 2 << 5 << 8 << false << 0 << "Fu" << 2 << 0 << -1 << false;
        QTest::newRow("Backspace with a selection in the middle")
            << "Furlong" << 1 << 2 << 8 << false << 0 << "F" << 1 << 0 << -1 << false;
        QTest::newRow("Backspace without a selection removes the last character")
            << "Furlong" << 2 << 0 << 8 << false << 0 << "Furlon" << 6 << 0 << -1 << false;
        QTest::newRow("Backspace in an empty field")
            << "" << 0 << 0 << 8 << false << 0 << "" << 0 << 0 << -1 << false;
        QTest::newRow("Enter is handed on with the caret at the end")
            << "Foot" << 1 << 3 << 13 << false << 13 << "Foot" << 4 << 0 << -1 << false;
        QTest::newRow("Enter with new text allowed")
            << "Fux" << 1 << 0 << 13 << true << 13 << "Fux" << 3 << 0 << -1 << false;
        QTest::newRow("Escape only cancels the selection")
            << "Foot" << 1 << 3 << 27 << false << 0 << "Foot" << 1 << 0 << -1 << false;
        QTest::newRow("key 0 only cancels the selection")
            << "Furlong" << 2 << 5 << 0 << true << 0 << "Furlong" << 2 << 0 << -1 << false;
        QTest::newRow("Ctrl+V is dropped")
            << "Fu" << 2 << 0 << 22 << false << 0 << "Fu" << 2 << 0 << -1 << false;
    }
    void keyOnState()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(int, key);
        QFETCH(bool, allowNewText);
        QFETCH(int, result);
        QFETCH(QString, newText);
        QFETCH(int, newStart);
        QFETCH(int, newLength);
        QFETCH(int, current);
        QFETCH(bool, listOpen);

        QLineEdit *edit = m_combo->lineEdit();
        m_combo->setEditText(text);
        if (length > 0)
            edit->setSelection(start, length);
        else
            edit->setCursorPosition(start);

        QCOMPARE(typeKey(m_combo, qint16(key), allowNewText), qint16(result));
        QCOMPARE(m_combo->currentText(), newText);
        QCOMPARE(selStart(edit), newStart);
        QCOMPARE(edit->selectionLength(), newLength);
        QCOMPARE(m_combo->currentIndex(), current);
        QCOMPARE(m_combo->view()->isVisible(), listOpen);
    }

    // The example: f, u, x, Backspace in a row; each completion is the user's choice of the item,
    // and the open list highlights it so that Enter in the list keeps it.
    void typingInARow()
    {
        QSignalSpy choices(m_combo, &QComboBox::currentIndexChanged);
        QLineEdit *edit = m_combo->lineEdit();
        const auto type = [this](int key) { return typeKey(m_combo, qint16(key), false); };

        QCOMPARE(type('f'), qint16(0));
        QCOMPARE(edit->text(), QStringLiteral("Foot"));
        QCOMPARE(edit->selectedText(), QStringLiteral("oot"));
        QCOMPARE(m_combo->view()->currentIndex().row(), 0);

        QCOMPARE(type('u'), qint16(0));
        QCOMPARE(edit->text(), QStringLiteral("Furlong"));
        QCOMPARE(edit->selectedText(), QStringLiteral("rlong"));
        QCOMPARE(m_combo->view()->currentIndex().row(), 1);

        QCOMPARE(type('x'), qint16(0));
        QCOMPARE(edit->text(), QStringLiteral("Furlong"));
        QCOMPARE(edit->selectedText(), QStringLiteral("rlong"));

        QCOMPARE(type(8), qint16(0));
        QCOMPARE(edit->text(), QStringLiteral("Fu"));
        QCOMPARE(edit->cursorPosition(), 2);
        QVERIFY(!edit->hasSelectedText());
        QCOMPARE(m_combo->currentIndex(), 1);

        // Typing r after Fu completes to the item that is current already.
        QCOMPARE(type('r'), qint16(0));
        QCOMPARE(edit->text(), QStringLiteral("Furlong"));
        QCOMPARE(edit->selectedText(), QStringLiteral("long"));

        QCOMPARE(choices.size(), 2);
        QCOMPARE(choices.at(0).at(0).toInt(), 0);
        QCOMPARE(choices.at(1).at(0).toInt(), 1);
    }

    void failureLeavesTheKeyToTheCombo()
    {
        connect(m_combo, &QComboBox::currentIndexChanged, this,
                [](int) { throw std::runtime_error("handler failed"); });
        QCOMPARE(typeKey(m_combo, qint16('m'), false), qint16('m'));

        // A combo without an edit field handles every key itself.
        QComboBox plain;
        plain.addItems({QStringLiteral("Foot")});
        QCOMPARE(typeKey(&plain, qint16('f'), false), qint16('f'));
        QCOMPARE(typeKey(nullptr, qint16(8), true), qint16(8));
    }

    void hiddenComboOpensNoList()
    {
        m_window->hide();
        QCOMPARE(typeKey(m_combo, qint16('f'), false), qint16(0));
        QCOMPARE(m_combo->currentText(), QStringLiteral("Foot"));
        QVERIFY(!m_combo->view()->isVisible());
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<QWidget> m_window;
    QComboBox *m_combo = nullptr;
};

QTEST_MAIN(TestTypeAhead)
#include "tst_typeahead.moc"
