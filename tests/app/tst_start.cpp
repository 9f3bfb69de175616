#include "support/FaultFiles.h"
#include "support/TestEnvironment.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace {

QString outputOf(const QString &program, const QStringList &arguments, const QString &display)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(5000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

} // namespace

// The built program started as a user starts it: through a link named as the installed launcher,
// as an installed program (a per-user copy of the catalogue), with a home of its own, on a virtual
// X server of its own.
class TestStart : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        if (QStandardPaths::findExecutable("Xvfb").isEmpty())
            QSKIP("Xvfb is not installed: there is no X server to show the window on");
        for (const char *tool : {"xwininfo", "xprop", "xdotool"})
            QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(), "x11-utils and xdotool are needed");
        m_environment = std::make_unique<TestEnvironment>();
        m_xserver = std::make_unique<QProcess>();
        // The server writes the number of a free display once it takes connections.
        // No auto-repeat: a key typed into the popup menu would go on typing in the window it opens.
        m_xserver->start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-r"});
        QVERIFY(m_xserver->waitForReadyRead(10000));
        m_display = ":" + QString::fromLatin1(m_xserver->readAllStandardOutput()).trimmed();
    }

    void cleanup()
    {
        for (QProcess *process : {m_program.get(), m_xserver.get()}) {
            if (process) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
        finishEnvironment(m_environment);
    }

    void showsTheWindowAndMakesTheUsersCopy_data()
    {
        QTest::addColumn<bool>("newFactoryCategory"); // since the user's copy was made
        QTest::addColumn<QString>("menuKey");         // chosen in the popup menu (Shift+F10); empty: none
        QTest::addColumn<QStringList>("windows"); // sorted: the main window comes last
        const QString window = "Tallimer Version " TALLIMER_VERSION " (tallimer Tallimer) with icon";
        QTest::newRow("first start") << false << "" << QStringList{window};
        QTest::newRow("a new factory category is told")
            << true << "" << QStringList{"Tallimer (tallimer Tallimer) with icon", window};
        QTest::newRow("the menu opens the options") << false << "o"
                                                    << QStringList{"Options (tallimer Tallimer) with icon", window};
        QTest::newRow("the menu opens the editor")
            << false << "u" << QStringList{"Add Custom Unit Convertion Factors (tallimer Tallimer) with icon", window};
        QTest::newRow("the menu opens the about box")
            << false << "a" << QStringList{"About Tallimer (tallimer Tallimer) with icon", window};
    }

    void showsTheWindowAndMakesTheUsersCopy()
    {
        QFETCH(bool, newFactoryCategory);
        QFETCH(QString, menuKey);
        QFETCH(QStringList, windows);
        const QString folder = m_environment->folder();
        m_environment->writeFile("install-marker", "factory=bin/default\n");
        QVERIFY(QFile::copy(TALLIMER_PROGRAM, folder + "/Tallimer"));
        QVERIFY(QFile::link("Tallimer", folder + "/tallimer"));
        const QString userFolder = "data/Tallimer/"; // in home/
        QMap<QString, QByteArray> expected;
        for (auto [name, bytes] : faultfiles::filesUnder(m_environment->binFolder() + "/default").asKeyValueRange())
            expected.insert(userFolder + "catalogue/" + name, bytes);
        expected.insert(userFolder + "offered-categories.txt", expected.value(userFolder + "catalogue/unitType.ucr"));
        if (newFactoryCategory) {
            for (auto [path, bytes] : expected.asKeyValueRange())
                m_environment->writeFile("home/" + path, bytes);
            const QByteArray index = expected.value(userFolder + "catalogue/unitType.ucr") + "Brand New\r\n";
            m_environment->writeFile("bin/default/unitType.ucr", index);
            m_environment->writeFile("bin/default/Brand New.ucr", "1^Unit\r\n");
            expected.insert(userFolder + "catalogue/unitType.ucr", index);
            expected.insert(userFolder + "catalogue/Brand New.ucr", "1^Unit\r\n");
            expected.insert(userFolder + "offered-categories.txt", index);
        }

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *variable : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(variable);
        environment.insert("DISPLAY", m_display);
        environment.insert("HOME", folder + "/home");
        environment.insert("XDG_DATA_HOME", folder + "/home/data");
        environment.insert("XDG_CONFIG_HOME", folder + "/home/config");
        environment.insert("XDG_CACHE_HOME", folder + "/cache");
        m_program = std::make_unique<QProcess>();
        m_program->setProcessEnvironment(environment);
        m_program->start(folder + "/tallimer");
        if (!menuKey.isEmpty()) {
            QCOMPARE(windowsOnceShown({windows.last()}), QStringList{windows.last()});
            outputOf("xdotool", {"search", "--onlyvisible", "--name", " Version ", "windowfocus", "--sync", "key",
                                 "--delay", "300", "shift+F10", menuKey}, m_display);
        }
        QCOMPARE(windowsOnceShown(windows), windows);
        const QMap<QString, QByteArray> files = faultfiles::filesUnder(folder + "/home");
        QCOMPARE(files.keys(), expected.keys());
        QCOMPARE(files, expected);
    }

private:
    // The shown top-level windows, "title (instance class)" and whether each has an icon, once
    // they are the expected ones: ten seconds at most, and no longer than the program runs.
    QStringList windowsOnceShown(const QStringList &expected) const
    {
        const QDeadlineTimer deadline(10000);
        QStringList shown;
        while ((shown = shownWindows()) != expected && !deadline.hasExpired()
               && m_program->state() != QProcess::NotRunning)
            QTest::qWait(100);
        return shown;
    }

    QStringList shownWindows() const
    {
        static const QRegularExpression window(R"re(^\s*(0x[0-9a-f]+) "(.*)": \("(.*)" "(.*)"\))re",
                                               QRegularExpression::MultilineOption);
        QStringList shown;
        for (const auto &match : window.globalMatch(outputOf("xwininfo", {"-root", "-children"}, m_display))) {
            const QString id = match.captured(1);
            if (!outputOf("xwininfo", {"-id", id}, m_display).contains("IsViewable"))
                continue;
            const bool icon = outputOf("xprop", {"-id", id, "_NET_WM_ICON"}, m_display).contains("Icon (");
            shown.append(QStringLiteral("%1 (%2 %3)").arg(match.captured(2), match.captured(3), match.captured(4))
                         + (icon ? " with icon" : ""));
        }
        shown.sort();
        return shown;
    }

    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<QProcess> m_xserver;
    std::unique_ptr<QProcess> m_program;
    QString m_display;
};

QTEST_GUILESS_MAIN(TestStart)
#include "tst_start.moc"
