#include "core/base/AppInfo.h"
#include "core/base/Failure.h"
#include "core/platform/MessageBox.h"
#include "core/platform/SettingsStore.h"
#include "support/HostileEntries.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

class TestSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { m_environment.reset(); }

    void absentKeysReadTheirDefault()
    {
        auto &store = platform::settingsStore();
        QCOMPARE(store.read("Tallimer", "Options", "Auto Convert", "0"), QStringLiteral("0"));
        QCOMPARE(store.read("Tallimer", "History", "Last Value", QString()), QString());
    }

    void valuesRoundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("word") << "True";
        QTest::newRow("negative integer") << "-1";
        QTest::newRow("exponent") << "1E+20";
        QTest::newRow("decimal comma") << "2,5";
        QTest::newRow("spaces and quotes") << " a \"b\" ";
        QTest::newRow("empty") << "";
    }
    void valuesRoundTrip()
    {
        QFETCH(QString, value);
        auto &store = platform::settingsStore();
        store.write("Tallimer", "History", "Last Value", value);
        QCOMPARE(store.read("Tallimer", "History", "Last Value", "default"), value);
    }

    void applicationsAndSectionsAreSeparate()
    {
        auto &store = platform::settingsStore();
        store.write("Tallimer", "Options", "Compact Form", "True");
        QCOMPARE(store.read("Other", "Options", "Compact Form", "0"), QStringLiteral("0"));
        QCOMPARE(store.read("Tallimer", "History", "Compact Form", "0"), QStringLiteral("0"));
        QVERIFY(QFile::exists(QDir(m_environment->settingsFolder()).filePath("Tallimer.ini")));
    }

    void removeDeletesOneKeyOnly()
    {
        auto &store = platform::settingsStore();
        store.write("Tallimer", "History", "Last From Unit", "2");
        store.write("Tallimer", "History", "Last To Unit", "3");
        store.remove("Tallimer", "History", "Last From Unit");
        store.remove("Tallimer", "History", "Never Written");
        QCOMPARE(store.read("Tallimer", "History", "Last From Unit", QString()), QString());
        QCOMPARE(store.read("Tallimer", "History", "Last To Unit", QString()), QStringLiteral("3"));
    }

    void fileWithLinesItCannotParseIsStillWritten_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("unclosed section") << QByteArray("[Options\nCompact%20Form=True\n");
        QTest::newRow("serialised garbage")
            << QByteArray("[Optt%20Form=True\nRemions]\nCompact%20Form=@Variant(\\0\\x7f)\n");
        QTest::newRow("binary") << QByteArray("\x01\xFE[\x80\x9F=\x7F\x1B\n=\n[[]\n");
    }
    void fileWithLinesItCannotParseIsStillWritten()
    {
        // What could not be read says nothing about whether the store can be written.
        QFETCH(QByteArray, content);
        m_environment->writeFile("settings/Tallimer.ini", content);
        auto &store = platform::settingsStore();
        store.write("Tallimer", "Options", "Auto Convert", "True");
        store.write("Tallimer", "History", "Last Value", "2.5");
        store.remove("Tallimer", "History", "Last Value");
        QCOMPARE(store.read("Tallimer", "Options", "Auto Convert", "0"), QStringLiteral("True"));
        QCOMPARE(store.read("Tallimer", "History", "Last Value", "none"), QStringLiteral("none"));
    }

    // The changes of one group reach the disk together at its end, not one by one: a crash in
    // between leaves the file as it was.
    void changesReachTheDiskTogether()
    {
        auto &store = platform::settingsStore();
        store.write("Tallimer", "Options", "Compact Form", "False"); // on its own: at once
        const QByteArray before = m_environment->readFile("settings/Tallimer.ini");
        QVERIFY(before.contains("Compact%20Form=False"));

        store.beginChanges();
        store.write("Tallimer", "Options", "Compact Form", "True");
        store.beginChanges(); // joins the outer group
        store.write("Tallimer", "History", "Last Value", "2.5");
        store.endChanges();
        store.remove("Tallimer", "History", "Last Converter");
        QCOMPARE(m_environment->readFile("settings/Tallimer.ini"), before);
        QCOMPARE(store.read("Tallimer", "Options", "Compact Form", "0"), QStringLiteral("True"));
        store.endChanges();

        const QByteArray after = m_environment->readFile("settings/Tallimer.ini");
        QVERIFY(after.contains("Compact%20Form=True"));
        QVERIFY(after.contains("Last%20Value=2.5"));
        // What is on disk now is what a new store reads.
        platform::QtSettingsStore fresh(m_environment->settingsFolder());
        QCOMPARE(fresh.read("Tallimer", "History", "Last Value", "none"), QStringLiteral("2.5"));
    }

    void settingsFileThatIsNotRead_data()
    {
        QTest::addColumn<qint64>("size"); // -1: a FIFO
        QTest::addColumn<bool>("read");
        QTest::newRow("1 MB") << platform::QtSettingsStore::kMaxSettingsFileBytes << true;
        QTest::newRow("one byte more") << platform::QtSettingsStore::kMaxSettingsFileBytes + 1 << false;
        QTest::newRow("a FIFO") << qint64(-1) << false;
    }
    void settingsFileThatIsNotRead()
    {
        QFETCH(qint64, size);
        QFETCH(bool, read);
        const QString ini = QDir(m_environment->settingsFolder()).filePath("Tallimer.ini");
        QByteArray content = "[Options]\nCompact%20Form=True\n";
        if (size < 0) {
            QVERIFY(hostile::makeFifo(ini));
        } else {
            content += QByteArray(size - content.size(), '#');
            m_environment->writeFile("settings/Tallimer.ini", content);
        }
        const hostile::FifoGuard guard(ini);
        auto &store = platform::settingsStore();
        QCOMPARE(store.read("Tallimer", "Options", "Compact Form", "0"), read ? QStringLiteral("True") : QStringLiteral("0"));
        if (read) {
            store.write("Tallimer", "Options", "Compact Form", "False");
            QVERIFY(m_environment->readFile("settings/Tallimer.ini").size() < 100);
            return;
        }
        try {
            store.write("Tallimer", "Options", "Compact Form", "False");
            QFAIL("a file that was not read is not written");
        } catch (const app::Failure &failure) {
            QCOMPARE(failure.number(), app::kErrPathFileAccess);
            QVERIFY2(failure.description().startsWith("The settings file " + QDir::toNativeSeparators(ini) + " is "),
                     qPrintable(failure.description()));
        }
        QCOMPARE(QFileInfo(ini).isFile(), size >= 0);
        if (size >= 0)
            QCOMPARE(m_environment->readFile("settings/Tallimer.ini"), content);
        QVERIFY(!guard.releasedAWaitingReader());
    }

    void scriptedBoxesAnswerInOrderAndFlagSurprises()
    {
        auto &boxes = m_environment->boxes();
        boxes.expect(platform::Answer::No);
        QCOMPARE(platform::MsgBox("first", platform::Buttons::YesNo), platform::Answer::No);
        QVERIFY(boxes.unexpected().isEmpty());
        QCOMPARE(platform::MsgBox("surprise", platform::Buttons::OKCancel), platform::Answer::Cancel);
        QCOMPARE(boxes.unexpected().size(), 1);
        QCOMPARE(boxes.shown().last().title, QStringLiteral("Tallimer"));
        boxes.clear();
    }

    void laterEnvironmentTakesThePlaceOfOneLeftAlive()
    {
        // As when a check in cleanup() fails before the reset, and the next init() makes another.
        auto later = std::make_unique<TestEnvironment>();
        m_environment.reset();
        later->boxes().expectOK();
        platform::MsgBox("reaches the later one");
        QCOMPARE(later->boxes().shownTexts(), QStringList{"reaches the later one"});
        QCOMPARE(app::applicationFolder(), later->folder());
        platform::settingsStore().write("Tallimer", "Options", "Compact Form", "True");
        QVERIFY(QFile::exists(QDir(later->settingsFolder()).filePath("Tallimer.ini")));
        m_environment = std::move(later);
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
