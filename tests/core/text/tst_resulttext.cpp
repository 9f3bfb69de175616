#include "core/text/ResultText.h"
#include "support/TestEnvironment.h"

#include <QTest>

#include <cmath>
#include <memory>

using conversion::formatResult;
using conversion::roundHalfEven;

namespace {
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kIndianEnglish(QLocale::English, QLocale::India);
const QLocale kFrench(QLocale::French, QLocale::France);
const QLocale kSpanish(QLocale::Spanish, QLocale::Spain);
} // namespace

class TestResultText : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { finishEnvironment(m_environment); }

    void roundsHalfToEvenOnTheBinaryValue_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("places");
        QTest::addColumn<double>("expected");
        QTest::newRow("quarter ties down to even") << 0.25 << 1 << 0.2;
        QTest::newRow("three quarters ties up to even") << 0.75 << 1 << 0.8;
        QTest::newRow("eighth at two places ties down") << 0.125 << 2 << 0.12;
        QTest::newRow("0.375 at two places ties up") << 0.375 << 2 << 0.38;
        QTest::newRow("2.675 lies below the tie") << 2.675 << 2 << 2.67;
        QTest::newRow("1.005 lies below the tie") << 1.005 << 2 << 1.0;
        QTest::newRow("0.135 lies above the tie") << 0.135 << 2 << 0.14;
        QTest::newRow("half to zero places") << 0.5 << 0 << 0.0;
        QTest::newRow("one and a half") << 1.5 << 0 << 2.0;
        QTest::newRow("two and a half") << 2.5 << 0 << 2.0;
        QTest::newRow("negative tie") << -2.5 << 0 << -2.0;
        QTest::newRow("negative tie with places") << -0.125 << 2 << -0.12;
        QTest::newRow("3.048 at one place") << 3.048 << 1 << 3.0;
        QTest::newRow("binary noise removed") << 0.1 + 0.2 << 9 << 0.3;
        QTest::newRow("kelvin round trip noise removed") << 0.10000000000002274 << 9 << 0.1;
        QTest::newRow("large whole value unchanged") << 1e20 << 5 << 1e20;
        QTest::newRow("below half a unit of the last place") << 4e-10 << 9 << 0.0;
        QTest::newRow("above half a unit of the last place") << 6e-10 << 9 << 1e-9;
        QTest::newRow("largest double") << 1.7976931348623157e308 << 9 << 1.7976931348623157e308;
        QTest::newRow("many places change nothing") << 0.1 << 2000 << 0.1;
    }
    void roundsHalfToEvenOnTheBinaryValue()
    {
        QFETCH(double, value);
        QFETCH(int, places);
        QFETCH(double, expected);
        QCOMPARE(roundHalfEven(value, places), expected);
    }

    void negativeValueRoundingToZeroLosesItsSign()
    {
        const double rounded = roundHalfEven(-4e-11, 9);
        QCOMPARE(rounded, 0.0);
        QVERIFY(!std::signbit(rounded));
        QCOMPARE(formatResult(rounded, kEnglish), QStringLiteral("0."));
    }

    void formatsWithTheResultPattern_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero keeps its point") << kEnglish << 0.0 << "0.";
        QTest::newRow("negative zero has no sign") << kEnglish << -0.0 << "0.";
        QTest::newRow("negative below the last decimal") << kEnglish << -1e-15 << "0.";
        QTest::newRow("plain decimals") << kEnglish << 3.048 << "3.048";
        QTest::newRow("whole value keeps its point") << kEnglish << 3.0 << "3.";
        QTest::newRow("three digits are not grouped") << kEnglish << 999.0 << "999.";
        QTest::newRow("one thousand") << kEnglish << 1000.0 << "1,000.";
        QTest::newRow("groups from the point") << kEnglish << 1234567.0 << "1,234,567.";
        QTest::newRow("groups with decimals") << kEnglish << 1234567.25 << "1,234,567.25";
        QTest::newRow("negative grouped") << kEnglish << -1234.5 << "-1,234.5";
        QTest::newRow("leading zero below one") << kEnglish << 0.0003048 << "0.0003048";
        QTest::newRow("fourteen decimals at most") << kEnglish << 1.0 / 3.0 << "0.33333333333333";
        QTest::newRow("smallest fourteenth decimal") << kEnglish << 1e-14 << "0.00000000000001";
        QTest::newRow("fifteen significant digits at most") << kEnglish << 12345.678901234567 << "12,345.6789012346";
        QTest::newRow("sum noise not shown") << kEnglish << 0.1 + 0.2 << "0.3";
        QTest::newRow("beyond the pattern's groups") << kEnglish << 1e20 << "100,000,000,000,000,000,000.";
        QTest::newRow("digits beyond the fifteenth are zeros")
            << kEnglish << 1.2345678901234567e20 << "123,456,789,012,346,000,000.";
        QTest::newRow("largest double")
            << kEnglish << 1.7976931348623157e308
            << "179,769,313,486,232" + QString(",000").repeated(98) + ".";
        QTest::newRow("german whole value keeps its comma") << kGerman << 1234567.0 << "1.234.567,";
        QTest::newRow("german decimals") << kGerman << 3.048 << "3,048";
        QTest::newRow("german negative") << kGerman << -1234.5 << "-1.234,5";
        QTest::newRow("indian grouping") << kIndianEnglish << 1234567.0 << "12,34,567.";
        QTest::newRow("indian grouping with decimals") << kIndianEnglish << 1234567890.5 << "1,23,45,67,890.5";
        QTest::newRow("indian thousand") << kIndianEnglish << 1234.0 << "1,234.";
        QTest::newRow("french narrow spaces") << kFrench << -1234567.5 << "-1\u202F234\u202F567,5";
        // Spanish groups only numbers of five whole digits or more.
        QTest::newRow("spanish four digits ungrouped") << kSpanish << 1234.0 << "1234,";
        QTest::newRow("spanish five digits grouped") << kSpanish << 12345.0 << "12.345,";
    }
    void formatsWithTheResultPattern()
    {
        QFETCH(QLocale, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(formatResult(value, locale), text);
    }

    void formatUsesTheUsersLocaleByDefault()
    {
        QLocale::setDefault(kGerman);
        QCOMPARE(formatResult(1000.5), QStringLiteral("1.000,5"));
        QLocale::setDefault(kEnglish);
        QCOMPARE(formatResult(1000.5), QStringLiteral("1,000.5"));
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestResultText)
#include "tst_resulttext.moc"
