#include "core/base/AppInfo.h"
#include "core/settings/ProgramRecords.h"
#include "doubles/RecordingSettingsStore.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/options/OptionsDialog.h"
#include "support/AccessKeys.h"
#include "support/Controls.h"
#include "support/Readability.h"
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

// The five options as stored (rememberCategory, rememberUnits, rememberValue, autoConvert, CompactForm), "<absent>" for none.
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
    const Options &options = programOptions();
    return {options.rememberCategory(), options.rememberUnits(), options.rememberValue(), options.autoConvert(), options.startCompact()};
}

void setOptionValues(const QList<bool> &values)
{
    Options &options = programOptions();
    options.setRememberCategory(values.at(0));
    options.setRememberUnits(values.at(1));
    options.setRememberValue(values.at(2));
    options.setAutoConvert(values.at(3));
    options.setStartCompact(values.at(4));
}

QList<QCheckBox *> checkBoxes(const OptionsDialog &dialog)
{
    return {child<QCheckBox>(dialog, "ChbRLCU"), child<QCheckBox>(dialog, "ChbRLUU"), child<QCheckBox>(dialog, "ChbRLCV"), child<QCheckBox>(dialog, "chbAutoCon"), child<QCheckBox>(dialog, "chbCompactForm")};
}

QList<bool> checkedStates(const OptionsDialog &dialog)
{
    QList<bool> states;
    for (const QCheckBox *box : checkBoxes(dialog))
        states.append(box->isChecked());
    return states;
}

QList<bool> enabledStates(const OptionsDialog &dialog)
{
    QList<bool> states;
    for (const QCheckBox *box : checkBoxes(dialog))
        states.append(box->isEnabled());
    return states;
}

void setChecked(const OptionsDialog &dialog, const QList<bool> &states)
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
        releaseProgramRecords();
    }
    void cleanup()
    {
        // Taken out first, so that the environment ends with this test even when the check fails.
        const std::unique_ptr<TestEnvironment> environment = std::move(m_environment);
        m_form.reset();
        releaseProgramRecords();
        VERIFY_NO_UNEXPECTED_BOXES(*environment);
    }

    void controlsAndCaptions()
    {
        MainWindow form;
        OptionsDialog dialog(&form, form);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
        QVERIFY(dialog.isModal());
        QCOMPARE(child<QGroupBox>(dialog, "frm1")->title(), QStringLiteral("History Settings"));
        QCOMPARE(child<QGroupBox>(dialog, "Frame1")->title(), QStringLiteral("View Settings"));
        QStringList captions;
        for (const QCheckBox *box : checkBoxes(dialog))
            captions.append(box->text());
        QCOMPARE(captions, QStringList({"&Remember last converter used", "Remember last &unit used",
                                        "Remember last converted &value", "&Auto Convert Last Used",
                                        "Compact &Window on Start"}));
        for (QCheckBox *box : {child<QCheckBox>(dialog, "ChbRLCU"), child<QCheckBox>(dialog, "ChbRLUU"), child<QCheckBox>(dialog, "ChbRLCV"), child<QCheckBox>(dialog, "chbAutoCon")})
            QCOMPARE(box->parentWidget(), child<QGroupBox>(dialog, "frm1"));
        QCOMPARE(child<QCheckBox>(dialog, "chbCompactForm")->parentWidget(), child<QGroupBox>(dialog, "Frame1"));
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(224, 224, 224));
        QVERIFY(!child<QLabel>(dialog, "imgIcon")->pixmap().isNull());
        QVERIFY(child<QPushButton>(dialog, "cmdOK")->isDefault());

        // Top to bottom: the two frames, then the icon and OK, Cancel, Apply from left to right.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(child<QGroupBox>(dialog, "frm1")->geometry().bottom() < child<QGroupBox>(dialog, "Frame1")->geometry().top());
        QVERIFY(child<QGroupBox>(dialog, "Frame1")->geometry().bottom() < child<QPushButton>(dialog, "cmdOK")->geometry().top());
        QVERIFY(child<QLabel>(dialog, "imgIcon")->geometry().right() < child<QPushButton>(dialog, "cmdOK")->geometry().left());
        QVERIFY(child<QPushButton>(dialog, "cmdOK")->geometry().right() < child<QPushButton>(dialog, "cmdCancel")->geometry().left());
        QVERIFY(child<QPushButton>(dialog, "cmdCancel")->geometry().right() < child<QPushButton>(dialog, "cmdApply")->geometry().left());
        QCOMPARE(QStringList({child<QPushButton>(dialog, "cmdOK")->text(), child<QPushButton>(dialog, "cmdCancel")->text(), child<QPushButton>(dialog, "cmdApply")->text()}),
                 QStringList({"&OK", "&Cancel", "A&pply"}));
        QCOMPARE(accessKeys::windowFaults(dialog), QStringList());
        for (const QWidget *control : dialog.findChildren<QWidget *>())
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        QCOMPARE(child<QCheckBox>(dialog, "ChbRLCU")->accessibleName(), QStringLiteral("Remember last converter used"));
    }

    // The light grey background keeps dark text in a dark theme too.
    void readableInLightAndDarkThemes_data() { ThemeScope::addThemeRows(); }
    void readableInLightAndDarkThemes()
    {
        QFETCH(bool, dark);
        const ThemeScope scope(dark);
        programOptions().setRememberCategory(true); // every box enabled
        MainWindow form;
        OptionsDialog dialog(&form, form);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.palette().color(QPalette::Window), QColor(224, 224, 224));
        const QStringList poor = readability::poorlyReadable(dialog);
        QVERIFY2(poor.isEmpty(), qPrintable(poor.join("; ")));
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
        MainWindow form;
        OptionsDialog dialog(&form, form);
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
        OptionsDialog dialog(m_form.get(), *m_form);
        child<QPushButton>(dialog, "cmdOK")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(optionValues(), QList<bool>({false, false, false, false, false}));
        m_form->unload();
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
        MainWindow form;
        OptionsDialog dialog(&form, form);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const auto toggleConverter = [&] {
            if (useKeyboard)
                QTest::keyClick(child<QCheckBox>(dialog, "ChbRLCU"), Qt::Key_Space);
            else
                QTest::mouseClick(child<QCheckBox>(dialog, "ChbRLCU"), Qt::LeftButton);
        };

        toggleConverter();
        QCOMPARE(checkedStates(dialog), QList<bool>({false, false, false, false, false}));
        QCOMPARE(enabledStates(dialog), QList<bool>({true, false, false, false, true}));
        toggleConverter();
        QCOMPARE(checkedStates(dialog), QList<bool>({true, false, false, false, false}));
        QCOMPARE(enabledStates(dialog), QList<bool>({true, true, true, true, true}));

        // The other boxes change nothing but their own mark until Apply.
        if (useKeyboard) {
            QTest::keyClick(child<QCheckBox>(dialog, "ChbRLCV"), Qt::Key_Space);
            QTest::keyClick(child<QCheckBox>(dialog, "chbCompactForm"), Qt::Key_Space);
        } else {
            QTest::mouseClick(child<QCheckBox>(dialog, "ChbRLCV"), Qt::LeftButton);
            QTest::mouseClick(child<QCheckBox>(dialog, "chbCompactForm"), Qt::LeftButton);
        }
        QCOMPARE(checkedStates(dialog), QList<bool>({true, false, true, false, true}));
        QCOMPARE(optionValues(), QList<bool>({true, true, true, true, false}));
    }

    // Apply copies every box into programOptions (each box into its own option), keeps the dialog
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
        OptionsDialog dialog(m_form.get(), *m_form);
        dialog.show();
        setChecked(dialog, boxes);
        child<QPushButton>(dialog, "cmdApply")->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(optionValues(), boxes);

        setChecked(dialog, {false, false, false, false, false}); // changed again, not applied
        child<QPushButton>(dialog, "cmdCancel")->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(optionValues(), boxes);
        QCOMPARE(counter.changeCount(), 0);
        QCOMPARE(storedOptions(), QStringList({"False", "False", "False", "False", "False"}));

        m_form->unload();
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
            m_form->toggleCompactLayout();
        RecordingSettingsStore &counter = RecordingSettingsStore::install();
        OptionsDialog dialog(m_form.get(), *m_form);
        dialog.show();
        QCOMPARE(child<QCheckBox>(dialog, "chbCompactForm")->isChecked(), compactAtStart);
        child<QCheckBox>(dialog, "chbCompactForm")->setChecked(compactBox);
        if (!question.isEmpty())
            m_environment->boxes().expect(answerYes ? platform::Answer::Yes : platform::Answer::No);
        (pressOK ? child<QPushButton>(dialog, "cmdOK") : child<QPushButton>(dialog, "cmdApply"))->click();

        const QList<platform::MessageBoxRequest> &shown = m_environment->boxes().shown();
        QCOMPARE(shown.size(), question.isEmpty() ? 0 : 1);
        if (!question.isEmpty()) {
            QCOMPARE(shown.first().text, question);
            QCOMPARE(shown.first().buttons, platform::Buttons::YesNo);
            QCOMPARE(shown.first().icon, platform::Icon::Question);
            QCOMPARE(shown.first().title, app::appTitle());
        }
        QCOMPARE(m_form->showsNormalLayout(), normalAfter);
        QCOMPARE(programOptions().startCompact(), compactBox);
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
        MainWindow form;
        OptionsDialog dialog(&form, form);
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
        MainWindow form;
        OptionsDialog dialog(&form, form);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        child<QCheckBox>(dialog, "ChbRLCU")->setChecked(true);
        QTest::keyClick(child<QCheckBox>(dialog, "ChbRLCU"), Qt::Key(key));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), result);
        QCOMPARE(programOptions().rememberCategory(), applied);
    }

    // The menu entry opens a new modal dialog centred on the screen, filled from programOptions, and
    // discards it when it closes: changes that were not applied are gone at the next opening.
    void openedFromMenu()
    {
        loadMainWindow();
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
            const QRect screen = dialog->screen()->geometry();
            offsets.append(dialog->geometry().center() - screen.center());
            child<QCheckBox>(*dialog, "ChbRLCU")->setChecked(true);
            child<QPushButton>(*dialog, "cmdCancel")->click();
        };
        for (int opening = 0; opening < 2; ++opening) {
            QTimer::singleShot(0, this, answerDialog);
            m_form->openOptions();
        }
        QCOMPARE(opened.size(), 2);
        QVERIFY(opened.at(0).isNull() && opened.at(1).isNull()); // discarded after closing
        QCOMPARE(converterShown, QList<bool>({false, false}));
        QVERIFY(!programOptions().rememberCategory());
        for (const QPoint &offset : offsets)
            QVERIFY2(offset.manhattanLength() <= 20,
                     qPrintable(QStringLiteral("off centre by %1, %2").arg(offset.x()).arg(offset.y())));
    }

private:
    void loadMainWindow()
    {
        m_form = std::make_unique<MainWindow>();
        QVERIFY(m_form->load());
    }

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<MainWindow> m_form;
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
