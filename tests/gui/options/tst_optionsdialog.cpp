#include "doubles/RecordingSettingsStore.h"
#include "gui/mainwindow/MainWindowTest.h"
#include "gui/options/OptionsDialog.h"
#include "support/AccessKeys.h"
#include "support/Readability.h"
#include "support/ShownBoxes.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <memory>

// The five options, and the five boxes, written as five flags in the dialog's order: remember
// the converter, the units, the value, auto convert, compact window on start ('T' true, '-' false).
namespace {

const QStringList kBoxNames{"ChbRLCU", "ChbRLUU", "ChbRLCV", "chbAutoCon", "chbCompactForm"};

QString flags(const QList<bool> &values)
{
    QString text;
    for (const bool value : values)
        text += value ? 'T' : '-';
    return text;
}

QString optionValues()
{
    const Options &options = programOptions();
    return flags({options.rememberCategory(), options.rememberUnits(), options.rememberValue(), options.autoConvert(),
                  options.startCompact()});
}

void setOptionValues(const QString &values)
{
    Options &options = programOptions();
    options.setRememberCategory(values.at(0) == 'T');
    options.setRememberUnits(values.at(1) == 'T');
    options.setRememberValue(values.at(2) == 'T');
    options.setAutoConvert(values.at(3) == 'T');
    options.setStartCompact(values.at(4) == 'T');
}

} // namespace

class TestOptionsDialog : public MainWindowTest {
    Q_OBJECT

private slots:
    void init()
    {
        start();
        releaseProgramRecords();
    }
    void cleanup()
    {
        m_dialog.reset();
        finish();
    }

    // Every control has a name, every box and button an access key of its own, and Tab walks
    // the enabled boxes and then the buttons in order.
    void namesAccessKeysAndTabOrder_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("converter on") << "T----" << (kBoxNames + QStringList{"cmdOK", "cmdCancel", "cmdApply", "ChbRLCU"});
        QTest::newRow("converter off") << "-----"
                                       << QStringList{"ChbRLCU", "chbCompactForm", "cmdOK", "cmdCancel", "cmdApply",
                                                      "ChbRLCU"};
    }
    void namesAccessKeysAndTabOrder()
    {
        QFETCH(QString, options);
        QFETCH(QStringList, order);
        setOptionValues(options);
        QVERIFY(openDialog(false));
        QVERIFY(m_dialog->isModal());
        QCOMPARE(accessKeys::windowFaults(*m_dialog), QStringList());
        for (const QWidget *control : m_dialog->findChildren<QWidget *>())
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        QApplication::setActiveWindow(m_dialog.get());
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        QStringList visited;
        for (int i = 0; i < order.size(); ++i) {
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(focus);
            visited.append(focus->objectName());
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(visited, order);
    }

    // The light grey background keeps dark text in a dark theme too.
    void readableInLightAndDarkThemes_data() { ThemeScope::addThemeRows(); }
    void readableInLightAndDarkThemes()
    {
        QFETCH(bool, dark);
        const ThemeScope scope(dark);
        setOptionValues("T----"); // every box enabled
        QVERIFY(openDialog(false));
        const QStringList poor = readability::poorlyReadable(*m_dialog);
        QVERIFY2(poor.isEmpty(), qPrintable(poor.join("; ")));
    }

    // The history boxes follow "Remember last converter used"; the compact box stands alone.
    void openingShowsOptions_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("enabled");
        QTest::newRow("all off") << "-----" << "-----" << "T---T";
        QTest::newRow("converter off, the three dependent on") << "-TTT-" << "-----" << "T---T";
        QTest::newRow("converter off, compact on") << "-T-TT" << "----T" << "T---T";
        QTest::newRow("converter only") << "T----" << "T----" << "TTTTT";
        QTest::newRow("converter and units") << "TT---" << "TT---" << "TTTTT";
        QTest::newRow("converter and value") << "T-T--" << "T-T--" << "TTTTT";
        QTest::newRow("converter and auto convert") << "T--T-" << "T--T-" << "TTTTT";
        QTest::newRow("all on") << "TTTTT" << "TTTTT" << "TTTTT";
    }
    void openingShowsOptions()
    {
        QFETCH(QString, options);
        QFETCH(QString, checked);
        QFETCH(QString, enabled);
        setOptionValues(options);
        QVERIFY(openDialog(false));
        QCOMPARE(checkedBoxes(), checked);
        QCOMPARE(enabledBoxes(), enabled);
        QCOMPARE(optionValues(), options); // opening changes nothing
    }

    // Clearing and ticking "Remember last converter used", by mouse or by the Space key.
    void dependencyRule_data()
    {
        QTest::addColumn<bool>("useKeyboard");
        QTest::newRow("mouse") << false;
        QTest::newRow("space key") << true;
    }
    void dependencyRule()
    {
        QFETCH(bool, useKeyboard);
        setOptionValues("TTTT-");
        QVERIFY(openDialog(false));
        const auto toggle = [&](int number) {
            if (useKeyboard)
                QTest::keyClick(box(number), Qt::Key_Space);
            else
                QTest::mouseClick(box(number), Qt::LeftButton);
        };
        toggle(0);
        QCOMPARE(checkedBoxes(), QStringLiteral("-----"));
        QCOMPARE(enabledBoxes(), QStringLiteral("T---T"));
        toggle(0);
        QCOMPARE(checkedBoxes(), QStringLiteral("T----"));
        QCOMPARE(enabledBoxes(), QStringLiteral("TTTTT"));
        // The other boxes change nothing but their own mark until Apply.
        toggle(2);
        toggle(4);
        QCOMPARE(checkedBoxes(), QStringLiteral("T-T-T"));
        QCOMPARE(optionValues(), QStringLiteral("TTTT-"));
    }

    // OK, Enter (from a check box) and Apply copy every box into its own option, Cancel and
    // Escape keep what was applied before; the dialog writes nothing, the program's end stores
    // the options. Opening with the converter off clears the three dependent ones.
    void buttonsApplyOrDiscard_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("ticked");  // empty: as opened
        QTest::addColumn<QString>("buttons"); // pressed in turn
        QTest::addColumn<QString>("applied");
        QTest::newRow("OK with the converter off") << "-TTT-" << "" << "OK" << "-----";
        QTest::newRow("Enter") << "-----" << "T--T-" << "Enter" << "T--T-";
        QTest::newRow("Escape") << "-----" << "T--T-" << "Escape" << "-----";
        for (const char *boxes : {"T----", "TT---", "T-T--", "T--T-", "TTTT-"})
            QTest::addRow("Apply %s, then Cancel", boxes) << "-----" << QString(boxes) << "Apply, Cancel" << QString(boxes);
    }
    void buttonsApplyOrDiscard()
    {
        QFETCH(QString, stored);
        QFETCH(QString, ticked);
        QFETCH(QString, buttons);
        QFETCH(QString, applied);
        storeOptions(stored);
        QVERIFY(openDialog(true));
        QApplication::setActiveWindow(m_dialog.get());
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
        RecordingSettingsStore &counter = RecordingSettingsStore::install();
        if (!ticked.isEmpty())
            setChecked(ticked);
        for (const QString &button : buttons.split(", ")) {
            if (button == "Enter" || button == "Escape") {
                QTest::keyClick(box(0), button == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
                continue;
            }
            child<QPushButton>(*m_dialog, "cmd" + button)->click();
            if (button == "Apply") {
                QVERIFY(m_dialog->isVisible());
                QCOMPARE(optionValues(), applied);
                setChecked("-----"); // changed again, not applied
            }
        }
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(buttons == "OK" || buttons == "Enter" ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(optionValues(), applied);
        QCOMPARE(counter.changeCount(), 0);
        QCOMPARE(storedOptions(), stored);
        m_form->unload();
        QCOMPARE(storedOptions(), applied);
    }

    // The layout question: asked only when the compact option no longer matches the main
    // window's layout, however the window came to it; the answer decides the layout, never
    // the option.
    void layoutQuestion_data()
    {
        QTest::addColumn<bool>("compactAtStart"); // the stored option when the window loads
        QTest::addColumn<int>("menuSwitches");    // layout switches from the menu afterwards
        QTest::addColumn<bool>("compactBox");     // "Compact Window on Start" when pressed
        QTest::addColumn<bool>("pressOK");        // OK, or else Apply
        QTest::addColumn<QString>("question");    // empty: none asked
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<bool>("normalAfter");
        const QString toCompact = QStringLiteral("Show Compact Window now");
        const QString toNormal = QStringLiteral("Show Full size Window now");
        QTest::newRow("normal, compact ticked, Apply, Yes") << false << 0 << true << false << toCompact << true << false;
        QTest::newRow("normal, compact ticked, OK, Yes") << false << 0 << true << true << toCompact << true << false;
        QTest::newRow("normal, compact ticked, No") << false << 0 << true << false << toCompact << false << true;
        QTest::newRow("normal, compact clear") << false << 0 << false << true << QString() << false << true;
        QTest::newRow("compact, compact ticked") << true << 0 << true << false << QString() << false << false;
        QTest::newRow("compact, made normal from the menu, OK unchanged")
            << true << 1 << true << true << toCompact << true << false;
        QTest::newRow("compact, compact cleared, Yes") << true << 0 << false << false << toNormal << true << true;
        QTest::newRow("compact, compact cleared, OK, No") << true << 0 << false << true << toNormal << false << false;
        QTest::newRow("normal, made compact from the menu, compact clear")
            << false << 1 << false << false << toNormal << true << true;
    }
    void layoutQuestion()
    {
        QFETCH(bool, compactAtStart);
        QFETCH(int, menuSwitches);
        QFETCH(bool, compactBox);
        QFETCH(bool, pressOK);
        QFETCH(QString, question);
        QFETCH(bool, answerYes);
        QFETCH(bool, normalAfter);
        storeOptions(compactAtStart ? "----T" : "-----");
        m_form = std::make_unique<MainWindow>();
        QVERIFY(m_form->load());
        for (int i = 0; i < menuSwitches; ++i)
            m_form->toggleCompactLayout();
        RecordingSettingsStore &counter = RecordingSettingsStore::install();
        QVERIFY(openDialog(false));
        QCOMPARE(box(4)->isChecked(), compactAtStart);
        box(4)->setChecked(compactBox);
        if (!question.isEmpty())
            m_environment->boxes().expect(answerYes ? platform::Answer::Yes : platform::Answer::No);
        child<QPushButton>(*m_dialog, pressOK ? "cmdOK" : "cmdApply")->click();

        QList<platform::MessageBoxRequest> asked;
        if (!question.isEmpty())
            asked.append({question, platform::Buttons::YesNo, platform::Icon::Question, app::appTitle()});
        QCOMPARE(m_environment->boxes().shown(), asked);
        QCOMPARE(m_form->showsNormalLayout(), normalAfter);
        QCOMPARE(programOptions().startCompact(), compactBox);
        QCOMPARE(m_dialog->isVisible(), !pressOK);
        QCOMPARE(counter.changeCount(), 0);
    }

    // The menu entry opens a new modal dialog centred on the screen, filled from the options, and
    // discards it when it closes: changes that were not applied are gone at the next opening.
    void openedFromMenu()
    {
        m_form = std::make_unique<MainWindow>();
        QVERIFY(m_form->load());
        MainWindow::ModalWindows windows;
        windows.options = [](MainWindow &owner) { OptionsDialog::showModal(&owner, owner); };
        m_form->setModalWindows(windows);
        m_form->show();

        QList<QPointer<OptionsDialog>> opened;
        QList<bool> converterShown;
        QList<QPoint> offsets;
        const auto answerDialog = [&] {
            auto *dialog = qobject_cast<OptionsDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            opened.append(dialog);
            converterShown.append(child<QCheckBox>(*dialog, "ChbRLCU")->isChecked());
            offsets.append(dialog->geometry().center() - dialog->screen()->geometry().center());
            child<QCheckBox>(*dialog, "ChbRLCU")->setChecked(true);
            child<QPushButton>(*dialog, "cmdCancel")->click();
        };
        for (int opening = 0; opening < 2; ++opening) {
            QTimer::singleShot(0, this, answerDialog);
            child<QAction>(*m_form, "mnuOptions")->trigger();
        }
        QCOMPARE(opened.size(), 2);
        QVERIFY(opened.at(0).isNull() && opened.at(1).isNull()); // discarded after closing
        QCOMPARE(converterShown, QList<bool>({false, false}));
        QVERIFY(!programOptions().rememberCategory());
        for (const QPoint &offset : offsets)
            QVERIFY2(offset.manhattanLength() <= 20, qPrintable(QString("off centre by %1, %2").arg(offset.x()).arg(offset.y())));
    }

private:
    // Opens the dialog over the main window (loaded from the store when load is set, else as
    // made), shown; false when it does not show.
    bool openDialog(bool load)
    {
        if (!m_form) {
            m_form = std::make_unique<MainWindow>();
            if (load && !m_form->load())
                return false;
        }
        m_dialog = std::make_unique<OptionsDialog>(m_form.get(), *m_form);
        m_dialog->show();
        return QTest::qWaitForWindowExposed(m_dialog.get());
    }

    QCheckBox *box(int number) const { return child<QCheckBox>(*m_dialog, kBoxNames.at(number)); }

    QString boxFlags(bool (QCheckBox::*state)() const) const
    {
        QList<bool> states;
        for (int i = 0; i < kBoxNames.size(); ++i)
            states.append((box(i)->*state)());
        return flags(states);
    }
    QString checkedBoxes() const { return boxFlags(&QCheckBox::isChecked); }
    QString enabledBoxes() const { return boxFlags(&QCheckBox::isEnabled); }
    void setChecked(const QString &states) const
    {
        for (int i = 0; i < kBoxNames.size(); ++i)
            box(i)->setChecked(states.at(i) == 'T');
    }

    std::unique_ptr<OptionsDialog> m_dialog;
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
