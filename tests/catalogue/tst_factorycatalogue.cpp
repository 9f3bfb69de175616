#include "catalogue/CUnitCategory.h"
#include "catalogue/CataloguePaths.h"
#include "catalogue/File_IO.h"
#include "conversion/NumberText.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTest>

namespace {
const QString kFactory = QStringLiteral(TALLIMER_FACTORY_CATALOGUE);

QStringList listedCategories()
{
    QStringList names;
    for (const QString &line : File_IO::splitAtCrLf(File_IO::ReadWholeFile(kFactory + "/unitType.ucr")))
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
        QVERIFY(listed.size() >= 48);
        QVERIFY(listed.contains("Temperature"));
        QVERIFY(listed.contains("Temperature Difference"));
    }

    void everyFileIsWindows1252WithCrLfLines()
    {
        for (const QString &name : QDir(kFactory).entryList({"*.ucr"}, QDir::Files)) {
            const QByteArray bytes = bytesOf(kFactory + "/" + name);
            QVERIFY2(bytes.endsWith("\r\n"), qPrintable(name));
            QVERIFY2(!bytes.contains("\r\n\r\n"), qPrintable(name + " holds a blank line"));
            QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
            QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
        }
    }

    void everyCategoryIsWellFormed()
    {
        int units = 0;
        int equalToTheBaseUnit = 0;
        const QStringList categories = listedCategories();
        for (const QString &category : categories) {
            const QStringList lines = File_IO::splitAtCrLf(File_IO::ReadWholeFile(kFactory + "/" + category + ".ucr"));
            QSet<QString> names;
            for (int i = 0; i < lines.size() - 1; ++i) {
                const QString where = category + " line " + QString::number(i + 1) + ": " + lines.at(i);
                const QStringList fields = lines.at(i).split('^');
                QVERIFY2(fields.size() == 2, qPrintable(where));
                const auto factor = conversion::parseFactor(fields.at(0), QLocale::c());
                QVERIFY2(factor && *factor > 0, qPrintable(where));
                QVERIFY2(conversion::factorText(*factor) == fields.at(0), qPrintable(where + " is not rewritten unchanged"));
                const QString &name = fields.at(1);
                QVERIFY2(!name.isEmpty() && !name.contains(',') && name != kPlaceholderUnitName, qPrintable(where));
                QVERIFY2(!names.contains(name.toLower()), qPrintable(where + " repeats a name"));
                names.insert(name.toLower());
                if (i == 0)
                    QVERIFY2(fields.at(0) == "1", qPrintable(where + " is not the base unit"));
                else if (*factor == 1.0 && category != "Temperature") {
                    QVERIFY2(kEqualToTheBaseUnit.contains({category, name}),
                             qPrintable(where + " has factor 1 but is not the base unit"));
                    ++equalToTheBaseUnit;
                }
                ++units;
            }
        }
        QVERIFY2(units >= 750, qPrintable(QString::number(units)));
        QCOMPARE(equalToTheBaseUnit, int(kEqualToTheBaseUnit.size())); // no entry of the list went stale
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
            CUnitCategory english;
            const qint16 englishResult = english.LoadFromFile(file, 2);
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
            CUnitCategory german;
            QCOMPARE(german.LoadFromFile(file, 2), englishResult);
            QCOMPARE(int(englishResult), int(File_IO::CountFileLines(file)) - 1);
            for (qint16 i = 0; i <= english.UBoundUnits(); ++i) {
                QCOMPARE(german.getUnitName(i), english.getUnitName(i));
                QCOMPARE(german.getUnitFactor(i), english.getUnitFactor(i));
            }
        }
    }

    void buildFolderHoldsTheFactoryCopies()
    {
        const QString defaults = QStringLiteral(TALLIMER_BUILD_FOLDER) + "/bin/default";
        for (const QString &name : QDir(kFactory).entryList({"*.ucr"}, QDir::Files))
            QVERIFY2(bytesOf(defaults + "/" + name) == bytesOf(kFactory + "/" + name), qPrintable(name));
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
