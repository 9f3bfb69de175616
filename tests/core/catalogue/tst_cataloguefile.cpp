#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/UnitCategory.h"
#include "core/text/CatalogueText.h"
#include "support/ShownBoxes.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QTest>

using namespace catalogue;

class TestCatalogueFile : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { finishEnvironment(m_environment); }

    void existingFilesAreFilesOnly()
    {
        QVERIFY(fileExists(path("bin/Length.ucr")));
        QVERIFY(!fileExists(path("bin")));
        QVERIFY(!fileExists(path("bin/missing.ucr")));
        QVERIFY(!fileExists(QString()));
    }

    void listFilesCountFields_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("count");
        QTest::newRow("three lines") << QByteArray("a\r\nb\r\nc\r\n") << 3;
        QTest::newRow("blank line at the end counts") << QByteArray("a\r\nb\r\nc\r\n\r\n") << 4;
        QTest::newRow("blank line between") << QByteArray("a\r\n\r\nc\r\n") << 3;
        QTest::newRow("empty file") << QByteArray() << 0;
        QTest::newRow("no final line end") << QByteArray("a\r\nb") << 2;
        QTest::newRow("comma separates fields") << QByteArray("1,5^Foot\r\n") << 2;
        QTest::newRow("quoted comma is one field") << QByteArray("\"1,5\"^Foot\r\n") << 1;
        QTest::newRow("LF line ends count too") << QByteArray("a\nb\n") << 2;
    }
    void listFilesCountFields()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, count);
        m_environment->writeFile("bin/count.ucr", content);
        QCOMPARE(int(readListFile(path("bin/count.ucr"))->count), count);
        QCOMPARE(countFields(content), count);
    }

    void aMissingListFileSaysSo()
    {
        m_environment->boxes().expectOK();
        const QString missing = QDir::toNativeSeparators(path("bin/missing.ucr"));
        bool reportedMissing = false;
        QVERIFY(!readListFile(missing, &reportedMissing));
        QVERIFY(reportedMissing);
        QCOMPARE(m_environment->boxes().shown(),
                 (QList<platform::MessageBoxRequest>{
                     {"File: " + missing + "\r\nFile Does Not Exist.", platform::Buttons::OK, platform::Icon::None, "Tallimer"}}));
    }

    // The bytes 0x80-0x9F are Windows-1252's letters and signs (and five it leaves undefined):
    // they survive a load and a save, and both readers read the same name.
    void textIsWindows1252()
    {
        QByteArray signs;
        for (int byte = 0x80; byte <= 0x9F; ++byte)
            signs.append(char(byte));
        const QByteArray content = "1^" + signs + "\r\n1^Degrees Celsius (\xBA" "C)\r\n0.5^Half \x80\x8A\x9F\x81\r\n";
        m_environment->writeFile("bin/Signs.ucr", content);
        UnitCategory category;
        QCOMPARE(int(category.load(path("bin/Signs.ucr"), 2)), 2);
        QCOMPARE(category.unitName(1), QString::fromUtf8("Degrees Celsius (ºC)"));
        QCOMPARE(category.unitName(2), QString::fromUtf8("Half €ŠŸ\u0081"));
        category.setUnit(category.unitName(0), 1, 0);
        category.save(path("bin/Signs.ucr"));
        QCOMPARE(m_environment->readFile("bin/Signs.ucr"), content);
        const auto file = parseUnitFile(path("bin/Signs.ucr"), content);
        QCOMPARE(file->listing.entries.front().name, category.unitName(0));

        QVERIFY(!encodeCatalogueText(QString::fromUtf8("Ω")).has_value());
        QCOMPARE(charactersOutsideCatalogue(QString::fromUtf8("aΩbΩ😀")), QString::fromUtf8("Ω😀"));
    }

private:
    QString path(const QString &relative) const { return QDir(m_environment->folder()).filePath(relative); }

    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestCatalogueFile)
#include "tst_cataloguefile.moc"
