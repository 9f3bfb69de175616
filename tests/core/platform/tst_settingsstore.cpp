#include "core/base/Failure.h"
#include "core/platform/SettingsStore.h"
#include "support/Failures.h"
#include "support/HostileEntries.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

class TestSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { finishEnvironment(m_environment); }

    void valuesAreKeptPerApplicationSectionAndKey_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("word") << "True";
        QTest::newRow("negative integer") << "-1";
        QTest::newRow("exponent") << "1E+20";
        QTest::newRow("decimal comma") << "2,5";
        QTest::newRow("spaces and quotes") << " a \"b\" ";
        QTest::newRow("empty") << "";
    }
    void valuesAreKeptPerApplicationSectionAndKey()
    {
        QFETCH(QString, value);
        auto &store = platform::settingsStore();
        QCOMPARE(store.read("Tallimer", "History", "Last Value", "default"), QStringLiteral("default"));
        store.write("Tallimer", "History", "Last Value", value);
        store.write("Tallimer", "History", "Last To Unit", "3");
        QCOMPARE(store.read("Tallimer", "History", "Last Value", "default"), value);
        QCOMPARE(store.read("Other", "History", "Last Value", "default"), QStringLiteral("default"));
        QCOMPARE(store.read("Tallimer", "Options", "Last Value", "default"), QStringLiteral("default"));
        QVERIFY(QFileInfo::exists(QDir(m_environment->settingsFolder()).filePath("Tallimer.ini")));

        store.remove("Tallimer", "History", "Last Value");
        store.remove("Tallimer", "History", "Never Written");
        QCOMPARE(store.read("Tallimer", "History", "Last Value", "default"), QStringLiteral("default"));
        QCOMPARE(store.read("Tallimer", "History", "Last To Unit", "default"), QStringLiteral("3"));
    }

    // A file edited by hand or damaged: what can be read is, and the store can still be written.
    void damagedFileIsStillWritten_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("lastValue"); // as read before any write
        QTest::newRow("comma typed by hand") << QByteArray("[History]\nLast%20Value=2,5\n") << "2,5";
        QTest::newRow("unclosed section") << QByteArray("[Options\nCompact%20Form=True\n") << "none";
        QTest::newRow("serialised garbage")
            << QByteArray("[Optt%20Form=True\nRemions]\nCompact%20Form=@Variant(\\0\\x7f)\n") << "none";
        QTest::newRow("binary") << QByteArray("\x01\xFE[\x80\x9F=\x7F\x1B\n=\n[[]\n") << "none";
    }
    void damagedFileIsStillWritten()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, lastValue);
        m_environment->writeFile("settings/Tallimer.ini", content);
        auto &store = platform::settingsStore();
        QCOMPARE(store.read("Tallimer", "History", "Last Value", "none"), lastValue);
        store.write("Tallimer", "Options", "Auto Convert", "True");
        store.remove("Tallimer", "History", "Last Value");
        platform::QtSettingsStore fresh(m_environment->settingsFolder());
        QCOMPARE(fresh.read("Tallimer", "Options", "Auto Convert", "0"), QStringLiteral("True"));
        QCOMPARE(fresh.read("Tallimer", "History", "Last Value", "none"), QStringLiteral("none"));
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

        platform::QtSettingsStore fresh(m_environment->settingsFolder());
        QCOMPARE(fresh.read("Tallimer", "Options", "Compact Form", "0"), QStringLiteral("True"));
        QCOMPARE(fresh.read("Tallimer", "History", "Last Value", "none"), QStringLiteral("2.5"));
    }

    // A file too large to parse quickly, or a FIFO that a read would wait on forever, is not
    // opened: every key reads its default, and a write fails, naming the file, and leaves it.
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
        QCOMPARE(failureNumber([&] { store.remove("Tallimer", "Options", "Compact Form"); }), app::kErrPathFileAccess);
        QCOMPARE(QFileInfo(ini).isFile(), size >= 0);
        if (size >= 0)
            QCOMPARE(m_environment->readFile("settings/Tallimer.ini"), content);
        QVERIFY(!guard.releasedAWaitingReader());
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
