#pragma once

#include "gui/editor/CatalogueEditor.h"
#include "gui/editor/EditorTexts.h"
#include "gui/mainwindow/MainWindow.h"
#include "gui/platform/Beep.h"
#include "support/Controls.h"
#include "support/ListItems.h"
#include "support/ShownBoxes.h"
#include "support/TestEnvironment.h"

#include "core/base/AppInfo.h"
#include "core/catalogue/CatalogueIndex.h"
#include "core/catalogue/CatalogueNames.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/settings/ProgramRecords.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <memory>

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using Boxes = QList<platform::MessageBoxRequest>;

inline platform::MessageBoxRequest box(const QString &text, Buttons buttons = Buttons::OK, Icon icon = Icon::None)
{
    return {text, buttons, icon, app::appTitle()};
}

// n units named "Unit 1".."Unit n" with factors 1..n.
inline QByteArray unitsFile(int n)
{
    QByteArray bytes;
    for (int i = 1; i <= n; ++i)
        bytes += QByteArray::number(i) + "^Unit " + QByteArray::number(i) + "\r\n";
    return bytes;
}

inline QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline const QString &kPlaceholder = kPlaceholderUnitName;

// What every editor test holds: the catalogue editor on a main window loaded from the test's
// catalogue, connected as the program connects them, shown and active so that the focus moves as
// it does for the user. init() calls startTest(), cleanup() finishTest().
class EditorFixture : public QObject {
protected:
    void startTest()
    {
        releaseProgramRecords();
        platform::resetBeepCount();
        m_env = std::make_unique<TestEnvironment>();
    }
    // Fails on a message box the test did not expect or an answer it did not use, and releases
    // the windows and the environment whatever the checks found.
    void finishTest()
    {
        m_editor.reset();
        m_form.reset();
        releaseProgramRecords();
        const int unusedAnswers = m_env->boxes().pendingAnswers();
        finishEnvironment(m_env);
        QCOMPARE(unusedAnswers, 0);
    }

    std::unique_ptr<TestEnvironment> m_env;
    std::unique_ptr<MainWindow> m_form;
    std::unique_ptr<CatalogueEditor> m_editor;

    platform::ScriptedMessageBoxes &boxes() { return m_env->boxes(); }
    CatalogueEditor &editor() { return *m_editor; }
    UnitCategory &category() { return m_editor->currentCategory(); }
    QComboBox *chooser() { return child<QComboBox>(*m_editor, "UnitSelect"); }
    QLineEdit *nameBox(int row) { return child<QLineEdit>(*m_editor, "txtUnitName", row); }
    QLineEdit *factorBox(int row) { return child<QLineEdit>(*m_editor, "txtUnitFactor", row); }
    QLineEdit *baseName() { return child<QLineEdit>(*m_editor, "txtBaseUnit"); }
    QPushButton *button(const char *name) { return child<QPushButton>(*m_editor, name); }
    QScrollBar *pager() { return child<QScrollBar>(*m_editor, "VScroll1"); }
    bool unitAreaEnabled() { return child<QGroupBox>(*m_editor, "Frame2")->isEnabled(); }
    QStringList mainList() { return listItems(child<QListWidget>(*m_form, "UnitType")); }
    QByteArray categoryBytes(const QString &name) { return bytesOf(catalogue::categoryFile(name)); }
    QByteArray index() { return m_env->readFile("bin/unitType.ucr"); }

    // Writes a category file and lists it in the index (before openEditor).
    void addCategory(const QString &name, const QByteArray &bytes)
    {
        m_env->writeFile("bin/" + name + ".ucr", bytes);
        m_env->writeFile("bin/unitType.ucr", index() + name.toLatin1() + "\r\n");
    }
    void openEditor()
    {
        if (!m_form) {
            m_form = std::make_unique<MainWindow>();
            QVERIFY(m_form->load());
        }
        m_editor = std::make_unique<CatalogueEditor>(m_form.get());
        connect(m_editor.get(), &CatalogueEditor::categoriesChanged, m_form.get(), &MainWindow::reloadCategories);
        connect(m_editor.get(), &CatalogueEditor::catalogueReplaced, m_form.get(), [this] {
            m_form->reloadCategories();
            m_form->disableConversion();
        });
        m_editor->load();
        m_editor->show();
        QVERIFY(QTest::qWaitForWindowActive(m_editor.get()));
    }
    void openWith(const QByteArray &file)
    {
        addCategory("Test", file);
        openEditor();
        choose("Test");
    }
    // Chooses a listed category as a click in the list does.
    void choose(const QString &name)
    {
        const int index = chooser()->findText(name, Qt::MatchExactly);
        QVERIFY2(index >= 0, qPrintable(name));
        chooser()->setCurrentIndex(index);
        emit chooser()->activated(index);
    }
    // Types a name that no list item is chosen for.
    void typeName(const QString &name)
    {
        chooser()->setCurrentIndex(-1);
        chooser()->setEditText(name);
    }
    void createCategory(const QString &name)
    {
        typeName(name);
        boxes().expect(Answer::OK);
        editor().chooseCategory();
        QCOMPARE(category().categoryName(), name);
    }
    // Gives a box the focus as Tab does, so that the box left before commits.
    void focus(QWidget *box)
    {
        box->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), box);
    }
    // Replaces a box's text as the user does, then leaves it for another box, which commits it.
    void edit(QLineEdit *box, const QString &text, QWidget *next)
    {
        focus(box);
        box->setText(text);
        focus(next);
    }
    void name(int row, const QString &text) { edit(nameBox(row), text, factorBox(row)); }
    void renameKilometre()
    {
        choose("Length");
        edit(nameBox(1), "Renamed", nameBox(2));
    }
    QStringList rowTexts(const QString &boxName)
    {
        QStringList texts;
        for (int row = 0; row < 5; ++row)
            texts << child<QLineEdit>(*m_editor, boxName, row)->text();
        return texts;
    }
    QStringList rowNames() { return rowTexts("txtUnitName"); }
    void verifyIdle()
    {
        QVERIFY(!unitAreaEnabled());
        QCOMPARE(baseName()->text(), editor::kNoBaseUnit);
        QCOMPARE(rowNames(), QStringList(5, QString()));
        QCOMPARE(pager()->maximum(), 0);
        QCOMPARE(editor().helpText(), editor::kStartHelpText);
    }
};
