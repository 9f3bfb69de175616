#include "core/base/AppInfo.h"
#include "core/base/Failure.h"
#include "core/settings/ProgramRecords.h"
#include "doubles/RecordingSettingsStore.h"
#include "support/Failures.h"
#include "support/TestEnvironment.h"

#include <QLocale>
#include <QStringList>
#include <QTest>

#include <limits>

namespace {

const QStringList kOptionKeys = {"Remember Last Converter", "Remember Last Units", "Remember Last Value",
                                 "Auto Convert", "Compact Form"};
const QStringList kHistoryKeys = {"Last Converter", "Last From Unit", "Last To Unit", "Last Value"};

QString stored(const QString &section, const QString &key)
{
    return platform::settingsStore().read(app::programBaseName(), section, key, "<absent>");
}

void store(const QString &section, const QStringList &keys, const QStringList &values)
{
    for (qsizetype i = 0; i < keys.size(); ++i)
        platform::settingsStore().write(app::programBaseName(), section, keys.at(i), values.at(i));
}

QList<bool> optionValues(const Options &options)
{
    return {options.rememberCategory(), options.rememberUnits(), options.rememberValue(), options.autoConvert(),
            options.startCompact()};
}

void setOptionValues(Options &options, const QList<bool> &values)
{
    options.setRememberCategory(values.at(0));
    options.setRememberUnits(values.at(1));
    options.setRememberValue(values.at(2));
    options.setAutoConvert(values.at(3));
    options.setStartCompact(values.at(4));
}

QList<double> historyValues(const ConversionHistory &history)
{
    return {double(history.lastCategory()), double(history.lastFromUnit()), double(history.lastToUnit()),
            history.lastValue()};
}

void setHistory(ConversionHistory &history, const QList<double> &values)
{
    history.setLastCategory(qint16(values.at(0)));
    history.setLastFromUnit(qint16(values.at(1)));
    history.setLastToUnit(qint16(values.at(2)));
    history.setLastValue(values.at(3));
}

} // namespace

// The options and the last conversion as the settings store keeps them.
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
        setHistory(history, {5, 6, 7, 8});
        history.load();
        QCOMPARE(historyValues(history), QList<double>({-1, -1, -1, 1}));
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
        store("Options", kOptionKeys, QStringList(kOptionKeys.size(), text));
        Options options;
        setOptionValues(options, QList<bool>(5, !expected));
        options.load();
        QCOMPARE(optionValues(options), QList<bool>(5, expected));
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
        store("Options", kOptionKeys, QStringList(kOptionKeys.size(), "-1"));
        Options options;
        setOptionValues(options, values);
        options.save();
        for (qsizetype i = 0; i < kOptionKeys.size(); ++i)
            QCOMPARE(stored("Options", kOptionKeys.at(i)), values.at(i) ? "True" : "False");
        Options reloaded;
        reloaded.load();
        QCOMPARE(optionValues(reloaded), values);
    }

    // The closing sequence saves both records in one change of the store: one write to the disk,
    // so a crash leaves the old or the new settings whole.
    void programRecordsAreSavedInOneChange()
    {
        RecordingSettingsStore &recorder = RecordingSettingsStore::install();
        setOptionValues(programOptions(), {true, false, true, false, true});
        setHistory(programHistory(), {3, -1, 12, 2.5});
        saveProgramRecords();
        QStringList changes;
        for (const QString &call : recorder.calls)
            changes.append(call.startsWith("write ") ? QStringLiteral("write") : call);
        QCOMPARE(changes, QStringList({"begin changes", "begin changes", "write", "write", "write", "write", "write",
                                       "end changes", "begin changes", "write", "write", "write", "write",
                                       "end changes", "end changes"}));
    }

    void programRecordsLiveUntilReleased()
    {
        QCOMPARE(&programOptions(), &programOptions());
        QCOMPARE(&programHistory(), &programHistory());
        programOptions().setRememberCategory(true);
        programHistory().setLastCategory(9);
        releaseProgramRecords();
        QCOMPARE(optionValues(programOptions()), QList<bool>({false, false, false, false, false}));
        QCOMPARE(historyValues(programHistory()), QList<double>({0, 0, 0, 0}));
    }

    // A store that cannot be written stops the record at that key; the failure reaches the caller.
    void storeFailureReachesCaller_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("failingKey");
        QTest::addColumn<QStringList>("changed"); // the keys written or removed before it
        QTest::newRow("options save") << "options save" << "Remember Last Value"
                                      << QStringList{"Remember Last Converter", "Remember Last Units"};
        QTest::newRow("history save") << "history save" << "Last To Unit"
                                      << QStringList{"Last Converter", "Last From Unit"};
        QTest::newRow("history delete") << "history delete" << "Last From Unit" << QStringList{"Last Converter"};
    }
    void storeFailureReachesCaller()
    {
        QFETCH(QString, operation);
        QFETCH(QString, failingKey);
        QFETCH(QStringList, changed);
        store("History", kHistoryKeys, {"1", "1", "1", "1"});
        RecordingSettingsStore &recorder = RecordingSettingsStore::install();
        recorder.failingKey = failingKey;
        Options options;
        ConversionHistory history;
        const int number = failureNumber([&] {
            if (operation == "options save")
                options.save();
            else if (operation == "history save")
                history.save();
            else
                history.forget();
        });
        QCOMPARE(number, app::kErrPathFileAccess);
        QStringList changedKeys;
        for (const QString &call : recorder.calls) {
            const QString key = call.section('/', 1).section('=', 0, 0);
            if ((call.startsWith("write ") || call.startsWith("remove ")) && key != failingKey)
                changedKeys.append(key);
        }
        QCOMPARE(changedKeys, changed);
        // Nothing after the failing key was touched.
        QCOMPARE(stored("History", "Last Value"), QStringLiteral("1"));
    }

    // Damaged settings: reading stops at the first text that is no value of its kind, and the
    // failure reaches the caller; the keys before it were read.
    void damagedSettingsStopReading_data()
    {
        QTest::addColumn<bool>("options");
        QTest::addColumn<int>("badKey");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("failure");
        QTest::newRow("first option, a word") << true << 0 << "Yes" << app::kErrTypeMismatch;
        QTest::newRow("middle option, empty") << true << 2 << "" << app::kErrTypeMismatch;
        QTest::newRow("fourth option, number with letters") << true << 3 << "1x" << app::kErrTypeMismatch;
        QTest::newRow("last option, a word") << true << 4 << "Truth" << app::kErrTypeMismatch;
        QTest::newRow("converter garbage") << false << 0 << "abc" << app::kErrTypeMismatch;
        QTest::newRow("from unit too large") << false << 1 << "32768" << app::kErrOverflow;
        QTest::newRow("from unit too small") << false << 1 << "-32769" << app::kErrOverflow;
        QTest::newRow("to unit rounds beyond range") << false << 2 << "32767.5" << app::kErrOverflow;
        QTest::newRow("to unit huge") << false << 2 << "1E+300" << app::kErrOverflow;
        QTest::newRow("to unit garbage") << false << 2 << "2 units" << app::kErrTypeMismatch;
        QTest::newRow("value garbage") << false << 3 << "two" << app::kErrTypeMismatch;
        QTest::newRow("value empty") << false << 3 << "" << app::kErrTypeMismatch;
    }
    void damagedSettingsStopReading()
    {
        QFETCH(bool, options);
        QFETCH(int, badKey);
        QFETCH(QString, text);
        QFETCH(int, failure);
        if (options) {
            QStringList texts(kOptionKeys.size(), "True");
            texts[badKey] = text;
            store("Options", kOptionKeys, texts);
            Options read;
            QCOMPARE(failureNumber([&] { read.load(); }), failure);
            QList<bool> expected;
            for (int i = 0; i < 5; ++i)
                expected.append(i < badKey);
            QCOMPARE(optionValues(read), expected);
        } else {
            QStringList texts{"3", "4", "5", "2.5"};
            texts[badKey] = text;
            store("History", kHistoryKeys, texts);
            ConversionHistory read;
            setHistory(read, {7, 8, 9, 10});
            QCOMPARE(failureNumber([&] { read.load(); }), failure);
            QCOMPARE(historyValues(read),
                     QList<double>({badKey > 0 ? 3.0 : 7.0, badKey > 1 ? 4.0 : 8.0, badKey > 2 ? 5.0 : 9.0, 10}));
        }
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
        store("History", {"Last Converter"}, {text});
        ConversionHistory history;
        history.load();
        QCOMPARE(int(history.lastCategory()), expected);
    }

    void valueSurvivesSaveAndLoad_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("readBack");
        const QLocale german(QLocale::German, QLocale::Germany);
        QTest::newRow("fraction") << QLocale::c() << 2.5 << "2.5" << 2.5;
        QTest::newRow("large") << QLocale::c() << 1e20 << "1E+20" << 1e20;
        QTest::newRow("small negative") << QLocale::c() << -1.5e-7 << "-1.5E-07" << -1.5e-7;
        QTest::newRow("fifteen digits") << QLocale::c() << 123456789.012345 << "123456789.012345" << 123456789.012345;
        QTest::newRow("beyond fifteen digits comes back rounded") << QLocale::c() << 0.1 + 0.2 << "0.3" << 0.3;
        // Written rounded up to 15 digits, it was beyond a double and failed the next start.
        QTest::newRow("largest double") << QLocale::c() << std::numeric_limits<double>::max()
                                        << "1.79769313486231E+308" << 1.79769313486231e308;
        QTest::newRow("fraction, comma locale") << german << 2.5 << "2,5" << 2.5;
        QTest::newRow("large, comma locale") << german << 1e20 << "1E+20" << 1e20;
        QTest::newRow("thousands, comma locale") << german << 1234.5 << "1234,5" << 1234.5;
    }
    void valueSurvivesSaveAndLoad()
    {
        QFETCH(QLocale, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QFETCH(double, readBack);
        QLocale::setDefault(locale);
        ConversionHistory history;
        setHistory(history, {1, 2, 3, value});
        history.save();
        QCOMPARE(stored("History", "Last Value"), text);
        ConversionHistory reloaded;
        reloaded.load();
        QCOMPARE(historyValues(reloaded), QList<double>({1, 2, 3, readBack}));
    }

    void deleteHistoryRemovesPresentKeysOnly_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::newRow("all present") << kHistoryKeys;
        for (qsizetype missing = 0; missing < kHistoryKeys.size(); ++missing) {
            QStringList present = kHistoryKeys;
            present.removeAt(missing);
            QTest::addRow("%s missing", qPrintable(kHistoryKeys.at(missing))) << present;
        }
        QTest::newRow("none present") << QStringList();
    }
    void deleteHistoryRemovesPresentKeysOnly()
    {
        QFETCH(QStringList, present);
        store("History", present, QStringList(present.size(), "2"));
        store("Options", {"Auto Convert"}, {"True"});
        RecordingSettingsStore &recorder = RecordingSettingsStore::install();
        ConversionHistory history;
        setHistory(history, {4, 5, 6, 7.5});
        history.forget();

        QStringList removed;
        for (const QString &key : present)
            removed.append("remove History/" + key);
        QCOMPARE(recorder.callsOf("remove"), removed);
        QVERIFY(recorder.callsOf("write").isEmpty());
        for (const QString &key : kHistoryKeys)
            QCOMPARE(stored("History", key), QStringLiteral("<absent>"));
        QCOMPARE(stored("Options", "Auto Convert"), QStringLiteral("True"));
        QCOMPARE(historyValues(history), QList<double>({-1, -1, -1, 0}));
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
