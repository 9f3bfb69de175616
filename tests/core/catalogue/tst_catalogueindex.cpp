#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/CatalogueIndex.h"
#include "core/catalogue/CataloguePaths.h"
#include "support/HostileEntries.h"
#include "support/OtherCopy.h"
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

    void removeFromIndex_data()
    {
        QTest::addColumn<QByteArray>("index"); // null: no index
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("expected"); // null: still no index
        QTest::newRow("its line goes, the others stay in their order")
            << QByteArray("Mass\r\nLength\r\nArea\r\n") << "Length" << QByteArray("Mass\r\nArea\r\n");
        QTest::newRow("every line of the name goes")
            << QByteArray("Area\r\nMass\r\nArea\r\n") << "Area" << QByteArray("Mass\r\n");
        QTest::newRow("whole lines only") << QByteArray("Flow Rate\r\nFlow\r\n") << "Flow"
                                          << QByteArray("Flow Rate\r\n");
        QTest::newRow("blank lines and lines that name no file stay, CR LF after each")
            << QByteArray("Area\r\n\r\n../x\r\nMass\r\nLength") << "Mass" << QByteArray("Area\r\n\r\n../x\r\nLength\r\n");
        QTest::newRow("a name not listed changes nothing")
            << QByteArray("Area\r\nMass") << "Length" << QByteArray("Area\r\nMass");
        QTest::newRow("no index is made") << QByteArray() << "Mass" << QByteArray();
        QTest::newRow("Windows-1252 name") << QByteArray("Temp \xBA" "C\r\nArea\r\n") << QString::fromUtf8("Temp ºC")
                                           << QByteArray("Area\r\n");
    }
    void removeFromIndex()
    {
        QFETCH(QByteArray, index);
        QFETCH(QString, name);
        QFETCH(QByteArray, expected);
        if (index.isNull())
            QFile::remove(catalogue::indexFile());
        else
            m_environment->writeFile("bin/unitType.ucr", index);
        QVERIFY(catalogue::removeFromIndex(name));
        QCOMPARE(QFileInfo::exists(catalogue::indexFile()), !expected.isNull());
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), expected);
    }

    // Each change reads the index as it stands when it is made: another copy's change between
    // two of this copy's stays.
    void changesBuildOnTheIndexOnDisk()
    {
        m_environment->writeFile("bin/unitType.ucr", "Area\r\nLength\r\nMass\r\n");
        const QStringList seenAtStart = catalogue::indexLines();
        m_environment->writeFile("bin/unitType.ucr", "Area\r\nLength\r\nMass\r\nFrom Another Copy\r\n");
        QVERIFY(catalogue::removeFromIndex("Length"));
        QVERIFY(catalogue::listInIndex("Mine"));
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), QByteArray("Area\r\nMass\r\nFrom Another Copy\r\nMine\r\n"));
        QVERIFY(!seenAtStart.contains("From Another Copy"));
    }

    void failedChangeLeavesTheOldIndexWhole_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("listing"); // listInIndex, or removeFromIndex
        for (const bool listing : {true, false}) {
            const char *change = listing ? "list" : "remove";
            QTest::addRow("%s: a link in the index's place", change) << "link" << listing;
            QTest::addRow("%s: an index too long to read", change) << "too long" << listing;
            QTest::addRow("%s: another copy holds the lock", change) << "locked" << listing;
            QTest::addRow("%s: no catalogue folder", change) << "no folder" << listing;
        }
    }
    void failedChangeLeavesTheOldIndexWhole()
    {
        QFETCH(QString, fault);
        QFETCH(bool, listing);
        const QByteArray index("Area\r\nMass\r\n");
        const QString outside = m_environment->folder() + "/outside.ucr";
        m_environment->writeFile("outside.ucr", index);
        std::unique_ptr<othercopy::HeldCatalogueLock> otherCopy;
        if (fault == "link") {
            QVERIFY(QFile::remove(catalogue::indexFile()));
            QVERIFY(hostile::makeLink(outside, catalogue::indexFile()));
        } else if (fault == "too long") {
            m_environment->writeFile("bin/unitType.ucr", index + QByteArray(catalogue::kMaxFileBytes, 'x'));
        } else if (fault == "locked") {
            m_environment->writeFile("bin/unitType.ucr", index);
            otherCopy = std::make_unique<othercopy::HeldCatalogueLock>();
            QVERIFY(otherCopy->isHeld());
        } else {
            QVERIFY(QDir(m_environment->folder()).rename("bin", "moved"));
        }
        const QByteArray before = m_environment->readFile("bin/unitType.ucr");
        QVERIFY(!(listing ? catalogue::listInIndex("Length") : catalogue::removeFromIndex("Mass")));
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), before);
        QCOMPARE(m_environment->readFile("outside.ucr"), index);
        QCOMPARE(QFileInfo(catalogue::indexFile()).isSymLink(), fault == "link");
        QCOMPARE(QFileInfo::exists(catalogue::catalogueFolder()), fault != "no folder");
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
