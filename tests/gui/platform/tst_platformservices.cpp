#include "core/platform/ProgramStarter.h"
#include "core/platform/Registry.h"
#include "core/platform/UrlOpener.h"
#include "gui/platform/QtUrlOpener.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTest>

// The real services behind the registry, program starter and browser seams, as far as they can
// run here without touching anything outside the test's folder.
class TestPlatformServices : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { finishEnvironment(m_environment); }

    void starterRunsTheProgramWithoutWaiting()
    {
#ifndef Q_OS_UNIX
        QSKIP("the test program is a shell script");
#endif
        // The program marks that it started, waits (at most ten seconds) for the test to release
        // it, and marks its end. Had the starter waited for it, the end would be marked already.
        const QDir folder(m_environment->folder());
        m_environment->writeFile(QStringLiteral("tools/program"),
                                 "#!/bin/sh\n"
                                 "cd \"$(dirname \"$0\")\"\n"
                                 "touch started\n"
                                 "i=0\n"
                                 "while [ ! -e release ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i+1)); done\n"
                                 "touch finished\n");
        const QString program = folder.filePath(QStringLiteral("tools/program"));
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

        platform::QtProgramStarter starter;
        QVERIFY(starter.startDetached(program));
        QTRY_VERIFY(QFile::exists(folder.filePath(QStringLiteral("tools/started"))));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("tools/finished"))));
        m_environment->writeFile(QStringLiteral("tools/release"), QByteArray());
        QTRY_VERIFY(QFile::exists(folder.filePath(QStringLiteral("tools/finished"))));
    }

    void starterReportsWhatCannotStart_data()
    {
        QTest::addColumn<QString>("relativePath");
        QTest::newRow("no path") << "";
        QTest::newRow("missing file") << "tools/missing";
        QTest::newRow("a folder") << "bin";
        QTest::newRow("a file that is no program") << "bin/unitType.ucr";
    }
    void starterReportsWhatCannotStart()
    {
        QFETCH(QString, relativePath);
        const QString path = relativePath.isEmpty() ? QString() : QDir(m_environment->folder()).filePath(relativePath);
        platform::QtProgramStarter starter;
        QVERIFY(!starter.startDetached(path));
    }

    // Nothing that is no web address reaches the system, and without a browser installed
    // every address is refused.
    void browserRefusesWhatIsNoWebAddress_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("installed");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("host without scheme") << "www.tallimer.org" << true;
        QTest::newRow("space in the host") << "https://www tallimer.org/" << true;
        QTest::newRow("no browser installed") << "https://www.tallimer.org/" << false;
    }
    void browserRefusesWhatIsNoWebAddress()
    {
        QFETCH(QString, address);
        QFETCH(bool, installed);
        auto previous = platform::setUrlOpener(installed ? std::make_unique<platform::QtUrlOpener>() : nullptr);
        const bool opened = platform::urlOpener().openUrl(address);
        platform::setUrlOpener(std::move(previous));
        QVERIFY(!opened);
    }

    void systemRegistry()
    {
        const auto registry = platform::createSystemRegistry();
        const auto key = registry->openKey(platform::kHKeyLocalMachine, QStringLiteral("SOFTWARE"));
#ifdef Q_OS_WIN
        QVERIFY(key.has_value());
        registry->closeKey(*key);
#else
        QVERIFY(!key.has_value());
#endif
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestPlatformServices)
#include "tst_platformservices.moc"
