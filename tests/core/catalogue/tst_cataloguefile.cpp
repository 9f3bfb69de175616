#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/text/CatalogueText.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace catalogue;

class TestCatalogueFile : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { finishEnvironment(m_environment); }

    void existingFilesAreFilesOnly()
    {
        m_environment->writeFile("bin/three.ucr", "a\r\nb\r\nc\r\n");
        QVERIFY(fileExists(path("bin/three.ucr")));
        QVERIFY(!fileExists(path("bin")));
        QVERIFY(!fileExists(path("bin/missing.ucr")));
        QVERIFY(!fileExists(path("nofolder/three.ucr")));
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
        const auto &box = m_environment->boxes().shown().first();
        QCOMPARE(box.text, "File: " + missing + "\r\nFile Does Not Exist.");
        QCOMPARE(box.icon, platform::Icon::None);
        QCOMPARE(box.title, QStringLiteral("Tallimer"));
    }

    void listFilesOfMoreThan32767LinesAreRefused()
    {
        m_environment->writeFile("bin/long.ucr", QByteArray("x\r\n").repeated(32768));
        m_environment->writeFile("bin/limit.ucr", QByteArray("x\r\n").repeated(32767));
        QCOMPARE(int(readListFile(path("bin/limit.ucr"))->count), 32767);
        m_environment->boxes().expectOK();
        QVERIFY(!readListFile(path("bin/long.ucr")));
        QCOMPARE(m_environment->boxes().shownTexts(), QStringList{tooManyLinesMessage(path("bin/long.ucr"))});
        QVERIFY(tooManyLinesMessage(path("bin/long.ucr")).contains("32767"));
    }

    void readWholeFileReadsReadOnlyFilesAndCreatesNothing()
    {
        m_environment->writeFile("bin/ro.ucr", "1^A\r\n");
        QFile::setPermissions(path("bin/ro.ucr"), QFile::ReadOwner | QFile::ReadUser);
        QCOMPARE(readWholeFile(path("bin/ro.ucr")), QStringLiteral("1^A\r\n"));
        QCOMPARE(readWholeFile(path("bin/missing.ucr")), QString());
        QVERIFY(!QFile::exists(path("bin/missing.ucr")));
        QCOMPARE(readWholeFile(path("bin")), QString());
    }

    void textIsWindows1252()
    {
        const QByteArray bytes("1^Degrees Celsius (\xBA" "C)\r\n1^\x80\x8A\x9F\x81\r\n");
        m_environment->writeFile("bin/cp.ucr", bytes);
        const QStringList lines = splitAtCrLf(readWholeFile(path("bin/cp.ucr")));
        QCOMPARE(lines.value(0), QString::fromUtf8("1^Degrees Celsius (ºC)"));
        QCOMPARE(lines.value(1), QString::fromUtf8("1^€ŠŸ\u0081"));
        QCOMPARE(encodeCatalogueText(readWholeFile(path("bin/cp.ucr"))).value(), bytes);
        QVERIFY(!encodeCatalogueText(QString::fromUtf8("Ω")).has_value());
        QCOMPARE(charactersOutsideCatalogue(QString::fromUtf8("aΩbΩ😀")), QString::fromUtf8("Ω😀"));
    }

    void cataloguePathsResolveAgainstTheApplicationFolder()
    {
        QDir::setCurrent(QDir::tempPath());
        QCOMPARE(catalogue::indexFile(), QDir::toNativeSeparators(m_environment->folder() + "/bin/unitType.ucr"));
        QCOMPARE(catalogue::categoryFile("Length"), QDir::toNativeSeparators(m_environment->folder() + "/bin/Length.ucr"));
        QCOMPARE(catalogue::factoryCategoryFile("Length"),
                 QDir::toNativeSeparators(m_environment->folder() + "/bin/default/Length.ucr"));
        QVERIFY(fileExists(catalogue::indexFile()));
    }

private:
    QString path(const QString &relative) const { return QDir(m_environment->folder()).filePath(relative); }

    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestCatalogueFile)
#include "tst_cataloguefile.moc"
