#pragma once

#include "gui/editor/CatalogueEditor.h"
#include "gui/mainwindow/MainWindow.h"
#include "support/TestEnvironment.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

// n units named "Unit 1".."Unit n" with factors 1..n, as the editor writes them.
QByteArray unitsFile(int n);

// Connects the editor's signals to the main window as the program does.
void connectToMainWindow(CatalogueEditor &editor, MainWindow &window);

// A main window loaded from the test's catalogue and an editor on it, shown and active so that
// focus moves as it does for the user.
class EditorSetup {
public:
    EditorSetup();
    ~EditorSetup();

    TestEnvironment &env() { return m_env; }
    MainWindow &form() { return *m_form; }
    CatalogueEditor &editor() { return *m_editor; }

    // Writes a category file and lists it in the index (call before openEditor).
    void addCategory(const QString &name, const QByteArray &fileBytes);
    // Creates and loads the main window (openEditor does it when it has not been done).
    void loadForm();
    // Creates the editor, runs its load and shows it.
    void openEditor();

    // Chooses a listed category as a click in the list does.
    void choose(const QString &name);
    // Types a name that no list item is chosen for.
    void typeName(const QString &name);
    // Gives a box the focus as Tab does, so that the box left before commits.
    void focus(QWidget *box);
    // Types text into a box that has the focus, key by key.
    void type(QWidget *box, const QString &text);
    QString categoryBytes(const QString &name) const;

    QStringList rowNames() const;
    QStringList rowFactors() const;
    QStringList rowLabels() const;

private:
    TestEnvironment m_env;
    std::unique_ptr<MainWindow> m_form;
    std::unique_ptr<CatalogueEditor> m_editor;
};

// What every editor test class holds: its setup for the running test function, and short ways
// to the editor and the scripted message boxes. init() calls startTest(), cleanup() finishTest().
class EditorTest : public QObject {
protected:
    void startTest() { m_setup = std::make_unique<EditorSetup>(); }
    // Fails on a message box the test did not expect or an answer it did not use, then releases
    // the setup whatever the checks found.
    void finishTest();

    EditorSetup &setup() { return *m_setup; }
    CatalogueEditor &editor() { return m_setup->editor(); }
    platform::ScriptedMessageBoxes &boxes() { return m_setup->env().boxes(); }

    std::unique_ptr<EditorSetup> m_setup;
};
