#include "core/text/NumberText.h"
#include "core/text/ResultText.h"
#include "support/TestEnvironment.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

using namespace conversion;

namespace {
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kIndianEnglish(QLocale::English, QLocale::India);
const QLocale kFrench(QLocale::French, QLocale::France);
const QLocale kSpanish(QLocale::Spanish, QLocale::Spain);
const QString k400Zeros(400, QLatin1Char('0'));
} // namespace

// Both number formats (typed and shown in the user's locale, catalogue factors fixed) and the
// result line's rounding and pattern.
class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); } // restores the locale
    void cleanup() { finishEnvironment(m_environment); }

    void factorTextIsTheFixedGeneralForm_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 1.0 << "1";
        QTest::newRow("foot") << 0.3048 << "0.3048";
        QTest::newRow("one third keeps 15 digits") << 1.0 / 3.0 << "0.333333333333333";
        QTest::newRow("two thirds rounds the 15th digit") << 2.0 / 3.0 << "0.666666666666667";
        QTest::newRow("small switches to exponent") << 1.6387064e-5 << "1.6387064E-05";
        QTest::newRow("large switches to exponent") << 1e20 << "1E+20";
        QTest::newRow("15 integer digits stay plain") << 123456789012345.0 << "123456789012345";
        QTest::newRow("negative") << -2.5 << "-2.5";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("precision beyond 15 digits is lost") << 0.1 + 0.2 << "0.3";
        // Rounded to 15 digits the largest doubles would pass the largest double, and read back
        // as no number: they are written a step lower.
        QTest::newRow("largest double") << std::numeric_limits<double>::max() << "1.79769313486231E+308";
        QTest::newRow("largest negative double") << -std::numeric_limits<double>::max() << "-1.79769313486231E+308";
        QTest::newRow("just below the rounding up") << 1.797693134862314e308 << "1.79769313486231E+308";
    }
    void factorTextIsTheFixedGeneralForm()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(factorText(value), text);
        // Whatever the locale, factors keep their point.
        QLocale::setDefault(kGerman);
        QCOMPARE(factorText(value), text);
        QCOMPARE(parseFactor(text, kGerman).value_or(-999), text.toDouble());
    }

    void generalFormFollowsTheLocale()
    {
        QCOMPARE(generalForm(2.5, kEnglish), QStringLiteral("2.5"));
        QCOMPARE(generalForm(2.5, kGerman), QStringLiteral("2,5"));
        QCOMPARE(generalForm(1e20, kGerman), QStringLiteral("1E+20"));
        QCOMPARE(generalForm(1234567.0, kEnglish), QStringLiteral("1234567"));
        QCOMPARE(parseLocaleNumber(generalForm(1.0 / 3.0, kGerman), kGerman).value(), 0.333333333333333);
    }

    // A factor is read in the fixed form first, then as the locale writes it; typed numbers only
    // as the locale writes them.
    void readsNumbers_data()
    {
        QTest::addColumn<bool>("factor");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << false << kEnglish << "10" << true << 10.0;
        QTest::newRow("negative") << false << kEnglish << "-12" << true << -12.0;
        QTest::newRow("plus sign") << false << kEnglish << "+3" << true << 3.0;
        QTest::newRow("grouped thousand") << false << kEnglish << "1,000" << true << 1000.0;
        QTest::newRow("grouped million") << false << kEnglish << "1,234,567.5" << true << 1234567.5;
        QTest::newRow("trailing zeros") << false << kEnglish << "2.50" << true << 2.5;
        QTest::newRow("leading point") << false << kEnglish << ".5" << true << 0.5;
        QTest::newRow("trailing point") << false << kEnglish << "5." << true << 5.0;
        QTest::newRow("exponent") << false << kEnglish << "1E+20" << true << 1e20;
        QTest::newRow("lower-case exponent") << false << kEnglish << "2.5e-3" << true << 0.0025;
        QTest::newRow("surrounding spaces") << false << kEnglish << "  7 " << true << 7.0;
        QTest::newRow("german decimal comma") << false << kGerman << "0,3048" << true << 0.3048;
        QTest::newRow("german grouped thousand") << false << kGerman << "1.000" << true << 1000.0;
        QTest::newRow("german grouped with decimals") << false << kGerman << "1.234,5" << true << 1234.5;
        QTest::newRow("english grouped with decimals") << false << kEnglish << "1,234.5" << true << 1234.5;
        QTest::newRow("indian grouping") << false << kIndianEnglish << "12,34,567" << true << 1234567.0;
        QTest::newRow("indian grouping with decimals") << false << kIndianEnglish << "1,23,45,678.5" << true
                                                       << 12345678.5;
        QTest::newRow("indian thousand") << false << kIndianEnglish << "1,234" << true << 1234.0;
        QTest::newRow("french narrow space groups") << false << kFrench << "1\u202F234,5" << true << 1234.5;
        QTest::newRow("french plain space groups") << false << kFrench << "1 234 567" << true << 1234567.0;
        QTest::newRow("french decimal comma") << false << kFrench << "1,5" << true << 1.5;
        // A group separator anywhere else makes no number (the number box then says so),
        // rather than a number ten times off.
        QTest::newRow("english comma after one digit") << false << kEnglish << "1,5" << false << 0.0;
        QTest::newRow("english group of two") << false << kEnglish << "12,34" << false << 0.0;
        QTest::newRow("english group of four") << false << kEnglish << "1,2345" << false << 0.0;
        QTest::newRow("english leftmost group of four") << false << kEnglish << "1234,567" << false << 0.0;
        QTest::newRow("english group of two between") << false << kEnglish << "1,23,456" << false << 0.0;
        QTest::newRow("english indian grouping") << false << kEnglish << "12,34,567" << false << 0.0;
        QTest::newRow("english separator in the decimals") << false << kEnglish << "1.234,5" << false << 0.0;
        QTest::newRow("german point after one digit") << false << kGerman << "1.5" << false << 0.0;
        QTest::newRow("german separator in the decimals") << false << kGerman << "0,123.4" << false << 0.0;
        QTest::newRow("indian groups of three") << false << kIndianEnglish << "1,234,567" << false << 0.0;
        QTest::newRow("indian leftmost group of three") << false << kIndianEnglish << "123,456" << false << 0.0;
        QTest::newRow("french space after one digit") << false << kFrench << "1 5" << false << 0.0;
        QTest::newRow("french point") << false << kFrench << "1.5" << false << 0.0;
        QTest::newRow("word") << false << kEnglish << "abc" << false << 0.0;
        QTest::newRow("empty") << false << kEnglish << "" << false << 0.0;
        QTest::newRow("spaces only") << false << kEnglish << "   " << false << 0.0;
        QTest::newRow("sign only") << false << kEnglish << "-" << false << 0.0;
        QTest::newRow("two points") << false << kEnglish << "1.2.3" << false << 0.0;
        QTest::newRow("leading group separator") << false << kEnglish << ",5" << false << 0.0;
        QTest::newRow("trailing group separator") << false << kEnglish << "5," << false << 0.0;
        QTest::newRow("exponent without digits") << false << kEnglish << "1E" << false << 0.0;
        QTest::newRow("infinity word") << false << kEnglish << "inf" << false << 0.0;
        QTest::newRow("nan word") << false << kEnglish << "nan" << false << 0.0;
        QTest::newRow("hex") << false << kEnglish << "0x10" << false << 0.0;
        QTest::newRow("unit after number") << false << kEnglish << "5 m" << false << 0.0;
        // Beyond a double's range: too small reads as 0, too large is no number. The magnitude
        // decides, from the first significant digit and the exponent together.
        QTest::newRow("too large") << false << kEnglish << "1E400" << false << 0.0;
        QTest::newRow("too large, negative") << false << kEnglish << "-1E400" << false << 0.0;
        QTest::newRow("too large by many digits") << false << kEnglish << "2" + k400Zeros << false << 0.0;
        QTest::newRow("too large, huge exponent") << false << kEnglish << "1E+99999999999" << false << 0.0;
        QTest::newRow("too large, a long fraction") << false << kEnglish << "1." + k400Zeros + "1E350" << false << 0.0;
        QTest::newRow("too large, zeros before the digit") << false << kEnglish << "0." + k400Zeros + "1E800" << false
                                                           << 0.0;
        QTest::newRow("too small") << false << kEnglish << "0.00001E-400" << true << 0.0;
        QTest::newRow("too small, negative") << false << kEnglish << "-1E-400" << true << 0.0;
        QTest::newRow("too small by many zeros") << false << kEnglish << "0." + k400Zeros + "1" << true << 0.0;
        QTest::newRow("too small, huge exponent") << false << kEnglish << "1E-99999999999" << true << 0.0;
        QTest::newRow("too small, many digits") << false << kEnglish << "1" + k400Zeros + "E-800" << true << 0.0;

        QTest::newRow("factor: point in a comma locale") << true << kGerman << "0.3048" << true << 0.3048;
        QTest::newRow("factor: exponent in a comma locale") << true << kGerman << "1.6387064E-05" << true
                                                            << 1.6387064e-5;
        QTest::newRow("factor: older file written with a comma") << true << kGerman << "0,3048" << true << 0.3048;
        QTest::newRow("factor: point in an English locale") << true << kEnglish << "1609.344" << true << 1609.344;
        QTest::newRow("factor: not a number") << true << kGerman << "x" << false << 0.0;
        QTest::newRow("factor: empty") << true << kEnglish << "" << false << 0.0;
        QTest::newRow("factor: too small") << true << kEnglish << "1E-400" << true << 0.0;
        QTest::newRow("factor: too large") << true << kEnglish << "1E400" << false << 0.0;
    }
    void readsNumbers()
    {
        QFETCH(bool, factor);
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        const auto parsed = factor ? parseFactor(text, locale) : parseLocaleNumber(text, locale);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, value);
    }

    void everyWrittenFactorReadsBack()
    {
        const double largest = std::numeric_limits<double>::max();
        const double values[] = {1.0 / 3.0, 0.45359237, 4046.8564224, 1e-300, 9.80665, 6.02214076e23, 1e308, 5e-324,
                                 2.2250738585072014e-308, largest, -largest, std::nextafter(largest, 0.0),
                                 1.797693134862315e308};
        for (double value : values) {
            const QString text = factorText(value);
            const auto parsed = parseFactor(text, kGerman);
            QVERIFY2(parsed.has_value(), qPrintable(text));
            QCOMPARE(factorText(*parsed), text);
            // The same for the general form that settings and the number box use.
            const QString general = generalForm(value, kGerman);
            const auto read = parseLocaleNumber(general, kGerman);
            QVERIFY2(read.has_value(), qPrintable(general));
            QCOMPARE(generalForm(*read, kGerman), general);
        }
    }

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
        QTest::newRow("negative rounding to zero loses its sign") << -4e-11 << 9 << 0.0;
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
        const double rounded = roundHalfEven(value, places);
        QCOMPARE(rounded, expected);
        QCOMPARE(std::signbit(rounded), std::signbit(expected));
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
        QTest::newRow("largest double") << kEnglish << 1.7976931348623157e308
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
        // Without a locale named, the user's.
        QLocale::setDefault(locale);
        QCOMPARE(formatResult(value), text);
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
