#include "core/catalogue/CatalogueIndex.h"
#include "core/catalogue/CataloguePaths.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

class TestCatalogueIndex : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { finishEnvironment(m_environment); }

    // The factory index lists "Flow Rate", "Mass", "Mass Flow Rate", "Temperature" and
    // "Temperature Difference"; "Catalytic Activity" is its last line.
    void isListedInIndex_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("listed");
        QTest::newRow("whole line") << "Length" << true;
        QTest::newRow("whole line that starts a longer one") << "Temperature" << true;
        QTest::newRow("last line") << "Catalytic Activity" << true;
        QTest::newRow("first word of a two-word name") << "Flow" << false;
        QTest::newRow("last words of a longer name") << "Flow Rate" << true;
        QTest::newRow("middle of a name") << "Flow Rat" << false;
        QTest::newRow("across a line end") << "Mass\r\nTime" << false;
        QTest::newRow("other case") << "length" << false;
        QTest::newRow("trailing space") << "Length " << false;
        QTest::newRow("empty name in an index without blank lines") << "" << false;
    }
    void isListedInIndex()
    {
        QFETCH(QString, name);
        QFETCH(bool, listed);
        QCOMPARE(catalogue::isListedInIndex(name), listed);
    }

    void indexLinesOfAnIndexWithoutFinalLineEnd()
    {
        m_environment->writeFile("bin/unitType.ucr", "Area\r\n\r\nLength");
        QCOMPARE(catalogue::indexLines(), QStringList({"Area", "", "Length"}));
        QVERIFY(catalogue::isListedInIndex("Length"));
        QVERIFY(catalogue::isListedInIndex(""));
        QFile::remove(catalogue::indexFile());
        QVERIFY(catalogue::indexLines().isEmpty());
        QVERIFY(!catalogue::isListedInIndex("Length"));
    }

    void listInIndex_data()
    {
        QTest::addColumn<QByteArray>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("first word of a listed name is listed at the end")
            << QByteArray("Flow Rate\r\nLength\r\n") << "Flow" << QByteArray("Flow Rate\r\nLength\r\nFlow\r\n");
        QTest::newRow("listed name is not listed twice")
            << QByteArray("Area\r\nLength\r\n") << "Area" << QByteArray("Area\r\nLength\r\n");
        QTest::newRow("index without a final line end")
            << QByteArray("Area\r\nLength") << "Mass" << QByteArray("Area\r\nLength\r\nMass\r\n");
        QTest::newRow("missing index is created") << QByteArray() << "Mass" << QByteArray("Mass\r\n");
        QTest::newRow("Windows-1252 name") << QByteArray("Area\r\n") << QString::fromUtf8("Temp ºC")
                                           << QByteArray("Area\r\nTemp \xBA" "C\r\n");
    }
    void listInIndex()
    {
        QFETCH(QByteArray, index);
        QFETCH(QString, name);
        QFETCH(QByteArray, expected);
        if (index.isNull())
            QFile::remove(catalogue::indexFile());
        else
            m_environment->writeFile("bin/unitType.ucr", index);
        QVERIFY(catalogue::listInIndex(name));
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), expected);
    }

    void listInIndexFailsWhenNothingCanBeWritten()
    {
        const QByteArray before = m_environment->readFile("bin/unitType.ucr");
        QVERIFY(!catalogue::listInIndex(QString::fromUtf8("Ω")));
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), before);
        replaceByFolder("bin/unitType.ucr");
        QVERIFY(!catalogue::listInIndex("Mass"));
        QVERIFY(QFileInfo(catalogue::indexFile()).isDir());
    }

    void rewriteIndex_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("indexExists");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("names in the given order, CR LF after each")
            << QStringList{"Area", "Length", "My Stuff"} << true << QByteArray("Area\r\nLength\r\nMy Stuff\r\n");
        QTest::newRow("missing index is created") << QStringList{"Area"} << false << QByteArray("Area\r\n");
        QTest::newRow("Windows-1252 name") << QStringList{QString::fromUtf8("Temp ºC")} << true
                                           << QByteArray("Temp \xBA" "C\r\n");
        QTest::newRow("no names leave an empty index") << QStringList() << true << QByteArray("");
    }
    void rewriteIndex()
    {
        QFETCH(QStringList, names);
        QFETCH(bool, indexExists);
        QFETCH(QByteArray, expected);
        if (!indexExists)
            QFile::remove(catalogue::indexFile());
        QVERIFY(catalogue::rewriteIndex(names));
        QVERIFY(QFileInfo(catalogue::indexFile()).isFile());
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), expected);
    }

    void failedRewriteLeavesTheOldIndexWhole()
    {
        const QByteArray before = m_environment->readFile("bin/unitType.ucr");
        QVERIFY(!catalogue::rewriteIndex({"Area", QString::fromUtf8("Ω")}));
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), before);

        replaceByFolder("bin/unitType.ucr");
        QVERIFY(!catalogue::rewriteIndex({"Area"}));
        QVERIFY(QFileInfo(catalogue::indexFile()).isDir());

        QVERIFY(QDir(m_environment->folder()).rename("bin", "moved"));
        QVERIFY(!catalogue::rewriteIndex({"Area"}));
        QVERIFY(!QFileInfo::exists(catalogue::catalogueFolder()));
    }

private:
    void replaceByFolder(const QString &relativePath)
    {
        QVERIFY(QFile::remove(m_environment->folder() + "/" + relativePath));
        m_environment->writeFile(relativePath + "/inside.txt", "x");
    }

    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestCatalogueIndex)
#include "tst_catalogueindex.moc"
