#include "gui/editor/EditorTestSupport.h"
#include "support/Controls.h"

#include "core/settings/ProgramRecords.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

QByteArray unitsFile(int n)
{
    QByteArray bytes;
    for (int i = 1; i <= n; ++i)
        bytes += QByteArray::number(i) + "^Unit " + QByteArray::number(i) + "\r\n";
    return bytes;
}

EditorSetup::EditorSetup()
{
    releaseProgramRecords();
}

EditorSetup::~EditorSetup()
{
    m_editor.reset();
    m_form.reset();
    releaseProgramRecords();
}

void EditorSetup::addCategory(const QString &name, const QByteArray &fileBytes)
{
    m_env.writeFile(QStringLiteral("bin/") + name + QStringLiteral(".ucr"), fileBytes);
    m_env.writeFile(QStringLiteral("bin/unitType.ucr"),
                    m_env.readFile(QStringLiteral("bin/unitType.ucr")) + name.toLatin1() + "\r\n");
}

void EditorSetup::loadForm()
{
    m_form = std::make_unique<MainWindow>();
    QVERIFY(m_form->load());
}

void EditorSetup::openEditor()
{
    if (!m_form)
        loadForm();
    m_editor = std::make_unique<CatalogueEditor>(m_form.get());
    connectToMainWindow(*m_editor, *m_form);
    m_editor->load();
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowActive(m_editor.get()));
}

void connectToMainWindow(CatalogueEditor &editor, MainWindow &window)
{
    // As the program connects them.
    QObject::connect(&editor, &CatalogueEditor::categoriesChanged, &window, &MainWindow::reloadCategories);
    QObject::connect(&editor, &CatalogueEditor::catalogueReplaced, &window, [&window] {
        window.reloadCategories();
        window.disableConversion();
    });
}

void EditorSetup::choose(const QString &name)
{
    const int index = child<QComboBox>(*m_editor, "UnitSelect")->findText(name, Qt::MatchExactly);
    QVERIFY2(index >= 0, qPrintable(name));
    child<QComboBox>(*m_editor, "UnitSelect")->setCurrentIndex(index);
    emit child<QComboBox>(*m_editor, "UnitSelect")->activated(index);
}

void EditorSetup::typeName(const QString &name)
{
    child<QComboBox>(*m_editor, "UnitSelect")->setCurrentIndex(-1);
    child<QComboBox>(*m_editor, "UnitSelect")->setEditText(name);
}

void EditorSetup::focus(QWidget *box)
{
    box->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), box);
}

void EditorSetup::type(QWidget *box, const QString &text)
{
    QTest::keyClicks(box, text);
}

QString EditorSetup::categoryBytes(const QString &name) const
{
    return QString::fromLatin1(m_env.readFile(QStringLiteral("bin/") + name + QStringLiteral(".ucr")));
}

QStringList EditorSetup::rowNames() const
{
    QStringList names;
    for (int row = 0; row < 5; ++row)
        names << child<QLineEdit>(*m_editor, "txtUnitName", row)->text();
    return names;
}

QStringList EditorSetup::rowFactors() const
{
    QStringList factors;
    for (int row = 0; row < 5; ++row)
        factors << child<QLineEdit>(*m_editor, "txtUnitFactor", row)->text();
    return factors;
}

QStringList EditorSetup::rowLabels() const
{
    QStringList labels;
    for (int i = 1; i <= 5; ++i)
        labels << child<QLabel>(*m_editor, "UnitNum", i)->text();
    return labels;
}

void EditorTest::finishTest()
{
    const std::unique_ptr<EditorSetup> finished = std::move(m_setup);
    VERIFY_NO_UNEXPECTED_BOXES(finished->env());
    QCOMPARE(finished->env().boxes().pendingAnswers(), 0);
}
