#include "cli/CommandLine.h"

#include "cli/CheckCommand.h"
#include "cli/ConvertCommand.h"
#include "cli/ListCommand.h"
#include "core/base/AppInfo.h"
#include "core/catalogue/CatalogueLocation.h"
#include "core/platform/SettingsLocation.h"

#include <QCommandLineParser>
#include <QDir>

namespace cli {

namespace {

// The options of QGuiApplication and QApplication (and X11's -display and -geometry), which they
// take out of the arguments themselves when the window opens.
struct WindowSystemOption {
    const char *name;
    bool takesValue;
};
constexpr WindowSystemOption kWindowSystemOptions[] = {
    {"platform", true},        {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},        {"qwindowtitle", true},  {"session", true},
    {"style", true},           {"stylesheet", true},         {"display", true},       {"geometry", true},
    {"reverse", false},        {"widgetcount", false},
};

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the program's name and version and exit.")};
    // The options of convert.
    QCommandLineOption category{QStringLiteral("category"),
                                QStringLiteral("With convert: look for both units in this category only."),
                                QStringLiteral("name")};
    QCommandLineOption places{QStringLiteral("places"),
                              QStringLiteral("With convert: the decimal places of the result, %1 to %2 (%3 when not "
                                             "given).")
                                  .arg(kFewestPlaces)
                                  .arg(kMostPlaces)
                                  .arg(ConvertRequest().places),
                              QStringLiteral("n")};
    QCommandLineOption plain{QStringLiteral("plain"), QStringLiteral("With convert: print the converted number alone.")};

    // The name of a convert option that is set, empty when none is.
    QString convertOptionSet(const QCommandLineParser &parser) const
    {
        for (const QCommandLineOption *option : {&category, &places, &plain})
            if (parser.isSet(*option))
                return QStringLiteral("--") + option->names().constFirst();
        return QString();
    }
};

void declare(QCommandLineParser &parser, const Options &options)
{
    // Qt's window options are written with one dash ("-platform"), so one dash starts a long
    // option; -h and -v are still read as the short ones.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Converts a quantity from one unit of measure to another. Without a command it opens its window."));
    parser.addOption(options.help);
    parser.addOption(options.version);
    parser.addOption(options.category);
    parser.addOption(options.places);
    parser.addOption(options.plain);
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("convert, list or check (see below)."),
                                 QStringLiteral("[command [arguments]]"));
    for (const WindowSystemOption &known : kWindowSystemOptions) {
        QCommandLineOption option(QString::fromLatin1(known.name));
        if (known.takesValue)
            option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// Where the program keeps its files for the user who asks; nothing is made or copied to say so.
QString filesText()
{
    const catalogue::CatalogueLocation catalogue = catalogue::chooseCatalogueLocation(
        app::applicationFolder(), catalogue::userCatalogueFolder(), catalogue::folderTakesWrites);
    const QString settings = platform::openNativeSettings(app::programBaseName())->fileName();
    const auto line = [](const QString &what, const QString &path) {
        return QStringLiteral("  %1 %2\n").arg(what + QLatin1Char(':'), -19).arg(QDir::toNativeSeparators(path));
    };
    return QStringLiteral("Files:\n") + line(QStringLiteral("Catalogue"), catalogue.folder)
           + line(QStringLiteral("Factory catalogue"), catalogue.factoryFolder)
           + line(QStringLiteral("Settings"), settings);
}

QString commandsText()
{
    return QStringLiteral(
        "Commands:\n"
        "  convert VALUE FROM TO  Print VALUE converted from the unit FROM to the unit TO\n"
        "                         as the window shows it: \"10 Foot (ft) = 3.048 Meter (m)\".\n"
        "                         A unit is found by its whole name, by its name without\n"
        "                         the symbol in parentheses, by that symbol, or by the\n"
        "                         start of its name; letter case and degree signs do not\n"
        "                         matter. VALUE is read as the window reads a number, or\n"
        "                         with a \".\" before its decimals.\n"
        "  list [CATEGORY]        Print the categories, or a category's units as\n"
        "                         \"factor^name\".\n"
        "  check [CATEGORY...]    Print each line of the catalogue that the program would\n"
        "                         reject or that breaks the catalogue's rules, as\n"
        "                         \"FILE:LINE: message\".\n"
        "\n"
        "Exit status:\n"
        "  0  done\n"
        "  1  check found problems\n"
        "  2  the command line is wrong, or names an unknown or ambiguous unit\n"
        "  3  the catalogue cannot be read\n");
}

QString usage(const QCommandLineParser &parser)
{
    return parser.helpText() + QLatin1Char('\n') + commandsText() + QLatin1Char('\n') + filesText();
}

int refuse(const QCommandLineParser &parser, const QString &why, QTextStream &err)
{
    err << app::appTitle() << ": " << why << "\n\n" << usage(parser);
    return kUsageError;
}

// Arguments that begin with a minus and a digit ("-40", "-.5", "-,5") are numbers, never
// options, but the parser would take them for options: they are shown to it as stand-ins.
class ShieldedNumbers {
public:
    QStringList shield(const QStringList &arguments)
    {
        QStringList shielded;
        for (qsizetype i = 0; i < arguments.size(); ++i) {
            const QString &argument = arguments.at(i);
            if (i > 0 && isNegativeNumber(argument)) {
                shielded.append(kStandIn + QString::number(m_numbers.size()));
                m_numbers.append(argument);
            } else {
                shielded.append(argument);
            }
        }
        return shielded;
    }

    // The argument a stand-in stands for; any other text as it is.
    QString restore(const QString &text) const
    {
        bool ok = false;
        const qsizetype index = text.startsWith(kStandIn) ? text.mid(1).toLongLong(&ok) : -1;
        return ok && index >= 0 && index < m_numbers.size() ? m_numbers.at(index) : text;
    }

    QStringList restore(const QStringList &texts) const
    {
        QStringList restored;
        for (const QString &text : texts)
            restored.append(restore(text));
        return restored;
    }

private:
    // A noncharacter: no argument anyone types holds it.
    static inline const QString kStandIn = QString(QChar(0xFDD0));

    static bool isNegativeNumber(const QString &argument)
    {
        if (argument.size() < 2 || argument.at(0) != QLatin1Char('-'))
            return false;
        const QChar second = argument.at(1);
        return second.isDigit()
               || ((second == QLatin1Char('.') || second == QLatin1Char(',')) && argument.size() > 2
                   && argument.at(2).isDigit());
    }

    QStringList m_numbers;
};

std::optional<int> runConvertCommand(const QCommandLineParser &parser, const Options &options,
                                     const ShieldedNumbers &numbers, const QStringList &arguments,
                                     const CommandOutput &output)
{
    if (arguments.size() < 3)
        return refuse(parser, QStringLiteral("convert needs a value, the unit to convert from and the unit to convert to."),
                      output.err);
    if (arguments.size() > 3)
        return refuse(parser, QStringLiteral("Unexpected argument '%1'.").arg(arguments.at(3)), output.err);
    ConvertRequest request;
    request.value = arguments.at(0);
    request.from = arguments.at(1);
    request.to = arguments.at(2);
    if (parser.isSet(options.category))
        request.category = numbers.restore(parser.value(options.category));
    if (parser.isSet(options.places)) {
        bool ok = false;
        request.places = numbers.restore(parser.value(options.places)).toInt(&ok);
        if (!ok || request.places < kFewestPlaces || request.places > kMostPlaces)
            return refuse(parser,
                          QStringLiteral("--places takes a whole number from %1 to %2.").arg(kFewestPlaces).arg(kMostPlaces),
                          output.err);
    }
    request.plain = parser.isSet(options.plain);
    return runConvert(request, output);
}

} // namespace

std::optional<int> runCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    const Options options;
    declare(parser, options);
    ShieldedNumbers numbers;
    if (!parser.parse(numbers.shield(arguments)))
        return refuse(parser, parser.errorText(), err);
    if (parser.isSet(options.help)) {
        out << usage(parser);
        return kDone;
    }
    if (parser.isSet(options.version)) {
        out << app::appTitle() << ' ' << app::versionText() << '\n';
        return kDone;
    }

    QStringList commandLine = numbers.restore(parser.positionalArguments());
    const QString convertOption = options.convertOptionSet(parser);
    if (commandLine.isEmpty()) {
        if (!convertOption.isEmpty())
            return refuse(parser, QStringLiteral("%1 goes with the command convert.").arg(convertOption), err);
        return std::nullopt;
    }
    const QString command = commandLine.takeFirst();
    const CommandOutput output{out, err};
    if (command == QLatin1String("convert"))
        return runConvertCommand(parser, options, numbers, commandLine, output);
    if (command != QLatin1String("list") && command != QLatin1String("check"))
        return refuse(parser, QStringLiteral("Unknown command '%1'.").arg(command), err);
    if (!convertOption.isEmpty())
        return refuse(parser, QStringLiteral("%1 goes with the command convert.").arg(convertOption), err);
    if (command == QLatin1String("check"))
        return runCheck(commandLine, output);
    if (commandLine.size() > 1)
        return refuse(parser, QStringLiteral("Unexpected argument '%1'.").arg(commandLine.at(1)), err);
    return runList(commandLine.isEmpty() ? std::nullopt : std::optional<QString>(commandLine.constFirst()), output);
}

} // namespace cli
