#include "gui/editor/EditorTestSupport.h"

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
    ReleaseProgramRecords();
}

EditorSetup::~EditorSetup()
{
    m_editor.reset();
    m_form.reset();
    ReleaseProgramRecords();
}

void EditorSetup::addCategory(const QString &name, const QByteArray &fileBytes)
{
    m_env.writeFile(QStringLiteral("bin/") + name + QStringLiteral(".ucr"), fileBytes);
    m_env.writeFile(QStringLiteral("bin/unitType.ucr"),
                    m_env.readFile(QStringLiteral("bin/unitType.ucr")) + name.toLatin1() + "\r\n");
}

void EditorSetup::loadForm()
{
    m_form = std::make_unique<Form1>();
    QVERIFY(m_form->Form_Load());
}

void EditorSetup::openEditor()
{
    if (!m_form)
        loadForm();
    m_editor = std::make_unique<frmAddUnit>(*m_form);
    m_editor->Form_Load();
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowActive(m_editor.get()));
}

void EditorSetup::choose(const QString &name)
{
    const int index = m_editor->UnitSelect->findText(name, Qt::MatchExactly);
    QVERIFY2(index >= 0, qPrintable(name));
    m_editor->UnitSelect->setCurrentIndex(index);
    emit m_editor->UnitSelect->activated(index);
}

void EditorSetup::typeName(const QString &name)
{
    m_editor->UnitSelect->setCurrentIndex(-1);
    m_editor->UnitSelect->setEditText(name);
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
    for (const QLineEdit *box : m_editor->txtUnitName)
        names << box->text();
    return names;
}

QStringList EditorSetup::rowFactors() const
{
    QStringList factors;
    for (const QLineEdit *box : m_editor->txtUnitFactor)
        factors << box->text();
    return factors;
}

QStringList EditorSetup::rowLabels() const
{
    QStringList labels;
    for (int i = 1; i <= 5; ++i)
        labels << m_editor->UnitNum[i]->text();
    return labels;
}

void EditorTest::finishTest()
{
    const std::unique_ptr<EditorSetup> finished = std::move(m_setup);
    VERIFY_NO_UNEXPECTED_BOXES(finished->env());
    QCOMPARE(finished->env().boxes().pendingAnswers(), 0);
}
