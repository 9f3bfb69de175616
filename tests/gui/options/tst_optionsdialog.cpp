#include "core/base/AppInfo.h"
#include "gui/mainwindow/Form1.h"
#include "core/settings/ProgramRecords.h"
#include "gui/options/frmOptions.h"
#include "doubles/RecordingSettingsStore.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QStringList kOptionKeys = {QStringLiteral("Remember Last Converter"), QStringLiteral("Remember Last Units"),
                                 QStringLiteral("Remember Last Value"), QStringLiteral("Auto Convert"),
                                 QStringLiteral("Compact Form")};

// The five options as stored (RLUC, RLUU, RLUV, AutoCon, CompactForm), "<absent>" for none.
QStringList storedOptions()
{
    QStringList values;
    for (const QString &key : kOptionKeys)
        values.append(platform::settingsStore().read(app::programBaseName(), QStringLiteral("Options"), key,
                                                     QStringLiteral("<absent>")));
    return values;
}

void storeOptions(const QList<bool> &values)
{
    for (int i = 0; i < kOptionKeys.size(); ++i)
        platform::settingsStore().write(app::programBaseName(), QStringLiteral("Options"), kOptionKeys.at(i),
                                        values.at(i) ? QStringLiteral("True") : QStringLiteral("False"));
}

QList<bool> optionValues()
{
    const COptions &options = gOptions();
    return {options.RLUC(), options.RLUU(), options.RLUV(), options.AutoCon(), options.CompactForm()};
}

void setOptionValues(const QList<bool> &values)
{
    COptions &options = gOptions();
    options.setRLUC(values.at(0));
    options.setRLUU(values.at(1));
    options.setRLUV(values.at(2));
    options.setAutoCon(values.at(3));
    options.setCompactForm(values.at(4));
}

QList<QCheckBox *> checkBoxes(const frmOptions &dialog)
{
    return {dialog.ChbRLCU, dialog.ChbRLUU, dialog.ChbRLCV, dialog.chbAutoCon, dialog.chbCompactForm};
}

QList<bool> checkedStates(const frmOptions &dialog)
{
    QList<bool> states;
    for (const QCheckBox *box : checkBoxes(dialog))
        states.append(box->isChecked());
    return states;
}

QList<bool> enabledStates(const frmOptions &dialog)
{
    QList<bool> states;
    for (const QCheckBox *box : checkBoxes(dialog))
        states.append(box->isEnabled());
    return states;
}

void setChecked(const frmOptions &dialog, const QList<bool> &states)
{
    const QList<QCheckBox *> boxes = checkBoxes(dialog);
    for (int i = 0; i < boxes.size(); ++i)
        boxes.at(i)->setChecked(states.at(i));
}

} // namespace

class TestOptionsDialog : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_environment = std::make_unique<TestEnvironment>();
        ReleaseProgramRecords();
    }
    void cleanup()
    {
        // Taken out first, so that the environment ends with this test even when the check fails.
        const std::unique_ptr<TestEnvironment> environment = std::move(m_environment);
        m_form.reset();
        ReleaseProgramRecords();
        VERIFY_NO_UNEXPECTED_BOXES(*environment);
    }

    void controlsAndCaptions()
    {
        Form1 form;
        frmOptions dialog(form);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
        QVERIFY(dialog.isModal());
        QCOMPARE(dialog.frm1->title(), QStringLiteral("History Settings"));
        QCOMPARE(dialog.Frame1->title(), QStringLiteral("View Settings"));
        QStringList captions;
        for (const QCheckBox *box : checkBoxes(dialog))
            captions.append(box->text());
        QCOMPARE(captions, QStringList({"Remember last converter used", "Remember last unit used",
                                        "Remember last converted value", "Auto Convert Last Used",
                                        "Compact Window on Start"}));
        for (QCheckBox *box : {dialog.ChbRLCU, dialog.ChbRLUU, dialog.ChbRLCV, dialog.chbAutoCon})
            QCOMPARE(box->parentWidget(), dialog.frm1);
        QCOMPARE(dialog.chbCompactForm->parentWidget(), dialog.Frame1);
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(224, 224, 224));
        QVERIFY(!dialog.imgIcon->pixmap().isNull());
        QVERIFY(dialog.cmdOK->isDefault());

        // Top to bottom: the two frames, then the icon and OK, Cancel, Apply from left to right.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.frm1->geometry().bottom() < dialog.Frame1->geometry().top());
        QVERIFY(dialog.Frame1->geometry().bottom() < dialog.cmdOK->geometry().top());
        QVERIFY(dialog.imgIcon->geometry().right() < dialog.cmdOK->geometry().left());
        QVERIFY(dialog.cmdOK->geometry().right() < dialog.cmdCancel->geometry().left());
        QVERIFY(dialog.cmdCancel->geometry().right() < dialog.cmdApply->geometry().left());
        QCOMPARE(QStringList({dialog.cmdOK->text(), dialog.cmdCancel->text(), dialog.cmdApply->text()}),
                 QStringList({"OK", "Cancel", "Apply"}));
        for (const QWidget *control : dialog.findChildren<QWidget *>())
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
    }

    // The history boxes follow "Remember last converter used"; the compact box stands alone.
    void openingShowsOptions_data()
    {
        QTest::addColumn<QList<bool>>("options");
        QTest::addColumn<QList<bool>>("checked");
        QTest::addColumn<QList<bool>>("enabled");
        QTest::newRow("all off") << QList<bool>{false, false, false, false, false}
                                 << QList<bool>{false, false, false, false, false}
                                 << QList<bool>{true, false, false, false, true};
        QTest::newRow("converter off, the three dependent on")
            << QList<bool>{false, true, true, true, false} << QList<bool>{false, false, false, false, false}
            << QList<bool>{true, false, false, false, true};
        QTest::newRow("converter off, compact on") << QList<bool>{false, true, false, true, true}
                                                   << QList<bool>{false, false, false, false, true}
                                                   << QList<bool>{true, false, false, false, true};
        QTest::newRow("converter only") << QList<bool>{true, false, false, false, false}
                                        << QList<bool>{true, false, false, false, false}
                                        << QList<bool>{true, true, true, true, true};
        QTest::newRow("converter and units") << QList<bool>{true, true, false, false, false}
                                             << QList<bool>{true, true, false, false, false}
                                             << QList<bool>{true, true, true, true, true};
        QTest::newRow("converter and value") << QList<bool>{true, false, true, false, false}
                                             << QList<bool>{true, false, true, false, false}
                                             << QList<bool>{true, true, true, true, true};
        QTest::newRow("converter and auto convert") << QList<bool>{true, false, false, true, false}
                                                    << QList<bool>{true, false, false, true, false}
                                                    << QList<bool>{true, true, true, true, true};
        QTest::newRow("all on") << QList<bool>{true, true, true, true, true}
                                << QList<bool>{true, true, true, true, true}
                                << QList<bool>{true, true, true, true, true};
    }
    void openingShowsOptions()
    {
        QFETCH(QList<bool>, options);
        QFETCH(QList<bool>, checked);
        QFETCH(QList<bool>, enabled);
        setOptionValues(options);
        Form1 form;
        frmOptions dialog(form);
        QCOMPARE(checkedStates(dialog), checked);
        QCOMPARE(enabledStates(dialog), enabled);
        QCOMPARE(optionValues(), options); // opening changes nothing
    }

    // Opening with the converter off, then OK: the three dependent options are stored false,
    // in memory and, at program end, in the store.
    void okWithConverterOffClearsDependents()
    {
        storeOptions({false, true, true, true, false});
        loadMainWindow();
        frmOptions dialog(*m_form);
        dialog.cmdOK->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(optionValues(), QList<bool>({false, false, false, false, false}));
        m_form->Form_Unload();
        QCOMPARE(storedOptions(), QStringList({"False", "False", "False", "False", "False"}));
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
        setOptionValues({true, true, true, true, false});
        Form1 form;
        frmOptions dialog(form);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const auto toggleConverter = [&] {
            if (useKeyboard)
                QTest::keyClick(dialog.ChbRLCU, Qt::Key_Space);
            else
                QTest::mouseClick(dialog.ChbRLCU, Qt::LeftButton);
        };

        toggleConverter();
        QCOMPARE(checkedStates(dialog), QList<bool>({false, false, false, false, false}));
        QCOMPARE(enabledStates(dialog), QList<bool>({true, false, false, false, true}));
        toggleConverter();
        QCOMPARE(checkedStates(dialog), QList<bool>({true, false, false, false, false}));
        QCOMPARE(enabledStates(dialog), QList<bool>({true, true, true, true, true}));

        // The other boxes change nothing but their own mark until Apply.
        if (useKeyboard) {
            QTest::keyClick(dialog.ChbRLCV, Qt::Key_Space);
            QTest::keyClick(dialog.chbCompactForm, Qt::Key_Space);
        } else {
            QTest::mouseClick(dialog.ChbRLCV, Qt::LeftButton);
            QTest::mouseClick(dialog.chbCompactForm, Qt::LeftButton);
        }
        QCOMPARE(checkedStates(dialog), QList<bool>({true, false, true, false, true}));
        QCOMPARE(optionValues(), QList<bool>({true, true, true, true, false}));
    }

    // Apply copies every box into gOptions (each box into its own option), keeps the dialog
    // open and writes nothing; Cancel then keeps what was applied, and program end stores it.
    void applyThenCancel_data()
    {
        QTest::addColumn<QList<bool>>("boxes");
        QTest::newRow("converter") << QList<bool>{true, false, false, false, false};
        QTest::newRow("units") << QList<bool>{true, true, false, false, false};
        QTest::newRow("value") << QList<bool>{true, false, true, false, false};
        QTest::newRow("auto convert") << QList<bool>{true, false, false, true, false};
        QTest::newRow("all history") << QList<bool>{true, true, true, true, false};
    }
    void applyThenCancel()
    {
        QFETCH(QList<bool>, boxes);
        storeOptions({false, false, false, false, false});
        loadMainWindow();
        RecordingSettingsStore &counter = RecordingSettingsStore::install();
        frmOptions dialog(*m_form);
        dialog.show();
        setChecked(dialog, boxes);
        dialog.cmdApply->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(optionValues(), boxes);

        setChecked(dialog, {false, false, false, false, false}); // changed again, not applied
        dialog.cmdCancel->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(optionValues(), boxes);
        QCOMPARE(counter.changeCount(), 0);
        QCOMPARE(storedOptions(), QStringList({"False", "False", "False", "False", "False"}));

        m_form->Form_Unload();
        QStringList expected;
        for (bool value : boxes)
            expected.append(value ? QStringLiteral("True") : QStringLiteral("False"));
        QCOMPARE(storedOptions(), expected);
    }

    // The layout question: asked only when the compact option no longer matches the main
    // window's layout, however the window came to it; the answer decides the layout, never
    // the option.
    void layoutQuestion_data()
    {
        QTest::addColumn<bool>("compactAtStart");  // the stored option when the window loads
        QTest::addColumn<int>("menuSwitches");     // layout switches from the menu afterwards
        QTest::addColumn<bool>("compactBox");      // "Compact Window on Start" when pressed
        QTest::addColumn<bool>("pressOK");         // OK, or else Apply
        QTest::addColumn<QString>("question");     // empty: none asked
        QTest::addColumn<bool>("answerYes");
        QTest::addColumn<bool>("normalAfter");

        const QString toCompact = QStringLiteral("Show Compact Window now");
        const QString toNormal = QStringLiteral("Show Full size Window now");
        QTest::newRow("normal, compact ticked, Apply, Yes")
            << false << 0 << true << false << toCompact << true << false;
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

        storeOptions({false, false, false, false, compactAtStart});
        loadMainWindow();
        for (int i = 0; i < menuSwitches; ++i)
            m_form->mnuForm_Click();
        RecordingSettingsStore &counter = RecordingSettingsStore::install();
        frmOptions dialog(*m_form);
        dialog.show();
        QCOMPARE(dialog.chbCompactForm->isChecked(), compactAtStart);
        dialog.chbCompactForm->setChecked(compactBox);
        if (!question.isEmpty())
            m_environment->boxes().expect(answerYes ? platform::Answer::Yes : platform::Answer::No);
        (pressOK ? dialog.cmdOK : dialog.cmdApply)->click();

        const QList<platform::MessageBoxRequest> &shown = m_environment->boxes().shown();
        QCOMPARE(shown.size(), question.isEmpty() ? 0 : 1);
        if (!question.isEmpty()) {
            QCOMPARE(shown.first().text, question);
            QCOMPARE(shown.first().buttons, platform::Buttons::YesNo);
            QCOMPARE(shown.first().icon, platform::Icon::Question);
            QCOMPARE(shown.first().title, app::appTitle());
        }
        QCOMPARE(m_form->showsNormalLayout(), normalAfter);
        QCOMPARE(gOptions().CompactForm(), compactBox);
        QCOMPARE(dialog.isVisible(), !pressOK);
        QCOMPARE(counter.changeCount(), 0);
    }

    // Tab walks the enabled boxes and then the buttons in order; disabled boxes are skipped.
    void tabOrder_data()
    {
        QTest::addColumn<bool>("converter");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("converter on") << true
                                      << QStringList{"ChbRLCU", "ChbRLUU",  "ChbRLCV",   "chbAutoCon", "chbCompactForm",
                                                     "cmdOK",   "cmdCancel", "cmdApply", "ChbRLCU"};
        QTest::newRow("converter off") << false
                                       << QStringList{"ChbRLCU", "chbCompactForm", "cmdOK", "cmdCancel", "cmdApply",
                                                      "ChbRLCU"};
    }
    void tabOrder()
    {
        QFETCH(bool, converter);
        QFETCH(QStringList, order);
        setOptionValues({converter, false, false, false, false});
        Form1 form;
        frmOptions dialog(form);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QStringList visited;
        for (int i = 0; i < order.size(); ++i) {
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(focus);
            visited.append(focus->objectName());
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(visited, order);
    }

    // Enter presses OK (which applies) from a check box; Escape cancels without applying.
    void enterAndEscape_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("applied");
        QTest::newRow("enter") << int(Qt::Key_Return) << int(QDialog::Accepted) << true;
        QTest::newRow("escape") << int(Qt::Key_Escape) << int(QDialog::Rejected) << false;
    }
    void enterAndEscape()
    {
        QFETCH(int, key);
        QFETCH(int, result);
        QFETCH(bool, applied);
        Form1 form;
        frmOptions dialog(form);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.ChbRLCU->setChecked(true);
        QTest::keyClick(dialog.ChbRLCU, Qt::Key(key));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), result);
        QCOMPARE(gOptions().RLUC(), applied);
    }

    // The menu entry opens a new modal dialog centred on the screen, filled from gOptions, and
    // discards it when it closes: changes that were not applied are gone at the next opening.
    void openedFromMenu()
    {
        loadMainWindow();
        Form1::ModalWindows windows;
        windows.options = &frmOptions::showModal;
        m_form->setModalWindows(windows);
        m_form->show();

        QList<QPointer<frmOptions>> opened;
        QList<bool> converterShown;
        QList<QPoint> offsets;
        const auto answerDialog = [&] {
            auto *dialog = qobject_cast<frmOptions *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            opened.append(dialog);
            converterShown.append(dialog->ChbRLCU->isChecked());
            const QRect screen = dialog->screen()->geometry();
            offsets.append(dialog->geometry().center() - screen.center());
            dialog->ChbRLCU->setChecked(true);
            dialog->cmdCancel->click();
        };
        for (int opening = 0; opening < 2; ++opening) {
            QTimer::singleShot(0, this, answerDialog);
            m_form->mnuOptions_Click();
        }
        QCOMPARE(opened.size(), 2);
        QVERIFY(opened.at(0).isNull() && opened.at(1).isNull()); // discarded after closing
        QCOMPARE(converterShown, QList<bool>({false, false}));
        QVERIFY(!gOptions().RLUC());
        for (const QPoint &offset : offsets)
            QVERIFY2(offset.manhattanLength() <= 20,
                     qPrintable(QStringLiteral("off centre by %1, %2").arg(offset.x()).arg(offset.y())));
    }

private:
    void loadMainWindow()
    {
        m_form = std::make_unique<Form1>();
        QVERIFY(m_form->Form_Load());
    }

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<Form1> m_form;
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
