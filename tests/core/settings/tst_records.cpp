#include "core/base/AppInfo.h"
#include "core/base/Failure.h"
#include "core/settings/ProgramRecords.h"
#include "doubles/RecordingSettingsStore.h"
#include "support/Failures.h"
#include "support/TestEnvironment.h"

#include <QLocale>
#include <QStringList>
#include <QTest>

#include <functional>
#include <limits>

namespace {

const QStringList kOptionKeys = {QStringLiteral("Remember Last Converter"), QStringLiteral("Remember Last Units"),
                                 QStringLiteral("Remember Last Value"), QStringLiteral("Auto Convert"),
                                 QStringLiteral("Compact Form")};
const QStringList kHistoryKeys = {QStringLiteral("Last Converter"), QStringLiteral("Last From Unit"),
                                  QStringLiteral("Last To Unit"), QStringLiteral("Last Value")};

QString stored(const QString &section, const QString &key)
{
    return platform::settingsStore().read(app::programBaseName(), section, key, QStringLiteral("<absent>"));
}

void store(const QString &section, const QString &key, const QString &value)
{
    platform::settingsStore().write(app::programBaseName(), section, key, value);
}

QList<bool> optionValues(const Options &options)
{
    return {options.rememberCategory(), options.rememberUnits(), options.rememberValue(), options.autoConvert(), options.startCompact()};
}

void setOptionValues(Options &options, const QList<bool> &values)
{
    options.setRememberCategory(values.at(0));
    options.setRememberUnits(values.at(1));
    options.setRememberValue(values.at(2));
    options.setAutoConvert(values.at(3));
    options.setStartCompact(values.at(4));
}

void setHistory(ConversionHistory &history, qint16 converter, qint16 fromUnit, qint16 toUnit, double value)
{
    history.setLastCategory(converter);
    history.setLastFromUnit(fromUnit);
    history.setLastToUnit(toUnit);
    history.setLastValue(value);
}

} // namespace

class TestRecords : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_environment = std::make_unique<TestEnvironment>();
        QLocale::setDefault(QLocale::c());
        releaseProgramRecords();
    }
    void cleanup()
    {
        releaseProgramRecords();
        finishEnvironment(m_environment);
    }

    void firstRunReadsDefaults()
    {
        Options options;
        setOptionValues(options, {true, true, true, true, true});
        options.load();
        QCOMPARE(optionValues(options), QList<bool>({false, false, false, false, false}));

        ConversionHistory history;
        setHistory(history, 5, 6, 7, 8.0);
        history.load();
        QCOMPARE(history.lastCategory(), qint16(-1));
        QCOMPARE(history.lastFromUnit(), qint16(-1));
        QCOMPARE(history.lastToUnit(), qint16(-1));
        QCOMPARE(history.lastValue(), 1.0);
    }

    void optionTextsRead_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("one") << "1" << true;
        QTest::newRow("minus one") << "-1" << true;
        QTest::newRow("fraction") << "0.5" << true;
        QTest::newRow("TRUE in capitals") << "TRUE" << true;
        QTest::newRow("True as written") << "True" << true;
        QTest::newRow("mixed case true") << "tRuE" << true;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("zero with decimals") << "0.00" << false;
        QTest::newRow("false in small letters") << "false" << false;
        QTest::newRow("False as written") << "False" << false;
    }
    void optionTextsRead()
    {
        QFETCH(QString, text);
        QFETCH(bool, expected);
        for (const QString &key : kOptionKeys)
            store(QStringLiteral("Options"), key, text);
        Options options;
        setOptionValues(options, {!expected, !expected, !expected, !expected, !expected});
        options.load();
        QCOMPARE(optionValues(options), QList<bool>({expected, expected, expected, expected, expected}));
    }

    // Each option alone switched on catches a field stored under another field's key.
    void saveWritesWords_data()
    {
        QTest::addColumn<QList<bool>>("values");
        QTest::newRow("none") << QList<bool>{false, false, false, false, false};
        QTest::newRow("converter") << QList<bool>{true, false, false, false, false};
        QTest::newRow("units") << QList<bool>{false, true, false, false, false};
        QTest::newRow("value") << QList<bool>{false, false, true, false, false};
        QTest::newRow("auto convert") << QList<bool>{false, false, false, true, false};
        QTest::newRow("compact form") << QList<bool>{false, false, false, false, true};
        QTest::newRow("all") << QList<bool>{true, true, true, true, true};
    }
    void saveWritesWords()
    {
        QFETCH(QList<bool>, values);
        for (const QString &key : kOptionKeys)
            store(QStringLiteral("Options"), key, QStringLiteral("-1"));
        Options options;
        setOptionValues(options, values);
        options.save();
        for (qsizetype i = 0; i < kOptionKeys.size(); ++i)
            QCOMPARE(stored(QStringLiteral("Options"), kOptionKeys.at(i)),
                     values.at(i) ? QStringLiteral("True") : QStringLiteral("False"));

        Options reloaded;
        reloaded.load();
        QCOMPARE(optionValues(reloaded), values);
    }

    void recordsWriteAndReadInOrder()
    {
        RecordingSettingsStore &recorder = RecordingSettingsStore::install();
        Options options;
        setOptionValues(options, {true, false, true, false, true});
        options.save();
        ConversionHistory history;
        setHistory(history, 3, -1, 12, 2.5);
        history.save();
        QCOMPARE(recorder.callsOf(QStringLiteral("write")),
                 QStringList({"write Options/Remember Last Converter=True", "write Options/Remember Last Units=False",
                              "write Options/Remember Last Value=True", "write Options/Auto Convert=False",
                              "write Options/Compact Form=True", "write History/Last Converter=3",
                              "write History/Last From Unit=-1", "write History/Last To Unit=12",
                              "write History/Last Value=2.5"}));

        recorder.calls.clear();
        options.load();
        history.load();
        QCOMPARE(recorder.calls,
                 QStringList({"read Options/Remember Last Converter", "read Options/Remember Last Units",
                              "read Options/Remember Last Value", "read Options/Auto Convert",
                              "read Options/Compact Form", "read History/Last Converter",
                              "read History/Last From Unit", "read History/Last To Unit",
                              "read History/Last Value"}));
        // The application is the program file's base name, here the test program's.
        QCOMPARE(recorder.applications, QStringList({app::programBaseName()}));
        QCOMPARE(app::programBaseName(), QStringLiteral("tst_records"));
    }

    // The closing sequence saves both records in one change of the store: one write to the disk,
    // so a crash leaves the old or the new settings whole.
    void programRecordsAreSavedInOneChange()
    {
        RecordingSettingsStore &recorder = RecordingSettingsStore::install();
        setOptionValues(programOptions(), {true, false, true, false, true});
        setHistory(programHistory(), 3, -1, 12, 2.5);
        saveProgramRecords();
        QStringList changes;
        for (const QString &call : recorder.calls)
            changes.append(call.startsWith("write ") ? QStringLiteral("write") : call);
        QCOMPARE(changes, QStringList({"begin changes", "begin changes", "write", "write", "write", "write", "write",
                                       "end changes", "begin changes", "write", "write", "write", "write",
                                       "end changes", "end changes"}));
        QCOMPARE(recorder.callsOf("write").size(), kOptionKeys.size() + kHistoryKeys.size());
    }

    // A store that cannot be written stops the record at that key; the failure reaches the caller.
    void storeFailureReachesCaller_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("failingKey");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("options save") << "options save" << "Remember Last Value"
                                      << QStringList{"Remember Last Converter", "Remember Last Units"};
        QTest::newRow("history save") << "history save" << "Last To Unit"
                                      << QStringList{"Last Converter", "Last From Unit"};
        QTest::newRow("history delete") << "history delete" << "Last From Unit" << QStringList{};
    }
    void storeFailureReachesCaller()
    {
        QFETCH(QString, operation);
        QFETCH(QString, failingKey);
        QFETCH(QStringList, written);
        if (operation == QLatin1String("history delete")) {
            for (const QString &key : kHistoryKeys)
                store(QStringLiteral("History"), key, QStringLiteral("1"));
        }
        RecordingSettingsStore &recorder = RecordingSettingsStore::install();
        recorder.failingKey = failingKey;
        Options options;
        ConversionHistory history;
        const int number = failureNumber([&] {
            if (operation == QLatin1String("options save"))
                options.save();
            else if (operation == QLatin1String("history save"))
                history.save();
            else
                history.forget();
        });
        QCOMPARE(number, app::kErrPathFileAccess);
        QStringList writtenKeys;
        for (const QString &call : recorder.callsOf(QStringLiteral("write")))
            writtenKeys.append(call.section(QLatin1Char('/'), 1).section(QLatin1Char('='), 0, 0));
        writtenKeys.removeAll(failingKey);
        QCOMPARE(writtenKeys, written);
        if (operation == QLatin1String("history delete")) {
            // The first key went, the failing one stays, and nothing after it was touched.
            QCOMPARE(recorder.callsOf(QStringLiteral("remove")),
                     QStringList({"remove History/Last Converter", "remove History/Last From Unit"}));
            QCOMPARE(stored(QStringLiteral("History"), QStringLiteral("Last To Unit")), QStringLiteral("1"));
        }
    }

    void badOptionStopsReading_data()
    {
        QTest::addColumn<int>("badKey");
        QTest::addColumn<QString>("text");
        QTest::newRow("first key, a word") << 0 << "Yes";
        QTest::newRow("middle key, empty") << 2 << "";
        QTest::newRow("fourth key, number with letters") << 3 << "1x";
        QTest::newRow("last key, a word") << 4 << "Truth";
    }
    void badOptionStopsReading()
    {
        QFETCH(int, badKey);
        QFETCH(QString, text);
        for (qsizetype i = 0; i < kOptionKeys.size(); ++i)
            store(QStringLiteral("Options"), kOptionKeys.at(i), i == badKey ? text : QStringLiteral("True"));
        Options options;
        QCOMPARE(failureNumber([&] { options.load(); }), app::kErrTypeMismatch);
        QList<bool> expected;
        for (qsizetype i = 0; i < kOptionKeys.size(); ++i)
            expected.append(i < badKey);
        QCOMPARE(optionValues(options), expected);
    }

    void badHistoryStopsReading_data()
    {
        QTest::addColumn<int>("badKey");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("failure");
        QTest::newRow("converter garbage") << 0 << "abc" << app::kErrTypeMismatch;
        QTest::newRow("from unit too large") << 1 << "32768" << app::kErrOverflow;
        QTest::newRow("from unit too small") << 1 << "-32769" << app::kErrOverflow;
        QTest::newRow("to unit rounds beyond range") << 2 << "32767.5" << app::kErrOverflow;
        QTest::newRow("to unit huge") << 2 << "1E+300" << app::kErrOverflow;
        QTest::newRow("to unit garbage") << 2 << "2 units" << app::kErrTypeMismatch;
        QTest::newRow("value garbage") << 3 << "two" << app::kErrTypeMismatch;
        QTest::newRow("value empty") << 3 << "" << app::kErrTypeMismatch;
    }
    void badHistoryStopsReading()
    {
        QFETCH(int, badKey);
        QFETCH(QString, text);
        QFETCH(int, failure);
        const QStringList good = {QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("2.5")};
        for (qsizetype i = 0; i < kHistoryKeys.size(); ++i)
            store(QStringLiteral("History"), kHistoryKeys.at(i), i == badKey ? text : good.at(i));
        ConversionHistory history;
        setHistory(history, 7, 8, 9, 10.0);
        QCOMPARE(failureNumber([&] { history.load(); }), failure);
        QCOMPARE(history.lastCategory(), qint16(badKey > 0 ? 3 : 7));
        QCOMPARE(history.lastFromUnit(), qint16(badKey > 1 ? 4 : 8));
        QCOMPARE(history.lastToUnit(), qint16(badKey > 2 ? 5 : 9));
        QCOMPARE(history.lastValue(), 10.0);
    }

    void positionsRoundToEven_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("half rounds down to even") << "2.5" << 2;
        QTest::newRow("half rounds up to even") << "3.5" << 4;
        QTest::newRow("negative half") << "-2.5" << -2;
        QTest::newRow("below half") << "7.49" << 7;
        QTest::newRow("above half") << "7.51" << 8;
        QTest::newRow("top of range") << "32767.4" << 32767;
        QTest::newRow("bottom of range, half to even") << "-32768.5" << -32768;
        QTest::newRow("exponent") << "1.2E+3" << 1200;
    }
    void positionsRoundToEven()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        store(QStringLiteral("History"), QStringLiteral("Last Converter"), text);
        ConversionHistory history;
        history.load();
        QCOMPARE(int(history.lastCategory()), expected);
    }

    void valueSurvivesSaveAndLoad_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        const QLocale german(QLocale::German, QLocale::Germany);
        QTest::newRow("fraction") << QLocale::c() << 2.5 << "2.5";
        QTest::newRow("large") << QLocale::c() << 1e20 << "1E+20";
        QTest::newRow("small negative") << QLocale::c() << -1.5e-7 << "-1.5E-07";
        QTest::newRow("fifteen digits") << QLocale::c() << 123456789.012345 << "123456789.012345";
        QTest::newRow("fraction, comma locale") << german << 2.5 << "2,5";
        QTest::newRow("large, comma locale") << german << 1e20 << "1E+20";
        QTest::newRow("thousands, comma locale") << german << 1234.5 << "1234,5";
    }
    void valueSurvivesSaveAndLoad()
    {
        QFETCH(QLocale, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QLocale::setDefault(locale);
        ConversionHistory history;
        setHistory(history, 1, 2, 3, value);
        history.save();
        QCOMPARE(stored(QStringLiteral("History"), QStringLiteral("Last Value")), text);
        ConversionHistory reloaded;
        reloaded.load();
        QCOMPARE(reloaded.lastValue(), value);
        QCOMPARE(reloaded.lastCategory(), qint16(1));
        QCOMPARE(reloaded.lastFromUnit(), qint16(2));
        QCOMPARE(reloaded.lastToUnit(), qint16(3));
    }

    void largestValueReadsBack()
    {
        // Written rounded up to 15 digits, it was beyond a double and failed the next start.
        ConversionHistory history;
        history.setLastValue(std::numeric_limits<double>::max());
        history.save();
        ConversionHistory reloaded;
        reloaded.load();
        QCOMPARE(reloaded.lastValue(), 1.79769313486231e308);
    }

    void valueBeyondFifteenDigitsComesBackRounded()
    {
        ConversionHistory history;
        history.setLastValue(0.1 + 0.2); // 0.30000000000000004
        history.save();
        QCOMPARE(stored(QStringLiteral("History"), QStringLiteral("Last Value")), QStringLiteral("0.3"));
        history.load();
        QCOMPARE(history.lastValue(), 0.3);
    }

    void deleteHistoryRemovesPresentKeysOnly_data()
    {
        QTest::addColumn<int>("missingKey"); // -1: every key present; 4: none present
        QTest::newRow("all present") << -1;
        QTest::newRow("converter missing") << 0;
        QTest::newRow("from unit missing") << 1;
        QTest::newRow("to unit missing") << 2;
        QTest::newRow("value missing") << 3;
        QTest::newRow("none present") << 4;
    }
    void deleteHistoryRemovesPresentKeysOnly()
    {
        QFETCH(int, missingKey);
        QStringList expectedRemoves;
        for (qsizetype i = 0; i < kHistoryKeys.size(); ++i) {
            if (missingKey == 4 || i == missingKey)
                continue;
            store(QStringLiteral("History"), kHistoryKeys.at(i), QStringLiteral("2"));
            expectedRemoves.append(QStringLiteral("remove History/") + kHistoryKeys.at(i));
        }
        store(QStringLiteral("Options"), QStringLiteral("Auto Convert"), QStringLiteral("True"));
        RecordingSettingsStore &recorder = RecordingSettingsStore::install();

        ConversionHistory history;
        setHistory(history, 4, 5, 6, 7.5);
        history.forget();

        QCOMPARE(recorder.callsOf(QStringLiteral("remove")), expectedRemoves);
        QVERIFY(recorder.callsOf(QStringLiteral("write")).isEmpty());
        for (const QString &key : kHistoryKeys)
            QCOMPARE(stored(QStringLiteral("History"), key), QStringLiteral("<absent>"));
        QCOMPARE(stored(QStringLiteral("Options"), QStringLiteral("Auto Convert")), QStringLiteral("True"));
        QCOMPARE(history.lastCategory(), qint16(-1));
        QCOMPARE(history.lastFromUnit(), qint16(-1));
        QCOMPARE(history.lastToUnit(), qint16(-1));
        QCOMPARE(history.lastValue(), 0.0);
    }

    void wipeThenSaveWritesResetValues()
    {
        ConversionHistory history;
        setHistory(history, 2, 3, 4, 5.5);
        history.save();
        history.forget();
        history.save();
        const QStringList expected = {QStringLiteral("-1"), QStringLiteral("-1"), QStringLiteral("-1"),
                                      QStringLiteral("0")};
        for (qsizetype i = 0; i < kHistoryKeys.size(); ++i)
            QCOMPARE(stored(QStringLiteral("History"), kHistoryKeys.at(i)), expected.at(i));
    }

    void programRecordsLiveUntilReleased()
    {
        Options &options = programOptions();
        ConversionHistory &history = programHistory();
        QCOMPARE(&programOptions(), &options);
        QCOMPARE(&programHistory(), &history);
        QCOMPARE(optionValues(options), QList<bool>({false, false, false, false, false}));
        QCOMPARE(history.lastCategory(), qint16(0));
        QCOMPARE(history.lastValue(), 0.0);
        programOptions().setRememberCategory(true);
        programHistory().setLastCategory(9);
        QVERIFY(programOptions().rememberCategory());
        QCOMPARE(programHistory().lastCategory(), qint16(9));

        releaseProgramRecords();
        QVERIFY(!programOptions().rememberCategory());
        QCOMPARE(programHistory().lastCategory(), qint16(0));
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
