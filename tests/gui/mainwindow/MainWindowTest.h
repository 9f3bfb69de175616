#pragma once

#include "core/base/AppInfo.h"
#include "core/platform/SettingsStore.h"
#include "core/settings/ProgramRecords.h"
#include "gui/mainwindow/MainWindow.h"
#include "support/Controls.h"
#include "support/TestEnvironment.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>

#include <memory>

// The life of one main-window test function: its own catalogue and settings in an English
// locale, a main window made and loaded from them, and the program-wide records released with it.
// The test classes derive from it and call start() in init() and finish() in cleanup().
class MainWindowTest : public QObject {
protected:
    void start()
    {
        m_environment = std::make_unique<TestEnvironment>();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void finish()
    {
        m_form.reset();
        releaseProgramRecords();
        finishEnvironment(m_environment);
    }

    // Makes the main window and runs its start-up; false when the program ended early.
    bool load()
    {
        m_form = std::make_unique<MainWindow>();
        return m_form->load();
    }

    // The stored options as flags in the order Converter, Units, Value, Auto Convert, Compact:
    // 'T' true, anything else false.
    static QStringList optionKeys()
    {
        return {"Remember Last Converter", "Remember Last Units", "Remember Last Value", "Auto Convert", "Compact Form"};
    }
    static void storeOptions(const QString &flags)
    {
        for (int i = 0; i < optionKeys().size(); ++i)
            store("Options", optionKeys().at(i), i < flags.size() && flags.at(i) == 'T' ? "True" : "False");
    }
    static QString storedOptions()
    {
        QString flags;
        for (const QString &key : optionKeys())
            flags += stored("Options", key) == "True" ? 'T' : '-';
        return flags;
    }
    static void storeHistory(int category, int fromUnit, int toUnit, const QString &value)
    {
        store("History", "Last Converter", QString::number(category));
        store("History", "Last From Unit", QString::number(fromUnit));
        store("History", "Last To Unit", QString::number(toUnit));
        store("History", "Last Value", value);
    }
    static void store(const QString &section, const QString &key, const QString &value)
    {
        platform::settingsStore().write(app::programBaseName(), section, key, value);
    }
    static QString stored(const QString &section, const QString &key)
    {
        return platform::settingsStore().read(app::programBaseName(), section, key, "<absent>");
    }

    // The catalogue holds the one category Length: Meter (the base), Foot, Kilometer.
    void useLengthOnly()
    {
        m_environment->writeFile("bin/unitType.ucr", "Length\r\n");
        m_environment->writeFile("bin/Length.ucr", "1^Meter\r\n0.3048^Foot\r\n1000^Kilometer\r\n");
    }

    void chooseCategory(const QString &name)
    {
        auto *list = categories();
        const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchExactly);
        QVERIFY2(found.size() == 1, qPrintable(name));
        list->setCurrentItem(found.first());
    }

    void closeWindow()
    {
        m_form->close();
        QVERIFY(m_form->isUnloaded());
    }

    QListWidget *categories() const { return child<QListWidget>(*m_form, "UnitType"); }
    QComboBox *fromUnits() const { return child<QComboBox>(*m_form, "FromUnit"); }
    QComboBox *toUnits() const { return child<QComboBox>(*m_form, "ToUnit"); }
    QComboBox *places() const { return child<QComboBox>(*m_form, "DecPlace"); }
    QLineEdit *number() const { return child<QLineEdit>(*m_form, "ConvertNum"); }
    QLineEdit *result() const { return child<QLineEdit>(*m_form, "Result"); }
    QPushButton *convertButton() const { return child<QPushButton>(*m_form, "Convert"); }

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<MainWindow> m_form;
};
