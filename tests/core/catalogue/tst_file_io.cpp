#include "core/catalogue/CataloguePaths.h"
#include "core/text/CatalogueText.h"
#include "core/catalogue/File_IO.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace File_IO;

class TestFileIO : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { finishEnvironment(m_environment); }

    void fileExists()
    {
        m_environment->writeFile("bin/three.ucr", "a\r\nb\r\nc\r\n");
        QVERIFY(FileExists(path("bin/three.ucr")));
        QVERIFY(!FileExists(path("bin")));
        QVERIFY(!FileExists(path("bin/missing.ucr")));
        QVERIFY(!FileExists(path("nofolder/three.ucr")));
        QVERIFY(!FileExists(QString()));
    }

    void readFileLine_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("line");
        QTest::newRow("first") << 0 << "a";
        QTest::newRow("second") << 1 << "b";
        QTest::newRow("third") << 2 << "c";
        QTest::newRow("empty piece after the last line end") << 3 << "";
        QTest::newRow("far beyond") << 50 << "";
        QTest::newRow("negative") << -1 << "";
    }
    void readFileLine()
    {
        QFETCH(int, index);
        QFETCH(QString, line);
        m_environment->writeFile("bin/three.ucr", "a\r\nb\r\nc\r\n");
        QCOMPARE(ReadFileLine(path("bin/three.ucr"), index), line);
    }

    void countFileLines_data()
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
    void countFileLines()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, count);
        m_environment->writeFile("bin/count.ucr", content);
        QCOMPARE(int(CountFileLines(path("bin/count.ucr"))), count);
    }

    void countFileLinesOfAMissingFileSaysSo()
    {
        m_environment->boxes().expectOK();
        const QString missing = QDir::toNativeSeparators(path("bin/missing.ucr"));
        QCOMPARE(int(CountFileLines(missing)), -1);
        const auto &box = m_environment->boxes().shown().first();
        QCOMPARE(box.text, "File: " + missing + "\r\nFile Does Not Exist.");
        QCOMPARE(box.icon, platform::Icon::None);
        QCOMPARE(box.title, QStringLiteral("Tallimer"));
    }

    void countFileLinesRefusesMoreThan32767Lines()
    {
        m_environment->writeFile("bin/long.ucr", QByteArray("x\r\n").repeated(32768));
        m_environment->writeFile("bin/limit.ucr", QByteArray("x\r\n").repeated(32767));
        QCOMPARE(int(CountFileLines(path("bin/limit.ucr"))), 32767);
        m_environment->boxes().expectOK();
        QCOMPARE(CountFileLines(path("bin/long.ucr")), kTooManyLines);
        QVERIFY(m_environment->boxes().shown().first().text.contains("32767"));
    }

    void readWholeFileReadsReadOnlyFilesAndCreatesNothing()
    {
        m_environment->writeFile("bin/ro.ucr", "1^A\r\n");
        QFile::setPermissions(path("bin/ro.ucr"), QFile::ReadOwner | QFile::ReadUser);
        QCOMPARE(ReadWholeFile(path("bin/ro.ucr")), QStringLiteral("1^A\r\n"));
        QCOMPARE(ReadWholeFile(path("bin/missing.ucr")), QString());
        QCOMPARE(ReadFileLine(path("bin/missing.ucr"), 0), QString());
        QVERIFY(!QFile::exists(path("bin/missing.ucr")));
        QCOMPARE(ReadWholeFile(path("bin")), QString());
    }

    void textIsWindows1252()
    {
        const QByteArray bytes("1^Degrees Celsius (\xBA" "C)\r\n1^\x80\x8A\x9F\x81\r\n");
        m_environment->writeFile("bin/cp.ucr", bytes);
        QCOMPARE(ReadFileLine(path("bin/cp.ucr"), 0), QString::fromUtf8("1^Degrees Celsius (ºC)"));
        QCOMPARE(ReadFileLine(path("bin/cp.ucr"), 1), QString::fromUtf8("1^€ŠŸ\u0081"));
        QCOMPARE(catalogue::encodeCatalogueText(ReadWholeFile(path("bin/cp.ucr"))).value(), bytes);
        QVERIFY(!catalogue::encodeCatalogueText(QString::fromUtf8("Ω")).has_value());
        QCOMPARE(catalogue::charactersOutsideCatalogue(QString::fromUtf8("aΩbΩ😀")), QString::fromUtf8("Ω😀"));
    }

    void appendLineToFile()
    {
        QVERIFY(AppendLineToFile(path("bin/new.ucr"), "Length"));
        QCOMPARE(m_environment->readFile("bin/new.ucr"), QByteArray("Length\r\n"));
        QVERIFY(AppendLineToFile(path("bin/new.ucr"), QString::fromUtf8("Temp ºC")));
        QCOMPARE(m_environment->readFile("bin/new.ucr"), QByteArray("Length\r\nTemp \xBA" "C\r\n"));
        QVERIFY(!AppendLineToFile(path("nofolder/new.ucr"), "Length"));
        QVERIFY(!QDir(path("nofolder")).exists());
    }

    void appendedLineStartsALineOfItsOwn()
    {
        m_environment->writeFile("bin/index.ucr", "Area\r\nLength");
        QVERIFY(AppendLineToFile(path("bin/index.ucr"), "Mass"));
        QCOMPARE(m_environment->readFile("bin/index.ucr"), QByteArray("Area\r\nLength\r\nMass\r\n"));
    }

    void appendRefusesTextNoCatalogueCanHold()
    {
        m_environment->writeFile("bin/index.ucr", "Area\r\n");
        QVERIFY(!AppendLineToFile(path("bin/index.ucr"), QString::fromUtf8("Ω")));
        QCOMPARE(m_environment->readFile("bin/index.ucr"), QByteArray("Area\r\n"));
    }

    void clearFile()
    {
        m_environment->writeFile("bin/full.ucr", "a\r\n");
        QVERIFY(ClearFile(path("bin/full.ucr")));
        QCOMPARE(QFileInfo(path("bin/full.ucr")).size(), 0);
        QVERIFY(!ClearFile(path("bin/missing.ucr")));
        QVERIFY(!QFile::exists(path("bin/missing.ucr")));
    }

    void rewriteSequenceOnAMissingFile()
    {
        const QString index = path("bin/rewritten.ucr");
        if (!FileExists(index))
            AppendLineToFile(index, QString());
        ClearFile(index);
        AppendLineToFile(index, "Area");
        AppendLineToFile(index, "Length");
        QCOMPARE(m_environment->readFile("bin/rewritten.ucr"), QByteArray("Area\r\nLength\r\n"));
    }

    void fileContainsText_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<bool>("contained");
        QTest::newRow("whole line") << "Length" << true;
        QTest::newRow("inside a longer name") << "Flow" << true;
        QTest::newRow("case matters") << "length" << false;
        QTest::newRow("absent") << "Mass" << false;
        QTest::newRow("empty text in a non-empty file") << "" << true;
    }
    void fileContainsText()
    {
        QFETCH(QString, search);
        QFETCH(bool, contained);
        m_environment->writeFile("bin/index.ucr", "Length\r\nFlow Rate\r\n");
        QCOMPARE(FileContainsText(search, path("bin/index.ucr")), contained);
    }

    void fileContainsTextInAnEmptyOrMissingFile()
    {
        m_environment->writeFile("bin/empty.ucr", "");
        QVERIFY(!FileContainsText(QString(), path("bin/empty.ucr")));
        QVERIFY(!FileContainsText("Length", path("bin/missing.ucr")));
    }

    void cataloguePathsResolveAgainstTheApplicationFolder()
    {
        QDir::setCurrent(QDir::tempPath());
        QCOMPARE(catalogue::indexFile(), QDir::toNativeSeparators(m_environment->folder() + "/bin/unitType.ucr"));
        QCOMPARE(catalogue::categoryFile("Length"), QDir::toNativeSeparators(m_environment->folder() + "/bin/Length.ucr"));
        QCOMPARE(catalogue::factoryCategoryFile("Length"),
                 QDir::toNativeSeparators(m_environment->folder() + "/bin/default/Length.ucr"));
        QVERIFY(FileExists(catalogue::indexFile()));
    }

private:
    QString path(const QString &relative) const { return QDir(m_environment->folder()).filePath(relative); }

    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestFileIO)
#include "tst_file_io.moc"
