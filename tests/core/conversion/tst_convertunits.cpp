#include "doubles/FakeConversionView.h"

#include "core/base/AppInfo.h"
#include "core/base/ReportError.h"
#include "core/conversion/ConvertTemperature.h"
#include "core/conversion/ConvertUnits.h"
#include "core/platform/SettingsStore.h"
#include "core/settings/ConversionHistory.h"
#include "core/settings/Options.h"
#include "support/TestEnvironment.h"

#include <QTest>

#include <memory>

using conversion::ConvertTemperature;
using conversion::ConvertUnits;
using conversion::TemperatureResult;

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

const QString kCelsius = QStringLiteral("Degrees Celsius (\u00BAC)");
const QString kFahrenheit = QStringLiteral("Degrees Fahrenheit (\u00BAF)");
const QString kRankine = QStringLiteral("Degrees Rankine (\u00BAR)");
const QString kKelvin = QStringLiteral("Kelvin (K)");

// Factor texts by file line, as the list loader stores them (always in the catalogue's fixed
// format), with the unit names the lists show for them.
const conversion::FactorTable kFactors = {
    QStringLiteral("1"),      QStringLiteral("0.3048"), QStringLiteral("1000"),
    QString(),                QStringLiteral("abc"),    QStringLiteral("0"),
    QStringLiteral("-1"),     QStringLiteral("1E+300"), QStringLiteral("1E-300")};
const QStringList kNames = {QStringLiteral("Meter"), QStringLiteral("Foot"),     QStringLiteral("Kilometer"),
                            QStringLiteral("Blank"), QStringLiteral("Word"),     QStringLiteral("Nothing"),
                            QStringLiteral("Negative"), QStringLiteral("Huge"), QStringLiteral("Tiny")};
enum Line { Meter, Foot, Kilometer, Blank, Word, Nothing, Negative, Huge, Tiny, Missing = 99 };
constexpr int kNoSelection = -1;

QString invalidNumberText(const QString &shownEntry)
{
    return QLatin1Char('"') + shownEntry + QStringLiteral("\" is an invalid number.\rYour entry will be changed to 1");
}

// A view on a factor category with the two units of the given lines selected.
FakeConversionView factorView(int fromLine, int toLine, const QString &number, const QString &places = QStringLiteral("5"))
{
    FakeConversionView view;
    view.category = QStringLiteral("Length");
    view.categoryPosition = 3;
    view.fromPosition = 1;
    view.toPosition = 2;
    if (fromLine != kNoSelection) {
        view.fromTag = fromLine;
        view.fromUnit = kNames.value(fromLine);
    }
    if (toLine != kNoSelection) {
        view.toTag = toLine;
        view.toUnit = kNames.value(toLine);
    }
    view.number = number;
    view.decimalPlaces = places;
    return view;
}

FakeConversionView temperatureView(const QString &from, const QString &to, const QString &number,
                                   const QString &places = QStringLiteral("5"))
{
    FakeConversionView view;
    view.category = QStringLiteral("Temperature");
    view.fromUnit = from;
    view.toUnit = to;
    view.number = number;
    view.decimalPlaces = places;
    return view; // no tags: a temperature conversion never reads a factor
}

QString storedHistory(const QString &key)
{
    return platform::settingsStore().read(app::programBaseName(), QStringLiteral("History"), key,
                                          QStringLiteral("absent"));
}

} // namespace

class TestConvertUnits : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_environment = std::make_unique<TestEnvironment>();
        QLocale::setDefault(kEnglish);
        m_options = Options();
        m_history = ConversionHistory();
    }
    void cleanup()
    {
        finishEnvironment(m_environment); // also restores the default locale
    }

    void convertsByFactors_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("fromLine");
        QTest::addColumn<int>("toLine");
        QTest::addColumn<QString>("places");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("message");    // empty: no message
        QTest::addColumn<QString>("numberText"); // the number box afterwards
        QTest::addColumn<QString>("result");

        QTest::newRow("foot to meter") << kEnglish << int(Foot) << int(Meter) << "5" << "10" << "" << "10"
                                       << "10 Foot = 3.048 Meter";
        QTest::newRow("one place keeps the point") << kEnglish << int(Foot) << int(Meter) << "1" << "10" << "" << "10"
                                                   << "10 Foot = 3. Meter";
        QTest::newRow("negative converted as positive") << kEnglish << int(Foot) << int(Meter) << "5" << "-10" << ""
                                                        << "10" << "10 Foot = 3.048 Meter";
        QTest::newRow("zero") << kEnglish << int(Foot) << int(Meter) << "5" << "0" << "" << "0" << "0 Foot = 0. Meter";
        QTest::newRow("grouped result") << kEnglish << int(Meter) << int(Meter) << "5" << "1234567" << "" << "1234567"
                                        << "1234567 Meter = 1,234,567. Meter";
        QTest::newRow("grouped entry rewritten") << kEnglish << int(Foot) << int(Meter) << "5" << "1,000" << ""
                                                 << "1000" << "1000 Foot = 304.8 Meter";
        QTest::newRow("trailing zero dropped") << kEnglish << int(Foot) << int(Meter) << "5" << "2.50" << "" << "2.5"
                                               << "2.5 Foot = 0.762 Meter";
        QTest::newRow("word becomes one") << kEnglish << int(Foot) << int(Meter) << "5" << "abc"
                                          << invalidNumberText("abc") << "1" << "1 Foot = 0.3048 Meter";
        QTest::newRow("empty becomes one") << kEnglish << int(Foot) << int(Meter) << "5" << ""
                                           << invalidNumberText(" ") << "1" << "1 Foot = 0.3048 Meter";
        QTest::newRow("quarter ties to even") << kEnglish << int(Meter) << int(Meter) << "1" << "0.25" << "" << "0.25"
                                              << "0.25 Meter = 0.2 Meter";
        QTest::newRow("three quarters ties to even") << kEnglish << int(Meter) << int(Meter) << "1" << "0.75" << ""
                                                     << "0.75" << "0.75 Meter = 0.8 Meter";
        QTest::newRow("eighth at two places") << kEnglish << int(Meter) << int(Meter) << "2" << "0.125" << ""
                                              << "0.125" << "0.125 Meter = 0.12 Meter";
        QTest::newRow("small result at nine places") << kEnglish << int(Foot) << int(Kilometer) << "9" << "1" << ""
                                                     << "1" << "1 Foot = 0.0003048 Kilometer";
        QTest::newRow("small result rounded away") << kEnglish << int(Foot) << int(Kilometer) << "3" << "1" << ""
                                                   << "1" << "1 Foot = 0. Kilometer";
        QTest::newRow("negative result rounding to zero has no sign")
            << kEnglish << int(Negative) << int(Meter) << "9" << "4E-11" << "" << "4E-11"
            << "4E-11 Negative = 0. Meter";
        QTest::newRow("negative factor") << kEnglish << int(Negative) << int(Meter) << "5" << "2" << "" << "2"
                                         << "2 Negative = -2. Meter";
        QTest::newRow("exponent entry rewritten plain") << kEnglish << int(Meter) << int(Meter) << "5" << "1e3" << ""
                                                        << "1000" << "1000 Meter = 1,000. Meter";
        QTest::newRow("large value written in full") << kEnglish << int(Meter) << int(Meter) << "5" << "1E+20" << ""
                                                     << "1E+20" << "1E+20 Meter = 100,000,000,000,000,000,000. Meter";
        QTest::newRow("digits beyond the fifteenth are zeros")
            << kEnglish << int(Meter) << int(Meter) << "5" << "1.2345678901234567E+20" << ""
            << "1.23456789012346E+20" << "1.23456789012346E+20 Meter = 123,456,789,012,346,000,000. Meter";
        QTest::newRow("half places round to even") << kEnglish << int(Meter) << int(Meter) << "2.5" << "0.125" << ""
                                                   << "0.125" << "0.125 Meter = 0.12 Meter";

        // Factors keep their point in every locale; the number and the result follow the user's.
        QTest::newRow("german foot to meter") << kGerman << int(Foot) << int(Meter) << "5" << "10" << "" << "10"
                                              << "10 Foot = 3,048 Meter";
        QTest::newRow("german decimal comma") << kGerman << int(Foot) << int(Meter) << "5" << "2,5" << "" << "2,5"
                                              << "2,5 Foot = 0,762 Meter";
        QTest::newRow("german grouped thousand") << kGerman << int(Foot) << int(Meter) << "5" << "1.000" << ""
                                                 << "1000" << "1000 Foot = 304,8 Meter";
        QTest::newRow("german grouped result") << kGerman << int(Meter) << int(Meter) << "5" << "1234567" << ""
                                               << "1234567" << "1234567 Meter = 1.234.567, Meter";
        QTest::newRow("german comma is the decimal") << kGerman << int(Foot) << int(Meter) << "5" << "1,000" << ""
                                                     << "1" << "1 Foot = 0,3048 Meter";
        QTest::newRow("german one place") << kGerman << int(Foot) << int(Meter) << "1" << "10" << "" << "10"
                                          << "10 Foot = 3, Meter";
        QTest::newRow("german word") << kGerman << int(Foot) << int(Meter) << "5" << "abc" << invalidNumberText("abc")
                                     << "1" << "1 Foot = 0,3048 Meter";
    }
    void convertsByFactors()
    {
        QFETCH(QLocale, locale);
        QFETCH(int, fromLine);
        QFETCH(int, toLine);
        QFETCH(QString, places);
        QFETCH(QString, entry);
        QFETCH(QString, message);
        QFETCH(QString, numberText);
        QFETCH(QString, result);

        QLocale::setDefault(locale);
        FakeConversionView view = factorView(fromLine, toLine, entry, places);
        if (!message.isEmpty())
            m_environment->boxes().expectOK();
        ConvertUnits(view, kFactors, m_options, m_history);

        QCOMPARE(view.number, numberText);
        QCOMPARE(view.result, result);
        if (!message.isEmpty()) {
            QCOMPARE(m_environment->boxes().shown().size(), 1);
            const platform::MessageBoxRequest &box = m_environment->boxes().shown().first();
            QCOMPARE(box.text, message);
            QCOMPARE(box.icon, platform::Icon::Exclamation);
            QCOMPARE(box.buttons, platform::Buttons::OK);
            QCOMPARE(box.title, QStringLiteral("Tallimer"));
        }
    }

    void onlyTheExactTemperatureNameUsesFormulas()
    {
        FakeConversionView view = temperatureView(kCelsius, kKelvin, QStringLiteral("-40"));
        view.category = QStringLiteral("temperature");
        view.fromTag = int(Meter);
        view.toTag = int(Meter);
        ConvertUnits(view, kFactors, m_options, m_history);
        QCOMPARE(view.number, QStringLiteral("40"));
        QCOMPARE(view.result, QStringLiteral("40 ") + kCelsius + QStringLiteral(" = 40. ") + kKelvin);
    }

    void convertsTemperatures_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("places");
        QTest::addColumn<QString>("converted"); // empty: refused below absolute zero

        for (const char *places : {"1", "5", "9"})
            QTest::addRow("-40 celsius keeps its sign at %s places", places)
                << kCelsius << kFahrenheit << "-40" << places << "-40.";
        QTest::newRow("freezing point") << kCelsius << kFahrenheit << "0" << "5" << "32.";
        QTest::newRow("boiling point") << kCelsius << kFahrenheit << "100" << "5" << "212.";
        QTest::newRow("fahrenheit freezing") << kFahrenheit << kCelsius << "32" << "5" << "0.";
        QTest::newRow("fahrenheit boiling") << kFahrenheit << kCelsius << "212" << "5" << "100.";
        QTest::newRow("absolute zero celsius accepted") << kCelsius << kFahrenheit << "-273.15" << "5" << "-459.67";
        QTest::newRow("absolute zero fahrenheit accepted") << kFahrenheit << kKelvin << "-459.67" << "5" << "0.";
        QTest::newRow("zero rankine") << kRankine << kCelsius << "0" << "5" << "-273.15";
        QTest::newRow("celsius to rankine") << kCelsius << kRankine << "0" << "5" << "491.67";
        QTest::newRow("same scale noise rounded away") << kCelsius << kCelsius << "0.1" << "9" << "0.1";
        QTest::newRow("grouped entry kept as typed") << kCelsius << kFahrenheit << "1,000" << "5" << "1,832.";
        QTest::newRow("below absolute zero celsius") << kCelsius << kFahrenheit << "-273.16" << "5" << "";
        QTest::newRow("below absolute zero kelvin") << kKelvin << kCelsius << "-1" << "5" << "";
        QTest::newRow("unknown name is kelvin") << QStringLiteral("Degrees Celsius (\u00B0C)") << kCelsius << "-1"
                                                << "5" << "";
    }
    void convertsTemperatures()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, entry);
        QFETCH(QString, places);
        QFETCH(QString, converted);

        FakeConversionView view = temperatureView(from, to, entry, places);
        if (converted.isEmpty())
            m_environment->boxes().expectOK();
        ConvertUnits(view, kFactors, m_options, m_history);

        QCOMPARE(view.number, entry); // the number box is never rewritten for temperatures
        if (converted.isEmpty()) {
            QCOMPARE(view.result, QString());
            QCOMPARE(m_environment->boxes().shownTexts(), QStringList{QStringLiteral("Try Again, below absolute zero.")});
            QCOMPARE(m_environment->boxes().shown().first().icon, platform::Icon::None);
            QCOMPARE(m_environment->boxes().shown().first().buttons, platform::Buttons::OK);
        } else {
            QCOMPARE(view.result, entry + QLatin1Char(' ') + from + QStringLiteral(" = ") + converted
                                      + QLatin1Char(' ') + to);
        }
    }

    void invalidTemperatureEntryConvertsOne()
    {
        FakeConversionView view = temperatureView(kCelsius, kFahrenheit, QStringLiteral("warm"));
        m_environment->boxes().expectOK();
        ConvertUnits(view, kFactors, m_options, m_history);
        QCOMPARE(m_environment->boxes().shownTexts(), QStringList{invalidNumberText(QStringLiteral("warm"))});
        QCOMPARE(view.result, QStringLiteral("1 ") + kCelsius + QStringLiteral(" = 33.8 ") + kFahrenheit);
    }

    // Values before rounding, so the order of the operations shows in the last binary digit.
    void temperatureFormulas_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        QTest::newRow("-40 celsius") << kCelsius << kFahrenheit << -40.0 << -40.0;
        QTest::newRow("absolute zero celsius") << kCelsius << kFahrenheit << -273.15 << -459.66999999999996;
        QTest::newRow("celsius to rankine") << kCelsius << kRankine << 0.0 << 491.66999999999996;
        QTest::newRow("celsius to itself") << kCelsius << kCelsius << 0.1 << 0.10000000000002274;
        QTest::newRow("rankine to kelvin") << kRankine << kKelvin << 9.0 << 5.0;
        QTest::newRow("exactly zero kelvin") << kKelvin << kKelvin << 0.0 << 0.0;
    }
    void temperatureFormulas()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(double, value);
        QFETCH(double, expected);
        FakeConversionView view;
        const TemperatureResult result = ConvertTemperature(view, value, from, to);
        QVERIFY(result.hasValue());
        QCOMPARE(result.value(), expected);
        QCOMPARE(view.resultWrites, QStringList{QString()}); // emptied first, nothing else
    }

    void temperatureOverflowIsReportedAndGivesNoValue()
    {
        FakeConversionView view;
        m_environment->boxes().expectOK();
        const TemperatureResult result = ConvertTemperature(view, 1e308, kKelvin, kRankine);
        QCOMPARE(result.outcome(), TemperatureResult::Outcome::Empty);
        QCOMPARE(view.result, QString());
        QCOMPARE(m_environment->boxes().shownTexts(),
                 QStringList{app::errorReportText(QStringLiteral("Temp Converter"), app::Failure(app::kErrOverflow))});

        // Through the conversion nothing more is reported and no result is written.
        FakeConversionView whole = temperatureView(kKelvin, kRankine, QStringLiteral("1E+308"));
        m_environment->boxes().expectOK();
        ConvertUnits(whole, kFactors, m_options, m_history);
        QCOMPARE(m_environment->boxes().shown().size(), 2);
        QCOMPARE(whole.result, QString());
    }

    void recordsTheHistory_data()
    {
        QTest::addColumn<bool>("rluc");
        QTest::addColumn<bool>("rluu");
        QTest::addColumn<bool>("rluv");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("lastConverter");
        QTest::addColumn<int>("lastFromUnit");
        QTest::addColumn<int>("lastToUnit");
        QTest::addColumn<double>("lastValue");

        // Before each conversion the record holds 5, 6, 7, 2.5; the view's positions are 3, 1, 2.
        QTest::newRow("converter off wipes") << false << false << false << "7" << -1 << -1 << -1 << 0.0;
        QTest::newRow("converter off wipes whatever value says") << false << true << true << "7" << -1 << -1 << -1 << 0.0;
        QTest::newRow("converter off wipes after a bad entry") << false << false << true << "abc" << -1 << -1 << -1 << 0.0;
        QTest::newRow("converter only") << true << false << false << "7" << 3 << 6 << 7 << 2.5;
        QTest::newRow("converter and value") << true << false << true << "7" << 3 << 6 << 7 << 7.0;
        QTest::newRow("value as typed, sign included") << true << false << true << "-12" << 3 << 6 << 7 << -12.0;
        QTest::newRow("bad entry stores one") << true << false << true << "abc" << 3 << 6 << 7 << 1.0;
        QTest::newRow("converter and units") << true << true << false << "7" << 3 << 1 << 2 << 2.5;
        QTest::newRow("everything") << true << true << true << "1,000" << 3 << 1 << 2 << 1000.0;
    }
    void recordsTheHistory()
    {
        QFETCH(bool, rluc);
        QFETCH(bool, rluu);
        QFETCH(bool, rluv);
        QFETCH(QString, entry);
        QFETCH(int, lastConverter);
        QFETCH(int, lastFromUnit);
        QFETCH(int, lastToUnit);
        QFETCH(double, lastValue);

        m_history.setLastCategory(5);
        m_history.setLastFromUnit(6);
        m_history.setLastToUnit(7);
        m_history.setLastValue(2.5);
        m_history.save();
        m_options.setRememberCategory(rluc);
        m_options.setRememberUnits(rluu);
        m_options.setRememberValue(rluv);

        FakeConversionView view = factorView(Foot, Meter, entry);
        if (entry == QLatin1String("abc"))
            m_environment->boxes().expectOK();
        ConvertUnits(view, kFactors, m_options, m_history);

        QCOMPARE(int(m_history.lastCategory()), lastConverter);
        QCOMPARE(int(m_history.lastFromUnit()), lastFromUnit);
        QCOMPARE(int(m_history.lastToUnit()), lastToUnit);
        QCOMPARE(m_history.lastValue(), lastValue);
        // A wipe also removes the stored keys at once; otherwise the store is not touched.
        const QString stored = rluc ? QStringLiteral("5") : QStringLiteral("absent");
        QCOMPARE(storedHistory(QStringLiteral("Last Converter")), stored);
        QCOMPARE(storedHistory(QStringLiteral("Last Value")), rluc ? QStringLiteral("2.5") : QStringLiteral("absent"));
    }

    void failuresEndTheConversion_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<int>("fromLine");
        QTest::addColumn<int>("toLine");
        QTest::addColumn<QString>("places");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("numberText"); // the number box afterwards
        QTest::addColumn<bool>("historyRecorded");

        const QString length = QStringLiteral("Length");
        QTest::newRow("decimal places not a number") << length << int(Foot) << int(Meter) << "x" << "-10"
                                                     << app::kErrTypeMismatch << "-10" << false;
        QTest::newRow("negative decimal places") << length << int(Foot) << int(Meter) << "-1" << "-10"
                                                 << app::kErrInvalidProcedureCall << "10" << true;
        QTest::newRow("no from-unit selected") << length << kNoSelection << int(Meter) << "5" << "-10"
                                               << app::kErrInvalidPropertyArrayIndex << "-10" << true;
        QTest::newRow("no to-unit selected") << length << int(Foot) << kNoSelection << "5" << "-10"
                                             << app::kErrInvalidPropertyArrayIndex << "-10" << true;
        QTest::newRow("no unit selected in temperature written in lower case")
            << "temperature" << kNoSelection << kNoSelection << "5" << "-10" << app::kErrInvalidPropertyArrayIndex
            << "-10" << true;
        QTest::newRow("tag beyond the factor table") << length << int(Missing) << int(Meter) << "5" << "-10"
                                                     << app::kErrSubscriptOutOfRange << "-10" << true;
        QTest::newRow("blank factor") << length << int(Blank) << int(Meter) << "5" << "-10" << app::kErrTypeMismatch
                                      << "-10" << true;
        QTest::newRow("factor not a number") << length << int(Foot) << int(Word) << "5" << "-10"
                                             << app::kErrTypeMismatch << "-10" << true;
        QTest::newRow("to-factor zero") << length << int(Foot) << int(Nothing) << "5" << "-10"
                                        << app::kErrDivisionByZero << "-10" << true;
        QTest::newRow("both factors zero") << length << int(Nothing) << int(Nothing) << "5" << "-10"
                                           << app::kErrDivisionByZero << "-10" << true;
        QTest::newRow("ratio beyond a double") << length << int(Huge) << int(Tiny) << "5" << "-10"
                                               << app::kErrOverflow << "-10" << true;
        QTest::newRow("product beyond a double") << length << int(Huge) << int(Meter) << "5" << "-1E+300"
                                                 << app::kErrOverflow << "1E+300" << true;
    }
    void failuresEndTheConversion()
    {
        QFETCH(QString, category);
        QFETCH(int, fromLine);
        QFETCH(int, toLine);
        QFETCH(QString, places);
        QFETCH(QString, entry);
        QFETCH(int, failure);
        QFETCH(QString, numberText);
        QFETCH(bool, historyRecorded);

        m_options.setRememberCategory(true);
        m_options.setRememberUnits(true);
        m_options.setRememberValue(true);
        m_history.setLastCategory(5);
        FakeConversionView view = factorView(fromLine, toLine, entry, places);
        view.category = category;
        m_environment->boxes().expectOK();
        ConvertUnits(view, kFactors, m_options, m_history);

        QCOMPARE(m_environment->boxes().shownTexts(),
                 QStringList{app::errorReportText(QStringLiteral("Converter"), app::Failure(failure))});
        QCOMPARE(m_environment->boxes().shown().first().icon, platform::Icon::Exclamation);
        QCOMPARE(view.resultWrites, QStringList());
        QCOMPARE(view.result, QStringLiteral("previous result"));
        QCOMPARE(view.number, numberText);
        QCOMPARE(int(m_history.lastCategory()), historyRecorded ? 3 : 5);
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
    Options m_options;
    ConversionHistory m_history;
};

QTEST_GUILESS_MAIN(TestConvertUnits)
#include "tst_convertunits.moc"
