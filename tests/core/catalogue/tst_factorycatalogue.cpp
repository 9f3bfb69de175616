#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/CatalogueNames.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/catalogue/UnitCategory.h"
#include "core/text/CatalogueText.h"
#include "core/text/NumberText.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTest>

#include <cmath>
#include <limits>

namespace {
const QString kFactory = QStringLiteral(TALLIMER_FACTORY_CATALOGUE);

QStringList listedCategories()
{
    QStringList names;
    for (const QString &line : catalogue::splitAtCrLf(catalogue::readWholeFile(kFactory + "/unitType.ucr")))
        if (!line.isEmpty())
            names.append(line);
    return names;
}

// The units that equal their category's base unit by definition, and so carry factor 1 as well.
const QList<QPair<QString, QString>> kEqualToTheBaseUnit = {
    {"Temperature Difference", "Degree Celsius (\u00B0C)"},
    {"Density", "Gram per Liter (g/L)"},
    {"Luminance", "Nit (nt)"},
    {"Electrical Conductance", "Mho (1/ohm)"},
    {"Magnetic Field Strength", "Ampere-Turn per Meter (At/m)"},
    {"Electric Field Strength", "Newton per Coulomb (N/C)"},
    {"Specific Heat Capacity", "Joule per Kilogram Degree Celsius (J/(kg\u00B7\u00B0C))"},
    {"Thermal Conductivity", "Watt per Meter Degree Celsius (W/(m\u00B7\u00B0C))"},
    {"Heat Transfer Coefficient", "Watt per Square Meter Degree Celsius (W/(m\u00B2\u00B7\u00B0C))"},
    {"Molar Concentration", "Millimole per Liter (mmol/L)"},
};

// The factor of a unit of a factory category, read as the unit lists read it; NaN when the
// category holds no unit of that name.
double factorOf(const QString &category, const QString &unit)
{
    UnitCategory units;
    if (units.load(catalogue::factoryCategoryFile(category), 0) < 0)
        return std::numeric_limits<double>::quiet_NaN();
    for (qint16 i = 0; i <= units.lastIndex(); ++i)
        if (units.unitName(i) == unit)
            return units.unitFactor(i);
    return std::numeric_limits<double>::quiet_NaN();
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}
} // namespace

class TestFactoryCatalogue : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { finishEnvironment(m_environment); }

    void indexListsExactlyTheShippedFiles()
    {
        QSet<QString> files;
        for (const QString &name : QDir(kFactory).entryList({"*.ucr"}, QDir::Files))
            if (name != "unitType.ucr")
                files.insert(name.chopped(4));
        const QStringList listed = listedCategories();
        QCOMPARE(QSet<QString>(listed.begin(), listed.end()), files);
        QCOMPARE(listed.size(), files.size()); // no name twice
    }

    // CR LF after every line and no blank line; the base unit first with factor 1, every factor
    // positive and written as the program writes it, every name usable and once per category.
    void everyCategoryIsWellFormed()
    {
        int equalToTheBaseUnit = 0;
        for (const QString &category : listedCategories() + QStringList{"unitType"}) {
            const QByteArray bytes = bytesOf(kFactory + "/" + category + ".ucr");
            QVERIFY2(bytes.endsWith("\r\n") && !bytes.contains("\r\n\r\n"), qPrintable(category));
            QVERIFY2(bytes.count('\n') == bytes.count("\r\n") && bytes.count('\r') == bytes.count("\r\n"),
                     qPrintable(category));
            if (category == "unitType")
                continue;
            const QStringList lines = catalogue::splitAtCrLf(catalogue::decodeCatalogueText(bytes));
            QSet<QString> names;
            for (int i = 0; i < lines.size() - 1; ++i) {
                const QString where = category + " line " + QString::number(i + 1) + ": " + lines.at(i);
                const QStringList fields = lines.at(i).split('^');
                QVERIFY2(fields.size() == 2, qPrintable(where));
                const auto factor = conversion::parseFactor(fields.at(0), QLocale::c());
                QVERIFY2(factor && *factor > 0, qPrintable(where));
                QVERIFY2(conversion::factorText(*factor) == fields.at(0), qPrintable(where + " is not rewritten unchanged"));
                const QString &name = fields.at(1);
                QVERIFY2(catalogue::unitNameRefusal(name).isEmpty() && !name.isEmpty() && name != kPlaceholderUnitName,
                         qPrintable(where));
                QVERIFY2(!names.contains(name.toLower()), qPrintable(where + " repeats a name"));
                names.insert(name.toLower());
                if (i == 0)
                    QVERIFY2(fields.at(0) == "1", qPrintable(where + " is not the base unit"));
                else if (*factor == 1.0 && category != "Temperature") {
                    QVERIFY2(kEqualToTheBaseUnit.contains({category, name}),
                             qPrintable(where + " has factor 1 but is not the base unit"));
                    ++equalToTheBaseUnit;
                }
            }
        }
        QCOMPARE(equalToTheBaseUnit, int(kEqualToTheBaseUnit.size())); // no entry of the list went stale
    }

    // Published equivalences, converted through the shipped factors (value x factor(from) /
    // factor(to)) and compared to 12 significant digits. The expected values come from the
    // definitions, never from the files.
    void knownEquivalences_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("expected");
        const double c = 299792458;
        const double h = 6.62607015e-34;
        const double e = 1.602176634e-19;
        const double btu = 1055.05585262; // International Table
        const double pi = 3.14159265358979323846;
        const double foot = 0.3048;
        const double pound = 0.45359237;
        QTest::newRow("inch = 72 DTP points")
            << "Typography" << "Inch (in)" << "Point (DTP 1/72 in)" << 1.0 << 72.0;
        QTest::newRow("1157 Didot points = 1238 TeX points")
            << "Typography" << "Didot Point (TeX dd 1238/1157 pt)" << "Point (TeX pt 1/72.27 in)" << 1157.0 << 1238.0;
        QTest::newRow("cicero = 12 Didot points")
            << "Typography" << "Cicero (TeX cc 12 dd)" << "Didot Point (TeX dd 1238/1157 pt)" << 1.0 << 12.0;
        QTest::newRow("DTP point = 20 twips")
            << "Typography" << "Point (DTP 1/72 in)" << "Twip (1/20 DTP point)" << 1.0 << 20.0;
        QTest::newRow("96 CSS pixels = 72 DTP points")
            << "Typography" << "Pixel (CSS 1/96 in)" << "Point (DTP 1/72 in)" << 96.0 << 72.0;
        QTest::newRow("statvolt = c/10^6 V")
            << "Electric Potential" << "Statvolt (statV)" << "Volt (V)" << 1.0 << 299.792458;
        QTest::newRow("abohm = 1E-9 ohm")
            << "Electric Resistance" << "Abohm (abohm)" << "Ohm (V/A)" << 1.0 << 1e-9;
        QTest::newRow("von Klitzing constant = h/e^2")
            << "Electric Resistance" << "Von Klitzing Constant (h/e\u00B2)" << "Ohm (V/A)" << 1.0 << h / (e * e);
        QTest::newRow("stathenry = c^2/10^5 H")
            << "Inductance" << "Stathenry (statH)" << "Henry (H)" << 1.0 << c * c / 1e5;
        QTest::newRow("oersted = 1000/(4 pi) A/m")
            << "Magnetic Field Strength" << "Oersted (Oe)" << "Ampere per Meter (A/m)" << 1.0 << 1000 / (4 * pi);
        QTest::newRow("kV/mm = 25.4 V/mil")
            << "Electric Field Strength" << "Kilovolt per Millimeter (kV/mm)" << "Volt per Mil (V/mil)" << 1.0 << 25.4;
        QTest::newRow("rpm = 6 degrees per second")
            << "Angular Velocity" << "Revolution per Minute (rpm)" << "Degree per Second (\u00B0/s)" << 1.0 << 6.0;
        QTest::newRow("lbf/in in N/m")
            << "Surface Tension" << "Pound-Force per Inch (lbf/in)" << "Newton per Meter (N/m)" << 1.0
            << pound * 9.80665 / 0.0254;
        QTest::newRow("kWh/kg = 3.6 MJ/kg")
            << "Specific Energy" << "Kilowatt-Hour per Kilogram (kWh/kg)" << "Megajoule per Kilogram (MJ/kg)" << 1.0
            << 3.6;
        QTest::newRow("BTU (IT)/lb = 2.326 kJ/kg")
            << "Specific Energy" << "BTU (IT) per Pound" << "Kilojoule per Kilogram (kJ/kg)" << 1.0 << 2.326;
        QTest::newRow("BTU (IT)/(lb F) = 4186.8 J/(kg K)")
            << "Specific Heat Capacity" << "BTU (IT) per Pound Degree Fahrenheit"
            << "Joule per Kilogram Kelvin (J/(kg\u00B7K))" << 1.0 << 4186.8;
        QTest::newRow("BTU (IT)/(h ft F) in W/(m K)")
            << "Thermal Conductivity" << "BTU (IT) per Hour Foot Degree Fahrenheit"
            << "Watt per Meter Kelvin (W/(m\u00B7K))" << 1.0 << btu / (3600 * foot * 5 / 9);
        QTest::newRow("BTU (IT)/(h ft^2) in W/m^2")
            << "Heat Flux Density" << "BTU (IT) per Hour Square Foot" << "Watt per Square Meter (W/m\u00B2)" << 1.0
            << btu / (3600 * foot * foot);
        QTest::newRow("kcal (IT)/(h m^2 C) = 1.163 W/(m^2 K)")
            << "Heat Transfer Coefficient" << "Kilocalorie (IT) per Hour Square Meter Degree Celsius"
            << "Watt per Square Meter Kelvin (W/(m\u00B2\u00B7K))" << 1.0 << 1.163;
        QTest::newRow("US R-19 in m^2 K/W")
            << "Thermal Insulance" << "R-Value (US ft\u00B2\u00B7\u00B0F\u00B7h/BTU IT)"
            << "Square Meter Kelvin per Watt (m\u00B2\u00B7K/W)" << 19.0 << 19 * foot * foot * 5 / 9 * 3600 / btu;
        QTest::newRow("oz/yd^2 in g/m^2")
            << "Area Density" << "Ounce per Square Yard (oz/yd\u00B2)" << "Gram per Square Meter (g/m\u00B2)" << 1.0
            << pound / 16 * 1000 / (0.9144 * 0.9144);
        QTest::newRow("20 lb bond paper in g/m^2")
            << "Area Density" << "Pound per Ream (bond 17\u00D722 in)" << "Gram per Square Meter (g/m\u00B2)" << 20.0
            << 20 * pound * 1000 / (500 * 17 * 22 * 0.0254 * 0.0254);
        QTest::newRow("denier = 1/9 tex")
            << "Linear Density" << "Denier (g/9 km)" << "Tex (g/km)" << 1.0 << 1.0 / 9;
        QTest::newRow("US gal/100 mi in L/100 km")
            << "Fuel Consumption" << "US Gallon per 100 Miles" << "Liter per 100 Kilometers (L/100 km)" << 1.0
            << 3.785411784 / 1.609344;
        QTest::newRow("sphere in square degrees")
            << "Solid Angle" << "Spat (4 pi sr)" << "Square Degree (deg\u00B2)" << 1.0 << 129600 / pi;
        QTest::newRow("roentgen = 258 uC/kg")
            << "Radiation Exposure" << "Roentgen (R)" << "Microcoulomb per Kilogram (\u00B5C/kg)" << 1.0 << 258.0;
        QTest::newRow("mrem/h = 10 uSv/h")
            << "Radiation Equivalent Dose Rate" << "Millirem per Hour (mrem/h)" << "Microsievert per Hour (\u00B5Sv/h)"
            << 1.0 << 10.0;
        QTest::newRow("enzyme unit = 1/60 ukat")
            << "Catalytic Activity" << "Enzyme Unit (U = 1 \u00B5mol/min)" << "Nanokatal (nkat)" << 1.0 << 1000.0 / 60;
        QTest::newRow("mmHg in Pa")
            << "Pressure" << "Millimeter of Mercury (mmHg)" << "Pascal (Pa)" << 1.0 << 133.322387415;
        QTest::newRow("EC therm = 105.506 MJ")
            << "Energy" << "Therm (EC)" << "Megajoule (MJ)" << 1.0 << 105.506;
        QTest::newRow("33 shaku = 10 m")
            << "Length" << "Shaku (Japanese 10/33 m)" << "Meter (m)" << 33.0 << 10.0;
        QTest::newRow("verst = 1066.8 m")
            << "Length" << "Verst (Russian 500 sazhen)" << "Meter (m)" << 1.0 << 1066.8;
    }
    void knownEquivalences()
    {
        QFETCH(QString, category);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(double, value);
        QFETCH(double, expected);
        const double fromFactor = factorOf(category, from);
        const double toFactor = factorOf(category, to);
        QVERIFY2(!std::isnan(fromFactor), qPrintable(category + " has no unit " + from));
        QVERIFY2(!std::isnan(toFactor), qPrintable(category + " has no unit " + to));
        const double result = value * fromFactor / toFactor;
        QVERIFY2(std::fabs(result - expected) <= 1e-12 * std::fabs(expected),
                 qPrintable(QString::number(result, 'g', 17) + " instead of " + QString::number(expected, 'g', 17)));
    }

    void temperatureCarriesTheFourRecognisedNames()
    {
        const QByteArray bytes = bytesOf(kFactory + "/Temperature.ucr");
        QVERIFY(bytes.contains("^Degrees Celsius (\xBA" "C)\r\n"));
        QVERIFY(bytes.contains("^Degrees Fahrenheit (\xBA" "F)\r\n"));
        QVERIFY(bytes.contains("^Degrees Rankine (\xBA" "R)\r\n"));
        QCOMPARE(bytes.count("\r\n"), 4);
    }

    void catalogueLoadsIdenticallyInACommaLocale()
    {
        for (const QString &category : listedCategories()) {
            const QString file = catalogue::factoryCategoryFile(category);
            QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
            UnitCategory english;
            const qint16 englishResult = english.load(file, 2);
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
            UnitCategory german;
            QCOMPARE(german.load(file, 2), englishResult);
            QCOMPARE(int(englishResult), int(catalogue::readListFile(file)->count) - 1);
            for (qint16 i = 0; i <= english.lastIndex(); ++i) {
                QCOMPARE(german.unitName(i), english.unitName(i));
                QCOMPARE(german.unitFactor(i), english.unitFactor(i));
            }
        }
    }

    void layingOutAgainKeepsTheUsersEdits()
    {
        const QString bin = m_environment->folder() + "/layout/bin";
        const auto layOut = [&] {
            return QProcess::execute(QStringLiteral(TALLIMER_CMAKE_COMMAND),
                                     {"-DSOURCE=" + kFactory, "-DDESTINATION=" + bin, "-P",
                                      QStringLiteral(TALLIMER_SOURCE_FOLDER) + "/cmake/LayOutCatalogue.cmake"});
        };
        QCOMPARE(layOut(), 0);
        for (const QString &name : QDir(kFactory).entryList({"*.ucr"}, QDir::Files)) {
            QCOMPARE(bytesOf(bin + "/" + name), bytesOf(kFactory + "/" + name));
            QCOMPARE(bytesOf(bin + "/default/" + name), bytesOf(kFactory + "/" + name));
        }
        QFile edited(bin + "/Length.ucr");
        QVERIFY(edited.open(QIODevice::WriteOnly | QIODevice::Truncate));
        edited.write("1^My Unit\r\n");
        edited.close();
        QFile::remove(bin + "/Mass.ucr");
        QCOMPARE(layOut(), 0);
        QCOMPARE(bytesOf(bin + "/Length.ucr"), QByteArray("1^My Unit\r\n"));
        QCOMPARE(bytesOf(bin + "/Mass.ucr"), bytesOf(kFactory + "/Mass.ucr"));
        QCOMPARE(bytesOf(bin + "/default/Length.ucr"), bytesOf(kFactory + "/Length.ucr"));
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestFactoryCatalogue)
#include "tst_factorycatalogue.moc"
