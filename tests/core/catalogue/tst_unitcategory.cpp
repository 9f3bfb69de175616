#include "core/base/Failure.h"
#include "core/catalogue/UnitCategory.h"
#include "support/Failures.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QString kFree = QStringLiteral("Add custom unit here");

// The names in every slot, first to last.
QStringList namesOf(UnitCategory &category)
{
    QStringList names;
    for (qint16 i = category.firstIndex(); i <= category.lastIndex(); ++i)
        names.append(category.unitName(i));
    return names;
}

} // namespace

class TestUnitCategory : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { finishEnvironment(m_environment); }

    // Failure 9 outside the bounds, or before any were given, and nothing changed; a slot never
    // set reads as the placeholder unit.
    void slotsWithinAndOutsideTheBounds()
    {
        UnitCategory category;
        QCOMPARE(failureNumber([&] { category.lastIndex(); }), app::kErrSubscriptOutOfRange);
        QCOMPARE(failureNumber([&] { category.firstIndex(); }), app::kErrSubscriptOutOfRange);
        QCOMPARE(failureNumber([&] { category.unitName(0); }), app::kErrSubscriptOutOfRange);
        category.resize(1, 4);
        QCOMPARE(namesOf(category), QStringList(4, kFree));
        QCOMPARE(category.unitFactor(4), 1.0);
        QCOMPARE(failureNumber([&] { category.setUnit("X", 2, 0); }), app::kErrSubscriptOutOfRange);
        QCOMPARE(failureNumber([&] { category.setUnit("X", 2, 5); }), app::kErrSubscriptOutOfRange);
        QCOMPARE(failureNumber([&] { category.resize(3, 2); }), app::kErrSubscriptOutOfRange);
        QCOMPARE(int(category.firstIndex()), 1);
        QCOMPARE(int(category.lastIndex()), 4);
        QVERIFY(!category.isChanged());

        category.setUnit("Foot", 0.3048, 4);
        QVERIFY(category.isChanged());
        QCOMPARE(category.unitName(4), QStringLiteral("Foot"));
        QCOMPARE(category.unitFactor(4), 0.3048);
    }

    void resizeKeepsTheUnitsOnlyWhenAsked()
    {
        UnitCategory category;
        category.resize(1, 3);
        for (qint16 i = 1; i <= 3; ++i)
            category.setUnit(QStringLiteral("U%1").arg(i), i, i);
        category.resize(0, 2, true);
        QCOMPARE(namesOf(category), (QStringList{kFree, "U1", "U2"}));
        category.resize(0, 2);
        QCOMPARE(namesOf(category), QStringList(3, kFree));
        category.clear();
        QVERIFY(!category.isChanged());
        QVERIFY(!category.isAllocated());
    }

    // Factors in the fixed format whatever the locale, CR LF after every line; a file written
    // reads back and writes again unchanged.
    void saveWritesExactBytes_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<double>>("factors");
        QTest::addColumn<QByteArray>("bytes");
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("english") << english << QStringList{"A", "B"} << QList<double>{1, 0.3048}
                                 << QByteArray("1^A\r\n0.3048^B\r\n");
        QTest::newRow("german decimal comma") << QLocale(QLocale::German, QLocale::Germany) << QStringList{"A", "B"}
                                              << QList<double>{1, 0.3048} << QByteArray("1^A\r\n0.3048^B\r\n");
        QTest::newRow("fifteen digits; empty names and placeholders left out")
            << english << QStringList{"Third", "", kFree, QString::fromUtf8("Degrees Celsius (ºC)")}
            << QList<double>{1.0 / 3.0, 5, 7, 1} << QByteArray("0.333333333333333^Third\r\n1^Degrees Celsius (\xBA" "C)\r\n");
        QTest::newRow("only placeholders: an empty file") << english << QStringList{kFree} << QList<double>{1}
                                                          << QByteArray("");
    }
    void saveWritesExactBytes()
    {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, names);
        QFETCH(QList<double>, factors);
        QFETCH(QByteArray, bytes);
        QLocale::setDefault(locale);
        UnitCategory category;
        category.resize(0, qint16(names.size())); // and one slot never set
        for (qint16 i = 0; i < names.size(); ++i)
            category.setUnit(names.at(i), factors.at(i), i);
        category.save(path("bin/Test.ucr"));
        QCOMPARE(m_environment->readFile("bin/Test.ucr"), bytes);

        UnitCategory loaded;
        loaded.load(path("bin/Test.ucr"), 2);
        QVERIFY(!loaded.isChanged());
        loaded.setUnit(loaded.unitName(0), loaded.unitFactor(0), 0);
        loaded.save(path("bin/Test.ucr"));
        QCOMPARE(m_environment->readFile("bin/Test.ucr"), bytes);
    }

    void saveOfAnUnchangedRecordWritesNothing()
    {
        m_environment->writeFile("bin/Test.ucr", "1.0^Old\r\n");
        UnitCategory category;
        category.load(path("bin/Test.ucr"), 2);
        category.save(path("bin/Test.ucr"));
        QCOMPARE(m_environment->readFile("bin/Test.ucr"), QByteArray("1.0^Old\r\n"));
    }

    // A failed save throws and leaves the old file whole.
    void failedSaveLeavesTheOldFileWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("failure");
        QTest::newRow("name no catalogue file can hold") << QString::fromUtf8("Ω") << "bin/Kept.ucr"
                                                         << int(app::kErrInvalidProcedureCall);
        QTest::newRow("a file where the folder would be") << "New" << "bin/Kept.ucr/Kept.ucr" << int(app::kErrPathFileAccess);
    }
    void failedSaveLeavesTheOldFileWhole()
    {
        QFETCH(QString, name);
        QFETCH(QString, file);
        QFETCH(int, failure);
        m_environment->writeFile("bin/Kept.ucr", "1^Old\r\n0.5^Half\r\n");
        UnitCategory category;
        category.resize(0, 0);
        category.setUnit(name, 1, 0);
        QCOMPARE(failureNumber([&] { category.save(path(file)); }), failure);
        QCOMPARE(m_environment->readFile("bin/Kept.ucr"), QByteArray("1^Old\r\n0.5^Half\r\n"));
    }

    void loadResults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("names"); // every slot, the two spare ones included
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("three units") << QByteArray("1^A\r\n2^B\r\n3^C\r\n") << 2 << QStringList{"A", "B", "C", kFree, kFree}
                                     << QStringList{};
        QTest::newRow("blank line keeps its slot empty") << QByteArray("1^A\r\n\r\n3^C\r\n") << 1
                                                         << QStringList{"A", kFree, "C", kFree, kFree} << QStringList{};
        QTest::newRow("rejected line is reported") << QByteArray("1^A\r\nx^Inch\r\n3^C\r\n") << 1
                                                   << QStringList{"A", kFree, "C", kFree, kFree}
                                                   << QStringList{"Error loading Inch"};
        QTest::newRow("number without a name is rejected") << QByteArray("1^A\r\n25\r\n") << 0
                                                           << QStringList{"A", kFree, kFree, kFree}
                                                           << QStringList{"Error loading 25"};
        QTest::newRow("a Windows-1252 sign in a factor is no number")
            << QByteArray("1\x80" "5^Odd\r\n") << -1 << QStringList{kFree, kFree, kFree} << QStringList{"Error loading Odd"};
        QTest::newRow("no final line end") << QByteArray("1^A\r\n2^B\r\n3^C") << 2 << QStringList{"A", "B", "C", kFree}
                                           << QStringList{};
        QTest::newRow("empty file") << QByteArray() << -1 << QStringList{kFree} << QStringList{};
        QTest::newRow("LF line ends read as one line") << QByteArray("1^A\n2^B\n") << 0 << QStringList{"A\n2", kFree}
                                                       << QStringList{};
        QTest::newRow("third field is ignored") << QByteArray("2.54^Centi^Inch\r\n") << 0
                                                << QStringList{"Centi", kFree, kFree} << QStringList{};
        QTest::newRow("empty name is kept") << QByteArray("1^A\r\n2^\r\n3^C\r\n") << 2
                                            << QStringList{"A", "", "C", kFree, kFree} << QStringList{};
    }
    void loadResults()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, result);
        QFETCH(QStringList, names);
        QFETCH(QStringList, messages);
        m_environment->writeFile("bin/Test.ucr", content);
        m_environment->boxes().expectOK(int(messages.size()));
        UnitCategory category;
        QCOMPARE(int(category.load(path("bin/Test.ucr"), 2)), result);
        QCOMPARE(int(category.firstIndex()), 0);
        QCOMPARE(namesOf(category), names);
        QCOMPARE(m_environment->boxes().shownTexts(), messages);
        QVERIFY(!category.isChanged());
    }

    void loadOfAMissingFileLeavesTheUnitsAlone()
    {
        UnitCategory category;
        category.resize(0, 2);
        category.setUnit("Kept", 2, 1);
        QCOMPARE(int(category.load(path("bin/Missing.ucr"), 2)), -1);
        QCOMPARE(namesOf(category), (QStringList{kFree, "Kept", kFree}));
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
