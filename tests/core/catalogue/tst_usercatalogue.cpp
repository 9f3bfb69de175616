#include "core/catalogue/UserCatalogue.h"
#include "support/FaultFiles.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTest>

using Files = QMap<QString, QByteArray>;

namespace {

using faultfiles::filesUnder;

const QByteArray kLength = "1^Meter\r\n0.3048^Foot\r\n";
const QByteArray kMass = "1^Kilogram\r\n";
const QByteArray kNew = "1^Tesla\r\n0.0001^Gauss\r\n";
const QByteArray kEdited = "1^Kilogram\r\n0.45359237^My pound\r\n";

} // namespace

// The per-user copy of the catalogue: made once, then offered each factory category once. The
// factory folder is also the folder the copy is made from, as for an installed program.
class TestUserCatalogue : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { finishEnvironment(m_environment); }

    void factoryCategoriesAreOfferedOnce_data()
    {
        QTest::addColumn<Files>("factory");
        QTest::addColumn<Files>("user");           // the user's copy before the start
        QTest::addColumn<QByteArray>("record");    // null: none
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<Files>("userAfter");
        QTest::addColumn<QByteArray>("recordAfter");

        const Files factory{{"unitType.ucr", "Length\r\nMass\r\n"}, {"Length.ucr", kLength}, {"Mass.ucr", kMass}};
        Files newer = factory;
        newer["unitType.ucr"] += "Magnetic Flux Density\r\n";
        newer["Magnetic Flux Density.ucr"] = kNew;

        QTest::newRow("first start copies the factory catalogue")
            << factory << Files() << QByteArray() << QStringList() << factory << factory["unitType.ucr"];
        QTest::newRow("nothing new") << factory << factory << factory["unitType.ucr"] << QStringList() << factory
                                     << factory["unitType.ucr"];
        QTest::newRow("a new factory category is added")
            << newer << factory << factory["unitType.ucr"] << QStringList{"Magnetic Flux Density"} << newer
            << newer["unitType.ucr"];

        // The user deleted Length and edited Mass; the newer factory changed Mass too.
        Files upgraded = newer;
        upgraded["Mass.ucr"] = "1^Kilogram\r\n0.001^Gram\r\n";
        const Files userOwn{{"unitType.ucr", "Mass\r\n"}, {"Mass.ucr", kEdited}};
        QTest::newRow("one new, one deleted, one edited")
            << upgraded << userOwn << factory["unitType.ucr"] << QStringList{"Magnetic Flux Density"}
            << Files{{"unitType.ucr", "Mass\r\nMagnetic Flux Density\r\n"}, {"Mass.ucr", kEdited},
                     {"Magnetic Flux Density.ucr", kNew}}
            << newer["unitType.ucr"];

        // 1.3.0 made copies without a record: whatever the factory holds now counts as offered,
        // so that a category deleted from such a copy does not come back.
        QTest::newRow("copy made before the record") << newer << userOwn << QByteArray() << QStringList() << userOwn
                                                     << newer["unitType.ucr"];

        Files ownFile = factory;
        ownFile["Magnetic Flux Density.ucr"] = "2^Mine\r\n";
        QTest::newRow("user's own file of that name is kept")
            << newer << ownFile << factory["unitType.ucr"] << QStringList() << ownFile << newer["unitType.ucr"];
        Files listed = factory;
        listed["unitType.ucr"] += "Magnetic Flux Density\r\n";
        QTest::newRow("name the user already lists is left alone")
            << newer << listed << factory["unitType.ucr"] << QStringList() << listed << newer["unitType.ucr"];

        Files unended = factory;
        unended["unitType.ucr"] = "Length\r\nMass";
        Files unendedAfter = newer;
        unendedAfter["unitType.ucr"] = "Length\r\nMass\r\nMagnetic Flux Density\r\n";
        QTest::newRow("index without a final line end")
            << newer << unended << factory["unitType.ucr"] << QStringList{"Magnetic Flux Density"} << unendedAfter
            << newer["unitType.ucr"];

        // Offered again at a later start, once the factory file is there.
        Files noFile = newer;
        noFile.remove("Magnetic Flux Density.ucr");
        QTest::newRow("factory file missing") << noFile << factory << factory["unitType.ucr"] << QStringList()
                                              << factory << factory["unitType.ucr"];

        Files outside = factory;
        outside["unitType.ucr"] += "../Escape\r\nsub/Inner\r\n\r\nunitType\r\n";
        QTest::newRow("index lines that name no category file")
            << outside << factory << factory["unitType.ucr"] << QStringList() << factory << factory["unitType.ucr"];
    }

    void factoryCategoriesAreOfferedOnce()
    {
        QFETCH(Files, factory);
        QFETCH(Files, user);
        QFETCH(QByteArray, record);
        QFETCH(QStringList, added);
        QFETCH(Files, userAfter);
        QFETCH(QByteArray, recordAfter);
        writeFiles("factory", factory);
        writeFiles("userdata/catalogue", user);
        if (!record.isNull())
            m_environment->writeFile("userdata/offered-categories.txt", record);

        catalogue::UserCatalogueSetup setup = prepare();
        QVERIFY(setup.ready);
        QCOMPARE(setup.added, added);
        QCOMPARE(filesUnder(userFolder()), userAfter);
        QCOMPARE(m_environment->readFile("userdata/offered-categories.txt"), recordAfter);
        QCOMPARE(filesUnder(factoryFolder()), factory);

        // The next start adds nothing more.
        setup = prepare();
        QVERIFY(setup.ready);
        QCOMPARE(setup.added, QStringList());
        QCOMPARE(filesUnder(userFolder()), userAfter);
        QCOMPARE(m_environment->readFile("userdata/offered-categories.txt"), recordAfter);
    }

    // A record that is no plain file offers nothing and is left as it is: no category comes back
    // because its record could not be read.
    void unreadableRecordOffersNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << "folder";
#ifdef Q_OS_UNIX
        QTest::newRow("link to a record") << "link";
#endif
    }

    void unreadableRecordOffersNothing()
    {
        QFETCH(QString, kind);
        const Files factory{{"unitType.ucr", "Mass\r\nNew\r\n"}, {"Mass.ucr", kMass}, {"New.ucr", kNew}};
        const Files user{{"unitType.ucr", "Mass\r\n"}, {"Mass.ucr", kMass}};
        writeFiles("factory", factory);
        writeFiles("userdata/catalogue", user);
        const QString record = m_environment->folder() + "/userdata/offered-categories.txt";
        m_environment->writeFile("elsewhere.txt", "Mass\r\n");
        if (kind == "folder")
            QVERIFY(QDir().mkpath(record));
        else
            QVERIFY(QFile::link(m_environment->folder() + "/elsewhere.txt", record));

        const catalogue::UserCatalogueSetup setup = prepare();
        QVERIFY(setup.ready);
        QCOMPARE(setup.added, QStringList());
        QCOMPARE(filesUnder(userFolder()), user);
        QCOMPARE(m_environment->readFile("elsewhere.txt"), QByteArray("Mass\r\n"));
    }

private:
    QString factoryFolder() const { return m_environment->folder() + "/factory"; }
    QString userFolder() const { return m_environment->folder() + "/userdata/catalogue"; }

    catalogue::UserCatalogueSetup prepare() const
    {
        return catalogue::prepareUserCatalogue(factoryFolder(), factoryFolder(), userFolder());
    }

    void writeFiles(const QString &folder, const Files &files)
    {
        QDir().mkpath(m_environment->folder() + "/" + folder);
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            m_environment->writeFile(folder + "/" + it.key(), it.value());
    }

    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestUserCatalogue)
#include "tst_usercatalogue.moc"
