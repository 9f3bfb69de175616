#include "core/text/NumberText.h"

#include <QTest>

#include <cmath>
#include <limits>

using conversion::factorText;
using conversion::generalForm;
using conversion::parseFactor;
using conversion::parseLocaleNumber;

namespace {
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kIndianEnglish(QLocale::English, QLocale::India);
const QLocale kFrench(QLocale::French, QLocale::France);
} // namespace

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
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
        QLocale::setDefault(QLocale::c());
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

    void localeNumbers_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << kEnglish << "10" << true << 10.0;
        QTest::newRow("negative") << kEnglish << "-12" << true << -12.0;
        QTest::newRow("plus sign") << kEnglish << "+3" << true << 3.0;
        QTest::newRow("grouped thousand") << kEnglish << "1,000" << true << 1000.0;
        QTest::newRow("grouped million") << kEnglish << "1,234,567.5" << true << 1234567.5;
        QTest::newRow("trailing zeros") << kEnglish << "2.50" << true << 2.5;
        QTest::newRow("leading point") << kEnglish << ".5" << true << 0.5;
        QTest::newRow("trailing point") << kEnglish << "5." << true << 5.0;
        QTest::newRow("exponent") << kEnglish << "1E+20" << true << 1e20;
        QTest::newRow("lower-case exponent") << kEnglish << "2.5e-3" << true << 0.0025;
        QTest::newRow("surrounding spaces") << kEnglish << "  7 " << true << 7.0;
        QTest::newRow("german decimal comma") << kGerman << "0,3048" << true << 0.3048;
        QTest::newRow("german grouped thousand") << kGerman << "1.000" << true << 1000.0;
        QTest::newRow("german grouped with decimals") << kGerman << "1.234,5" << true << 1234.5;
        QTest::newRow("english grouped with decimals") << kEnglish << "1,234.5" << true << 1234.5;
        QTest::newRow("indian grouping") << kIndianEnglish << "12,34,567" << true << 1234567.0;
        QTest::newRow("indian grouping with decimals") << kIndianEnglish << "1,23,45,678.5" << true << 12345678.5;
        QTest::newRow("indian thousand") << kIndianEnglish << "1,234" << true << 1234.0;
        QTest::newRow("french narrow space groups") << kFrench << "1\u202F234,5" << true << 1234.5;
        QTest::newRow("french plain space groups") << kFrench << "1 234 567" << true << 1234567.0;
        QTest::newRow("french decimal comma") << kFrench << "1,5" << true << 1.5;
        // A group separator anywhere else makes no number (the number box then says so),
        // rather than a number ten times off.
        QTest::newRow("english comma after one digit") << kEnglish << "1,5" << false << 0.0;
        QTest::newRow("english group of two") << kEnglish << "12,34" << false << 0.0;
        QTest::newRow("english group of four") << kEnglish << "1,2345" << false << 0.0;
        QTest::newRow("english leftmost group of four") << kEnglish << "1234,567" << false << 0.0;
        QTest::newRow("english group of two between") << kEnglish << "1,23,456" << false << 0.0;
        QTest::newRow("english indian grouping") << kEnglish << "12,34,567" << false << 0.0;
        QTest::newRow("english separator in the decimals") << kEnglish << "1.234,5" << false << 0.0;
        QTest::newRow("german point after one digit") << kGerman << "1.5" << false << 0.0;
        QTest::newRow("german separator in the decimals") << kGerman << "0,123.4" << false << 0.0;
        QTest::newRow("indian groups of three") << kIndianEnglish << "1,234,567" << false << 0.0;
        QTest::newRow("indian leftmost group of three") << kIndianEnglish << "123,456" << false << 0.0;
        QTest::newRow("french space after one digit") << kFrench << "1 5" << false << 0.0;
        QTest::newRow("french point") << kFrench << "1.5" << false << 0.0;
        QTest::newRow("word") << kEnglish << "abc" << false << 0.0;
        QTest::newRow("empty") << kEnglish << "" << false << 0.0;
        QTest::newRow("spaces only") << kEnglish << "   " << false << 0.0;
        QTest::newRow("sign only") << kEnglish << "-" << false << 0.0;
        QTest::newRow("two points") << kEnglish << "1.2.3" << false << 0.0;
        QTest::newRow("leading group separator") << kEnglish << ",5" << false << 0.0;
        QTest::newRow("trailing group separator") << kEnglish << "5," << false << 0.0;
        QTest::newRow("exponent without digits") << kEnglish << "1E" << false << 0.0;
        QTest::newRow("overflow") << kEnglish << "1E400" << false << 0.0;
        QTest::newRow("overflow by many digits") << kEnglish << QString("2" + QString(400, QLatin1Char('0'))) << false << 0.0;
        QTest::newRow("underflow reads zero") << kEnglish << "0.00001E-400" << true << 0.0;
        QTest::newRow("infinity word") << kEnglish << "inf" << false << 0.0;
        QTest::newRow("nan word") << kEnglish << "nan" << false << 0.0;
        QTest::newRow("hex") << kEnglish << "0x10" << false << 0.0;
        QTest::newRow("unit after number") << kEnglish << "5 m" << false << 0.0;
    }
    void localeNumbers()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        const auto parsed = parseLocaleNumber(text, locale);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, value);
    }

    void factorsReadTheFixedFormFirst_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("value");
        QTest::newRow("point in a comma locale") << kGerman << "0.3048" << true << 0.3048;
        QTest::newRow("exponent in a comma locale") << kGerman << "1.6387064E-05" << true << 1.6387064e-5;
        QTest::newRow("older file written with a comma") << kGerman << "0,3048" << true << 0.3048;
        QTest::newRow("point in an English locale") << kEnglish << "1609.344" << true << 1609.344;
        QTest::newRow("not a number") << kGerman << "x" << false << 0.0;
        QTest::newRow("empty") << kEnglish << "" << false << 0.0;
        QTest::newRow("tiny underflows to zero") << kEnglish << "1E-400" << true << 0.0;
    }
    void factorsReadTheFixedFormFirst()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(double, value);
        const auto parsed = parseFactor(text, locale);
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
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
