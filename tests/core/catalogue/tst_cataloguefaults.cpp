#include "core/base/Failure.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/CatalogueFiles.h"
#include "core/catalogue/CatalogueIndex.h"
#include "core/catalogue/CatalogueLock.h"
#include "core/catalogue/CatalogueNames.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/catalogue/RejectedLineReport.h"
#include "core/catalogue/UnitCategory.h"
#include "core/platform/FileOperations.h"
#include "core/platform/QtFileOperations.h"
#include "core/platform/RegularFile.h"
#include "core/text/CatalogueText.h"
#include "support/FaultFiles.h"
#include "support/FileSizeLimit.h"
#include "support/HostileEntries.h"
#include "support/OtherCopy.h"
#include "support/Failures.h"
#include "support/TestEnvironment.h"
#include "support/UnprivilegedRun.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>

using Files = QMap<QString, QByteArray>;

using faultfiles::filesUnder;
using faultfiles::garbageLines;
using faultfiles::randomBytes;

namespace {

// A category file's units as the unit lists read them, its rejected lines reported; no units
// when the file cannot be read.
catalogue::UnitListing unitsOf(const QString &path)
{
    const auto bytes = catalogue::readListBytes(path);
    auto file = bytes ? catalogue::parseUnitFile(path, *bytes) : std::nullopt;
    if (!file)
        return {};
    catalogue::reportRejectedUnits(file->rejectedNames);
    return file->listing;
}

QByteArray linesOfUnits(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append("1^U" + QByteArray::number(i) + "\r\n");
    return bytes;
}

// Stands for the test's application folder in a data row (made before the folder is).
const QString kApplicationFolder = QStringLiteral("<application folder>");

// The entries of hostile::putInPlace, and a link to the factory copy.
void addHostileEntryRows()
{
    QTest::addColumn<QString>("what");
    for (const QString &what : hostile::entryNames() + QStringList{"link to the factory copy"})
        QTest::newRow(qPrintable(what)) << what;
}

void putInPlace(const QString &what, const QString &path, const QString &outside)
{
    if (what == QLatin1String("link to the factory copy")) {
        QFile::remove(path);
        QVERIFY(hostile::makeLink(catalogue::factoryCategoryFile(QFileInfo(path).completeBaseName()), path));
    } else {
        QVERIFY2(hostile::putInPlace(what, path, outside), qPrintable(what));
    }
}

// Stops a delete where a crash would stop it: between its two writes. The category file is
// never deleted, and what the index held at that moment is kept.
class CrashBeforeTheFileGoes : public platform::QtFileOperations {
public:
    bool deleteFile(const QString &) override
    {
        QFile index(catalogue::indexFile());
        indexWhenTheFileWasToGo = index.open(QIODevice::ReadOnly) ? index.readAll() : QByteArray("<none>");
        return false;
    }
    QByteArray indexWhenTheFileWasToGo;
};

} // namespace

// The catalogue's readers and writers on real files that others damaged: read-only files and
// folders, a folder that vanishes, a file replaced by a folder, files too long, binary garbage,
// the bytes 0x80-0x9F, and a full disk. Each operation says what went wrong the way the program
// always does, and no file that was there loses a byte unless the operation was meant to change
// it.
class TestCatalogueFaults : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup()
    {
        finishEnvironment(m_environment);
    }

    void readOnlyCatalogueFolder()
    {
        RUN_AS_UNPRIVILEGED_USER_IF_ROOT();
        const Files before = filesUnder(m_environment->folder());
        QVERIFY(QFile::setPermissions(catalogue::catalogueFolder(), QFile::ReadOwner | QFile::ExeOwner));

        // Everything reads as before.
        UnitCategory category;
        QVERIFY(category.load(catalogue::categoryFile("Length"), 2) > 0);
        QVERIFY(catalogue::readListFile(catalogue::indexFile()).has_value());
        QVERIFY(catalogue::isListedInIndex("Length"));

        // No file can be created, replaced or deleted, and each writer says so.
        category.setUnit("Furlong", 201.168, 0);
        QCOMPARE(failureNumber([&] { category.save(catalogue::categoryFile("Length")); }),
                 app::kErrPathFileAccess);
        QCOMPARE(failureNumber([&] { category.save(catalogue::categoryFile("New")); }),
                 app::kErrPathFileAccess);
        QVERIFY(!catalogue::removeFromIndex("Area"));
        QCOMPARE(catalogue::deleteCategory("Length"), catalogue::DeleteOutcome::NothingChanged);
        QVERIFY(catalogue::restoreCategory("Length").has_value());
        // No catalogue lock can be made there, so nothing is changed at all, not even the index
        // that could be written in place.
        QVERIFY(!catalogue::listInIndex("New"));
        QVERIFY(!catalogue::restoreAllCategories().factoryIndexRead);
        QCOMPARE(filesUnder(m_environment->folder()), before);
    }

    void readOnlyCategoryFile()
    {
        RUN_AS_UNPRIVILEGED_USER_IF_ROOT();
        m_environment->writeFile("bin/Length.ucr", "1^Meter\r\n0.3048^Foot\r\n");
        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        QVERIFY(QFile::setPermissions(catalogue::categoryFile("Length"), readOnly));
        QVERIFY(QFile::setPermissions(catalogue::indexFile(), readOnly));
        const Files before = filesUnder(m_environment->folder());

        UnitCategory category;
        QCOMPARE(int(category.load(catalogue::categoryFile("Length"), 2)), 1);
        category.setUnit("Furlong", 201.168, 2);
        QCOMPARE(failureNumber([&] { category.save(catalogue::categoryFile("Length")); }),
                 app::kErrPathFileAccess);
        QCOMPARE(catalogue::restoreCategory("Length"),
                 std::optional(catalogue::CatalogueFailure{catalogue::CatalogueFailure::Operation::RestoringDefaults,
                                                           catalogue::factoryCategoryFile("Length")}));
        QVERIFY(!catalogue::listInIndex("New"));
        QVERIFY(!catalogue::removeFromIndex("Area"));

        // A full restore brings back every other file and leaves these two as they are.
        const catalogue::RestoreAllResult restored = catalogue::restoreAllCategories();
        QVERIFY(restored.factoryIndexRead);
        QCOMPARE(restored.failures.size(), 2);
        QCOMPARE(filesUnder(m_environment->folder()), before);
    }

    void catalogueFolderVanishesBetweenTwoOperations()
    {
        UnitCategory category;
        QVERIFY(category.load(catalogue::categoryFile("Length"), 2) > 0);
        QVERIFY(QDir(catalogue::catalogueFolder()).removeRecursively());

        category.setUnit("Furlong", 201.168, 0);
        QCOMPARE(failureNumber([&] { category.save(catalogue::categoryFile("Length")); }),
                 app::kErrPathFileAccess);
        UnitCategory other;
        QCOMPARE(int(other.load(catalogue::categoryFile("Length"), 2)), -1);
        QVERIFY(catalogue::indexLines().isEmpty());
        QVERIFY(!catalogue::listInIndex("New"));
        QVERIFY(!catalogue::removeFromIndex("Area"));
        QCOMPARE(catalogue::deleteCategory("Length"), catalogue::DeleteOutcome::NothingChanged);
        QVERIFY(catalogue::restoreCategory("Length").has_value());
        QVERIFY(!catalogue::restoreAllCategories().factoryIndexRead); // no lock can be made
        QCOMPARE(catalogue::readWholeFile(catalogue::indexFile()), QString());

        // The reader that speaks says that the file is missing.
        m_environment->boxes().expectOK();
        QVERIFY(!catalogue::readListFile(catalogue::indexFile()).has_value());
        QCOMPARE(m_environment->boxes().shownTexts(),
                 QStringList{"File: " + catalogue::indexFile() + "\r\nFile Does Not Exist."});

        // Nothing brought the folder back half-way.
        QVERIFY(!QFileInfo::exists(catalogue::catalogueFolder()));
    }

    void catalogueFolderReplacedByAFile()
    {
        QVERIFY(QDir(catalogue::catalogueFolder()).removeRecursively());
        m_environment->writeFile("bin", "not a folder");

        UnitCategory category;
        QCOMPARE(int(category.load(catalogue::categoryFile("Length"), 2)), -1);
        category.resize(0, 0);
        category.setUnit("Meter", 1, 0);
        QCOMPARE(failureNumber([&] { category.save(catalogue::categoryFile("Length")); }),
                 app::kErrPathFileAccess);
        QVERIFY(!catalogue::listInIndex("New"));
        QVERIFY(!catalogue::removeFromIndex("Area"));
        QCOMPARE(catalogue::deleteCategory("Length"), catalogue::DeleteOutcome::NothingChanged);
        m_environment->boxes().expectOK();
        QVERIFY(!catalogue::readListFile(catalogue::indexFile()).has_value());
        QCOMPARE(m_environment->readFile("bin"), QByteArray("not a folder"));
    }

    void categoryFileReplacedByAFolder()
    {
        QVERIFY(QFile::remove(catalogue::categoryFile("Length")));
        m_environment->writeFile("bin/Length.ucr/inside.txt", "kept");
        const Files before = filesUnder(m_environment->folder());

        UnitCategory category;
        QCOMPARE(int(category.load(catalogue::categoryFile("Length"), 2)), -1);
        m_environment->boxes().expectOK();
        bool missing = false;
        QVERIFY(!catalogue::readListFile(catalogue::categoryFile("Length"), &missing).has_value());
        QVERIFY(missing);
        category.resize(0, 0);
        category.setUnit("Meter", 1, 0);
        QCOMPARE(failureNumber([&] { category.save(catalogue::categoryFile("Length")); }),
                 app::kErrPathFileAccess);
        QVERIFY(catalogue::restoreCategory("Length").has_value());
        QCOMPARE(filesUnder(m_environment->folder()), before);

        // Deleting the category takes its line off the index; the folder stays, listed nowhere.
        QCOMPARE(catalogue::deleteCategory("Length"), catalogue::DeleteOutcome::FileKept);
        QVERIFY(!catalogue::isListedInIndex("Length"));
        QCOMPARE(m_environment->readFile("bin/Length.ucr/inside.txt"), QByteArray("kept"));

        // A full restore brings back everything else and names the one file it could not.
        const catalogue::RestoreAllResult restored = catalogue::restoreAllCategories();
        QCOMPARE(restored.failures.size(), 1);
        QCOMPARE(restored.failures.first().path, catalogue::factoryCategoryFile("Length"));
        QCOMPARE(m_environment->readFile("bin/Length.ucr/inside.txt"), QByteArray("kept"));
    }

    void indexReplacedByAFolder()
    {
        QVERIFY(QFile::remove(catalogue::indexFile()));
        m_environment->writeFile("bin/unitType.ucr/inside.txt", "kept");
        m_environment->boxes().expectOK();
        QVERIFY(!catalogue::readListFile(catalogue::indexFile()).has_value());
        QVERIFY(catalogue::indexLines().isEmpty());
        QVERIFY(!catalogue::listInIndex("New"));
        // Without an index in place the user's own categories must stay: nothing is deleted.
        const catalogue::RestoreAllResult restored = catalogue::restoreAllCategories();
        QVERIFY(restored.factoryIndexRead);
        QCOMPARE(restored.failures.size(), 1);
        QCOMPARE(m_environment->readFile("bin/unitType.ucr/inside.txt"), QByteArray("kept"));
    }

    // A file of more than kMaxFileBytes is refused before it is read, as a file of too many
    // lines is: a catalogue someone handed over may hold a file of any size.
    void fileSizeLimit_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("readable");
        QTest::newRow("at the limit") << catalogue::kMaxFileBytes << true;
        QTest::newRow("one byte more") << catalogue::kMaxFileBytes + 1 << false;
        QTest::newRow("200 MB") << qint64(200) * 1024 * 1024 << false;
    }
    void fileSizeLimit()
    {
        QFETCH(qint64, size);
        QFETCH(bool, readable);
        // One unit whose name fills the file; the larger file is sparse, its bytes never written.
        const QString path = catalogue::categoryFile("Huge");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write("1^") == 2);
        QVERIFY(file.resize(size - 2));
        QVERIFY(file.seek(size - 2) && file.write("\r\n") == 2);
        file.close();
        const QString tooLong = catalogue::tooManyLinesMessage(path);

        QElapsedTimer timer;
        timer.start();
        m_environment->boxes().expectOK(readable ? 0 : 2);
        QCOMPARE(catalogue::readListFile(path).has_value(), readable);
        UnitCategory category;
        QCOMPARE(int(category.load(path, 2)), readable ? 0 : -1);
        QCOMPARE(catalogue::readWholeFile(path).size(), readable ? size : 0);
        const QStringList expected = readable ? QStringList() : QStringList{tooLong, tooLong};
        QCOMPARE(m_environment->boxes().shownTexts(), expected);
        if (!readable)
            QVERIFY2(timer.elapsed() < 2000, "a file too long is not read");
    }

    // What a catalogue folder unpacked from someone's archive may hold in a category file's
    // place. Nothing is read through it, nothing written through it, and nothing waits on it.
    void categoryFileThatIsNoRegularFile_data() { addHostileEntryRows(); }
    void categoryFileThatIsNoRegularFile()
    {
        QFETCH(QString, what);
        const QByteArray victim("1^Victim\r\n");
        m_environment->writeFile("outside.ucr", victim);
        const QString outside = m_environment->folder() + "/outside.ucr";
        const QString path = catalogue::categoryFile("Length");
        const QByteArray factoryLength = m_environment->readFile("bin/default/Length.ucr");
        UnitCategory loaded; // loaded while the file was still a file
        QVERIFY(loaded.load(path, 2) > 0);
        putInPlace(what, path, outside);
        const hostile::FifoGuard guard(path);
        const QString refused = catalogue::notARegularFileMessage(path);

        // Selecting it: the unit lists' reader and the editor's say what it is and read nothing.
        m_environment->boxes().expectOK(2);
        bool missing = true;
        QVERIFY(!catalogue::readListFile(path, &missing).has_value());
        QVERIFY(!missing);
        UnitCategory selected;
        QCOMPARE(int(selected.load(path, 2)), -1);
        QCOMPARE(m_environment->boxes().shownTexts(), (QStringList{refused, refused}));
        QVERIFY(catalogue::readWholeFile(path).isEmpty());

        // Saving an edit, creating a category of that name, restoring one, restoring all.
        loaded.setUnit("Furlong", 201.168, 1);
        QCOMPARE(failureNumber([&] { loaded.save(path); }), app::kErrPathFileAccess);
        UnitCategory created;
        created.resize(0, 0);
        created.setUnit("Metre", 1, 0);
        QCOMPARE(failureNumber([&] { created.save(path); }), app::kErrPathFileAccess);
        QCOMPARE(catalogue::restoreCategory("Length"),
                 std::optional(catalogue::CatalogueFailure{catalogue::CatalogueFailure::Operation::RestoringDefaults,
                                                           catalogue::factoryCategoryFile("Length")}));
        const catalogue::RestoreAllResult restored = catalogue::restoreAllCategories();
        QVERIFY(restored.factoryIndexRead);
        QCOMPARE(restored.failures.size(), 1);
        QCOMPARE(restored.failures.first().path, catalogue::factoryCategoryFile("Length"));

        // Still there as it was, and so is everything it points to.
        QCOMPARE(QFileInfo(path).isSymLink(), what != "FIFO");
        QVERIFY(platform::entryKind(path) != platform::EntryKind::RegularFile);
        QCOMPARE(m_environment->readFile("outside.ucr"), victim);
        QVERIFY(!QFileInfo::exists(outside + ".nowhere"));
        QCOMPARE(m_environment->readFile("bin/default/Length.ucr"), factoryLength);
        QVERIFY(QDir(catalogue::catalogueFolder()).entryList({"Length.ucr.*"}, QDir::Files | QDir::Hidden).isEmpty());

        // Deleting the category removes the entry itself.
        QCOMPARE(catalogue::deleteCategory("Length"), catalogue::DeleteOutcome::Deleted);
        QCOMPARE(platform::entryKind(path), platform::EntryKind::Missing);
        QCOMPARE(m_environment->readFile("outside.ucr"), victim);
        QVERIFY(!guard.releasedAWaitingReader());
    }

    void indexThatIsNoRegularFile_data() { addHostileEntryRows(); }
    void indexThatIsNoRegularFile()
    {
        QFETCH(QString, what);
        const QByteArray outsideIndex("Length\r\nMass\r\n");
        m_environment->writeFile("outside.ucr", outsideIndex);
        m_environment->writeFile("bin/Mine.ucr", "1^Thing\r\n");
        const QString outside = m_environment->folder() + "/outside.ucr";
        const QString index = catalogue::indexFile();
        putInPlace(what, index, outside);
        const hostile::FifoGuard guard(index);

        m_environment->boxes().expectOK();
        QVERIFY(!catalogue::readCategoryNames(index).has_value());
        QCOMPARE(m_environment->boxes().shownTexts(), QStringList{catalogue::notARegularFileMessage(index)});
        QVERIFY(catalogue::indexLines().isEmpty());
        QVERIFY(!catalogue::listInIndex("Mine"));
        QVERIFY(!catalogue::removeFromIndex("Length"));
        // A full restore cannot put the factory index in place, so the user's own files stay.
        const catalogue::RestoreAllResult restored = catalogue::restoreAllCategories();
        QCOMPARE(restored.failures.size(), 1);
        QCOMPARE(restored.failures.first().path, catalogue::factoryIndexFile());
        QCOMPARE(m_environment->readFile("bin/Mine.ucr"), QByteArray("1^Thing\r\n"));

        QCOMPARE(QFileInfo(index).isSymLink(), what != "FIFO");
        QCOMPARE(m_environment->readFile("outside.ucr"), outsideIndex);
        QVERIFY(!QFileInfo::exists(outside + ".nowhere"));
        QVERIFY(!guard.releasedAWaitingReader());
    }

    // Index lines that would lead a path out of the catalogue folder, into the factory copies,
    // onto the index or a device: left out of the lists with one message, and never used as a
    // path, whoever passes them on.
    void indexLinesThatNameNoCategoryFile_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("up and out") << "../../outside/victim";
        QTest::newRow("up and out, backslashes") << "..\\..\\outside\\victim";
        QTest::newRow("up one") << "../victim";
        QTest::newRow("the factory copy") << "default/Length";
        QTest::newRow("the factory copy, backslash") << "default\\Length";
        QTest::newRow("an absolute path") << kApplicationFolder + "/outside/victim";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("the index") << "unitType";
        QTest::newRow("a device") << "CON";
        QTest::newRow("a control character") << "Len\tgth";
        QTest::newRow("too long for a file name") << QString(300, QLatin1Char('L'));
    }
    void indexLinesThatNameNoCategoryFile()
    {
        QFETCH(QString, line);
        line.replace(kApplicationFolder, m_environment->folder());
        const QByteArray victim("1^Victim\r\n");
        m_environment->writeFile("outside/victim.ucr", victim);
        m_environment->writeFile("victim.ucr", victim);
        m_environment->writeFile("bin/unitType.ucr", "Length\r\n" + line.toLatin1() + "\r\nMass\r\n");
        const Files before = filesUnder(m_environment->folder());

        m_environment->boxes().expectOK();
        QCOMPARE(catalogue::readCategoryNames(catalogue::indexFile()), std::optional(QStringList{"Length", "Mass"}));
        const QString message = m_environment->boxes().shownTexts().value(0);
        QCOMPARE(message, catalogue::refusedIndexLinesMessage(catalogue::indexFile(), {line}));
        QVERIFY2(message.contains(line.left(60).replace('\t', '?')), qPrintable(message));

        // Passed on all the same, it names no file to read, write, copy or delete.
        QVERIFY(!catalogue::categoryFileRefusal(line).isEmpty());
        QCOMPARE(catalogue::deleteCategory(line), catalogue::DeleteOutcome::NothingChanged);
        QVERIFY(catalogue::restoreCategory(line).has_value());
        QCOMPARE(filesUnder(m_environment->folder()), before);
    }

    void manyRefusedIndexLinesShowOneMessage()
    {
        QByteArray index = "Length\r\n";
        for (int i = 0; i < 5000; ++i)
            index += "../x" + QByteArray::number(i) + "\r\n";
        m_environment->writeFile("bin/unitType.ucr", index);
        m_environment->boxes().expectOK();
        QCOMPARE(catalogue::readCategoryNames(catalogue::indexFile()), std::optional(QStringList{"Length"}));
        const QStringList texts = m_environment->boxes().shownTexts();
        QCOMPARE(texts.size(), 1);
        QVERIFY(texts.first().contains("\"../x4\"\r\nand 4995 more"));
        QVERIFY(!texts.first().contains("../x5"));
    }

    // Another copy holds the lock for longer than a moment: nothing is changed, and each change
    // says it failed rather than wait on.
    void catalogueLockHeldByAnotherCopy()
    {
        const othercopy::HeldCatalogueLock otherCopy;
        QVERIFY(otherCopy.isHeld());
        const Files before = filesUnder(m_environment->folder());
        QElapsedTimer waited;
        waited.start();
        const catalogue::CatalogueLock lock;
        QVERIFY(!lock.isHeld());
        QVERIFY(lock.isBusy());
        QVERIFY(waited.elapsed() >= catalogue::CatalogueLock::kWaitMilliseconds / 2);
        QVERIFY(lock.refusalMessage().startsWith("The catalogue is being changed by another copy of Tallimer."));
        QVERIFY(!catalogue::listInIndex("New"));
        QVERIFY(!catalogue::removeFromIndex("Length"));
        QCOMPARE(catalogue::deleteCategory("Length"), catalogue::DeleteOutcome::NothingChanged);
        QVERIFY(catalogue::restoreCategory("Length").has_value());
        QVERIFY(!catalogue::restoreAllCategories().factoryIndexRead);
        QCOMPARE(filesUnder(m_environment->folder()), before);
    }

    // A copy killed while it held the lock left its lock file behind; the next change takes over.
    void lockOfAnEndedCopyIsTakenOver()
    {
        QVERIFY(othercopy::leaveLockOfEndedCopy());
        QVERIFY(QFileInfo::exists(catalogue::catalogueLockFile()));
        QVERIFY(catalogue::listInIndex("New"));
        QVERIFY(catalogue::isListedInIndex("New"));
        QVERIFY(!QFileInfo::exists(catalogue::catalogueLockFile()));
    }

    // Taken again while this process holds it, the lock is held at once: a command made of
    // several changes holds it throughout.
    void lockTakenAgainByTheSameProcess()
    {
        const catalogue::CatalogueLock outer;
        QVERIFY(outer.isHeld());
        QElapsedTimer waited;
        waited.start();
        QVERIFY(catalogue::listInIndex("New"));
        QCOMPARE(catalogue::deleteCategory("Mass"), catalogue::DeleteOutcome::Deleted);
        QVERIFY(waited.elapsed() < catalogue::CatalogueLock::kWaitMilliseconds);
        // Another copy still finds it taken.
        QVERIFY(!othercopy::HeldCatalogueLock().isHeld());
    }

    // A delete interrupted between its two writes leaves at worst a file that no line lists,
    // never a line whose file is gone.
    void deleteInterruptedBetweenItsTwoWrites()
    {
        auto crash = std::make_unique<CrashBeforeTheFileGoes>();
        CrashBeforeTheFileGoes &crashed = *crash;
        std::unique_ptr<platform::FileOperations> previous = platform::setFileOperations(std::move(crash));
        const QByteArray mass = m_environment->readFile("bin/Mass.ucr");

        QCOMPARE(catalogue::deleteCategory("Mass"), catalogue::DeleteOutcome::FileKept);
        QVERIFY(!catalogue::indexLines().contains("Mass"));
        QVERIFY(!catalogue::splitAtCrLf(catalogue::decodeCatalogueText(crashed.indexWhenTheFileWasToGo)).contains("Mass"));
        QCOMPARE(m_environment->readFile("bin/Mass.ucr"), mass);
        platform::setFileOperations(std::move(previous));

        // The next start lists every category whose line is left, each with its file.
        const auto names = catalogue::readCategoryNames(catalogue::indexFile());
        QVERIFY(names.has_value() && !names->contains("Mass"));
        for (const QString &name : *names)
            QVERIFY2(QFileInfo(catalogue::categoryFile(name)).isFile(), qPrintable(name));
    }

    // What saves killed part-way left in the folder goes at the next change, once a day old;
    // nothing else does.
    void abandonedSavesAreRemoved_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("hoursOld");
        QTest::addColumn<bool>("removed");
        QTest::newRow("a category's, two days old") << "Length.ucr.AbCdEf" << 48 << true;
        QTest::newRow("the index's, with digits") << "unitType.ucr.aB3dE9" << 30 << true;
        QTest::newRow("an hour old: maybe a save under way") << "Length.ucr.AbCdEf" << 1 << false;
        QTest::newRow("five letters") << "Length.ucr.AbCdE" << 48 << false;
        QTest::newRow("seven letters") << "Length.ucr.AbCdEfG" << 48 << false;
        QTest::newRow("not a catalogue file's") << "notes.txt.AbCdEf" << 48 << false;
        QTest::newRow("a category file itself") << "Old.ucr" << 48 << false;
        QTest::newRow("a link named like one") << "Link.ucr.AbCdEf" << 48 << false;
    }
    void abandonedSavesAreRemoved()
    {
        QFETCH(QString, name);
        QFETCH(int, hoursOld);
        QFETCH(bool, removed);
        const QString path = m_environment->binFolder() + "/" + name;
        m_environment->writeFile("outside.txt", "kept");
        if (name.startsWith("Link"))
            QVERIFY(hostile::makeLink(m_environment->folder() + "/outside.txt", path));
        else
            m_environment->writeFile("bin/" + name, "1^Half a save");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600 * hoursOld), QFileDevice::FileModificationTime));
        file.close();

        QVERIFY(catalogue::listInIndex("New"));
        QCOMPARE(platform::entryKind(path) == platform::EntryKind::Missing, removed);
        QCOMPARE(m_environment->readFile("outside.txt"), QByteArray("kept"));
    }

    void linesAtTheSixteenBitLimit_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("readable");
        QTest::newRow("32767 lines") << 32767 << true;
        QTest::newRow("32768 lines") << 32768 << false;
    }
    void linesAtTheSixteenBitLimit()
    {
        QFETCH(int, lines);
        QFETCH(bool, readable);
        const QByteArray content = linesOfUnits(lines);
        // A "%" in the name is shown as it is.
        m_environment->writeFile("bin/Long %1 %2.ucr", content);
        const QString path = catalogue::categoryFile("Long %1 %2");
        const QString tooLong = catalogue::tooManyLinesMessage(path);
        QVERIFY(tooLong.contains(QDir::separator() + QStringLiteral("Long %1 %2.ucr\r\n")));

        m_environment->boxes().expectOK(readable ? 0 : 1);
        const auto file = catalogue::readListFile(path);
        QCOMPARE(file.has_value(), readable);
        if (file)
            QCOMPARE(unitsOf(path).entries.size(), std::size_t(lines));
        QCOMPARE(m_environment->boxes().shownTexts(), readable ? QStringList() : QStringList{tooLong});

        // The editor's record needs two spare slots, so even 32767 lines leave no room for them.
        m_environment->boxes().clear();
        m_environment->boxes().expectOK();
        UnitCategory category;
        QCOMPARE(int(category.load(path, 2)), -1);
        QCOMPARE(m_environment->boxes().shownTexts(), QStringList{tooLong});
        QCOMPARE(m_environment->readFile("bin/Long %1 %2.ucr"), content);
    }

    void binaryGarbageShowsAFewMessagesAndASummary_data()
    {
        QTest::addColumn<int>("garbageLines");
        QTest::addColumn<int>("boxes");
        QTest::addColumn<QString>("summary");
        const int shown = RejectedLineReport::kShownLines;
        QTest::newRow("as many as are shown") << shown << shown << QString();
        QTest::newRow("one more") << shown + 1 << shown + 1 << "1 more line could not be read";
        QTest::newRow("thousands") << 5000 << shown + 1
                                   << QString::number(5000 - shown) + " more lines could not be read";
    }
    void binaryGarbageShowsAFewMessagesAndASummary()
    {
        QFETCH(int, garbageLines);
        QFETCH(int, boxes);
        QFETCH(QString, summary);
        // Real units before and after the garbage keep their lines.
        const QByteArray content = "1^Meter\r\n" + faultfiles::garbageLines(garbageLines, 11) + "0.3048^Foot\r\n";
        m_environment->writeFile("bin/Junk.ucr", content);
        const QString path = catalogue::categoryFile("Junk");

        m_environment->boxes().expectOK(boxes);
        UnitCategory category;
        QCOMPARE(int(category.load(path, 2)), 1);
        QCOMPARE(category.unitName(0), QStringLiteral("Meter"));
        QCOMPARE(category.unitName(qint16(garbageLines + 1)), QStringLiteral("Foot"));
        QStringList texts = m_environment->boxes().shownTexts();
        QCOMPARE(texts.size(), boxes);
        QVERIFY(texts.first().startsWith("Error loading "));
        QCOMPARE(summary.isEmpty() ? QString() : texts.last(), summary);

        m_environment->boxes().clear();
        m_environment->boxes().expectOK(boxes);
        const catalogue::UnitListing listing = unitsOf(path);
        QCOMPARE(listing.entries.size(), std::size_t(2));
        QCOMPARE(listing.entries.back().tag, qint16(garbageLines + 1));
        texts = m_environment->boxes().shownTexts();
        QCOMPARE(texts.size(), boxes);
        QVERIFY(texts.first().endsWith(" This Unit has been removed"));
        QCOMPARE(summary.isEmpty() ? QString() : texts.last(), summary);
        QCOMPARE(m_environment->readFile("bin/Junk.ucr"), content);
    }

    void randomBytesShowAHandfulOfBoxesAtMost_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 4; ++seed)
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
    }
    void randomBytesShowAHandfulOfBoxesAtMost()
    {
        // Anything at all: line ends, commas and quotes where they fall.
        QFETCH(quint32, seed);
        const QByteArray content = randomBytes(200000, seed);
        m_environment->writeFile("bin/Junk.ucr", content);
        const int most = RejectedLineReport::kShownLines + 1;
        m_environment->boxes().expectOK(2 * most);
        UnitCategory category;
        category.load(catalogue::categoryFile("Junk"), 2);
        QVERIFY(m_environment->boxes().shown().size() <= most);
        m_environment->boxes().clear();
        m_environment->boxes().expectOK(2 * most);
        unitsOf(catalogue::categoryFile("Junk"));
        QVERIFY(m_environment->boxes().shown().size() <= most);
        m_environment->boxes().clear();
        QCOMPARE(m_environment->readFile("bin/Junk.ucr"), content);
    }

    void garbageWithoutLineEndsIsOneRejectedLine()
    {
        QByteArray content(70000, '\0');
        for (int i = 0; i < content.size(); ++i)
            content[i] = char((i * 37 + 11) % 256 == 13 ? 0 : (i * 37 + 11) % 256);
        content[0] = 'x';
        m_environment->writeFile("bin/Blob.ucr", content);
        m_environment->boxes().expectOK();
        UnitCategory category;
        QCOMPARE(int(category.load(catalogue::categoryFile("Blob"), 2)), -1);
        QCOMPARE(m_environment->boxes().shown().size(), 1);
    }

    void highControlBytesSurviveALoadAndASave()
    {
        // 0x80-0x9F: the Windows-1252 letters and signs, and the five bytes it leaves undefined.
        QByteArray names;
        for (int byte = 0x80; byte <= 0x9F; ++byte)
            names.append(char(byte));
        const QByteArray content = "1^" + names + "\r\n0.5^Half \x80\r\n";
        m_environment->writeFile("bin/Signs.ucr", content);

        UnitCategory category;
        QCOMPARE(int(category.load(catalogue::categoryFile("Signs"), 2)), 1);
        QCOMPARE(category.unitName(1), QString::fromUtf8("Half €"));
        category.setUnit(category.unitName(0), category.unitFactor(0), 0);
        category.save(catalogue::categoryFile("Signs"));
        QCOMPARE(m_environment->readFile("bin/Signs.ucr"), content);

        QCOMPARE(unitsOf(catalogue::categoryFile("Signs")).entries.front().name, category.unitName(0));

        // In a factor they are no number.
        m_environment->writeFile("bin/Signs.ucr", "1\x80" "5^Odd\r\n");
        m_environment->boxes().expectOK();
        QCOMPARE(int(category.load(catalogue::categoryFile("Signs"), 2)), -1);
        QCOMPARE(m_environment->boxes().shownTexts(), QStringList{"Error loading Odd"});
    }

    void categoryNamedWithHighControlBytes()
    {
        m_environment->writeFile("bin/unitType.ucr", "Length\r\nMoney \x80\r\n");
        const QString name = QString::fromUtf8("Money €");
        QFile file(catalogue::categoryFile(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1^Euro\r\n");
        file.close();

        QVERIFY(catalogue::isListedInIndex(name));
        const auto index = catalogue::readListFile(catalogue::indexFile());
        QVERIFY(index.has_value());
        QCOMPARE(index->line(1), name);
        QCOMPARE(unitsOf(catalogue::categoryFile(index->line(1))).entries.front().name, QStringLiteral("Euro"));
        QCOMPARE(catalogue::deleteCategory(name), catalogue::DeleteOutcome::Deleted);
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), QByteArray("Length\r\n"));
        QVERIFY(catalogue::listInIndex(name));
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), QByteArray("Length\r\nMoney \x80\r\n"));
    }

    void fullDiskLeavesEveryFileWhole()
    {
        const QByteArray lengthBefore = m_environment->readFile("bin/Length.ucr");
        const QByteArray indexBefore = m_environment->readFile("bin/unitType.ucr");
        m_environment->writeFile("bin/Tiny.ucr", "1^A\r\n");
        UnitCategory category;
        QVERIFY(category.load(catalogue::categoryFile("Length"), 2) > 0);
        category.setUnit("Furlong", 201.168, 0);
        {
            // No file can grow beyond 16 bytes: every catalogue file here is longer.
            FileSizeLimit full(16);
            QVERIFY(full.isActive());
            QCOMPARE(failureNumber([&] { category.save(catalogue::categoryFile("Length")); }),
                     app::kErrPathFileAccess);
            QVERIFY(!catalogue::listInIndex("New"));
            QVERIFY(!catalogue::removeFromIndex("Length"));
            QVERIFY(catalogue::restoreCategory("Length").has_value());
        }
        QCOMPARE(m_environment->readFile("bin/Length.ucr"), lengthBefore);
        QCOMPARE(m_environment->readFile("bin/unitType.ucr"), indexBefore);
        QCOMPARE(m_environment->readFile("bin/Tiny.ucr"), QByteArray("1^A\r\n"));
        const QStringList leftovers = QDir(catalogue::catalogueFolder()).entryList(QDir::Files | QDir::Hidden);
        QVERIFY2(leftovers.filter(QStringLiteral(".ucr.")).isEmpty(), qPrintable(leftovers.join(' ')));
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestCatalogueFaults)
#include "tst_cataloguefaults.moc"
