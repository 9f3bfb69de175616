#include "core/base/Failure.h"
#include "core/catalogue/CUnitCategory.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <functional>

namespace {
int failureNumber(const std::function<void()> &action)
{
    try {
        action();
    } catch (const app::Failure &failure) {
        return failure.number();
    }
    return 0;
}
} // namespace

class TestUnitCategory : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { finishEnvironment(m_environment); }

    void newUnitHoldsThePlaceholder()
    {
        CUnit unit;
        QCOMPARE(unit.Name(), QStringLiteral("Add custom unit here"));
        QCOMPARE(unit.Factor(), 1.0);
    }

    void newCategoryIsEmptyAndUnallocated()
    {
        CUnitCategory category;
        QCOMPARE(category.categoryName(), QString());
        QCOMPARE(category.GetClassChanged(), QStringLiteral("False"));
        QCOMPARE(failureNumber([&] { category.UBoundUnits(); }), app::kErrSubscriptOutOfRange);
        QCOMPARE(failureNumber([&] { category.LBoundUnits(); }), app::kErrSubscriptOutOfRange);
        QCOMPARE(failureNumber([&] { category.getUnitName(0); }), app::kErrSubscriptOutOfRange);
    }

    void slotsReadAsPlaceholdersAndOnlySetUnitMarksAChange()
    {
        CUnitCategory category;
        category.ReDimUnits(0, 4);
        category.setCategoryName("Length");
        for (qint16 i = 0; i <= 4; ++i) {
            QCOMPARE(category.getUnitName(i), QStringLiteral("Add custom unit here"));
            QCOMPARE(category.getUnitFactor(i), 1.0);
        }
        QCOMPARE(category.GetClassChanged(), QStringLiteral("False"));
        category.setUnit("Foot", 0.3048, 3);
        QCOMPARE(category.GetClassChanged(), QStringLiteral("True"));
        QCOMPARE(category.getUnitName(3), QStringLiteral("Foot"));
        QCOMPARE(category.getUnitFactor(3), 0.3048);
    }

    void outOfRangeFailsAndChangesNothing()
    {
        CUnitCategory category;
        category.ReDimUnits(0, 4);
        QCOMPARE(failureNumber([&] { category.setUnit("X", 2, 5); }), app::kErrSubscriptOutOfRange);
        QCOMPARE(failureNumber([&] { category.setUnit("X", 2, -1); }), app::kErrSubscriptOutOfRange);
        QCOMPARE(failureNumber([&] { category.ReDimUnits(3, 2); }), app::kErrSubscriptOutOfRange);
        QCOMPARE(category.GetClassChanged(), QStringLiteral("False"));
        QCOMPARE(int(category.UBoundUnits()), 4);
    }

    void reDimWithAndWithoutPreserving()
    {
        CUnitCategory category;
        category.ReDimUnits(0, 4);
        for (qint16 i = 0; i <= 4; ++i)
            category.setUnit(QStringLiteral("U%1").arg(i), i + 1, i);
        category.ReDimUnits(0, 5, true);
        QCOMPARE(int(category.UBoundUnits()), 5);
        for (qint16 i = 0; i <= 4; ++i)
            QCOMPARE(category.getUnitName(i), QStringLiteral("U%1").arg(i));
        QCOMPARE(category.getUnitName(5), QStringLiteral("Add custom unit here"));
        category.ReDimUnits(0, 5);
        for (qint16 i = 0; i <= 5; ++i)
            QCOMPARE(category.getUnitName(i), QStringLiteral("Add custom unit here"));
        QCOMPARE(category.GetClassChanged(), QStringLiteral("True"));
    }

    void restClassClearsFlagAndArray()
    {
        CUnitCategory category;
        category.ReDimUnits(0, 1);
        category.setUnit("A", 1, 0);
        category.RestClass();
        QCOMPARE(category.GetClassChanged(), QStringLiteral("False"));
        QVERIFY(!category.isAllocated());
        QCOMPARE(failureNumber([&] { category.UBoundUnits(); }), app::kErrSubscriptOutOfRange);
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
        CUnitCategory category;
        category.ReDimUnits(0, 3);
        category.setUnit("A", 1, 0);
        category.setUnit("B", 0.3048, 1);
        QCOMPARE(category.SaveToFile(path("bin/Test.ucr"), false), QString());
        QCOMPARE(m_environment->readFile("bin/Test.ucr"), QByteArray("1^A\r\n0.3048^B\r\n"));

        CUnitCategory loaded;
        QCOMPARE(int(loaded.LoadFromFile(path("bin/Test.ucr"), 2)), 1);
        QCOMPARE(int(loaded.LBoundUnits()), 0);
        QCOMPARE(int(loaded.UBoundUnits()), 3);
        QCOMPARE(loaded.getUnitName(0), QStringLiteral("A"));
        QCOMPARE(loaded.getUnitFactor(1), 0.3048);
        QCOMPARE(loaded.getUnitName(2), QStringLiteral("Add custom unit here"));
        QCOMPARE(loaded.getUnitName(3), QStringLiteral("Add custom unit here"));
        QCOMPARE(loaded.GetClassChanged(), QStringLiteral("False"));
    }

    void saveSkipsFreeSlotsAndKeepsFifteenDigits()
    {
        CUnitCategory category;
        category.ReDimUnits(0, 4);
        category.setUnit("Third", 1.0 / 3.0, 0);
        category.setUnit("", 5, 1);
        category.setUnit("Add custom unit here", 7, 2);
        category.setUnit(QString::fromUtf8("Degrees Celsius (ºC)"), 1, 3);
        category.SaveToFile(path("bin/Test.ucr"), false);
        QCOMPARE(m_environment->readFile("bin/Test.ucr"),
                 QByteArray("0.333333333333333^Third\r\n1^Degrees Celsius (\xBA" "C)\r\n"));
        CUnitCategory loaded;
        loaded.LoadFromFile(path("bin/Test.ucr"), 2);
        QCOMPARE(loaded.getUnitFactor(0), 0.333333333333333);
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
        CUnitCategory category;
        QCOMPARE(int(category.LoadFromFile(path("bin/Test.ucr"), 2)), result);
        QCOMPARE(int(category.UBoundUnits()), upperBound);
        QStringList loaded;
        for (qint16 i = 0; i <= category.UBoundUnits(); ++i)
            loaded.append(category.getUnitName(i));
        QCOMPARE(loaded, names);
        QCOMPARE(m_environment->boxes().shownTexts(), messages);
    }

    void loadOfAMissingFileLeavesTheUnitsAlone()
    {
        CUnitCategory category;
        category.ReDimUnits(0, 2);
        category.setUnit("Kept", 2, 1);
        QCOMPARE(int(category.LoadFromFile(path("bin/Missing.ucr"), 2)), -1);
        QCOMPARE(category.getUnitName(1), QStringLiteral("Kept"));
        QCOMPARE(int(category.UBoundUnits()), 2);
    }

    void loadThenSaveClosesTheGaps()
    {
        m_environment->boxes().expectOK();
        m_environment->writeFile("bin/Test.ucr", "1^A\r\n\r\nx^Bad\r\n0.5^C\r\n");
        CUnitCategory category;
        category.LoadFromFile(path("bin/Test.ucr"), 2);
        category.setUnit("A", 1, 0); // any edit marks the category changed
        category.SaveToFile(path("bin/Test.ucr"), false);
        QCOMPARE(m_environment->readFile("bin/Test.ucr"), QByteArray("1^A\r\n0.5^C\r\n"));
    }

    void loadRefusesAFileBeyondTheSixteenBitLimit()
    {
        m_environment->writeFile("bin/Long.ucr", QByteArray("1^U\r\n").repeated(32767));
        m_environment->boxes().expectOK();
        CUnitCategory category;
        QCOMPARE(int(category.LoadFromFile(path("bin/Long.ucr"), 2)), -1);
        QVERIFY(m_environment->boxes().shownTexts().first().contains("more than 32767 lines"));
        QVERIFY(!category.isAllocated());
        m_environment->writeFile("bin/Fits.ucr", QByteArray("1^U\r\n").repeated(32766));
        QCOMPARE(int(category.LoadFromFile(path("bin/Fits.ucr"), 2)), 32765);
        QCOMPARE(int(category.UBoundUnits()), 32767);
    }

    void saveOfAnUnchangedRecordAsksNothingAndWritesNothing()
    {
        m_environment->writeFile("bin/Test.ucr", "1^Old\r\n");
        CUnitCategory category;
        category.LoadFromFile(path("bin/Test.ucr"), 2);
        QCOMPARE(category.SaveToFile(path("bin/Test.ucr"), true), QString());
        QCOMPARE(m_environment->readFile("bin/Test.ucr"), QByteArray("1^Old\r\n"));
        QVERIFY(m_environment->boxes().shown().isEmpty());
    }

    void saveQuestionAnswers_data()
    {
        QTest::addColumn<platform::Answer>("answer");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("yes writes") << platform::Answer::Yes << "" << QByteArray("1^New\r\n");
        QTest::newRow("no keeps the file") << platform::Answer::No << "" << QByteArray("1^Old\r\n");
        QTest::newRow("cancel keeps the file") << platform::Answer::Cancel << "Cancel" << QByteArray("1^Old\r\n");
    }
    void saveQuestionAnswers()
    {
        QFETCH(platform::Answer, answer);
        QFETCH(QString, result);
        QFETCH(QByteArray, content);
        m_environment->writeFile("bin/Test.ucr", "1^Old\r\n");
        CUnitCategory category;
        category.ReDimUnits(0, 0);
        category.setUnit("New", 1, 0);
        m_environment->boxes().expect(answer);
        QCOMPARE(category.SaveToFile(path("bin/Test.ucr"), true), result);
        QCOMPARE(m_environment->readFile("bin/Test.ucr"), content);
        const auto &box = m_environment->boxes().shown().first();
        QCOMPARE(box.text, QStringLiteral("Save Changes to current category ?"));
        QCOMPARE(box.buttons, platform::Buttons::YesNoCancel);
        QCOMPARE(box.icon, platform::Icon::Exclamation);
        QCOMPARE(box.title, QStringLiteral("Tallimer"));
        QCOMPARE(category.GetClassChanged(), QStringLiteral("True"));
    }

    void saveCreatesMissingFilesAndEmptiesForPlaceholdersOnly()
    {
        CUnitCategory category;
        category.ReDimUnits(0, 2);
        category.setUnit("Add custom unit here", 1, 0);
        category.SaveToFile(path("bin/Fresh.ucr"), false);
        QVERIFY(QFile::exists(path("bin/Fresh.ucr")));
        QCOMPARE(QFileInfo(path("bin/Fresh.ucr")).size(), 0);
    }

    void failedSaveLeavesTheOldFileWholeAndSaysSo()
    {
        m_environment->writeFile("bin/Kept.ucr", "1^Old\r\n0.5^Half\r\n");
        CUnitCategory category;
        category.ReDimUnits(0, 0);
        category.setUnit("New", 1, 0);
        // A category file replaced by a folder, and a folder that is a file, cannot be written.
        QDir().mkpath(path("bin/Folder.ucr"));
        QCOMPARE(failureNumber([&] { category.SaveToFile(path("bin/Folder.ucr"), false); }), app::kErrPathFileAccess);
        m_environment->writeFile("plainfile", "x");
        QCOMPARE(failureNumber([&] { category.SaveToFile(path("plainfile/Kept.ucr"), false); }),
                 app::kErrPathFileAccess);
        // A name no catalogue file can hold is refused before anything is written.
        category.setUnit(QString::fromUtf8("Ω"), 1, 0);
        QCOMPARE(failureNumber([&] { category.SaveToFile(path("bin/Kept.ucr"), false); }),
                 app::kErrInvalidProcedureCall);
        QCOMPARE(m_environment->readFile("bin/Kept.ucr"), QByteArray("1^Old\r\n0.5^Half\r\n"));
    }

private:
    QString path(const QString &relative) const { return QDir(m_environment->folder()).filePath(relative); }

    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestUnitCategory)
#include "tst_unitcategory.moc"
