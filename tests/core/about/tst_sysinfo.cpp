#include "core/about/SystemInformation.h"
#include "core/platform/Registry.h"
#include "doubles/FakeSystemServices.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QTest>

using platform::kHKeyLocalMachine;

namespace {
const QString kKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

// What the second registry value points at.
enum class Folder { Absent, WithProgram, WithoutProgram, ProgramIsAFolder };
} // namespace

Q_DECLARE_METATYPE(Folder)

class TestSysInfo : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_environment = std::make_unique<TestEnvironment>();
        m_services = std::make_unique<FakeSystemServices>();
    }
    void cleanup()
    {
        VERIFY_NO_UNEXPECTED_BOXES(*m_environment);
        QCOMPARE(m_services->registry().openKeyCount(), 0);
        m_services.reset();
        m_environment.reset();
    }

    void getKeyValue_data()
    {
        QTest::addColumn<bool>("keyExists");
        QTest::addColumn<bool>("valueExists");
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("expectedResult");
        QTest::addColumn<QString>("expectedText");

        const QByteArray path("C:\\Program Files\\Common Files\\msinfo32.exe");
        const QString pathText = QString::fromLatin1(path);
        QTest::newRow("text stored with its terminating zero")
            << true << true << platform::kRegSz << path + '\0' << true << pathText;
        QTest::newRow("text stored without a terminating zero")
            << true << true << platform::kRegSz << path << true << pathText;
        QTest::newRow("empty text with its zero") << true << true << platform::kRegSz << QByteArray(1, '\0') << true << "";
        QTest::newRow("empty text, no bytes at all") << true << true << platform::kRegSz << QByteArray() << true << "";
        QTest::newRow("text filling the whole buffer")
            << true << true << platform::kRegSz << QByteArray(1023, 'x') + '\0' << true << QString(1023, 'x');
        QTest::newRow("text too long for the buffer")
            << true << true << platform::kRegSz << QByteArray(1024, 'x') + '\0' << false << "";
        QTest::newRow("number value is not text")
            << true << true << platform::kRegDword << QByteArray("\x01\x00\x00\x00", 4) << false << "";
        QTest::newRow("value missing from the key") << true << false << platform::kRegSz << QByteArray() << false << "";
        QTest::newRow("key missing") << false << false << platform::kRegSz << QByteArray() << false << "";
    }
    void getKeyValue()
    {
        QFETCH(bool, keyExists);
        QFETCH(bool, valueExists);
        QFETCH(quint32, type);
        QFETCH(QByteArray, stored);
        QFETCH(bool, expectedResult);
        QFETCH(QString, expectedText);
        platform::FakeRegistry &registry = m_services->registry();
        if (keyExists)
            registry.addKey(kHKeyLocalMachine, kKey);
        if (valueExists)
            registry.setValue(kHKeyLocalMachine, kKey, QStringLiteral("PATH"), {type, stored});

        QString keyVal = QStringLiteral("left over from before");
        QCOMPARE(about::readRegistryText(kHKeyLocalMachine, kKey, QStringLiteral("PATH"), keyVal), expectedResult);
        QCOMPARE(keyVal, expectedText);
    }

    void keyUnderAnotherRootIsNotRead()
    {
        m_services->registry().setText(platform::kHKeyCurrentUser, kKey, QStringLiteral("PATH"), QStringLiteral("x"));
        QString keyVal;
        QVERIFY(!about::readRegistryText(kHKeyLocalMachine, kKey, QStringLiteral("PATH"), keyVal));
    }

    void startSysInfo_data()
    {
        QTest::addColumn<QString>("programValue");
        QTest::addColumn<bool>("programValueHasZero");
        QTest::addColumn<Folder>("folder");
        QTest::addColumn<bool>("starterFails");
        // "program", "folder" or nothing: which path must be started.
        QTest::addColumn<QString>("expectedStart");

        const QString program = QStringLiteral("C:\\Tools\\msinfo32.exe");
        QTest::newRow("program value alone is started")
            << program << true << Folder::Absent << false << "program";
        QTest::newRow("program value without terminating zero is started whole")
            << program << false << Folder::Absent << false << "program";
        QTest::newRow("program value wins over the folder value")
            << program << true << Folder::WithProgram << false << "program";
        QTest::newRow("program in the folder of the second value is started")
            << QString() << true << Folder::WithProgram << false << "folder";
        QTest::newRow("folder without the program gives the message")
            << QString() << true << Folder::WithoutProgram << false << "";
        QTest::newRow("a folder named like the program is not the program")
            << QString() << true << Folder::ProgramIsAFolder << false << "";
        QTest::newRow("neither value gives the message")
            << QString() << true << Folder::Absent << false << "";
        QTest::newRow("program that cannot be started gives the message")
            << program << true << Folder::WithProgram << true << "";
        QTest::newRow("program in the folder that cannot be started gives the message")
            << QString() << true << Folder::WithProgram << true << "";
    }
    void startSysInfo()
    {
        QFETCH(QString, programValue);
        QFETCH(bool, programValueHasZero);
        QFETCH(Folder, folder);
        QFETCH(bool, starterFails);
        QFETCH(QString, expectedStart);
        platform::FakeRegistry &registry = m_services->registry();
        platform::RecordingProgramStarter &starter = m_services->starter();
        starter.setFailing(starterFails);

        if (!programValue.isNull())
            registry.setText(kHKeyLocalMachine, kKey, QStringLiteral("PATH"), programValue, programValueHasZero);
        const QString folderPath = QDir::toNativeSeparators(m_environment->folder() + QStringLiteral("/MSInfo"));
        const QString programInFolder = folderPath + QDir::separator() + QStringLiteral("MSINFO32.EXE");
        if (folder != Folder::Absent) {
            QVERIFY(QDir().mkpath(folderPath));
            registry.setText(kHKeyLocalMachine, kLocationKey, QStringLiteral("MSINFO"), folderPath);
        }
        if (folder == Folder::WithProgram)
            m_environment->writeFile(QStringLiteral("MSInfo/MSINFO32.EXE"), QByteArray("MZ"));
        if (folder == Folder::ProgramIsAFolder)
            QVERIFY(QDir().mkpath(programInFolder));

        if (expectedStart.isEmpty())
            m_environment->boxes().expectOK();
        about::startSystemInformation();

        const QStringList expected = expectedStart == QLatin1String("program") ? QStringList{programValue}
                                     : expectedStart == QLatin1String("folder") ? QStringList{programInFolder}
                                                                                 : QStringList{};
        QCOMPARE(starter.started(), expected);
        // A start that failed is not followed by another attempt.
        QVERIFY(starter.requested().size() <= 1);
        if (expectedStart.isEmpty()) {
            QCOMPARE(m_environment->boxes().shown().size(), 1);
            const platform::MessageBoxRequest &box = m_environment->boxes().shown().first();
            QCOMPARE(box.text, kUnavailable);
            QCOMPARE(box.buttons, platform::Buttons::OK);
            QCOMPARE(box.icon, platform::Icon::None);
            QCOMPARE(box.title, QStringLiteral("Tallimer"));
        } else {
            QVERIFY(m_environment->boxes().shown().isEmpty());
        }
    }

    void withoutARegistryTheMessageComesStraightAway()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows has a registry");
#endif
        auto previous = platform::setRegistry(platform::createSystemRegistry());
        m_environment->boxes().expectOK();
        about::startSystemInformation();
        platform::setRegistry(std::move(previous));
        QCOMPARE(m_environment->boxes().shownTexts(), QStringList{kUnavailable});
        QVERIFY(m_services->starter().requested().isEmpty());
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<FakeSystemServices> m_services;
};

QTEST_GUILESS_MAIN(TestSysInfo)
#include "tst_sysinfo.moc"
