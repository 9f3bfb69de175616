#include "doubles/FakeConversionView.h"

#include "core/base/AppInfo.h"
#include "core/base/ReportError.h"
#include "core/conversion/ConvertTemperature.h"
#include "core/conversion/ConvertUnits.h"
#include "core/platform/SettingsStore.h"
#include "core/settings/ConversionHistory.h"
#include "core/settings/Options.h"
#include "support/ShownBoxes.h"
#include "support/TestEnvironment.h"

#include <QTest>

#include <memory>

using conversion::ConvertUnits;
using platform::MessageBoxRequest;
using Boxes = QList<MessageBoxRequest>;

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

const QString kCelsius = QStringLiteral("Degrees Celsius (\u00BAC)");
const QString kFahrenheit = QStringLiteral("Degrees Fahrenheit (\u00BAF)");
const QString kRankine = QStringLiteral("Degrees Rankine (\u00BAR)");
const QString kKelvin = QStringLiteral("Kelvin (K)");

// Factor texts by file line, as the list loader stores them (always in the catalogue's fixed
// format), and the line of each unit name; a unit not named here has no selection.
const conversion::FactorTable kFactors = {"1", "0.3048", "1000", "", "abc", "0", "-1", "1E+300", "1E-300"};
const QMap<QString, int> kLines = {{"Meter", 0}, {"Foot", 1},     {"Kilometer", 2}, {"Blank", 3}, {"Word", 4},
                                   {"Nothing", 5}, {"Negative", 6}, {"Huge", 7},      {"Tiny", 8},  {"Missing", 99}};

FakeConversionView view(const QString &category, const QString &from, const QString &to, const QString &number,
                        const QString &places = QStringLiteral("5"))
{
    FakeConversionView view;
    view.category = category;
    view.categoryPosition = 3;
    view.fromPosition = 1;
    view.toPosition = 2;
    view.fromUnit = from;
    view.toUnit = to;
    if (kLines.contains(from))
        view.fromTag = kLines.value(from);
    if (kLines.contains(to))
        view.toTag = kLines.value(to);
    view.number = number;
    view.decimalPlaces = places;
    return view;
}

Boxes warning(const QString &text, platform::Icon icon = platform::Icon::Exclamation)
{
    return {{text, platform::Buttons::OK, icon, QStringLiteral("Tallimer")}};
}

Boxes invalidNumber(const QString &shownEntry)
{
    return warning('"' + shownEntry + "\" is an invalid number.\rYour entry will be changed to 1");
}

Boxes failure(int number, const QString &routine = QStringLiteral("Converter"))
{
    return warning(app::errorReportText(routine, app::Failure(number)));
}

QString storedHistory(const QString &key)
{
    return platform::settingsStore().read(app::programBaseName(), "History", key, "absent");
}

} // namespace

class TestConvertUnits : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_environment = std::make_unique<TestEnvironment>(); // restores the locale when finished
        QLocale::setDefault(kEnglish);
        m_options = Options();
        m_history = ConversionHistory();
    }
    void cleanup() { finishEnvironment(m_environment); }

    // Every conversion, whatever its outcome, with the record of the last conversion kept: a
    // failure before the units are read leaves it as it was (category 5), any other records 3.
    void converts_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("places");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<Boxes>("boxes");
        QTest::addColumn<QString>("numberText"); // the number box afterwards
        QTest::addColumn<QString>("result");     // "previous result": none written
        QTest::addColumn<bool>("recorded");

        const QString length = "Length";
        const auto byFactors = [&](const char *tag, const QLocale &locale, const QString &from, const QString &to,
                                   const QString &places, const QString &entry, const QString &numberText,
                                   const QString &converted, const Boxes &boxes = {}) {
            QTest::newRow(tag) << locale << length << from << to << places << entry << boxes << numberText
                               << numberText + ' ' + from + " = " + converted + ' ' + to << true;
        };
        byFactors("foot to meter", kEnglish, "Foot", "Meter", "5", "10", "10", "3.048");
        byFactors("one place keeps the point", kEnglish, "Foot", "Meter", "1", "10", "10", "3.");
        byFactors("negative converted as positive", kEnglish, "Foot", "Meter", "5", "-10", "10", "3.048");
        byFactors("zero", kEnglish, "Foot", "Meter", "5", "0", "0", "0.");
        byFactors("grouped result", kEnglish, "Meter", "Meter", "5", "1234567", "1234567", "1,234,567.");
        byFactors("grouped entry rewritten", kEnglish, "Foot", "Meter", "5", "1,000", "1000", "304.8");
        byFactors("trailing zero dropped", kEnglish, "Foot", "Meter", "5", "2.50", "2.5", "0.762");
        byFactors("word becomes one", kEnglish, "Foot", "Meter", "5", "abc", "1", "0.3048", invalidNumber("abc"));
        byFactors("empty becomes one", kEnglish, "Foot", "Meter", "5", "", "1", "0.3048", invalidNumber(" "));
        byFactors("quarter ties to even", kEnglish, "Meter", "Meter", "1", "0.25", "0.25", "0.2");
        byFactors("three quarters ties to even", kEnglish, "Meter", "Meter", "1", "0.75", "0.75", "0.8");
        byFactors("eighth at two places", kEnglish, "Meter", "Meter", "2", "0.125", "0.125", "0.12");
        byFactors("small result at nine places", kEnglish, "Foot", "Kilometer", "9", "1", "1", "0.0003048");
        byFactors("small result rounded away", kEnglish, "Foot", "Kilometer", "3", "1", "1", "0.");
        byFactors("negative result rounding to zero has no sign", kEnglish, "Negative", "Meter", "9", "4E-11", "4E-11",
                  "0.");
        byFactors("negative factor", kEnglish, "Negative", "Meter", "5", "2", "2", "-2.");
        byFactors("exponent entry rewritten plain", kEnglish, "Meter", "Meter", "5", "1e3", "1000", "1,000.");
        byFactors("large value written in full", kEnglish, "Meter", "Meter", "5", "1E+20", "1E+20",
                  "100,000,000,000,000,000,000.");
        byFactors("digits beyond the fifteenth are zeros", kEnglish, "Meter", "Meter", "5", "1.2345678901234567E+20",
                  "1.23456789012346E+20", "123,456,789,012,346,000,000.");
        byFactors("half places round to even", kEnglish, "Meter", "Meter", "2.5", "0.125", "0.125", "0.12");
        // Factors keep their point in every locale; the number and the result follow the user's.
        byFactors("german foot to meter", kGerman, "Foot", "Meter", "5", "10", "10", "3,048");
        byFactors("german decimal comma", kGerman, "Foot", "Meter", "5", "2,5", "2,5", "0,762");
        byFactors("german grouped thousand", kGerman, "Foot", "Meter", "5", "1.000", "1000", "304,8");
        byFactors("german grouped result", kGerman, "Meter", "Meter", "5", "1234567", "1234567", "1.234.567,");
        byFactors("german comma is the decimal", kGerman, "Foot", "Meter", "5", "1,000", "1", "0,3048");
        byFactors("german one place", kGerman, "Foot", "Meter", "1", "10", "10", "3,");
        byFactors("german word", kGerman, "Foot", "Meter", "5", "abc", "1", "0,3048", invalidNumber("abc"));

        // Temperatures by their formulas; the number box is never rewritten.
        const QString temperature = "Temperature";
        for (const char *places : {"1", "5", "9"})
            QTest::addRow("-40 celsius keeps its sign at %s places", places)
                << kEnglish << temperature << kCelsius << kFahrenheit << places << "-40" << Boxes() << "-40"
                << "-40 " + kCelsius + " = -40. " + kFahrenheit << true;
        const auto degrees = [&](const char *tag, const QString &from, const QString &to, const QString &entry,
                                 const QString &converted) {
            QTest::newRow(tag) << kEnglish << temperature << from << to << "5" << entry << Boxes() << entry
                               << entry + ' ' + from + " = " + converted + ' ' + to << true;
        };
        degrees("freezing point", kCelsius, kFahrenheit, "0", "32.");
        degrees("boiling point", kCelsius, kFahrenheit, "100", "212.");
        degrees("fahrenheit freezing", kFahrenheit, kCelsius, "32", "0.");
        degrees("fahrenheit boiling", kFahrenheit, kCelsius, "212", "100.");
        degrees("absolute zero celsius accepted", kCelsius, kFahrenheit, "-273.15", "-459.67");
        degrees("absolute zero fahrenheit accepted", kFahrenheit, kKelvin, "-459.67", "0.");
        degrees("zero rankine", kRankine, kCelsius, "0", "-273.15");
        degrees("celsius to rankine", kCelsius, kRankine, "0", "491.67");
        degrees("grouped entry kept as typed", kCelsius, kFahrenheit, "1,000", "1,832.");
        QTest::newRow("same scale noise rounded away")
            << kEnglish << temperature << kCelsius << kCelsius << "9" << "0.1" << Boxes() << "0.1"
            << "0.1 " + kCelsius + " = 0.1 " + kCelsius << true;
        QTest::newRow("temperature word becomes one")
            << kEnglish << temperature << kCelsius << kFahrenheit << "5" << "warm" << invalidNumber("warm") << "1"
            << "1 " + kCelsius + " = 33.8 " + kFahrenheit << true;
        const Boxes belowZero = warning("Try Again, below absolute zero.", platform::Icon::None);
        QTest::newRow("below absolute zero celsius") << kEnglish << temperature << kCelsius << kFahrenheit << "5"
                                                     << "-273.16" << belowZero << "-273.16" << "" << true;
        QTest::newRow("below absolute zero kelvin") << kEnglish << temperature << kKelvin << kCelsius << "5" << "-1"
                                                    << belowZero << "-1" << "" << true;
        QTest::newRow("unknown name is kelvin") << kEnglish << temperature << "Degrees Celsius (\u00B0C)" << kCelsius
                                                << "5" << "-1" << belowZero << "-1" << "" << true;
        QTest::newRow("temperature beyond a double") << kEnglish << temperature << kKelvin << kRankine << "5"
                                                     << "1E+308" << failure(app::kErrOverflow, "Temp Converter")
                                                     << "1E+308" << "" << true;
        // Only the exact category name converts by formulas: these are factors.
        QTest::newRow("temperature in other letters") << kEnglish << "temperature" << "Meter" << "Meter" << "5" << "-40"
                                                      << Boxes() << "40" << "40 Meter = 40. Meter" << true;

        // Failures end the conversion with the number of the fault and write no result.
        const auto fails = [&](const char *tag, const QString &category, const QString &from, const QString &to,
                               const QString &places, int number, const QString &numberText, bool recorded) {
            QTest::newRow(tag) << kEnglish << category << from << to << places << "-10" << failure(number)
                               << numberText << "previous result" << recorded;
        };
        fails("decimal places not a number", length, "Foot", "Meter", "x", app::kErrTypeMismatch, "-10", false);
        fails("negative decimal places", length, "Foot", "Meter", "-1", app::kErrInvalidProcedureCall, "10", true);
        fails("no from-unit selected", length, "", "Meter", "5", app::kErrInvalidPropertyArrayIndex, "-10", true);
        fails("no to-unit selected", length, "Foot", "", "5", app::kErrInvalidPropertyArrayIndex, "-10", true);
        fails("no unit selected in temperature written in lower case", "temperature", "", "", "5",
              app::kErrInvalidPropertyArrayIndex, "-10", true);
        fails("tag beyond the factor table", length, "Missing", "Meter", "5", app::kErrSubscriptOutOfRange, "-10",
              true);
        fails("blank factor", length, "Blank", "Meter", "5", app::kErrTypeMismatch, "-10", true);
        fails("factor not a number", length, "Foot", "Word", "5", app::kErrTypeMismatch, "-10", true);
        fails("to-factor zero", length, "Foot", "Nothing", "5", app::kErrDivisionByZero, "-10", true);
        fails("both factors zero", length, "Nothing", "Nothing", "5", app::kErrDivisionByZero, "-10", true);
        fails("ratio beyond a double", length, "Huge", "Tiny", "5", app::kErrOverflow, "-10", true);
        QTest::newRow("product beyond a double") << kEnglish << length << "Huge" << "Meter" << "5" << "-1E+300"
                                                 << failure(app::kErrOverflow) << "1E+300" << "previous result" << true;
    }
    void converts()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, category);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, places);
        QFETCH(QString, entry);
        QFETCH(Boxes, boxes);
        QFETCH(QString, numberText);
        QFETCH(QString, result);
        QFETCH(bool, recorded);

        QLocale::setDefault(locale);
        m_options.setRememberCategory(true);
        m_history.setLastCategory(5);
        FakeConversionView converted = view(category, from, to, entry, places);
        m_environment->boxes().expectOK(int(boxes.size()));
        ConvertUnits(converted, kFactors, m_options, m_history);

        QCOMPARE(converted.number, numberText);
        QCOMPARE(converted.result, result);
        QCOMPARE(m_environment->boxes().shown(), boxes);
        QCOMPARE(int(m_history.lastCategory()), recorded ? 3 : 5);
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
        FakeConversionView converted;
        const conversion::TemperatureResult result = conversion::ConvertTemperature(converted, value, from, to);
        QVERIFY(result.hasValue());
        QCOMPARE(result.value(), expected);
        QCOMPARE(converted.resultWrites, QStringList{QString()}); // emptied first, nothing else
    }

    void recordsTheHistory_data()
    {
        QTest::addColumn<QList<bool>>("remember"); // category, units, value
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QList<int>>("positions"); // category, from unit, to unit
        QTest::addColumn<double>("lastValue");

        // Before each conversion the record holds 5, 6, 7, 2.5; the view's positions are 3, 1, 2.
        const QList<bool> off{false, false, false};
        const QList<int> wiped{-1, -1, -1};
        QTest::newRow("converter off wipes") << off << "7" << wiped << 0.0;
        QTest::newRow("converter off wipes whatever value says") << QList<bool>{false, true, true} << "7" << wiped
                                                                 << 0.0;
        QTest::newRow("converter off wipes after a bad entry") << QList<bool>{false, false, true} << "abc" << wiped
                                                               << 0.0;
        QTest::newRow("converter only") << QList<bool>{true, false, false} << "7" << QList<int>{3, 6, 7} << 2.5;
        QTest::newRow("converter and value") << QList<bool>{true, false, true} << "7" << QList<int>{3, 6, 7} << 7.0;
        QTest::newRow("value as typed, sign included") << QList<bool>{true, false, true} << "-12" << QList<int>{3, 6, 7}
                                                       << -12.0;
        QTest::newRow("bad entry stores one") << QList<bool>{true, false, true} << "abc" << QList<int>{3, 6, 7} << 1.0;
        QTest::newRow("converter and units") << QList<bool>{true, true, false} << "7" << QList<int>{3, 1, 2} << 2.5;
        QTest::newRow("everything") << QList<bool>{true, true, true} << "1,000" << QList<int>{3, 1, 2} << 1000.0;
    }
    void recordsTheHistory()
    {
        QFETCH(QList<bool>, remember);
        QFETCH(QString, entry);
        QFETCH(QList<int>, positions);
        QFETCH(double, lastValue);

        m_history.setLastCategory(5);
        m_history.setLastFromUnit(6);
        m_history.setLastToUnit(7);
        m_history.setLastValue(2.5);
        m_history.save();
        m_options.setRememberCategory(remember.at(0));
        m_options.setRememberUnits(remember.at(1));
        m_options.setRememberValue(remember.at(2));

        FakeConversionView converted = view("Length", "Foot", "Meter", entry);
        m_environment->boxes().expectOK(entry == QLatin1String("abc") ? 1 : 0);
        ConvertUnits(converted, kFactors, m_options, m_history);

        QCOMPARE((QList<int>{m_history.lastCategory(), m_history.lastFromUnit(), m_history.lastToUnit()}), positions);
        QCOMPARE(m_history.lastValue(), lastValue);
        // A wipe also removes the stored keys at once; otherwise the store is not touched.
        QCOMPARE(storedHistory("Last Converter"), remember.at(0) ? "5" : "absent");
        QCOMPARE(storedHistory("Last Value"), remember.at(0) ? "2.5" : "absent");
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
    Options m_options;
    ConversionHistory m_history;
};

QTEST_GUILESS_MAIN(TestConvertUnits)
#include "tst_convertunits.moc"
