#include "core/catalogue/CatalogueFiles.h"
#include "core/catalogue/CatalogueIndex.h"
#include "core/catalogue/CataloguePaths.h"
#include "doubles/ScriptedFileOperations.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTest>

using catalogue::CatalogueFailure;
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

CatalogueFailure removing(const QString &path)
{
    return {CatalogueFailure::Operation::RemovingFiles, path};
}

CatalogueFailure restoring(const QString &path)
{
    return {CatalogueFailure::Operation::RestoringDefaults, path};
}

// The files of a folder (not its subfolders) whose names match filter, with their bytes.
Files filesIn(const QString &folder, const QString &filter = QStringLiteral("*"))
{
    Files files;
    for (const QFileInfo &info : QDir(folder).entryInfoList({filter}, QDir::Files | QDir::Hidden | QDir::System)) {
        QFile file(info.filePath());
        file.open(QIODevice::ReadOnly);
        files.insert(info.fileName(), file.readAll());
    }
    return files;
}

} // namespace

// Real files in the temporary application folder, deleted and copied through a recording
// stand-in that passes every operation on to the real files unless told to fail it.
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

    void failureMessages()
    {
        QCOMPARE(removing("C:\\T\\bin\\Gone.ucr").message(),
                 QStringLiteral("An Error has occurred while removing category files\r\nC:\\T\\bin\\Gone.ucr could not be found"));
        QCOMPARE(restoring("C:\\T\\bin\\default\\Mine.ucr").message(),
                 QStringLiteral("An Error has occurred while restoring defaults\r\nC:\\T\\bin\\default\\Mine.ucr could not be found"));
    }

    void deleteCategoryTakesItsLineThenItsFile()
    {
        Files expected = filesIn(bin());
        expected.remove("Temperature.ucr");
        QByteArray index = expected.value("unitType.ucr");
        index.replace("\r\nTemperature\r\n", "\r\n");
        expected["unitType.ucr"] = index;
        QCOMPARE(catalogue::deleteCategory("Temperature"), catalogue::DeleteOutcome::Deleted);
        QCOMPARE(filesIn(bin()), expected); // "Temperature Difference" stays, file and line
        QCOMPARE(m_files->calls().size(), 1);
    }

    void deleteCategoryThatCannotBeDone_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<catalogue::DeleteOutcome>("outcome");
        using catalogue::DeleteOutcome;
        QTest::newRow("file already gone: its line goes") << "Gone" << DeleteOutcome::FileWasMissing;
        QTest::newRow("folder in the file's place: its line goes") << "Folder" << DeleteOutcome::FileKept;
        QTest::newRow("name leading out of the folder") << "../outside" << DeleteOutcome::NothingChanged;
        QTest::newRow("name leading out with a backslash") << "..\\outside" << DeleteOutcome::NothingChanged;
        QTest::newRow("name of a factory copy") << "default/Length" << DeleteOutcome::NothingChanged;
        QTest::newRow("name of the index") << "unitType" << DeleteOutcome::NothingChanged;
    }
    void deleteCategoryThatCannotBeDone()
    {
        QFETCH(QString, name);
        QFETCH(catalogue::DeleteOutcome, outcome);
        m_environment->writeFile("bin/Folder.ucr/inside.ucr", "1^A\r\n");
        m_environment->writeFile("outside.ucr", "1^A\r\n");
        m_environment->writeFile("bin/unitType.ucr", "Length\r\n" + name.toLatin1() + "\r\nMass\r\n");
        const Files before = filesIn(bin());
        const Files factory = filesIn(factoryFolder());
        QCOMPARE(catalogue::deleteCategory(name), outcome);
        const bool unlisted = outcome != catalogue::DeleteOutcome::NothingChanged;
        Files expected = before;
        if (unlisted)
            expected["unitType.ucr"] = "Length\r\nMass\r\n";
        QCOMPARE(filesIn(bin()), expected);
        QVERIFY(QFileInfo::exists(bin() + "/Folder.ucr/inside.ucr"));
        QCOMPARE(m_environment->readFile("outside.ucr"), QByteArray("1^A\r\n"));
        QCOMPARE(filesIn(factoryFolder()), factory);
    }

    void temperatureCanBeDeletedAndRestored()
    {
        QCOMPARE(catalogue::deleteCategory("Temperature"), catalogue::DeleteOutcome::Deleted);
        QVERIFY(!QFileInfo::exists(catalogue::categoryFile("Temperature")));
        QVERIFY(!catalogue::restoreCategory("Temperature"));
        QCOMPARE(m_environment->readFile("bin/Temperature.ucr"), m_environment->readFile("bin/default/Temperature.ucr"));
    }

    void restoreCategory_data()
    {
        QTest::addColumn<QByteArray>("userFile"); // null: no file
        QTest::newRow("changed by the user") << QByteArray("1^Metre\r\n2^Double metre\r\n");
        QTest::newRow("deleted by the user") << QByteArray();
    }
    void restoreCategory()
    {
        QFETCH(QByteArray, userFile);
        if (userFile.isNull())
            QFile::remove(catalogue::categoryFile("Length"));
        else
            m_environment->writeFile("bin/Length.ucr", userFile);
        QVERIFY(!catalogue::restoreCategory("Length"));
        QCOMPARE(m_environment->readFile("bin/Length.ucr"), m_environment->readFile("bin/default/Length.ucr"));
    }

    void restoringAUserCategoryKeepsItsFile()
    {
        const QByteArray mine("1^Thing\r\n2^Other"); // no final line end: kept byte for byte
        m_environment->writeFile("bin/My Stuff.ucr", mine);
        const auto failure = catalogue::restoreCategory("My Stuff");
        QCOMPARE(failure, restoring(catalogue::factoryCategoryFile("My Stuff")));
        QCOMPARE(failure->message(), "An Error has occurred while restoring defaults\r\n"
                                         + catalogue::factoryCategoryFile("My Stuff") + " could not be found");
        QCOMPARE(m_environment->readFile("bin/My Stuff.ucr"), mine);
    }

    void failedRestoreLeavesTheOldFileWhole_data()
    {
        QTest::addColumn<QString>("folderInPlaceOf");
        QTest::newRow("factory copy is a folder") << "bin/default/Length.ucr";
        QTest::newRow("category file is a folder") << "bin/Length.ucr";
    }
    void failedRestoreLeavesTheOldFileWhole()
    {
        QFETCH(QString, folderInPlaceOf);
        const QByteArray mine("1^Metre\r\n");
        m_environment->writeFile("bin/Length.ucr", mine);
        QVERIFY(QFile::remove(m_environment->folder() + "/" + folderInPlaceOf));
        m_environment->writeFile(folderInPlaceOf + "/inside.ucr", "x");
        const Files before = filesIn(bin());
        QCOMPARE(catalogue::restoreCategory("Length"), restoring(catalogue::factoryCategoryFile("Length")));
        QCOMPARE(filesIn(bin()), before);
        QCOMPARE(m_environment->readFile(folderInPlaceOf + "/inside.ucr"), QByteArray("x"));
    }

    void restoreAllBringsBackExactlyTheFactoryCatalogue()
    {
        makeUserCategory();
        m_environment->writeFile("bin/Length.ucr", "1^Metre\r\n");
        QFile::remove(catalogue::categoryFile("Area"));
        m_environment->writeFile("bin/notes.txt", "not a catalogue file");
        const Files factory = filesIn(factoryFolder());

        const auto result = catalogue::restoreAllCategories();
        QVERIFY(result.factoryIndexRead);
        QCOMPARE(result.failures, QList<CatalogueFailure>());
        QCOMPARE(filesIn(bin(), "*.ucr"), factory);
        QCOMPARE(filesIn(factoryFolder()), factory);
        QCOMPARE(m_environment->readFile("bin/notes.txt"), QByteArray("not a catalogue file"));
    }

    void restoreAllWithABlankFactoryLine()
    {
        m_environment->writeFile("bin/default/unitType.ucr", "Area\r\n\r\nLength\r\n");
        makeUserCategory();
        const auto result = catalogue::restoreAllCategories();
        const QString emptyName = QDir::toNativeSeparators(factoryFolder() + "/.ucr");
        QCOMPARE(result.failures, QList<CatalogueFailure>{restoring(emptyName)});
        QVERIFY(result.failures.first().message().endsWith(QDir::separator() + QStringLiteral("default")
                                                           + QDir::separator() + ".ucr could not be found"));
        QCOMPARE(filesIn(bin(), "*.ucr").keys(), QStringList({"Area.ucr", "Length.ucr", "unitType.ucr"}));
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), QByteArray("Area\r\n\r\nLength\r\n"));
    }

    void restoreAllWithoutFactoryIndexTouchesNothing()
    {
        makeUserCategory();
        QVERIFY(QFile::remove(catalogue::factoryIndexFile()));
        const Files before = filesIn(bin());
        m_environment->boxes().expectOK();
        const auto result = catalogue::restoreAllCategories();
        QVERIFY(!result.factoryIndexRead);
        QVERIFY(result.failures.isEmpty());
        QCOMPARE(m_environment->boxes().shownTexts(),
                 QStringList{"File: " + catalogue::factoryIndexFile() + "\r\nFile Does Not Exist."});
        QCOMPARE(filesIn(bin()), before);
        QVERIFY(m_files->calls().isEmpty());
    }

    void restoreAllKeepsTheFileOfAFailedCopy()
    {
        makeUserCategory();
        m_environment->writeFile("bin/Length.ucr", "1^Metre\r\n");
        QVERIFY(QFile::remove(catalogue::factoryCategoryFile("Length")));
        const auto result = catalogue::restoreAllCategories();
        QCOMPARE(result.failures, QList<CatalogueFailure>{restoring(catalogue::factoryCategoryFile("Length"))});
        QCOMPARE(m_environment->readFile("bin/Length.ucr"), QByteArray("1^Metre\r\n"));
        QVERIFY(!QFileInfo::exists(catalogue::categoryFile("My Stuff")));
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), m_environment->readFile("bin/default/unitType.ucr"));
    }

    void restoreAllKeepsUserCategoriesWhileTheirIndexStays()
    {
        makeUserCategory();
        m_environment->writeFile("bin/Length.ucr", "1^Metre\r\n");
        m_files->failOn(catalogue::factoryIndexFile());
        const QByteArray userIndex = m_environment->readFile("bin/unitType.ucr");
        const auto result = catalogue::restoreAllCategories();
        QCOMPARE(result.failures, QList<CatalogueFailure>{restoring(catalogue::factoryIndexFile())});
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), userIndex);
        QVERIFY(QFileInfo::exists(catalogue::categoryFile("My Stuff")));
        QCOMPARE(m_environment->readFile("bin/Length.ucr"), m_environment->readFile("bin/default/Length.ucr"));
    }

    void restoreAllReportsAFailedRemovalFirstAndCopiesAll()
    {
        makeUserCategory();
        m_environment->writeFile("bin/Length.ucr", "1^Metre\r\n");
        QVERIFY(QFile::remove(catalogue::factoryCategoryFile("Area")));
        m_files->failOn(catalogue::catalogueFilePattern());
        const auto result = catalogue::restoreAllCategories();
        QCOMPARE(result.failures, QList<CatalogueFailure>({removing(catalogue::catalogueFilePattern()),
                                                           restoring(catalogue::factoryCategoryFile("Area"))}));
        QCOMPARE(result.failures.first().message(),
                 "An Error has occurred while removing category files\r\n"
                     + QDir::toNativeSeparators(bin() + "/*.ucr") + " could not be found");
        QCOMPARE(m_environment->readFile("bin/Length.ucr"), m_environment->readFile("bin/default/Length.ucr"));
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), m_environment->readFile("bin/default/unitType.ucr"));
    }

private:
    QString bin() const { return m_environment->binFolder(); }
    QString factoryFolder() const { return m_environment->binFolder() + "/default"; }

    // A category the user made: its file, and its name at the end of the index.
    void makeUserCategory()
    {
        m_environment->writeFile("bin/My Stuff.ucr", "1^Thing\r\n");
        QVERIFY(catalogue::listInIndex("My Stuff"));
    }

    std::unique_ptr<TestEnvironment> m_environment;
    platform::ScriptedFileOperations *m_files = nullptr;
    std::unique_ptr<platform::FileOperations> m_previousFiles;
};

QTEST_GUILESS_MAIN(TestCatalogueFiles)
#include "tst_cataloguefiles.moc"
