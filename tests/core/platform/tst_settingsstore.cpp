#include "core/base/AppInfo.h"
#include "core/platform/MessageBox.h"
#include "core/platform/SettingsStore.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
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
