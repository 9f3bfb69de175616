#include "core/about/ProductAddress.h"
#include "core/about/SystemInformation.h"
#include "core/about/WebLink.h"
#include "core/base/Failure.h"
#include "core/platform/Registry.h"
#include "doubles/FakeSystemServices.h"
#include "support/ShownBoxes.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QTest>

using platform::kHKeyLocalMachine;
using Boxes = QList<platform::MessageBoxRequest>;

namespace {
const QString kKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const Boxes kUnavailable{{"System Information Is Unavailable At This Time", platform::Buttons::OK,
                          platform::Icon::None, "Tallimer"}};

// What the second registry value points at.
enum class Folder { Absent, WithProgram, WithoutProgram, ProgramIsAFolder };
} // namespace

Q_DECLARE_METATYPE(Folder)

// What the about box starts: the system-information program the registry names, and the
// product's web page.
class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_environment = std::make_unique<TestEnvironment>();
        m_services = std::make_unique<FakeSystemServices>();
    }
    void cleanup()
    {
        QCOMPARE(m_services->registry().openKeyCount(), 0);
        m_services.reset();
        finishEnvironment(m_environment);
    }

    void readsRegistryText_data()
    {
        QTest::addColumn<quint32>("root"); // where the key is; 0: nowhere
        QTest::addColumn<quint32>("type"); // of the value; 0: no value
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("text");

        const QByteArray path("C:\\Program Files\\Common Files\\msinfo32.exe");
        const quint32 machine = kHKeyLocalMachine;
        const quint32 text = platform::kRegSz;
        QTest::newRow("text stored with its terminating zero") << machine << text << path + '\0' << true
                                                               << QString::fromLatin1(path);
        QTest::newRow("text stored without a terminating zero") << machine << text << path << true
                                                                << QString::fromLatin1(path);
        QTest::newRow("empty text with its zero") << machine << text << QByteArray(1, '\0') << true << "";
        QTest::newRow("empty text, no bytes at all") << machine << text << QByteArray() << true << "";
        QTest::newRow("text filling the whole buffer") << machine << text << QByteArray(1023, 'x') + '\0' << true
                                                       << QString(1023, 'x');
        QTest::newRow("text too long for the buffer") << machine << text << QByteArray(1024, 'x') + '\0' << false
                                                      << "";
        QTest::newRow("number value is not text") << machine << platform::kRegDword
                                                  << QByteArray("\x01\x00\x00\x00", 4) << false << "";
        QTest::newRow("value missing from the key") << machine << 0u << QByteArray() << false << "";
        QTest::newRow("key missing") << 0u << 0u << QByteArray() << false << "";
        QTest::newRow("key under another root") << quint32(platform::kHKeyCurrentUser) << text << path << false << "";
    }
    void readsRegistryText()
    {
        QFETCH(quint32, root);
        QFETCH(quint32, type);
        QFETCH(QByteArray, stored);
        QFETCH(bool, found);
        QFETCH(QString, text);
        platform::FakeRegistry &registry = m_services->registry();
        if (root)
            registry.addKey(root, kKey);
        if (type)
            registry.setValue(root, kKey, "PATH", {type, stored});
        QString keyVal = QStringLiteral("left over from before");
        QCOMPARE(about::readRegistryText(kHKeyLocalMachine, kKey, "PATH", keyVal), found);
        QCOMPARE(keyVal, text);
    }

    void startsSystemInformation_data()
    {
        QTest::addColumn<QString>("programValue");
        QTest::addColumn<bool>("programValueHasZero");
        QTest::addColumn<Folder>("folder");
        QTest::addColumn<bool>("starterFails");
        QTest::addColumn<QString>("expectedStart"); // "program", "folder" or nothing: which path is started

        const QString program = QStringLiteral("C:\\Tools\\msinfo32.exe");
        QTest::newRow("program value alone is started") << program << true << Folder::Absent << false << "program";
        QTest::newRow("program value without terminating zero is started whole")
            << program << false << Folder::Absent << false << "program";
        QTest::newRow("program value wins over the folder value") << program << true << Folder::WithProgram << false
                                                                  << "program";
        QTest::newRow("program in the folder of the second value is started")
            << QString() << true << Folder::WithProgram << false << "folder";
        QTest::newRow("folder without the program gives the message") << QString() << true << Folder::WithoutProgram
                                                                       << false << "";
        QTest::newRow("a folder named like the program is not the program")
            << QString() << true << Folder::ProgramIsAFolder << false << "";
        QTest::newRow("neither value gives the message") << QString() << true << Folder::Absent << false << "";
        QTest::newRow("program that cannot be started gives the message") << program << true << Folder::WithProgram
                                                                           << true << "";
        QTest::newRow("program in the folder that cannot be started gives the message")
            << QString() << true << Folder::WithProgram << true << "";
    }
    void startsSystemInformation()
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
            registry.setText(kHKeyLocalMachine, kKey, "PATH", programValue, programValueHasZero);
        const QString folderPath = QDir::toNativeSeparators(m_environment->folder() + "/MSInfo");
        const QString programInFolder = folderPath + QDir::separator() + "MSINFO32.EXE";
        if (folder != Folder::Absent) {
            QVERIFY(QDir().mkpath(folderPath));
            registry.setText(kHKeyLocalMachine, kLocationKey, "MSINFO", folderPath);
        }
        if (folder == Folder::WithProgram)
            m_environment->writeFile("MSInfo/MSINFO32.EXE", "MZ");
        if (folder == Folder::ProgramIsAFolder)
            QVERIFY(QDir().mkpath(programInFolder));

        m_environment->boxes().expectOK(expectedStart.isEmpty() ? 1 : 0);
        about::startSystemInformation();

        const QStringList expected = expectedStart == "program" ? QStringList{programValue}
                                     : expectedStart == "folder" ? QStringList{programInFolder}
                                                                 : QStringList{};
        QCOMPARE(starter.started(), expected);
        // A start that failed is not followed by another attempt.
        QVERIFY(starter.requested().size() <= 1);
        QCOMPARE(m_environment->boxes().shown(), expectedStart.isEmpty() ? kUnavailable : Boxes());
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
        QCOMPARE(m_environment->boxes().shown(), kUnavailable);
        QVERIFY(m_services->starter().requested().isEmpty());
    }

    // Each call opens the page once; a browser that fails says so each time.
    void opensTheWebPage_data()
    {
        QTest::addColumn<bool>("refusing");
        QTest::addColumn<int>("failure"); // thrown by the browser; 0: none
        QTest::addColumn<Boxes>("boxes");
        const auto box = [](const QString &text, platform::Icon icon) {
            return platform::MessageBoxRequest{text, platform::Buttons::OK, icon, "Tallimer"};
        };
        const auto refused = box("Web Browser Error", platform::Icon::Critical);
        const auto failed = box("Error # 5 was generated by Tallimer in routine Web Link.\r\n\r\n"
                                "Invalid procedure call or argument",
                                platform::Icon::Exclamation);
        QTest::newRow("opened") << false << 0 << Boxes();
        QTest::newRow("browser refuses") << true << 0 << Boxes{refused, refused};
        QTest::newRow("browser fails") << false << int(app::kErrInvalidProcedureCall) << Boxes{failed, failed};
    }
    void opensTheWebPage()
    {
        QFETCH(bool, refusing);
        QFETCH(int, failure);
        QFETCH(Boxes, boxes);
        m_services->browser().setRefusing(refusing);
        if (failure)
            m_services->browser().setThrowing(failure);
        m_environment->boxes().expectOK(int(boxes.size()));
        about::openWebAddress(product::webLinkAddress());
        about::openWebAddress(product::webLinkAddress());
        QCOMPARE(m_services->browser().requested(), QStringList(2, "https://www.tallimer.org/?converter"));
        QCOMPARE(m_environment->boxes().shown(), boxes);
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
    std::unique_ptr<FakeSystemServices> m_services;
};

QTEST_GUILESS_MAIN(TestAbout)
#include "tst_about.moc"
