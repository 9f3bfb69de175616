#include "cli/CommandLine.h"

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
};

void declare(QCommandLineParser &parser, const Options &options)
{
    // Qt's window options are written with one dash ("-platform"), so one dash starts a long
    // option; -h and -v are still read as the short ones.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Converts a quantity from one unit of measure to another. Without options it opens its window."));
    parser.addOption(options.help);
    parser.addOption(options.version);
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

QString usage(const QCommandLineParser &parser)
{
    return parser.helpText() + QLatin1Char('\n') + filesText();
}

int refuse(const QCommandLineParser &parser, const QString &why, QTextStream &err)
{
    err << app::appTitle() << ": " << why << "\n\n" << usage(parser);
    return kUsageError;
}

} // namespace

std::optional<int> runCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    const Options options;
    declare(parser, options);
    if (!parser.parse(arguments))
        return refuse(parser, parser.errorText(), err);
    if (!parser.positionalArguments().isEmpty())
        return refuse(parser, QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()),
                      err);
    if (parser.isSet(options.help)) {
        out << usage(parser);
        return 0;
    }
    if (parser.isSet(options.version)) {
        out << app::appTitle() << ' ' << app::versionText() << '\n';
        return 0;
    }
    return std::nullopt;
}

} // namespace cli
