#include "core/base/AppInfo.h"
#include "core/catalogue/CatalogueLocation.h"
#include "core/catalogue/InstallMarker.h"
#include "core/catalogue/CataloguePaths.h"
#include "support/FaultFiles.h"
#include "support/HostileEntries.h"
#include "support/TestEnvironment.h"
#include "support/UnprivilegedRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTest>

using Files = QMap<QString, QByteArray>;

namespace {

using faultfiles::filesUnder;

// Only the files directly in the folder.
Files filesIn(const QString &folder)
{
    Files files = filesUnder(folder);
    for (auto it = files.begin(); it != files.end();)
        it = it.key().contains(QLatin1Char('/')) ? files.erase(it) : std::next(it);
    return files;
}

const catalogue::WritableTest kWritable = [](const QString &) { return true; };
const catalogue::WritableTest kReadOnly = [](const QString &) { return false; };

} // namespace

// Where the working catalogue lives: in place in a folder the user can write, otherwise in a
// per-user copy. The writable test is faked (tests may run as root, who can write anywhere);
// tst_installation checks the real test as an unprivileged user.
class TestCatalogueLocation : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { finishEnvironment(m_environment); }

    void readOnlyFolderIsCopiedForTheUser_data()
    {
        QTest::addColumn<bool>("folderMade"); // whether the user's folder is there before the first start
        QTest::addColumn<Files>("before");    // its files then, which the copy leaves alone

        QTest::newRow("no user folder yet") << false << Files();
        QTest::newRow("empty user folder") << true << Files();
        // A copy that stopped before the index: the files it made are kept, the rest follow.
        QTest::newRow("half-made copy") << true << Files{{"Length.ucr", "1^Own\r\n"}};
        // A user's own category, left there by an older copy whose index went missing.
        QTest::newRow("own category, no index") << true << Files{{"Mine.ucr", "2^Mine\r\n"}};
        QTest::newRow("a copy with its index is used as it is")
            << true << Files{{"unitType.ucr", "Mine\r\n"}, {"Mine.ucr", "2^Mine\r\n"}};
    }
    void readOnlyFolderIsCopiedForTheUser()
    {
        QFETCH(bool, folderMade);
        QFETCH(Files, before);
        if (folderMade)
            writeUserFiles(before);
        const Files installed = filesUnder(bin());

        QCOMPARE(locate(kReadOnly), (catalogue::CatalogueLocation{userFolder(), true, factory()}));

        Files expected = before.contains("unitType.ucr") ? Files() : filesIn(bin());
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            expected.insert(it.key(), it.value());
        QCOMPARE(filesUnder(userFolder()), expected); // no factory copies among them
        QCOMPARE(filesUnder(bin()), installed);
    }

    void readOnlyInstalledFilesGiveAWritableCopy()
    {
        for (const QString &name : QDir(bin()).entryList(QDir::Files))
            QVERIFY(QFile::setPermissions(bin() + "/" + name, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        QCOMPARE(locate(kReadOnly).folder, userFolder());
        for (const QFileInfo &copy : QDir(userFolder()).entryInfoList(QDir::Files))
            QVERIFY2(copy.permissions().testFlag(QFile::WriteOwner), qPrintable(copy.fileName()));
    }

    void withoutAUserCopyTheFolderInBinIsUsed_data()
    {
        QTest::addColumn<QString>("reason");
        QTest::newRow("the user can write it") << "writable";
        QTest::newRow("it has no index") << "no index";
        QTest::newRow("it is missing") << "no folder";
        QTest::newRow("user folder cannot be made") << "file in the way";
        QTest::newRow("user data folder unknown") << "unknown";
    }
    void withoutAUserCopyTheFolderInBinIsUsed()
    {
        QFETCH(QString, reason);
        QString user = userFolder();
        if (reason == "no index")
            QVERIFY(QFile::remove(bin() + "/unitType.ucr"));
        else if (reason == "no folder")
            QVERIFY(QDir(bin()).removeRecursively());
        else if (reason == "file in the way")
            m_environment->writeFile("userdata", "a file where the folder would go");
        else if (reason == "unknown")
            user.clear();

        QCOMPARE(catalogue::locateCatalogue(m_environment->folder(), user, reason == "writable" ? kWritable : kReadOnly),
                 (catalogue::CatalogueLocation{bin(), false, factory()}));
        QCOMPARE(QFileInfo(m_environment->userDataFolder()).isFile(), reason == "file in the way");
        QVERIFY(!QFileInfo::exists(userFolder()));
    }

    // An installed program works on a per-user copy of the factory catalogue its marker names,
    // whether or not the user could write the installed files (root can). Without that copy it
    // still keeps away from its own files: nothing is written anywhere.
    void installedProgramAlwaysWorksOnAPerUserCopy_data()
    {
        QTest::addColumn<bool>("installWritable");
        QTest::addColumn<bool>("userFolderBlocked");
        QTest::newRow("install the user cannot write") << false << false;
        QTest::newRow("install the user can write") << true << false;
        QTest::newRow("user folder cannot be made") << true << true;
    }
    void installedProgramAlwaysWorksOnAPerUserCopy()
    {
        QFETCH(bool, installWritable);
        QFETCH(bool, userFolderBlocked);
        const QString application = makeInstall();
        const Files installed = filesUnder(m_environment->folder() + "/prefix");
        if (userFolderBlocked)
            m_environment->writeFile("userdata", "a file where the folder would go");

        const catalogue::CatalogueLocation location = catalogue::locateCatalogue(
            application, userFolder(), installWritable ? kWritable : kReadOnly);
        QCOMPARE(location, (catalogue::CatalogueLocation{userFolder(), true, installedFactory()}));
        QCOMPARE(filesUnder(userFolder()), userFolderBlocked ? Files() : filesIn(installedFactory()));
        if (!userFolderBlocked)
            QCOMPARE(m_environment->readFile("userdata/offered-categories.txt"), readFactoryIndex());
        QCOMPARE(filesUnder(m_environment->folder() + "/prefix"), installed);
    }

    // A command only reads: it finds the catalogue the window would work on, and makes no copy.
    void readingMakesNoCopy_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("userCopy"); // whether the user's copy is there already
        QTest::addColumn<QString>("read");  // bin, user or factory

        QTest::newRow("folder the user can write") << false << true << false << "bin";
        QTest::newRow("read-only folder, no copy yet") << false << false << false << "bin";
        QTest::newRow("read-only folder, copy made") << false << false << true << "user";
        QTest::newRow("installed, no copy yet") << true << true << false << "factory";
        QTest::newRow("installed, copy made") << true << false << true << "user";
    }
    void readingMakesNoCopy()
    {
        QFETCH(bool, installed);
        QFETCH(bool, writable);
        QFETCH(bool, userCopy);
        QFETCH(QString, read);
        const QString application = installed ? makeInstall() : m_environment->folder();
        const QString factoryFolder = installed ? installedFactory() : factory();
        if (userCopy)
            writeUserFiles({{"unitType.ucr", "Mine\r\n"}, {"Mine.ucr", "2^Mine\r\n"}});
        const Files before = filesUnder(m_environment->folder());

        const QMap<QString, catalogue::CatalogueLocation> expected{
            {"bin", {bin(), false, factoryFolder}},
            {"user", {userFolder(), true, factoryFolder}},
            {"factory", {factoryFolder, false, factoryFolder}}};
        QCOMPARE(catalogue::catalogueToRead(application, userFolder(), writable ? kWritable : kReadOnly),
                 expected.value(read));
        QCOMPARE(filesUnder(m_environment->folder()), before);
        QCOMPARE(QFileInfo::exists(m_environment->userDataFolder()), userCopy);
    }

    void installMarkerNamesTheFactoryCatalogue_data()
    {
        QTest::addColumn<QString>("kind"); // what the marker is: none, file, link, folder, fifo
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("factory"); // relative to the application folder; empty: no install

        QTest::newRow("no marker: a build or portable folder") << "none" << QByteArray() << QString();
        QTest::newRow("relative path") << "file" << QByteArray("factory=../../share/tallimer\n")
                                       << "../../share/tallimer";
        QTest::newRow("comments and CR LF") << "file" << QByteArray("# installed\r\nfactory=../data\r\n")
                                            << "../data";
        QTest::newRow("no line end") << "file" << QByteArray("factory=data") << "data";
        // A marker that names no usable folder still marks an install; its factory copies are
        // then looked for where a portable folder keeps them.
        QTest::newRow("no factory line") << "file" << QByteArray("# installed\n") << "bin/default";
        QTest::newRow("empty") << "file" << QByteArray() << "bin/default";
        QTest::newRow("empty path") << "file" << QByteArray("factory=\n") << "bin/default";
        QTest::newRow("absolute path") << "file" << QByteArray("factory=/usr/share/tallimer\n") << "bin/default";
        QTest::newRow("home path") << "file" << QByteArray("factory=~/tallimer\n") << "bin/default";
        QTest::newRow("control character") << "file" << QByteArray("factory=../da\tta\n") << "bin/default";
        const QByteArray factoryLine = "\nfactory=../data\n";
        QTest::newRow("4096 bytes") << "file" << QByteArray(4096 - factoryLine.size(), '#') + factoryLine << "../data";
        QTest::newRow("4097 bytes") << "file" << QByteArray(4097 - factoryLine.size(), '#') + factoryLine << "bin/default";
        QTest::newRow("folder") << "folder" << QByteArray() << "bin/default";
        QTest::newRow("link to a marker") << "link" << QByteArray("factory=../data\n") << "bin/default";
        QTest::newRow("FIFO") << "fifo" << QByteArray() << "bin/default";
    }

    void installMarkerNamesTheFactoryCatalogue()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, text);
        QFETCH(QString, factory);
        const QString marker = m_environment->folder() + "/" + catalogue::kInstallMarkerName;
        if (kind == "file") {
            m_environment->writeFile(catalogue::kInstallMarkerName, text);
        } else if (kind == "folder") {
            QVERIFY(QDir().mkpath(marker));
        } else if (kind == "link") {
            m_environment->writeFile("elsewhere", text);
            QVERIFY(hostile::makeLink(m_environment->folder() + "/elsewhere", marker));
        } else if (kind == "fifo") {
            QVERIFY(hostile::makeFifo(marker));
        }

        const catalogue::CatalogueLocation location =
            catalogue::chooseCatalogueLocation(m_environment->folder(), userFolder(), kWritable);
        if (factory.isEmpty())
            QCOMPARE(location, (catalogue::CatalogueLocation{bin(), false, bin() + "/default"}));
        else
            QCOMPARE(location, (catalogue::CatalogueLocation{userFolder(), true,
                                                             QDir::cleanPath(m_environment->folder() + "/" + factory)}));
        QVERIFY(!QFileInfo::exists(m_environment->userDataFolder()));
    }

    // The program tells the categories an upgrade added once: the next start adds none.
    void addedCategoriesAreToldForOneStart()
    {
        const QString application = makeInstall();
        app::setApplicationFolder(application);
        QCOMPARE(catalogue::categoriesAddedAtStart(), QStringList());

        m_environment->writeFile("prefix/share/tallimer/New.ucr", "1^Unit\r\n");
        m_environment->writeFile("prefix/share/tallimer/unitType.ucr", readFactoryIndex() + "New\r\n");
        catalogue::forgetCatalogueLocation();
        QCOMPARE(catalogue::categoriesAddedAtStart(), QStringList{"New"});
        const QByteArray index = readUserFile("unitType.ucr");
        QVERIFY(index.endsWith("\r\nNew\r\n"));

        catalogue::forgetCatalogueLocation();
        QCOMPARE(catalogue::categoriesAddedAtStart(), QStringList());
        QCOMPARE(readUserFile("unitType.ucr"), index);
    }

    // Every catalogue path lies in the folder decided on, never in the working folder.
    void pathsFollowTheDecision_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("in place") << true;
        QTest::newRow("per-user copy") << false;
    }
    void pathsFollowTheDecision()
    {
        QFETCH(bool, writable);
        QDir::setCurrent(QDir::tempPath());
        catalogue::setWritableTest(writable ? kWritable : kReadOnly);
        const QString folder = writable ? bin() : userFolder();
        QCOMPARE(catalogue::catalogueFolder(), QDir::toNativeSeparators(folder));
        QCOMPARE(catalogue::indexFile(), QDir::toNativeSeparators(folder + "/unitType.ucr"));
        QCOMPARE(catalogue::categoryFile("Mass"), QDir::toNativeSeparators(folder + "/Mass.ucr"));
        QCOMPARE(catalogue::catalogueFilePattern(), QDir::toNativeSeparators(folder + "/*.ucr"));
        QCOMPARE(catalogue::factoryFolder(), QDir::toNativeSeparators(factory()));
        QCOMPARE(catalogue::factoryIndexFile(), QDir::toNativeSeparators(factory() + "/unitType.ucr"));
        QCOMPARE(catalogue::factoryCategoryFile("Mass"), QDir::toNativeSeparators(factory() + "/Mass.ucr"));
    }

    void decisionIsMadeOncePerApplicationFolder()
    {
        int tests = 0;
        catalogue::setWritableTest([&tests](const QString &) {
            ++tests;
            return true;
        });
        catalogue::catalogueFolder();
        catalogue::indexFile();
        catalogue::categoryFile("Mass");
        QCOMPARE(tests, 1);

        const QString other = m_environment->folder() + "/other";
        copyFactoryCatalogue(other + "/bin");
        app::setApplicationFolder(other);
        QCOMPARE(catalogue::catalogueFolder(), QDir::toNativeSeparators(other + "/bin"));
        QCOMPARE(tests, 2);
        catalogue::categoryFile("Mass");
        QCOMPARE(tests, 2);
    }

    // The program's own writable test: a file can be made in the folder, and its index written.
    void writableTestOfTheProgram_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("readOnly"); // made read-only first; empty: nothing
        QTest::addColumn<bool>("writable");
        QTest::newRow("a folder the user can write") << "bin" << QString() << true;
        QTest::newRow("a missing folder") << "bin/missing" << QString() << false;
        QTest::newRow("a file") << "bin/unitType.ucr" << QString() << false;
        QTest::newRow("a read-only folder") << "bin" << "bin" << false;
        QTest::newRow("a read-only index") << "bin" << "bin/unitType.ucr" << false;
    }
    void writableTestOfTheProgram()
    {
        QFETCH(QString, folder);
        QFETCH(QString, readOnly);
        QFETCH(bool, writable);
        if (!readOnly.isEmpty()) {
            RUN_AS_UNPRIVILEGED_USER_IF_ROOT();
            QVERIFY(QFile::setPermissions(m_environment->folder() + "/" + readOnly, QFile::ReadOwner | QFile::ExeOwner));
        }
        const Files before = filesUnder(bin());
        QCOMPARE(catalogue::folderTakesWrites(m_environment->folder() + "/" + folder), writable);
        QCOMPARE(filesUnder(bin()), before); // the probe file is gone again
    }

private:
    QString bin() const { return m_environment->folder() + "/bin"; }
    QString factory() const { return bin() + "/default"; }
    QString installedFactory() const { return m_environment->folder() + "/prefix/share/tallimer"; }

    // An installed layout beside the test's application folder: prefix/lib/tallimer with its
    // marker, prefix/share/tallimer with the factory catalogue. Returns the program's folder.
    QString makeInstall()
    {
        copyFactoryCatalogue(installedFactory());
        m_environment->writeFile(QStringLiteral("prefix/lib/tallimer/") + catalogue::kInstallMarkerName,
                                 "factory=../../share/tallimer\n");
        return m_environment->folder() + "/prefix/lib/tallimer";
    }

    QByteArray readFactoryIndex() const { return m_environment->readFile("bin/default/unitType.ucr"); }
    QString userFolder() const { return m_environment->userDataFolder() + "/catalogue"; }

    catalogue::CatalogueLocation locate(const catalogue::WritableTest &test) const
    {
        return catalogue::locateCatalogue(m_environment->folder(), userFolder(), test);
    }

    void writeUserFiles(const Files &files)
    {
        QDir().mkpath(userFolder());
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            m_environment->writeFile("userdata/catalogue/" + it.key(), it.value());
    }

    QByteArray readUserFile(const QString &name) const
    {
        return m_environment->readFile("userdata/catalogue/" + name);
    }

    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestCatalogueLocation)
#include "tst_cataloguelocation.moc"
