#include "support/FaultFiles.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <filesystem>
#include <optional>

#include <pwd.h>
#include <unistd.h>

using Files = QMap<QString, QByteArray>;

namespace {

using faultfiles::filesUnder;

const QString kAppId = QStringLiteral(TALLIMER_APP_ID);
const QString kManifest = QStringLiteral(TALLIMER_BUILD_FOLDER "/install_manifest.txt");
const QString kInstallMarker = QStringLiteral("install-marker");
// The exit status of a command line the program cannot read.
constexpr int cliUsageError = 2;

// The factory catalogue as the source holds it: the files an installed bin/ starts with.
Files factoryCatalogue()
{
    Files files = filesUnder(QStringLiteral(TALLIMER_FACTORY_CATALOGUE));
    for (auto it = files.begin(); it != files.end();)
        it = it.key().endsWith(QLatin1String(".ucr")) ? std::next(it) : files.erase(it);
    return files;
}

// Calls visit on folder and everything under it, links included but not followed.
template <typename Visit>
void forEachUnder(const QString &folder, Visit visit)
{
    QList<QFileInfo> pending{QFileInfo(folder)};
    while (!pending.isEmpty()) {
        const QFileInfo info = pending.takeFirst();
        if (info.isDir() && !info.isSymLink())
            pending += QDir(info.filePath()).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        visit(info);
    }
}

void setPermissionsUnder(const QString &folder, QFileDevice::Permissions files, QFileDevice::Permissions folders)
{
    forEachUnder(folder, [&](const QFileInfo &info) {
        QFile::setPermissions(info.filePath(), info.isDir() ? folders : files);
    });
}

struct ProbeRun {
    int exitCode = -1;
    QMap<QString, QString> output; // its "key=value" lines
    QString errors;
};

struct ToolRun {
    bool finished = false; // ended by itself, in time
    int exitCode = -1;
    QByteArray output; // standard output
    QByteArray errors;
    QString report() const { return QString::fromLocal8Bit(output + errors); }
};

// Runs a tool to its end, with the given environment when not empty.
ToolRun runTool(const QString &program, const QStringList &arguments, int timeoutMs = 120000,
                const QProcessEnvironment &environment = {})
{
    ToolRun run;
    QProcess process;
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    process.start(program, arguments);
    run.finished = process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit;
    run.exitCode = run.finished ? process.exitCode() : -1;
    run.output = process.readAllStandardOutput();
    run.errors = process.readAllStandardError();
    return run;
}

} // namespace

// Installs the build into temporary prefixes with `cmake --install`, and runs the installed
// catalogue through the program's catalogue code (catalogue_probe) as an unprivileged user: as
// "nobody" when the tests run as root, who could write the installed folder. The tests that only
// look share one install; those that write, or install differently, install afresh into their
// own folder. The Debian package is built with cpack into a temporary folder and checked there.
class TestInstallation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Every install and cpack run rewrites the build folder's install manifest, which the
        // user may need to uninstall their own install: it is put back at the end.
        QFile manifest(kManifest);
        if (manifest.open(QIODevice::ReadOnly))
            m_userManifest = manifest.readAll();
        QVERIFY(m_shared.isValid());
        installInto(m_shared.path());
    }

    void cleanupTestCase()
    {
        QFile manifest(kManifest);
        if (!m_userManifest)
            QFile::remove(kManifest);
        else if (manifest.open(QIODevice::WriteOnly | QIODevice::Truncate))
            manifest.write(*m_userManifest);
    }

    void init()
    {
        m_environment = std::make_unique<TestEnvironment>();
        m_prefix = m_shared.path();
    }

    void cleanup()
    {
        finishEnvironment(m_environment);
    }

    // The program and its install marker in the application folder; the factory catalogue, and
    // nothing else of the catalogue, in share/tallimer; a launcher on the path, a relative link
    // (it holds wherever the prefix is unpacked: a package is built aside); a desktop entry that
    // names the launcher and the icon.
    void installsTheProgramAndItsFiles()
    {
        const QFileInfo program(applicationFolder() + "/Tallimer");
        QVERIFY(program.isFile() && program.isExecutable());
        QStringList entries = QDir(applicationFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        entries.sort();
        QCOMPARE(entries, (QStringList{"Tallimer", kInstallMarker}));
        QVERIFY(readFile(applicationFolder() + "/" + kInstallMarker).contains("\nfactory=../../share/tallimer\n"));
        QCOMPARE(filesUnder(factoryFolder()), factoryCatalogue());

        const QFileInfo launcher(prefix() + "/bin/tallimer");
        QVERIFY(launcher.isSymLink());
        QVERIFY(std::filesystem::read_symlink(QFile::encodeName(launcher.filePath()).toStdString()).is_relative());
        QCOMPARE(launcher.canonicalFilePath(), program.canonicalFilePath());

        const QByteArray entry = readFile(prefix() + "/share/applications/" + kAppId + ".desktop");
        QVERIFY2(entry.contains("\nExec=tallimer\n") && entry.contains("\nIcon=" + kAppId.toUtf8() + "\n"),
                 entry.constData());
        QVERIFY(QFileInfo(prefix() + "/share/metainfo/" + kAppId + ".metainfo.xml").isFile());
    }

    // The marker names the factory catalogue relative to the program: an install moved as a whole
    // (a package is built aside and unpacked under /usr) still finds it.
    void movedInstallFindsItsFactoryCatalogue()
    {
        installOwnCopy();
        if (QTest::currentTestFailed())
            return;
        const QString moved = m_environment->folder() + "/moved";
        QVERIFY(QDir().rename(m_prefix, moved));
        m_prefix = moved;
        const ProbeRun run = runProbe({"where", applicationFolder()}, false);
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        QCOMPARE(run.output.value("factory"), factoryFolder());
        QCOMPARE(run.output.value("folder"), userCopy());
        QCOMPARE(filesUnder(userCopy()), factoryCatalogue());
    }

    void iconInEverySize_data()
    {
        QTest::addColumn<int>("size");
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            QTest::addRow("%dx%d", size, size) << size;
    }

    void iconInEverySize()
    {
        QFETCH(int, size);
        QFile icon(prefix() + QStringLiteral("/share/icons/hicolor/%1x%1/apps/").arg(size) + kAppId + ".png");
        QVERIFY2(icon.open(QIODevice::ReadOnly), qPrintable(icon.fileName()));
        const QByteArray header = icon.read(24); // PNG signature, IHDR: width and height
        QVERIFY(header.startsWith("\x89PNG\r\n\x1a\n"));
        QCOMPARE(qFromBigEndian<quint32>(header.constData() + 16), quint32(size));
        QCOMPARE(qFromBigEndian<quint32>(header.constData() + 20), quint32(size));
    }

    // The release notes and the manual page name the version being built (a version raised in
    // CMakeLists.txt without its changelog entry and metainfo release shows here), and compressed
    // ones follow Debian's rules: the highest level (XFL 2), and neither a file name nor a time
    // stamp in the header (flags and MTIME zero), so that a rebuild gives the same bytes.
    void documentsNameThisVersion_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("versionPattern"); // captures the newest version named
        QTest::newRow("Debian changelog") << "share/doc/tallimer/changelog.gz"
                                          << R"(\Atallimer \(([^)]+)\) \S+; urgency=)";
        QTest::newRow("AppStream release") << "share/metainfo/" + kAppId + ".metainfo.xml"
                                           << R"re(<release version="([^"]+)" date="\d{4}-\d{2}-\d{2}")re";
        QTest::newRow("manual page") << "share/man/man1/tallimer.1.gz"
                                     << R"re(^\.TH TALLIMER 1 \S+ "Tallimer ([^"]+)")re";
    }

    void documentsNameThisVersion()
    {
        QFETCH(QString, path);
        QFETCH(QString, versionPattern);
        const QString file = prefix() + "/" + path;
        QByteArray bytes = readFile(file);
        if (file.endsWith(".gz")) {
            QCOMPARE(bytes.left(4), QByteArray("\x1f\x8b\x08\x00", 4)); // gzip, deflate; no name, comment or extra
            QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 4), quint32(0)); // MTIME
            QCOMPARE(int(bytes.at(8)), 2); // XFL: maximum compression
            bytes = runTool("gzip", {"-d", "-c", file}).output;
        }
        const QRegularExpressionMatch match =
            QRegularExpression(versionPattern, QRegularExpression::MultilineOption).match(QString::fromUtf8(bytes));
        QVERIFY2(match.hasMatch(), qPrintable(file + ": " + QString::fromUtf8(bytes.left(300))));
        QCOMPARE(match.captured(1), QStringLiteral(TALLIMER_VERSION));
    }

    // What readelf shows of the installed program: stripped by `cmake --install --strip` (the
    // packages strip the same way), and hardened as distributions link programs.
    void installedProgram_data()
    {
        QTest::addColumn<bool>("strip");
        QTest::addColumn<QString>("readelfOption");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("present");
        // Shows that the stripped rows would see what they look for.
        QTest::newRow("unstripped keeps its symbol table") << false << "--section-headers" << R"(\.symtab\b)" << true;
        QTest::newRow("stripped: no symbol table") << true << "--section-headers" << R"(\.symtab\b)" << false;
        QTest::newRow("stripped: no debugging information") << true << "--section-headers" << R"(\.debug_)" << false;
        QTest::newRow("stripped: no compiler identification") << true << "--section-headers" << R"(\.comment\b)"
                                                               << false;
        QTest::newRow("relocation tables read-only") << false << "--program-headers" << R"(\bGNU_RELRO\b)" << true;
        QTest::newRow("symbols bound at start") << false << "--dynamic" << R"(\(FLAGS\)\s.*\bBIND_NOW\b)" << true;
    }

    void installedProgram()
    {
        QFETCH(bool, strip);
        QFETCH(QString, readelfOption);
        QFETCH(QString, pattern);
        QFETCH(bool, present);
        const QString readelf = QStandardPaths::findExecutable("readelf");
        if (readelf.isEmpty())
            QSKIP("readelf (binutils) is not installed");
        if (strip) {
            installOwnCopy({"--strip"});
            if (QTest::currentTestFailed())
                return;
        }
        const ToolRun run = runTool(readelf, {"--wide", readelfOption, applicationFolder() + "/Tallimer"});
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.report()));
        const bool found = QRegularExpression(pattern).match(QString::fromLocal8Bit(run.output)).hasMatch();
        QVERIFY2(found == present, run.output.constData());
    }

    // Builds the Debian package with cpack into a temporary folder and has lintian judge it: no
    // error and no warning. Lintian reads no configuration and no LINTIAN_* variables, so that
    // nothing of the user's can hide a tag.
    void debianPackagePassesLintian()
    {
#ifdef TALLIMER_SANITIZED_BUILD
        QSKIP("a sanitizer build is never packaged");
#endif
        const QString lintian = QStandardPaths::findExecutable("lintian");
        if (lintian.isEmpty() || QStandardPaths::findExecutable("dpkg-shlibdeps").isEmpty())
            QSKIP("lintian or dpkg-dev is not installed");
        const QString packages = m_environment->folder() + "/packages";
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        const QString home = m_environment->folder() + "/home";
        QVERIFY(QDir().mkpath(home));
        for (const char *variable : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
            environment.insert(variable, home);

        const ToolRun cpack = runTool(QStringLiteral(TALLIMER_CPACK_COMMAND),
                                      {"--config", TALLIMER_BUILD_FOLDER "/CPackConfig.cmake", "-G", "DEB", "-B", packages},
                                      180000, environment);
        QVERIFY2(cpack.finished && cpack.exitCode == 0, qPrintable(cpack.report()));
        const QStringList debs = QDir(packages).entryList({"tallimer_" TALLIMER_VERSION "_*.deb"}, QDir::Files);
        QCOMPARE(debs.size(), 1);

        const ToolRun check = runTool(lintian,
                                      {"--no-cfg", "--ignore-lintian-env", "--fail-on", "error,warning",
                                       packages + "/" + debs.first()},
                                      180000, environment);
        QVERIFY2(check.finished, qPrintable(check.report()));
        QVERIFY2(check.exitCode == 0, qPrintable(check.report()));
        QVERIFY2(!QRegularExpression(R"(^[EW]: )", QRegularExpression::MultilineOption)
                      .match(QString::fromLocal8Bit(check.output))
                      .hasMatch(),
                 check.output.constData());
    }

    // Every user works on a copy of the installed factory catalogue: the one who installed it and
    // could write it (root, for a package) as well as anyone else.
    void installedProgramWorksOnAPerUserCopy_data() { userRows(); }

    void installedProgramWorksOnAPerUserCopy()
    {
        QFETCH(bool, unprivileged);
        if (!prepareInstallFor(unprivileged))
            return;
        const Files installed = filesUnder(prefix());

        ProbeRun run = runProbe({"save", applicationFolder(), "Probe", "Probe unit", "2.5"}, unprivileged);
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        QCOMPARE(run.output.value("folder"), userCopy());
        QCOMPARE(run.output.value("factory"), factoryFolder());
        QCOMPARE(readFile(userCopy() + "/Probe.ucr"), QByteArray("2.5^Probe unit\r\n"));
        QCOMPARE(readFile(userCopy() + "/unitType.ucr"), factoryIndex() + "Probe\r\n");
        QCOMPARE(readFile(offeredRecord()), factoryIndex());
        QCOMPARE(filesUnder(prefix()), installed);

        // The next start works on the same copy.
        run = runProbe({"save", applicationFolder(), "Probe", "Second", "4"}, unprivileged);
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        QCOMPARE(run.output.value("folder"), userCopy());
        QCOMPARE(readFile(userCopy() + "/Probe.ucr"), QByteArray("4^Second\r\n"));
        QCOMPARE(readFile(userCopy() + "/unitType.ucr"), factoryIndex() + "Probe\r\n");

        // Restoring reads the installed factory catalogue.
        run = runProbe({"restore-all", applicationFolder()}, unprivileged);
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        QCOMPARE(filesUnder(userCopy()), factoryCatalogue());
        QCOMPARE(filesUnder(prefix()), installed);
    }

    // An upgrade installs a newer factory catalogue: one category more, one the user has deleted
    // since, and one the user has edited (which the newer factory changes too). Only the new one
    // reaches the user's copy, once.
    void upgradeBringsNewFactoryCategoriesOnce_data() { userRows(); }

    void upgradeBringsNewFactoryCategoriesOnce()
    {
        QFETCH(bool, unprivileged);
        if (!prepareInstallFor(unprivileged))
            return;
        ProbeRun run = runProbe({"where", applicationFolder()}, unprivileged);
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        QCOMPARE(run.output.value("added"), QString());

        // The user deletes the first category and edits the second, as the editor would.
        QStringList listed = QString::fromLatin1(factoryIndex()).split("\r\n", Qt::SkipEmptyParts);
        const QString deleted = listed.takeFirst();
        const QString edited = listed.first();
        QVERIFY(QFile::remove(userCopy() + "/" + deleted + ".ucr"));
        writeFile(userCopy() + "/unitType.ucr", (listed.join("\r\n") + "\r\n").toLatin1());
        writeFile(userCopy() + "/" + edited + ".ucr", "1^Own unit\r\n");

        // The upgrade, by whoever installed the program.
        setPermissionsUnder(factoryFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther,
                            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        const QByteArray newUnits = "1^Upgrade unit\r\n2^Double upgrade unit\r\n";
        writeFile(factoryFolder() + "/Upgrade Category.ucr", newUnits);
        writeFile(factoryFolder() + "/" + edited + ".ucr", "1^Newer factory unit\r\n");
        writeFile(factoryFolder() + "/unitType.ucr", factoryIndex() + "Upgrade Category\r\n");

        run = runProbe({"where", applicationFolder()}, unprivileged);
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        QCOMPARE(run.output.value("added"), QStringLiteral("Upgrade Category"));
        const Files afterUpgrade = filesUnder(userCopy());
        QCOMPARE(afterUpgrade.value("unitType.ucr"), (listed.join("\r\n") + "\r\nUpgrade Category\r\n").toLatin1());
        QCOMPARE(afterUpgrade.value("Upgrade Category.ucr"), newUnits);
        QCOMPARE(afterUpgrade.value(edited + ".ucr"), QByteArray("1^Own unit\r\n"));
        QVERIFY(!afterUpgrade.contains(deleted + ".ucr"));

        run = runProbe({"where", applicationFolder()}, unprivileged);
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        QCOMPARE(run.output.value("added"), QString());
        QCOMPARE(filesUnder(userCopy()), afterUpgrade);
    }

    // A folder without the install marker (a build folder, or one the user unpacked and owns)
    // keeps its catalogue in place, in bin/.
    void portableFolderKeepsItsCatalogueInPlace()
    {
        if (!canRunUnprivileged())
            QSKIP("running as root without setpriv or the user nobody: cannot drop root's rights");
        const QString portable = m_environment->folder();
        if (runningAsRoot())
            giveToUnprivilegedUser(portable + "/bin");
        const ProbeRun run =
            runProbe({"save", portable, "Probe", "Probe unit", "2.5"}, true);
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        QCOMPARE(run.output.value("folder"), portable + "/bin");
        QCOMPARE(run.output.value("factory"), portable + "/bin/default");
        QCOMPARE(readFile(portable + "/bin/Probe.ucr"), QByteArray("2.5^Probe unit\r\n"));
        QVERIFY(!QFileInfo::exists(dataHome() + "/Tallimer"));
    }

    // The command line is answered without a display: the program is started through its
    // launcher with no display, Wayland or Qt platform in its environment.
    void commandLineNeedsNoDisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output"); // a pattern standard output must match in full
        QTest::addColumn<QString>("errors"); // the same for standard error

        const QString version = QStringLiteral("Tallimer " TALLIMER_VERSION "\n");
        const QString usage = R"(Usage: \S*tallimer \[options\] \[command \[arguments\]\]\n(.*\n)*)";
        QTest::newRow("--version") << QStringList{"--version"} << 0 << QRegularExpression::escape(version) << "";
        QTest::newRow("-v") << QStringList{"-v"} << 0 << QRegularExpression::escape(version) << "";
        QTest::newRow("Qt's window options are left to the window")
            << QStringList{"-platform", "offscreen", "-style", "fusion", "--version"} << 0
            << QRegularExpression::escape(version) << "";
        QTest::newRow("--help") << QStringList{"--help"} << 0 << usage << "";
        QTest::newRow("-h") << QStringList{"-h"} << 0 << usage << "";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << cliUsageError << ""
                                        << "Tallimer: Unknown option 'bogus'.\n\n" + usage;
        QTest::newRow("unknown short option") << QStringList{"-x", "--version"} << cliUsageError << ""
                                              << "Tallimer: Unknown option 'x'.\n\n" + usage;
        QTest::newRow("unknown command") << QStringList{"feet"} << cliUsageError << ""
                                         << "Tallimer: Unknown command 'feet'.\n\n" + usage;
        // A command reads the factory catalogue while the user has no copy, and makes none.
        QTest::newRow("convert") << QStringList{"convert", "10", "ft", "m"} << 0
                                 << QRegularExpression::escape("10 Foot (ft) = 3.048 Meter (m)\n") << "";
    }

    void commandLineNeedsNoDisplay()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, errors);
        const ToolRun run = runWithoutDisplay(arguments);
        QVERIFY2(run.finished, qPrintable(run.report()));
        QCOMPARE(run.exitCode, exitCode);
        const auto matches = [](const QString &pattern, const QByteArray &text) {
            return QRegularExpression(QRegularExpression::anchoredPattern(pattern))
                .match(QString::fromLocal8Bit(text))
                .hasMatch();
        };
        QVERIFY2(matches(output, run.output), run.output.constData());
        QVERIFY2(matches(errors, run.errors), run.errors.constData());
        // Asking changes nothing: no copy of the catalogue is made for it.
        QVERIFY(!QFileInfo::exists(dataHome() + "/Tallimer"));
    }

    // The usage names the options and where the files are, for the user who asks.
    void helpSaysWhereTheFilesAre()
    {
        const ToolRun run = runWithoutDisplay({"--help"});
        QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.report()));
        const QString text = QString::fromLocal8Bit(run.output);
        for (const QString &line : {QStringLiteral("-h, --help"), QStringLiteral("-v, --version"),
                                    "Catalogue:          " + userCopy() + "\n",
                                    "Factory catalogue:  " + factoryFolder() + "\n",
                                    "Settings:           " + configHome() + "/Tallimer/Tallimer.ini\n"})
            QVERIFY2(text.contains(line), qPrintable(line + " is not in:\n" + text));
        QVERIFY2(!text.contains("platform"), qPrintable(text));
    }

    void desktopFilesValidate_data()
    {
        QTest::addColumn<QString>("validator");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry") << "desktop-file-validate"
                                       << QStringList{"share/applications/" + kAppId + ".desktop"};
        // validate-tree also checks that the metainfo's desktop entry and icon are installed.
        QTest::newRow("AppStream metainfo") << "appstreamcli" << QStringList{"validate-tree", "--no-net", "."};
    }

    void desktopFilesValidate()
    {
        QFETCH(QString, validator);
        QFETCH(QStringList, arguments);
        const QString program = QStandardPaths::findExecutable(validator);
        if (program.isEmpty())
            QSKIP(qPrintable(validator + " is not installed"));
        QProcess process;
        process.setWorkingDirectory(prefix());
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        QVERIFY(process.waitForFinished(60000));
        const QByteArray output = process.readAll();
        QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0, output.constData());
        QVERIFY2(!output.contains("error") && !output.contains("warning"), output.constData());
    }

private:
    QString prefix() const { return m_prefix; }
    QString applicationFolder() const { return prefix() + "/lib/tallimer"; }
    QString factoryFolder() const { return prefix() + "/share/tallimer"; }
    QString dataHome() const { return m_environment->folder() + "/data"; }
    QString configHome() const { return m_environment->folder() + "/config"; }
    QString userCopy() const { return dataHome() + "/Tallimer/catalogue"; }
    QString offeredRecord() const { return dataHome() + "/Tallimer/offered-categories.txt"; }
    static QByteArray factoryIndex() { return factoryCatalogue().value("unitType.ucr"); }

    // The users a per-user copy is checked for: the one who installed the program and can write
    // it, and another, who cannot.
    static void userRows()
    {
        QTest::addColumn<bool>("unprivileged");
        QTest::newRow("installer, who can write the install") << false;
        QTest::newRow("another user") << true;
    }

    // An install of its own for the row's user: as root, "another user" is nobody; otherwise the
    // install is made read-only, as a system-wide one is for its users. False after a skip or a
    // failure.
    bool prepareInstallFor(bool unprivileged)
    {
        if (unprivileged && !canRunUnprivileged()) {
            QTest::qSkip("running as root without setpriv or the user nobody: cannot drop root's rights",
                         __FILE__, __LINE__);
            return false;
        }
        installOwnCopy();
        if (QTest::currentTestFailed())
            return false;
        if (unprivileged && !runningAsRoot())
            setPermissionsUnder(prefix(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther,
                                QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                    | QFile::ReadOther | QFile::ExeOther);
        return true;
    }

    static void installInto(const QString &prefix, const QStringList &options = {})
    {
        const ToolRun install = runTool(QStringLiteral(TALLIMER_CMAKE_COMMAND),
                                        QStringList{"--install", TALLIMER_BUILD_FOLDER, "--prefix", prefix} + options);
        QVERIFY2(install.finished && install.exitCode == 0, qPrintable(install.report()));
    }

    void installOwnCopy(const QStringList &options = {})
    {
        m_prefix = m_environment->folder() + "/prefix";
        installInto(m_prefix, options);
    }

    static bool runningAsRoot() { return geteuid() == 0; }
    static bool canRunUnprivileged()
    {
        return !runningAsRoot() || (!QStandardPaths::findExecutable("setpriv").isEmpty() && getpwnam("nobody"));
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    // Runs the installed launcher with neither a display, Wayland nor a Qt platform, and with the
    // test's own data and configuration folders.
    ToolRun runWithoutDisplay(const QStringList &arguments) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(variable);
        environment.insert("HOME", dataHome());
        environment.insert("XDG_DATA_HOME", dataHome());
        environment.insert("XDG_CONFIG_HOME", configHome());
        return runTool(prefix() + "/bin/tallimer", arguments, 60000, environment);
    }

    // Rewrites a file in place, keeping its owner.
    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
                 qPrintable(path));
    }

    // Hands a folder and everything in it to "nobody", as a folder the user unpacked.
    void giveToUnprivilegedUser(const QString &folder)
    {
        const passwd *nobody = getpwnam("nobody");
        QVERIFY(nobody);
        forEachUnder(folder, [&](const QFileInfo &info) {
            QVERIFY(lchown(QFile::encodeName(info.filePath()).constData(), nobody->pw_uid, nobody->pw_gid) == 0);
        });
    }

    // Runs the catalogue probe with the temporary data folder as the user's, as "nobody" when asked
    // and running as root (under setpriv), and reads its "key=value" lines.
    ProbeRun runProbe(const QStringList &arguments, bool unprivileged)
    {
        QDir().mkpath(dataHome());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", dataHome());
        environment.insert("HOME", dataHome());
        QString program = QStringLiteral(CATALOGUE_PROBE);
        QStringList options = arguments;
        if (unprivileged && runningAsRoot()) {
            const passwd *nobody = getpwnam("nobody");
            // nobody reaches the temporary folder and owns its data folder, as a user owns theirs.
            QFile::setPermissions(m_environment->folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                               | QFile::ReadOther | QFile::ExeOther);
            if (chown(QFile::encodeName(dataHome()).constData(), nobody->pw_uid, nobody->pw_gid) != 0)
                return {-1, {}, "cannot give the data folder to nobody"};
            options = QStringList{QStringLiteral("--reuid=%1").arg(nobody->pw_uid),
                                  QStringLiteral("--regid=%1").arg(nobody->pw_gid), "--clear-groups", program}
                      + arguments;
            program = QStandardPaths::findExecutable("setpriv");
        }
        const ToolRun tool = runTool(program, options, 60000, environment);
        ProbeRun run{tool.finished ? tool.exitCode : -1, {}, QString::fromLocal8Bit(tool.errors)};
        for (const QString &line : QString::fromLocal8Bit(tool.output).split('\n')) {
            const qsizetype equals = line.indexOf('=');
            if (equals > 0)
                run.output.insert(line.left(equals), line.mid(equals + 1));
        }
        return run;
    }

    std::optional<QByteArray> m_userManifest;
    QTemporaryDir m_shared;
    QString m_prefix;
    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestInstallation)
#include "tst_installation.moc"
