#include "support/ConversionCases.h"
#include "support/FaultFiles.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using Files = QMap<QString, QByteArray>;

namespace {

// A small catalogue for the rules by which units are found: Windows-1252 text, CR LF lines.
const Files kSmallCatalogue{
    {"unitType.ucr", "Temperature\r\nLength\r\nPower\r\n\r\nMass\r\nTemperature Difference\r\n"},
    {"Length.ucr", "1^Meter (m)\r\n0.3048^Foot (ft)\r\n1000^Kilometer (km)\r\n1609.344^Mile (mi)\r\n"
                   "0.001^Millimeter (mm)\r\n185.2^Cable (1/10 nautical mile)\r\n219.456^Cable (US Navy 720 ft)\r\n"},
    {"Power.ucr", "1^Watt (W)\r\n0.001^Milliwatt (mW)\r\n1000000^Megawatt (MW)\r\n"},
    {"Mass.ucr", "1^Kilogram (kg)\r\n0.45359237^Pound (lb)\r\n"},
    {"Temperature.ucr", "1^Kelvin (K)\r\n1^Degrees Celsius (\xBA"
                        "C)\r\n1^Degrees Fahrenheit (\xBA"
                        "F)\r\n1^Degrees Rankine (\xBA"
                        "R)\r\n"},
    {"Temperature Difference.ucr", "1^Kelvin (K)\r\n1^Degree Celsius (\xB0"
                                   "C)\r\n0.555555555555556^Degree Fahrenheit (\xB0"
                                   "F)\r\n"},
};

const QString kUsage = QStringLiteral("\n\nUsage: \\S*Tallimer \\[options\\] \\[command \\[arguments\\]\\]\n(.*\n)*");

QString exactly(const QString &text)
{
    return QRegularExpression::escape(text);
}

bool matchesWhole(const QString &pattern, const QString &text)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch();
}

struct Run {
    bool finished = false;
    int exitCode = -1;
    QString output;
    QString errors;
    QString report() const { return output + errors; }
};

} // namespace

// The program itself, run as a process with neither a display, Wayland nor a Qt platform, its own
// home, data and configuration folders, and the catalogue of a test folder: each test copies the
// built program into its TestEnvironment, whose bin/ holds the factory catalogue.
class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_environment = std::make_unique<TestEnvironment>();
        QVERIFY(QFile::copy(QStringLiteral(TALLIMER_PROGRAM), program()));
    }

    void cleanup() { finishEnvironment(m_environment); }

    void conversionsShowTheWindowsResultLine_data() { addConversionRows(); }

    void conversionsShowTheWindowsResultLine()
    {
        const ConversionRow row = fetchConversionRow();
        const Run run = runProgram({"convert", row.value, row.from, row.to, "--category", row.category, "--places",
                                    QString::number(row.places)},
                                   row.locale);
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.report()));
        QCOMPARE(run.output, row.line + "\n");
        QCOMPARE(run.errors, QString());
    }

    // Each command on a small catalogue: what it prints, and its exit status.
    void answersOnASmallCatalogue_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("errors"); // a pattern for all of standard error
        const auto answers = [](const char *tag, const QStringList &arguments, const QString &output,
                                const QString &locale = "en_US") {
            QTest::newRow(tag) << locale << arguments << 0 << output << "";
        };
        const auto refuses = [](const char *tag, const QStringList &arguments, const QString &message) {
            QTest::newRow(tag) << "en_US" << arguments << 2 << "" << exactly("Tallimer: " + message + "\n");
        };
        const auto showsUsage = [](const char *tag, const QStringList &arguments, const QString &message) {
            QTest::newRow(tag) << "en_US" << arguments << 2 << "" << exactly("Tallimer: " + message) + kUsage;
        };

        const QString feetToMeters = "10 Foot (ft) = 3.048 Meter (m)\n";
        const QString celsiusToFahrenheit = "100 Degrees Celsius (\u00BAC) = 212. Degrees Fahrenheit (\u00BAF)\n";
        answers("whole name, any letter case", {"convert", "10", "FOOT (FT)", "meter (m)"}, feetToMeters);
        answers("name without its symbol", {"convert", "10", "foot", "Meter"}, feetToMeters);
        answers("symbol", {"convert", "10", "ft", "m"}, feetToMeters);
        answers("unique prefix", {"convert", "10", "Fo", "Me"}, feetToMeters);
        // "Mi" begins Mile and Millimeter, but is the symbol of the one.
        answers("a symbol before a prefix", {"convert", "1", "Mi", "km"}, "1 Mile (mi) = 1.60934 Kilometer (km)\n");
        answers("letter case tells units apart that differ in it alone", {"convert", "1", "MW", "mW"},
                "1 Megawatt (MW) = 1,000,000,000. Milliwatt (mW)\n");
        answers("degree sign left out", {"convert", "100", "C", "F", "--category", "Temperature"}, celsiusToFahrenheit);
        answers("degree sign typed either way", {"convert", "100", "\u00B0C", "\u00BAF", "--category", "Temperature"},
                celsiusToFahrenheit);
        answers("category named in another letter case",
                {"convert", "10", "\u00BAC", "F", "--category", "temperature difference"},
                "10 Degree Celsius (\u00B0C) = 18. Degree Fahrenheit (\u00B0F)\n");
        answers("a name alone picks its category", {"convert", "100", "Degrees Celsius", "F"}, celsiusToFahrenheit);
        answers("negative temperature, no \"--\" needed", {"convert", "-40", "C", "F", "--category", "Temperature"},
                "-40 Degrees Celsius (\u00BAC) = -40. Degrees Fahrenheit (\u00BAF)\n");
        answers("\".\" form in a comma locale", {"convert", "-.5", "C", "F", "--category", "Temperature"},
                "-0,5 Degrees Celsius (\u00BAC) = 31,1 Degrees Fahrenheit (\u00BAF)\n", "de_DE");
        answers("--plain", {"convert", "1,000", "ft", "m", "--plain"}, "304.8\n");
        answers("--plain, a whole result", {"convert", "1", "km", "m", "--plain", "--places", "2"}, "1,000.\n");
        // The categories in the window's order, whatever the index's; a blank line lists nothing.
        answers("list of categories", {"list"}, "Length\nMass\nPower\nTemperature\nTemperature Difference\n");
        answers("units, in the file's order", {"list", "power"},
                "1^Watt (W)\n0.001^Milliwatt (mW)\n1000000^Megawatt (MW)\n");
        // The factors in the fixed format in every locale.
        answers("units in a comma locale", {"list", "Mass"}, "1^Kilogram (kg)\n0.45359237^Pound (lb)\n", "de_DE");

        refuses("units of two categories", {"convert", "100", "C", "F"},
                "'C' and 'F' name units of more than one category; choose one with --category:\n"
                "  Temperature: Degrees Celsius (\u00BAC) to Degrees Fahrenheit (\u00BAF)\n"
                "  Temperature Difference: Degree Celsius (\u00B0C) to Degree Fahrenheit (\u00B0F)");
        refuses("ambiguous name", {"convert", "1", "Cable", "m"},
                "'Cable' could be any of these units of Length:\n"
                "  Cable (1/10 nautical mile)\n  Cable (US Navy 720 ft)");
        refuses("ambiguous letter case", {"convert", "1", "mw", "W"},
                "'mw' could be any of these units of Power:\n  Milliwatt (mW)\n  Megawatt (MW)");
        refuses("unknown unit, known category", {"convert", "1", "furlong", "m"},
                "No unit of Length is named 'furlong'. Its units are:\n  Meter (m)\n  Foot (ft)\n  Kilometer (km)\n"
                "  Mile (mi)\n  Millimeter (mm)\n  Cable (1/10 nautical mile)\n  Cable (US Navy 720 ft)");
        refuses("unknown units", {"convert", "1", "xyz", "bar"},
                "No unit is named 'xyz' or 'bar'. The command \"list\" shows the categories, \"list CATEGORY\" "
                "their units.");
        refuses("units of different categories", {"convert", "1", "m", "kg"},
                "No category holds both 'm' and 'kg': 'm' is in Length; 'kg' is in Mass.");
        // "m" begins Milliwatt and Megawatt, but is the symbol of Meter.
        refuses("a prefix does not reach past a symbol", {"convert", "1", "m", "W"},
                "No category holds both 'm' and 'W': 'm' is in Length; 'W' is in Power.");
        const QString noArea = "No category is named 'Area'. The command \"list\" shows the categories.";
        refuses("unknown category to convert in", {"convert", "1", "ft", "m", "--category", "Area"}, noArea);
        refuses("unknown category to list", {"list", "Area"}, noArea);
        refuses("below absolute zero", {"convert", "-273.16", "C", "F", "--category", "Temperature"},
                "Try Again, below absolute zero.");
        refuses("no number", {"convert", "abc", "ft", "m"}, "'abc' is not a number.");
        refuses("a result too large", {"convert", "1e308", "km", "mm"},
                "Error # 6 was generated by Tallimer in routine Converter.\n\nOverflow");

        showsUsage("unknown command", {"feet"}, "Unknown command 'feet'.");
        showsUsage("convert without units", {"convert", "10", "ft"},
                   "convert needs a value, the unit to convert from and the unit to convert to.");
        showsUsage("convert, one argument too many", {"convert", "1", "ft", "m", "yd"}, "Unexpected argument 'yd'.");
        showsUsage("list, two categories", {"list", "Length", "Mass"}, "Unexpected argument 'Mass'.");
        const QString places = "--places takes a whole number from 1 to 9.";
        showsUsage("no decimal places", {"convert", "1", "ft", "m", "--places", "0"}, places);
        showsUsage("too many decimal places", {"convert", "1", "ft", "m", "--places", "10"}, places);
        showsUsage("negative decimal places", {"convert", "1", "ft", "m", "--places", "-1"}, places);
        showsUsage("--plain without convert", {"list", "--plain"}, "--plain goes with the command convert.");
        showsUsage("--category without a command", {"--category", "Length"},
                   "--category goes with the command convert.");
    }

    void answersOnASmallCatalogue()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, errors);
        plantCatalogue(kSmallCatalogue);
        const Run run = runProgram(arguments, locale);
        QVERIFY2(run.finished, qPrintable(run.report()));
        QCOMPARE(run.output, output);
        QVERIFY2(matchesWhole(errors, run.errors), qPrintable(run.errors));
        QCOMPARE(run.exitCode, exitCode);
    }

    // A line the unit lists cannot read is told on standard error, as the window tells it, and
    // left out.
    void listTellsRejectedLines()
    {
        plantCatalogue({{"unitType.ucr", "Length\r\n"}, {"Length.ucr", "1^Meter (m)\r\nx^Bad\r\n0.3048^Foot (ft)\r\n"}});
        const Run run = runProgram({"list", "Length"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.output, QStringLiteral("1^Meter (m)\n0.3048^Foot (ft)\n"));
        QCOMPARE(run.errors, QStringLiteral("Tallimer: Error loading Bad This Unit has been removed\n"));
    }

    // Each kind of fault once, at its file and line; named categories, the faults of their files
    // alone.
    void checkFindsFaults_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("output");
        QTest::addColumn<QString>("errors");
        const QStringList quoted{
            "Quoted.ucr:2: the factor \"\"2\" is not a number",
            "Quoted.ucr:3: this line is never read: a double quote on an earlier line opens a field that runs on "
            "past it",
            "Quoted.ucr:4: this line is never read: a double quote on an earlier line opens a field that runs on "
            "past it"};
        const QString gone = "unitType.ucr:5: the category file \"Gone.ucr\" is missing";
        QTest::newRow("whole catalogue")
            << QStringList{"check"} << 1
            << QStringList{
                   "unitType.ucr:3: \"Bad/Name\" cannot name a category file: Category name cannot contain any of the "
                   "following characters: \\ / : ? * \" < > | , ^",
                   "unitType.ucr:4: \"length\" is listed on line 1 already", gone,
                   "Length.ucr:1: the first unit is not a base unit of factor 1: its factor is 2",
                   "Length.ucr:2: the factor \"x\" is not a number",
                   "Length.ucr:3: no \"^\" between a factor and a name: the editor cannot read this line",
                   "Length.ucr:4: the unit name \"Centi^Inch\" holds a \"^\"",
                   "Length.ucr:5: the unit name \"A,B\" holds a comma",
                   "Length.ucr:6: the factor -1 is not greater than zero",
                   "Length.ucr:7: the factor 0 is not greater than zero",
                   "Length.ucr:8: the unit name \"meter (M)\" is on line 1 already", "Length.ucr:10: the unit has no name",
                   "Length.ucr:11: the unit name \"Add custom unit here\" marks an empty row: the editor drops the "
                   "unit when it saves",
                   "Length.ucr:12: the unit name \"Tab\\x09here\": Unit name cannot contain tabs, line breaks or "
                   "other control characters",
                   // Lines that end in LF alone are one line.
                   "Mass.ucr:1: the unit name \"Kilogram\\x0a2^Gram\\x0a\" holds a \"^\""}
                   + quoted + QStringList{"Extra.ucr: the index does not list this category file"}
            << "";
        QTest::newRow("a clean category") << QStringList{"check", "Temperature"} << 0 << QStringList() << "";
        QTest::newRow("categories in other letters") << QStringList{"check", "temperature", "quoted"} << 1 << quoted
                                                     << "";
        QTest::newRow("a category without its file") << QStringList{"check", "Gone"} << 1 << QStringList{gone} << "";
        QTest::newRow("a file the index does not list")
            << QStringList{"check", "Extra"} << 2 << QStringList()
            << "Tallimer: No category is named 'Extra'. The command \"list\" shows the categories.\n";
    }

    void checkFindsFaults()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, output);
        QFETCH(QString, errors);
        plantCatalogue({
            {"unitType.ucr", "Length\r\nMass\r\nBad/Name\r\nlength\r\nGone\r\n\r\nTemperature\r\nQuoted\r\n"},
            {"Length.ucr", "2^Meter (m)\r\nx^Bad\r\n5\r\n2.54^Centi^Inch\r\n1^A,B\r\n-1^Negative\r\n0^Zero\r\n"
                           "0.3^meter (M)\r\n\r\n1^\r\n1^Add custom unit here\r\n1^Tab\there\r\n"},
            {"Mass.ucr", "1^Kilogram\n2^Gram\n"},
            {"Temperature.ucr", kSmallCatalogue.value("Temperature.ucr")},
            {"Quoted.ucr", "1^Unit\r\n\"2^Quoted\r\n3^Hidden\r\n\"\r\n"},
            {"Extra.ucr", "1^Unit\r\n"},
        });
        const Run run = runProgram(arguments);
        QVERIFY2(run.finished, qPrintable(run.report()));
        QCOMPARE(run.output.split('\n', Qt::SkipEmptyParts), output);
        QCOMPARE(run.errors, errors);
        QCOMPARE(run.exitCode, exitCode);
    }

    void shippedCatalogueChecksClean()
    {
        const Run run = runProgram({"check"});
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.report()));
        QCOMPARE(run.output, QString());
        QCOMPARE(run.errors, QString());
    }

    void unreadableCatalogue_data()
    {
        QTest::addColumn<QString>("removed"); // the file of bin/ taken away
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("errors");

        const QString noIndex = "Tallimer: File: .*unitType\\.ucr\nFile Does Not Exist\\.\n";
        QTest::newRow("list, no index") << "unitType.ucr" << QStringList{"list"} << noIndex;
        QTest::newRow("convert, no index") << "unitType.ucr" << QStringList{"convert", "1", "ft", "m"} << noIndex;
        QTest::newRow("check, no index") << "unitType.ucr" << QStringList{"check"} << noIndex;
        const QString noLength = "Tallimer: File: .*Length\\.ucr\nFile Does Not Exist\\.\n";
        QTest::newRow("list, no category file") << "Length.ucr" << QStringList{"list", "Length"} << noLength;
        QTest::newRow("convert, no file of the category named")
            << "Length.ucr" << QStringList{"convert", "1", "ft", "m", "--category", "Length"} << noLength;
    }

    void unreadableCatalogue()
    {
        QFETCH(QString, removed);
        QFETCH(QStringList, arguments);
        QFETCH(QString, errors);
        QVERIFY(QFile::remove(m_environment->binFolder() + "/" + removed));
        const Run run = runProgram(arguments);
        QCOMPARE(run.exitCode, 3);
        QCOMPARE(run.output, QString());
        QVERIFY2(matchesWhole(errors, run.errors), qPrintable(run.errors));
    }

    // A command reads; it never writes: not the settings (the last conversion the window stored
    // stays), not the catalogue, no per-user copy.
    void commandsChangeNoFile_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("convert") << QStringList{"convert", "10", "ft", "m"};
        QTest::newRow("failed convert") << QStringList{"convert", "-300", "C", "F", "--category", "Temperature"};
        QTest::newRow("list") << QStringList{"list", "Length"};
        QTest::newRow("check") << QStringList{"check"};
    }

    void commandsChangeNoFile()
    {
        QFETCH(QStringList, arguments);
        m_environment->writeFile("config/Tallimer/Tallimer.ini",
                                 "[History]\nLast%20Converter=3\nLast%20From%20Unit=1\nLast%20To%20Unit=2\n"
                                 "Last%20Value=7\n");
        const Files before = faultfiles::filesUnder(m_environment->folder());
        const Run run = runProgram(arguments);
        QVERIFY2(run.finished, qPrintable(run.report()));
        QCOMPARE(faultfiles::filesUnder(m_environment->folder()), before);
    }

    // The catalogue the window works on: bin/ of a build folder; for an installed program the
    // user's copy, or the factory catalogue while there is none (no copy is made for a command).
    void commandsReadTheWindowsCatalogue_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("userCopy");
        QTest::addColumn<QString>("output");
        QTest::newRow("build folder") << false << false << "Length\n";
        QTest::newRow("installed, no copy yet") << true << false << "Acceleration\n";
        QTest::newRow("installed, copy made") << true << true << "Mine\n";
    }

    void commandsReadTheWindowsCatalogue()
    {
        QFETCH(bool, installed);
        QFETCH(bool, userCopy);
        QFETCH(QString, output);
        m_environment->writeFile("bin/unitType.ucr", "Length\r\n");
        if (installed)
            m_environment->writeFile("install-marker", "factory=bin/default\n");
        if (userCopy) {
            m_environment->writeFile("data/Tallimer/catalogue/unitType.ucr", "Mine\r\n");
            m_environment->writeFile("data/Tallimer/catalogue/Mine.ucr", "1^Unit\r\n");
        }
        const Run run = runProgram({"list"});
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.report()));
        QVERIFY2(run.output.startsWith(output), qPrintable(run.output));
        QCOMPARE(QFileInfo::exists(m_environment->folder() + "/data/Tallimer"), userCopy);
    }

private:
    QString program() const { return m_environment->folder() + "/Tallimer"; }

    // Replaces the catalogue files of bin/ (not the factory copies) by files.
    void plantCatalogue(const Files &files)
    {
        const QDir bin(m_environment->binFolder());
        for (const QString &name : bin.entryList({"*.ucr"}, QDir::Files))
            QVERIFY(QFile::remove(bin.filePath(name)));
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            m_environment->writeFile("bin/" + it.key(), it.value());
    }

    // Runs the program in the locale (as QLocale names it) with the arguments.
    Run runProgram(const QStringList &arguments, const QString &locale = QStringLiteral("en_US")) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(variable);
        environment.insert("HOME", m_environment->folder() + "/home");
        environment.insert("XDG_DATA_HOME", m_environment->folder() + "/data");
        environment.insert("XDG_CONFIG_HOME", m_environment->folder() + "/config");
        environment.insert("LC_ALL", locale + ".UTF-8");
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program(), arguments);
        Run run;
        run.finished = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
        run.exitCode = run.finished ? process.exitCode() : -1;
        run.output = QString::fromUtf8(process.readAllStandardOutput());
        run.errors = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
