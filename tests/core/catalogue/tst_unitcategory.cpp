#include "core/base/Failure.h"
#include "core/catalogue/UnitCategory.h"
#include "support/Failures.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <functional>

class TestUnitCategory : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { finishEnvironment(m_environment); }

    void newUnitHoldsThePlaceholder()
    {
        Unit unit;
        QCOMPARE(unit.name(), QStringLiteral("Add custom unit here"));
        QCOMPARE(unit.factor(), 1.0);
    }

    void newCategoryIsEmptyAndUnallocated()
    {
        UnitCategory category;
        QCOMPARE(category.categoryName(), QString());
        QVERIFY(!category.isChanged());
        QCOMPARE(failureNumber([&] { category.lastIndex(); }), app::kErrSubscriptOutOfRange);
        QCOMPARE(failureNumber([&] { category.firstIndex(); }), app::kErrSubscriptOutOfRange);
        QCOMPARE(failureNumber([&] { category.unitName(0); }), app::kErrSubscriptOutOfRange);
    }

    void slotsReadAsPlaceholdersAndOnlySetUnitMarksAChange()
    {
        UnitCategory category;
        category.resize(0, 4);
        category.setCategoryName("Length");
        for (qint16 i = 0; i <= 4; ++i) {
            QCOMPARE(category.unitName(i), QStringLiteral("Add custom unit here"));
            QCOMPARE(category.unitFactor(i), 1.0);
        }
        QVERIFY(!category.isChanged());
        category.setUnit("Foot", 0.3048, 3);
        QVERIFY(category.isChanged());
        QCOMPARE(category.unitName(3), QStringLiteral("Foot"));
        QCOMPARE(category.unitFactor(3), 0.3048);
    }

    void outOfRangeFailsAndChangesNothing()
    {
        UnitCategory category;
        category.resize(0, 4);
        QCOMPARE(failureNumber([&] { category.setUnit("X", 2, 5); }), app::kErrSubscriptOutOfRange);
        QCOMPARE(failureNumber([&] { category.setUnit("X", 2, -1); }), app::kErrSubscriptOutOfRange);
        QCOMPARE(failureNumber([&] { category.resize(3, 2); }), app::kErrSubscriptOutOfRange);
        QVERIFY(!category.isChanged());
        QCOMPARE(int(category.lastIndex()), 4);
    }

    void reDimWithAndWithoutPreserving()
    {
        UnitCategory category;
        category.resize(0, 4);
        for (qint16 i = 0; i <= 4; ++i)
            category.setUnit(QStringLiteral("U%1").arg(i), i + 1, i);
        category.resize(0, 5, true);
        QCOMPARE(int(category.lastIndex()), 5);
        for (qint16 i = 0; i <= 4; ++i)
            QCOMPARE(category.unitName(i), QStringLiteral("U%1").arg(i));
        QCOMPARE(category.unitName(5), QStringLiteral("Add custom unit here"));
        category.resize(0, 5);
        for (qint16 i = 0; i <= 5; ++i)
            QCOMPARE(category.unitName(i), QStringLiteral("Add custom unit here"));
        QVERIFY(category.isChanged());
    }

    void restClassClearsFlagAndArray()
    {
        UnitCategory category;
        category.resize(0, 1);
        category.setUnit("A", 1, 0);
        category.clear();
        QVERIFY(!category.isChanged());
        QVERIFY(!category.isAllocated());
        QCOMPARE(failureNumber([&] { category.lastIndex(); }), app::kErrSubscriptOutOfRange);
    }

    void saveWritesExactBytes_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("english") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("german decimal comma") << QLocale(QLocale::German, QLocale::Germany);
    }
    void saveWritesExactBytes()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        UnitCategory category;
        category.resize(0, 3);
        category.setUnit("A", 1, 0);
        category.setUnit("B", 0.3048, 1);
        category.save(path("bin/Test.ucr"));
        QCOMPARE(m_environment->readFile("bin/Test.ucr"), QByteArray("1^A\r\n0.3048^B\r\n"));

        UnitCategory loaded;
        QCOMPARE(int(loaded.load(path("bin/Test.ucr"), 2)), 1);
        QCOMPARE(int(loaded.firstIndex()), 0);
        QCOMPARE(int(loaded.lastIndex()), 3);
        QCOMPARE(loaded.unitName(0), QStringLiteral("A"));
        QCOMPARE(loaded.unitFactor(1), 0.3048);
        QCOMPARE(loaded.unitName(2), QStringLiteral("Add custom unit here"));
        QCOMPARE(loaded.unitName(3), QStringLiteral("Add custom unit here"));
        QVERIFY(!loaded.isChanged());
    }

    void saveSkipsFreeSlotsAndKeepsFifteenDigits()
    {
        UnitCategory category;
        category.resize(0, 4);
        category.setUnit("Third", 1.0 / 3.0, 0);
        category.setUnit("", 5, 1);
        category.setUnit("Add custom unit here", 7, 2);
        category.setUnit(QString::fromUtf8("Degrees Celsius (ºC)"), 1, 3);
        category.save(path("bin/Test.ucr"));
        QCOMPARE(m_environment->readFile("bin/Test.ucr"),
                 QByteArray("0.333333333333333^Third\r\n1^Degrees Celsius (\xBA" "C)\r\n"));
        UnitCategory loaded;
        loaded.load(path("bin/Test.ucr"), 2);
        QCOMPARE(loaded.unitFactor(0), 0.333333333333333);
    }

    void loadResults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("upperBound");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("messages");
        const QString free = QStringLiteral("Add custom unit here");
        QTest::newRow("three units") << QByteArray("1^A\r\n2^B\r\n3^C\r\n") << 2 << 4
                                     << QStringList{"A", "B", "C", free, free} << QStringList{};
        QTest::newRow("blank line keeps its slot empty") << QByteArray("1^A\r\n\r\n3^C\r\n") << 1 << 4
                                                         << QStringList{"A", free, "C", free, free} << QStringList{};
        QTest::newRow("rejected line is reported") << QByteArray("1^A\r\nx^Inch\r\n3^C\r\n") << 1 << 4
                                                   << QStringList{"A", free, "C", free, free}
                                                   << QStringList{"Error loading Inch"};
        QTest::newRow("number without a name is rejected") << QByteArray("1^A\r\n25\r\n") << 0 << 3
                                                           << QStringList{"A", free, free, free}
                                                           << QStringList{"Error loading 25"};
        QTest::newRow("no final line end") << QByteArray("1^A\r\n2^B\r\n3^C") << 2 << 3
                                           << QStringList{"A", "B", "C", free} << QStringList{};
        QTest::newRow("empty file") << QByteArray() << -1 << 0 << QStringList{free} << QStringList{};
        QTest::newRow("LF line ends read as one line") << QByteArray("1^A\n2^B\n") << 0 << 1
                                                       << QStringList{"A\n2", free} << QStringList{};
        QTest::newRow("third field is ignored") << QByteArray("2.54^Centi^Inch\r\n") << 0 << 2
                                                << QStringList{"Centi", free, free} << QStringList{};
        QTest::newRow("empty name is kept") << QByteArray("1^A\r\n2^\r\n3^C\r\n") << 2 << 4
                                            << QStringList{"A", "", "C", free, free} << QStringList{};
    }
    void loadResults()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, result);
        QFETCH(int, upperBound);
        QFETCH(QStringList, names);
        QFETCH(QStringList, messages);
        m_environment->writeFile("bin/Test.ucr", content);
        m_environment->boxes().expectOK(int(messages.size()));
        UnitCategory category;
        QCOMPARE(int(category.load(path("bin/Test.ucr"), 2)), result);
        QCOMPARE(int(category.lastIndex()), upperBound);
        QStringList loaded;
        for (qint16 i = 0; i <= category.lastIndex(); ++i)
            loaded.append(category.unitName(i));
        QCOMPARE(loaded, names);
        QCOMPARE(m_environment->boxes().shownTexts(), messages);
    }

    void loadOfAMissingFileLeavesTheUnitsAlone()
    {
        UnitCategory category;
        category.resize(0, 2);
        category.setUnit("Kept", 2, 1);
        QCOMPARE(int(category.load(path("bin/Missing.ucr"), 2)), -1);
        QCOMPARE(category.unitName(1), QStringLiteral("Kept"));
        QCOMPARE(int(category.lastIndex()), 2);
    }

    void loadThenSaveClosesTheGaps()
    {
        m_environment->boxes().expectOK();
        m_environment->writeFile("bin/Test.ucr", "1^A\r\n\r\nx^Bad\r\n0.5^C\r\n");
        UnitCategory category;
        category.load(path("bin/Test.ucr"), 2);
        category.setUnit("A", 1, 0); // any edit marks the category changed
        category.save(path("bin/Test.ucr"));
        QCOMPARE(m_environment->readFile("bin/Test.ucr"), QByteArray("1^A\r\n0.5^C\r\n"));
    }

    void loadRefusesAFileBeyondTheSixteenBitLimit()
    {
        m_environment->writeFile("bin/Long.ucr", QByteArray("1^U\r\n").repeated(32767));
        m_environment->boxes().expectOK();
        UnitCategory category;
        QCOMPARE(int(category.load(path("bin/Long.ucr"), 2)), -1);
        QVERIFY(m_environment->boxes().shownTexts().first().contains("more than 32767 lines"));
        QVERIFY(!category.isAllocated());
        m_environment->writeFile("bin/Fits.ucr", QByteArray("1^U\r\n").repeated(32766));
        QCOMPARE(int(category.load(path("bin/Fits.ucr"), 2)), 32765);
        QCOMPARE(int(category.lastIndex()), 32767);
    }

    void saveOfAnUnchangedRecordWritesNothing()
    {
        m_environment->writeFile("bin/Test.ucr", "1^Old\r\n");
        UnitCategory category;
        category.load(path("bin/Test.ucr"), 2);
        category.save(path("bin/Test.ucr"));
        QCOMPARE(m_environment->readFile("bin/Test.ucr"), QByteArray("1^Old\r\n"));
        QVERIFY(m_environment->boxes().shown().isEmpty());
    }

    void saveCreatesMissingFilesAndEmptiesForPlaceholdersOnly()
    {
        UnitCategory category;
        category.resize(0, 2);
        category.setUnit("Add custom unit here", 1, 0);
        category.save(path("bin/Fresh.ucr"));
        QVERIFY(QFile::exists(path("bin/Fresh.ucr")));
        QCOMPARE(QFileInfo(path("bin/Fresh.ucr")).size(), 0);
    }

    void failedSaveLeavesTheOldFileWholeAndSaysSo()
    {
        m_environment->writeFile("bin/Kept.ucr", "1^Old\r\n0.5^Half\r\n");
        UnitCategory category;
        category.resize(0, 0);
        category.setUnit("New", 1, 0);
        // A category file replaced by a folder, and a folder that is a file, cannot be written.
        QDir().mkpath(path("bin/Folder.ucr"));
        QCOMPARE(failureNumber([&] { category.save(path("bin/Folder.ucr")); }), app::kErrPathFileAccess);
        m_environment->writeFile("plainfile", "x");
        QCOMPARE(failureNumber([&] { category.save(path("plainfile/Kept.ucr")); }),
                 app::kErrPathFileAccess);
        // A name no catalogue file can hold is refused before anything is written.
        category.setUnit(QString::fromUtf8("Ω"), 1, 0);
        QCOMPARE(failureNumber([&] { category.save(path("bin/Kept.ucr")); }),
                 app::kErrInvalidProcedureCall);
        QCOMPARE(m_environment->readFile("bin/Kept.ucr"), QByteArray("1^Old\r\n0.5^Half\r\n"));
    }

    // Two copies of the program edit the same category: what one wrote after the other loaded it
    // is noticed before the other writes.
    void changesOnDiskSinceTheLoadAreNoticed_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<bool>("noticed");
        QTest::newRow("nothing") << "nothing" << false;
        QTest::newRow("another copy saved its edit") << "other saves" << true;
        QTest::newRow("the same bytes written again") << "same bytes" << false;
        QTest::newRow("the file deleted") << "deleted" << true;
        QTest::newRow("a link put in its place") << "link" << true;
        QTest::newRow("this record saved") << "this saves" << false;
        QTest::newRow("a new category's file made by another copy") << "created" << true;
    }
    void changesOnDiskSinceTheLoadAreNoticed()
    {
        QFETCH(QString, meanwhile);
        QFETCH(bool, noticed);
        const QByteArray original("1^Metre\r\n0.3048^Foot\r\n0.9144^Yard\r\n");
        m_environment->writeFile("bin/Length.ucr", original);
        const QString file = path("bin/Length.ucr");
        UnitCategory mine;
        UnitCategory other;
        if (meanwhile == "created") {
            QFile::remove(file);
            mine.resize(0, 0);
            mine.setUnit("Metre", 1, 0);
        } else {
            QCOMPARE(int(mine.load(file, 2)), 2);
        }
        QCOMPARE(int(other.load(file, 2)), meanwhile == "created" ? -1 : 2);

        if (meanwhile == "other saves" || meanwhile == "created") {
            other.resize(0, 1, true);
            other.setUnit("Feet", 0.3048, 1);
            other.save(file);
        } else if (meanwhile == "same bytes") {
            m_environment->writeFile("bin/Length.ucr", original);
        } else if (meanwhile == "deleted") {
            QVERIFY(QFile::remove(file));
        } else if (meanwhile == "link") {
            m_environment->writeFile("outside.ucr", original);
            QVERIFY(QFile::remove(file));
            QVERIFY(QFile::link(path("outside.ucr"), file));
        } else if (meanwhile == "this saves") {
            mine.setUnit("Metres", 1, 0);
            mine.save(file);
        }
        QCOMPARE(mine.fileChangedOnDisk(file), noticed);
        // Told of it, the user chose to overwrite: the file as it is now is taken as the base.
        mine.takeFileOnDisk(file);
        QVERIFY(!mine.fileChangedOnDisk(file));
        if (meanwhile != "link") {
            mine.setUnit("Metre (m)", 1, 0);
            mine.save(file);
            QVERIFY(!mine.fileChangedOnDisk(file));
            QVERIFY(m_environment->readFile("bin/Length.ucr").startsWith("1^Metre (m)\r\n"));
        }
    }

private:
    QString path(const QString &relative) const { return QDir(m_environment->folder()).filePath(relative); }

    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestUnitCategory)
#include "tst_unitcategory.moc"
