#include "core/catalogue/CatalogueFiles.h"
#include "core/catalogue/CatalogueIndex.h"
#include "core/catalogue/CataloguePaths.h"
#include "doubles/ScriptedFileOperations.h"
#include "support/FaultFiles.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using catalogue::CatalogueFailure;
using catalogue::DeleteOutcome;
using Failures = QList<CatalogueFailure>;
using Files = QMap<QString, QByteArray>;

Q_DECLARE_METATYPE(catalogue::DeleteOutcome)

namespace catalogue {
// Names a failure in the test log when a comparison fails.
char *toString(const CatalogueFailure &failure)
{
    return QTest::toString(failure.message());
}
} // namespace catalogue

namespace {

CatalogueFailure restoring(const QString &path)
{
    return {CatalogueFailure::Operation::RestoringDefaults, path};
}

// The catalogue files of a folder (not its subfolders), with their bytes.
Files catalogueFilesIn(const QString &folder)
{
    Files files;
    for (const QFileInfo &info : QDir(folder).entryInfoList({"*.ucr"}, QDir::Files | QDir::Hidden)) {
        QFile file(info.filePath());
        file.open(QIODevice::ReadOnly);
        files.insert(info.fileName(), file.readAll());
    }
    return files;
}

} // namespace

// Changes to the catalogue's files: the index's lines, deleting a category, restoring one or all
// from the factory copies. Real files, deleted and copied through a stand-in that passes every
// operation on unless told to fail it.
class TestCatalogueFiles : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_environment = std::make_unique<TestEnvironment>();
        auto files = std::make_unique<platform::ScriptedFileOperations>();
        m_files = files.get();
        m_previousFiles = platform::setFileOperations(std::move(files));
    }
    void cleanup()
    {
        platform::setFileOperations(std::move(m_previousFiles));
        m_files = nullptr;
        finishEnvironment(m_environment);
    }

    void indexChanges_data()
    {
        QTest::addColumn<bool>("listing"); // listInIndex, or removeFromIndex
        QTest::addColumn<QByteArray>("index"); // null: no index
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("succeeded");
        QTest::addColumn<QByteArray>("expected"); // null: still no index
        const QString money = QString::fromUtf8("Money €");
        QTest::newRow("list: first word of a listed name is listed at the end")
            << true << QByteArray("Flow Rate\r\nLength\r\n") << "Flow" << true << QByteArray("Flow Rate\r\nLength\r\nFlow\r\n");
        QTest::newRow("list: a listed name is not listed twice")
            << true << QByteArray("Area\r\nLength\r\n") << "Area" << true << QByteArray("Area\r\nLength\r\n");
        QTest::newRow("list: index without a final line end")
            << true << QByteArray("Area\r\nLength") << "Mass" << true << QByteArray("Area\r\nLength\r\nMass\r\n");
        QTest::newRow("list: missing index is created") << true << QByteArray() << "Mass" << true << QByteArray("Mass\r\n");
        QTest::newRow("list: Windows-1252 name")
            << true << QByteArray("Area\r\n") << money << true << QByteArray("Area\r\nMoney \x80\r\n");
        QTest::newRow("list: name no catalogue file can hold")
            << true << QByteArray("Area\r\n") << QString::fromUtf8("Ω") << false << QByteArray("Area\r\n");
        QTest::newRow("remove: its line goes, the others stay in their order")
            << false << QByteArray("Mass\r\nLength\r\nArea\r\n") << "Length" << true << QByteArray("Mass\r\nArea\r\n");
        QTest::newRow("remove: every line of the name goes")
            << false << QByteArray("Area\r\nMass\r\nArea\r\n") << "Area" << true << QByteArray("Mass\r\n");
        QTest::newRow("remove: whole lines only")
            << false << QByteArray("Flow Rate\r\nFlow\r\n") << "Flow" << true << QByteArray("Flow Rate\r\n");
        QTest::newRow("remove: blank lines and lines that name no file stay, CR LF after each")
            << false << QByteArray("Area\r\n\r\n../x\r\nMass\r\nLength") << "Mass" << true
            << QByteArray("Area\r\n\r\n../x\r\nLength\r\n");
        QTest::newRow("remove: a name not listed changes nothing")
            << false << QByteArray("Area\r\nMass") << "Length" << true << QByteArray("Area\r\nMass");
        QTest::newRow("remove: no index is made") << false << QByteArray() << "Mass" << true << QByteArray();
        QTest::newRow("remove: Windows-1252 name")
            << false << QByteArray("Money \x80\r\nArea\r\n") << money << true << QByteArray("Area\r\n");
    }
    void indexChanges()
    {
        QFETCH(bool, listing);
        QFETCH(QByteArray, index);
        QFETCH(QString, name);
        QFETCH(bool, succeeded);
        QFETCH(QByteArray, expected);
        if (index.isNull())
            QFile::remove(catalogue::indexFile());
        else
            m_environment->writeFile("bin/unitType.ucr", index);
        QCOMPARE(listing ? catalogue::listInIndex(name) : catalogue::removeFromIndex(name), succeeded);
        QCOMPARE(QFileInfo::exists(catalogue::indexFile()), !expected.isNull());
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), expected);
    }

    // Each change reads the index as it stands when it is made: another copy's change between
    // two of this copy's stays.
    void indexChangesBuildOnTheIndexOnDisk()
    {
        m_environment->writeFile("bin/unitType.ucr", "Area\r\nLength\r\nMass\r\n");
        QVERIFY(catalogue::listInIndex("Area"));
        m_environment->writeFile("bin/unitType.ucr", "Area\r\nLength\r\nMass\r\nFrom Another Copy\r\n");
        QVERIFY(catalogue::removeFromIndex("Length"));
        QVERIFY(catalogue::listInIndex("Mine"));
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), QByteArray("Area\r\nMass\r\nFrom Another Copy\r\nMine\r\n"));
    }

    // The index lists Length, the name, and Temperature Difference; the category's lines go first,
    // then its file. (A name that names no category file, and a folder in a file's place, are
    // among the fault cases.)
    void deleteCategory_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<DeleteOutcome>("outcome");
        QTest::newRow("line and file go, a longer name's stay") << "Temperature" << DeleteOutcome::Deleted;
        QTest::newRow("file already gone: its line goes") << "Gone" << DeleteOutcome::FileWasMissing;
    }
    void deleteCategory()
    {
        QFETCH(QString, name);
        QFETCH(DeleteOutcome, outcome);
        m_environment->writeFile("bin/unitType.ucr", "Length\r\n" + name.toLatin1() + "\r\nTemperature Difference\r\n");
        Files expected = faultfiles::filesUnder(m_environment->folder());
        expected["bin/unitType.ucr"] = "Length\r\nTemperature Difference\r\n";
        if (outcome == DeleteOutcome::Deleted)
            expected.remove("bin/" + name + ".ucr");
        QCOMPARE(catalogue::deleteCategory(name), outcome);
        QCOMPARE(faultfiles::filesUnder(m_environment->folder()), expected);
    }

    // A failed restore names the factory file and leaves the category file as it was.
    void restoreCategory_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folderInPlaceOf"); // relative to the application folder
        QTest::addColumn<bool>("restored");
        QTest::newRow("changed by the user") << "Length" << QString() << true;
        QTest::newRow("deleted by the user") << "Length" << QString() << true;
        QTest::newRow("a category the user made has no factory copy") << "My Stuff" << QString() << false;
        QTest::newRow("factory copy is a folder") << "Length" << "bin/default/Length.ucr" << false;
    }
    void restoreCategory()
    {
        QFETCH(QString, name);
        QFETCH(QString, folderInPlaceOf);
        QFETCH(bool, restored);
        if (QByteArray(QTest::currentDataTag()).startsWith("deleted"))
            QVERIFY(QFile::remove(catalogue::categoryFile(name)));
        else
            m_environment->writeFile("bin/" + name + ".ucr", "1^Metre\r\n2^Mine"); // no final line end
        if (!folderInPlaceOf.isEmpty()) {
            QVERIFY(QFile::remove(m_environment->folder() + "/" + folderInPlaceOf));
            m_environment->writeFile(folderInPlaceOf + "/inside.ucr", "x");
        }
        const Files before = faultfiles::filesUnder(m_environment->folder());
        const auto failure = catalogue::restoreCategory(name);
        if (restored) {
            QCOMPARE(failure, std::nullopt);
            QCOMPARE(m_environment->readFile("bin/Length.ucr"), m_environment->readFile("bin/default/Length.ucr"));
        } else {
            QCOMPARE(failure, restoring(catalogue::factoryCategoryFile(name)));
            QCOMPARE(faultfiles::filesUnder(m_environment->folder()), before);
        }
    }

    // The user made a category and changed Length; Area's factory copy or another step fails.
    // Every copy that can be made is made, the failures come in the order they are shown, and the
    // user's categories go only once the factory index is in place.
    void restoreAllCategories_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("ownCategoryKept");
        QTest::newRow("none") << "none" << false;
        QTest::newRow("a factory copy is missing") << "factory copy" << false;
        QTest::newRow("the factory index is not copied") << "index copy" << true;
        QTest::newRow("the removal fails") << "removal" << true;
    }
    void restoreAllCategories()
    {
        QFETCH(QString, fault);
        QFETCH(bool, ownCategoryKept);
        m_environment->writeFile("bin/My Stuff.ucr", "1^Thing\r\n");
        QVERIFY(catalogue::listInIndex("My Stuff"));
        m_environment->writeFile("bin/Length.ucr", "1^Metre\r\n");
        m_environment->writeFile("bin/notes.txt", "not a catalogue file");
        const QByteArray userIndex = m_environment->readFile("bin/unitType.ucr");
        Failures failures;
        if (fault == "factory copy") {
            QVERIFY(QFile::remove(catalogue::factoryCategoryFile("Area")));
            failures = {restoring(catalogue::factoryCategoryFile("Area"))};
        } else if (fault == "index copy") {
            m_files->failOn(catalogue::factoryIndexFile());
            failures = {restoring(catalogue::factoryIndexFile())};
        } else if (fault == "removal") {
            m_files->failOn(catalogue::catalogueFilePattern());
            failures = {{CatalogueFailure::Operation::RemovingFiles, catalogue::catalogueFilePattern()}};
        }
        const Files factory = catalogueFilesIn(m_environment->binFolder() + "/default");

        const catalogue::RestoreAllResult result = catalogue::restoreAllCategories();
        QVERIFY(result.factoryIndexRead);
        QCOMPARE(result.failures, failures);
        QCOMPARE(m_environment->readFile("bin/Length.ucr"), factory.value("Length.ucr"));
        QCOMPARE(QFileInfo::exists(catalogue::categoryFile("My Stuff")), ownCategoryKept);
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), fault == "index copy" ? userIndex : factory.value("unitType.ucr"));
        QCOMPARE(m_environment->readFile("bin/notes.txt"), QByteArray("not a catalogue file"));
        if (fault == "none")
            QCOMPARE(catalogueFilesIn(m_environment->binFolder()), factory);
    }

    void restoreAllWithoutFactoryIndexTouchesNothing()
    {
        QVERIFY(QFile::remove(catalogue::factoryIndexFile()));
        m_environment->writeFile("bin/Length.ucr", "1^Metre\r\n");
        const Files before = faultfiles::filesUnder(m_environment->folder());
        m_environment->boxes().expectOK();
        const catalogue::RestoreAllResult result = catalogue::restoreAllCategories();
        QVERIFY(!result.factoryIndexRead);
        QVERIFY(result.failures.isEmpty());
        QCOMPARE(m_environment->boxes().shownTexts(),
                 QStringList{"File: " + catalogue::factoryIndexFile() + "\r\nFile Does Not Exist."});
        QCOMPARE(faultfiles::filesUnder(m_environment->folder()), before);
        QVERIFY(m_files->calls().isEmpty());
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
    platform::ScriptedFileOperations *m_files = nullptr;
    std::unique_ptr<platform::FileOperations> m_previousFiles;
};

QTEST_GUILESS_MAIN(TestCatalogueFiles)
#include "tst_cataloguefiles.moc"
