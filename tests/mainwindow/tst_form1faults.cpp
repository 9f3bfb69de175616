#include "app/AppInfo.h"
#include "catalogue/CataloguePaths.h"
#include "catalogue/File_IO.h"
#include "catalogue/RejectedLineReport.h"
#include "mainwindow/Form1.h"
#include "platform/SettingsStore.h"
#include "settings/ProgramRecords.h"
#include "support/FaultFiles.h"
#include "support/FileSizeLimit.h"
#include "support/TestEnvironment.h"
#include "support/UnprivilegedRun.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using faultfiles::garbageLines;
using faultfiles::makeReadOnly;
using faultfiles::randomBytes;

namespace {

QStringList itemsOf(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->itemText(i));
    return items;
}

} // namespace

// The main window on a catalogue and a settings store that others damaged: it says what went
// wrong the way the program always does, keeps running, and leaves every file as it was.
class TestForm1Faults : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_form.reset();
        m_environment.reset(); // left by a cleanup that failed before it could reset it
        m_environment = std::make_unique<TestEnvironment>();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void cleanup()
    {
        m_form.reset();
        ReleaseProgramRecords();
        VERIFY_NO_UNEXPECTED_BOXES(*m_environment);
        m_environment.reset();
    }

    void readOnlyCatalogueStillConverts()
    {
        RUN_AS_UNPRIVILEGED_USER_IF_ROOT();
        makeReadOnly(catalogue::catalogueFolder());
        const QByteArray length = m_environment->readFile("bin/Length.ucr");
        QVERIFY(load());
        selectCategory("Length");
        QVERIFY(m_form->Convert->isEnabled());
        m_form->Convert->click();
        QVERIFY(!m_form->Result->text().isEmpty());
        closeWindow();
        QCOMPARE(storedOption("Remember Last Converter"), QStringLiteral("False"));
        QCOMPARE(m_environment->readFile("bin/Length.ucr"), length);
    }

    void catalogueVanishesBetweenTwoSelections()
    {
        QVERIFY(load());
        selectCategory("Length");
        QVERIFY(QDir(catalogue::catalogueFolder()).removeRecursively());

        // What is loaded still converts.
        m_form->ConvertNum->setText("2");
        m_form->Convert->click();
        QVERIFY(m_form->Result->text().startsWith("2 "));

        // The next category is missing, and the window says so and goes on.
        m_environment->boxes().expectOK(2);
        selectCategory("Mass");
        QCOMPARE(m_environment->boxes().shownTexts(),
                 (QStringList{"File: " + catalogue::categoryFile("Mass") + "\r\nFile Does Not Exist.",
                              "Vital file is missing\r\n" + app::programBaseName() + " may need to close"}));
        QCOMPARE(m_form->FromUnit->count(), 0);
        QVERIFY(!m_form->Convert->isEnabled());
        closeWindow();
        QCOMPARE(storedOption("Remember Last Converter"), QStringLiteral("False"));
        QVERIFY(!QFileInfo::exists(catalogue::catalogueFolder()));
    }

    void categoryFileReplacedByAFolder()
    {
        QVERIFY(QFile::remove(catalogue::categoryFile("Length")));
        m_environment->writeFile("bin/Length.ucr/inside.txt", "kept");
        QVERIFY(load());
        m_environment->boxes().expectOK(2);
        selectCategory("Length");
        QCOMPARE(m_environment->boxes().shown().size(), 2);
        QCOMPARE(m_form->FromUnit->count(), 0);
        QVERIFY(!m_form->Convert->isEnabled());
        selectCategory("Mass");
        QVERIFY(m_form->Convert->isEnabled());
        QCOMPARE(m_environment->readFile("bin/Length.ucr/inside.txt"), QByteArray("kept"));
    }

    void categoryOf32768Lines()
    {
        QByteArray content;
        for (int i = 0; i < 32768; ++i)
            content.append("1^U" + QByteArray::number(i) + "\r\n");
        m_environment->writeFile("bin/unitType.ucr", "Long\r\nMass\r\n");
        m_environment->writeFile("bin/Long.ucr", content);
        QVERIFY(load());
        m_environment->boxes().expectOK();
        selectCategory("Long");
        QCOMPARE(m_environment->boxes().shownTexts(), QStringList{File_IO::tooManyLinesMessage(catalogue::categoryFile("Long"))});
        QCOMPARE(m_form->FromUnit->count(), 0);
        QVERIFY(!m_form->Convert->isEnabled());
        selectCategory("Mass");
        QVERIFY(m_form->Convert->isEnabled());
        QCOMPARE(m_environment->readFile("bin/Long.ucr"), content);
    }

    void indexOf32768LinesEndsTheProgramAsAMissingOneDoes()
    {
        QByteArray content;
        for (int i = 0; i < 32768; ++i)
            content.append("Category " + QByteArray::number(i) + "\r\n");
        m_environment->writeFile("bin/unitType.ucr", content);
        m_environment->boxes().expectOK();
        QVERIFY(!load());
        QCOMPARE(m_environment->boxes().shownTexts(), QStringList{File_IO::tooManyLinesMessage(catalogue::indexFile())});
        QVERIFY(m_form->isUnloaded());
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), content);
    }

    void binaryGarbageInACategory_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("units");
        QTest::addColumn<int>("boxes");
        const int perLoad = RejectedLineReport::kShownLines + 1;
        QTest::newRow("garbage between units")
            << QByteArray("1^Meter\r\n" + garbageLines(5000, 3) + "0.3048^Foot\r\n") << QStringList{"Foot", "Meter"}
            << 2 * perLoad;
        // No unit to select: the selection reports that as failure 380.
        QTest::newRow("nothing but garbage") << garbageLines(5000, 4) << QStringList{} << 2 * perLoad + 1;
    }
    void binaryGarbageInACategory()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, units);
        QFETCH(int, boxes);
        m_environment->writeFile("bin/unitType.ucr", "Junk\r\nMass\r\n");
        m_environment->writeFile("bin/Junk.ucr", content);
        QVERIFY(load());
        m_environment->boxes().expectOK(boxes);
        selectCategory("Junk");
        const QStringList texts = m_environment->boxes().shownTexts();
        QCOMPARE(texts.size(), boxes);
        QCOMPARE(texts.at(RejectedLineReport::kShownLines), RejectedLineReport::summaryText(5000 - RejectedLineReport::kShownLines));
        QCOMPARE(itemsOf(m_form->FromUnit), units);
        if (!units.isEmpty()) {
            m_form->ToUnit->setCurrentIndex(1);
            QCOMPARE(m_form->Result->text(), QStringLiteral("1 Foot = 0.3048 Meter"));
        }
        selectCategory("Mass");
        QVERIFY(m_form->Convert->isEnabled());
        QCOMPARE(m_environment->readFile("bin/Junk.ucr"), content);
    }

    void randomBytesAsTheIndex()
    {
        const QByteArray content = randomBytes(200000, 5);
        m_environment->writeFile("bin/unitType.ucr", content);
        QVERIFY(load());
        QVERIFY(m_form->UnitType->count() > 0);
        // A name made of garbage names no file.
        m_environment->boxes().expectOK(2);
        m_form->UnitType->setCurrentRow(0);
        QCOMPARE(m_environment->boxes().shown().size(), 2);
        QVERIFY(!m_form->Convert->isEnabled());
        closeWindow();
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), content);
    }

    void highControlBytesInNamesAndUnits()
    {
        m_environment->writeFile("bin/unitType.ucr", "Length\r\nMoney \x80\r\n");
        QFile file(catalogue::categoryFile(QString::fromUtf8("Money €")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1^Euro \x80\r\n0.01^Cent \x81\x8D\x8F\x90\x9D\r\n");
        file.close();
        QVERIFY(load());
        selectCategory(QString::fromUtf8("Money €"));
        const QString cent = QStringLiteral("Cent ") + QChar(0x81) + QChar(0x8D) + QChar(0x8F) + QChar(0x90) + QChar(0x9D);
        QCOMPARE(itemsOf(m_form->FromUnit), (QStringList{cent, QString::fromUtf8("Euro €")}));
        m_form->ToUnit->setCurrentIndex(1);
        QCOMPARE(m_form->Result->text(), "1 " + cent + QString::fromUtf8(" = 0.01 Euro €"));
    }

    void garbageInEverySetting_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("report");
        const QString typeMismatch = "Error # 13 was generated by Tallimer in routine Main Form Load.\r\n\r\nType mismatch";
        QTest::newRow("a word") << QByteArray("maybe") << typeMismatch;
        QTest::newRow("nothing") << QByteArray() << typeMismatch;
        QTest::newRow("binary") << QByteArray("\x01\xFE\x80\x9F\x7F\x1B") << typeMismatch;
        QTest::newRow("a list") << QByteArray("yes, no") << typeMismatch;
        QTest::newRow("too large a number") << QByteArray("1E+400") << typeMismatch;
        QTest::newRow("thousands of digits") << QByteArray(5000, '9') << typeMismatch;
        // A number is a true option, and then too large a list position.
        QTest::newRow("a number out of range")
            << QByteArray("99999") << "Error # 6 was generated by Tallimer in routine Main Form Load.\r\n\r\nOverflow";
        QTest::newRow("a serialised value") << QByteArray("@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x12garbage)") << QString();
    }
    void garbageInEverySetting()
    {
        QFETCH(QByteArray, value);
        QFETCH(QString, report);
        QByteArray ini = "[Options]\n";
        for (const char *key : {"Remember%20Last%20Converter", "Remember%20Last%20Units", "Remember%20Last%20Value",
                                "Auto%20Convert", "Compact%20Form"})
            ini += QByteArray(key) + "=" + value + "\n";
        ini += "\n[History]\n";
        for (const char *key : {"Last%20Converter", "Last%20From%20Unit", "Last%20To%20Unit", "Last%20Value"})
            ini += QByteArray(key) + "=" + value + "\n";
        m_environment->writeFile(iniFile(), ini);
        const QByteArray index = m_environment->readFile("bin/unitType.ucr");

        m_environment->boxes().expectOK(report.isEmpty() ? 0 : 1);
        QVERIFY(load());
        QCOMPARE(m_environment->boxes().shownTexts(), report.isEmpty() ? QStringList{} : QStringList{report});
        closeWindow();

        // The next start reads what this one wrote back, and runs as it should.
        m_form.reset();
        m_environment->boxes().clear();
        QVERIFY(load());
        QVERIFY(m_form->UnitType->count() > 0);
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), index);
    }

    void settingsFileOfBinaryGarbage()
    {
        // Nothing in it reads as a setting; at the end the settings are stored all the same.
        m_environment->writeFile(iniFile(), randomBytes(4000, 9));
        QVERIFY(load());
        QVERIFY(m_form->UnitType->count() > 0);
        closeWindow();
        QCOMPARE(storedOption("Compact Form"), QStringLiteral("False"));
        QCOMPARE(platform::settingsStore().read(app::programBaseName(), "History", "Last Value", "<absent>"),
                 QStringLiteral("1"));
    }

    void settingsFileReplacedByAFolder()
    {
        m_environment->writeFile(iniFile() + "/inside.txt", "kept");
        QVERIFY(load());
        QVERIFY(m_form->UnitType->count() > 0);
        m_environment->boxes().expectOK();
        closeWindow();
        QCOMPARE(m_environment->boxes().shownTexts(),
                 QStringList{"Error # 75 was generated by Tallimer in routine Main Form Unload.\r\n\r\nPath/File access error"});
        QCOMPARE(m_environment->readFile(iniFile() + "/inside.txt"), QByteArray("kept"));
    }

    void readOnlySettingsAreReadAndKept()
    {
        RUN_AS_UNPRIVILEGED_USER_IF_ROOT();
        const QByteArray ini = "[Options]\nRemember%20Last%20Converter=True\n";
        m_environment->writeFile(iniFile(), ini);
        makeReadOnly(m_environment->settingsFolder());
        QVERIFY(load());
        QVERIFY(gOptions().RLUC());
        m_environment->boxes().expectOK();
        closeWindow();
        QCOMPARE(m_environment->boxes().shownTexts(),
                 QStringList{"Error # 75 was generated by Tallimer in routine Main Form Unload.\r\n\r\nPath/File access error"});
        QCOMPARE(m_environment->readFile(iniFile()), ini);
    }

    void fullDiskAtTheEndKeepsTheStoredSettings()
    {
        const QByteArray ini = "[Options]\nRemember%20Last%20Converter=True\nCompact%20Form=False\n";
        m_environment->writeFile(iniFile(), ini);
        QVERIFY(load());
        m_environment->boxes().expectOK();
        {
            FileSizeLimit full(16);
            QVERIFY(full.isActive());
            closeWindow();
        }
        QCOMPARE(m_environment->boxes().shown().size(), 1);
        QVERIFY(m_environment->boxes().shownTexts().first().contains("Main Form Unload"));
        QCOMPARE(m_environment->readFile(iniFile()), ini);
    }

private:
    bool load()
    {
        m_form = std::make_unique<Form1>();
        return m_form->Form_Load();
    }

    void selectCategory(const QString &name)
    {
        const QList<QListWidgetItem *> found = m_form->UnitType->findItems(name, Qt::MatchExactly);
        QVERIFY2(found.size() == 1, qPrintable(name));
        m_form->UnitType->setCurrentRow(m_form->UnitType->row(found.first()));
    }

    void closeWindow()
    {
        m_form->close();
        QVERIFY(m_form->isUnloaded());
    }

    // The settings file, relative to the application folder.
    QString iniFile() const { return "settings/" + app::programBaseName() + ".ini"; }

    QString storedOption(const QString &key) const
    {
        return platform::settingsStore().read(app::programBaseName(), "Options", key, "<absent>");
    }

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<Form1> m_form;
};

QTEST_MAIN(TestForm1Faults)
#include "tst_form1faults.moc"
