#include "core/base/Failure.h"
#include "core/catalogue/CatalogueFile.h"
#include "core/catalogue/CatalogueFiles.h"
#include "core/catalogue/CatalogueIndex.h"
#include "core/catalogue/CatalogueLock.h"
#include "core/catalogue/CatalogueNames.h"
#include "core/catalogue/CataloguePaths.h"
#include "core/catalogue/RejectedLineReport.h"
#include "core/catalogue/UnitCategory.h"
#include "core/platform/QtFileOperations.h"
#include "core/platform/RegularFile.h"
#include "support/Failures.h"
#include "support/FaultFiles.h"
#include "support/FileSizeLimit.h"
#include "support/HostileEntries.h"
#include "support/OtherCopy.h"
#include "support/TestEnvironment.h"
#include "support/UnprivilegedRun.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <optional>

namespace {

// Every regular file under folder, with its bytes; links and FIFOs are neither read nor followed.
QMap<QString, QByteArray> filesUnder(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator entries(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        QFile file(entries.next());
        if (platform::entryKind(file.fileName()) == platform::EntryKind::RegularFile && file.open(QIODevice::ReadOnly))
            files.insert(QDir(folder).relativeFilePath(file.fileName()), file.readAll());
    }
    return files;
}

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

// What may stand in a file's place: the entries of hostile::putInPlace, a link to the factory
// copy, and a folder.
void addEntryRows()
{
    QTest::addColumn<QString>("what");
    for (const QString &what : hostile::entryNames() + QStringList{"link to the factory copy", "folder"})
        QTest::newRow(qPrintable(what)) << what;
}

bool putInPlace(const QString &what, const QString &path, const QString &outside)
{
    QFile::remove(path);
    if (what == QLatin1String("folder"))
        return QDir().mkpath(path + "/inside") && QFile::copy(outside, path + "/inside/kept.ucr");
    if (what == QLatin1String("link to the factory copy"))
        return hostile::makeLink(catalogue::factoryFolder() + "/" + QFileInfo(path).fileName(), path);
    return hostile::putInPlace(what, path, outside);
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

// The catalogue's readers and writers on real files that others damaged. Each operation says what
// went wrong the way the program always does, and no file that was there loses a byte unless the
// operation was meant to change it.
class TestCatalogueFaults : public QObject {
    Q_OBJECT

private slots:
    void init() { m_environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { finishEnvironment(m_environment); }

    // Faults under which nothing can be changed: every change says it failed, no file changes,
    // and what is still there reads as before.
    void everyChangeFailsAndLeavesTheFilesWhole_data()
    {
        QTest::addColumn<QString>("fault");
        for (const char *fault : {"read-only catalogue folder", "read-only category file and index",
                                  "catalogue folder vanished", "catalogue folder replaced by a file",
                                  "catalogue lock held by another copy", "full disk"})
            QTest::newRow(fault) << fault;
    }
    void everyChangeFailsAndLeavesTheFilesWhole()
    {
        QFETCH(QString, fault);
        if (fault.startsWith("read-only"))
            RUN_AS_UNPRIVILEGED_USER_IF_ROOT();
        m_environment->writeFile("bin/Length.ucr", "1^Meter\r\n0.3048^Foot\r\n");
        UnitCategory category;
        QCOMPARE(int(category.load(catalogue::categoryFile("Length"), 2)), 1);
        category.setUnit("Furlong", 201.168, 2);
        const QString folder = catalogue::catalogueFolder();
        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        std::optional<othercopy::HeldCatalogueLock> otherCopy;
        if (fault == "read-only catalogue folder") {
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        } else if (fault == "read-only category file and index") {
            QVERIFY(QFile::setPermissions(catalogue::categoryFile("Length"), readOnly));
            QVERIFY(QFile::setPermissions(catalogue::indexFile(), readOnly));
        } else if (fault.startsWith("catalogue folder")) {
            QVERIFY(QDir(folder).removeRecursively());
            if (fault.endsWith("file"))
                m_environment->writeFile("bin", "not a folder");
        } else if (fault.startsWith("catalogue lock")) {
            QVERIFY(otherCopy.emplace().isHeld());
        }
        const bool gone = fault.startsWith("catalogue folder");
        QCOMPARE(int(UnitCategory().load(catalogue::categoryFile("Length"), 2)), gone ? -1 : 1);
        const QMap<QString, QByteArray> before = filesUnder(m_environment->folder());
        {
            std::optional<FileSizeLimit> fullDisk; // no file can grow beyond 16 bytes
            if (fault == "full disk")
                QVERIFY(fullDisk.emplace(16).isActive());
            if (!otherCopy) // a save is locked by the editor's command, not by itself
                QCOMPARE(failureNumber([&] { category.save(catalogue::categoryFile("Length")); }),
                         app::kErrPathFileAccess);
            QVERIFY(!catalogue::listInIndex("New"));
            QVERIFY(!catalogue::removeFromIndex("Area"));
            QCOMPARE(catalogue::deleteCategory("Area"), catalogue::DeleteOutcome::NothingChanged);
            QVERIFY(catalogue::restoreCategory("Length").has_value());
            const catalogue::RestoreAllResult restored = catalogue::restoreAllCategories();
            QVERIFY(!restored.factoryIndexRead || !restored.failures.isEmpty());
        }
        QCOMPARE(filesUnder(m_environment->folder()), before);
        QCOMPARE(QFileInfo(folder).isDir(), !gone);
    }

    // What a catalogue folder unpacked from someone's archive may hold in a category file's
    // place. Nothing is read through it, nothing written through it, and nothing waits on it.
    void categoryFileThatIsNoRegularFile_data() { addEntryRows(); }
    void categoryFileThatIsNoRegularFile()
    {
        QFETCH(QString, what);
        const QByteArray victim("1^Victim\r\n");
        m_environment->writeFile("outside.ucr", victim);
        const QString outside = m_environment->folder() + "/outside.ucr";
        const QString path = catalogue::categoryFile("Length");
        UnitCategory loaded; // loaded while the file was still a file
        QVERIFY(loaded.load(path, 2) > 0);
        QVERIFY(putInPlace(what, path, outside));
        const hostile::FifoGuard guard(path);
        const platform::EntryKind kind = platform::entryKind(path);
        const bool folder = what == "folder";
        const QString refused = folder ? "File: " + path + "\r\nFile Does Not Exist." : catalogue::notARegularFileMessage(path);
        const QMap<QString, QByteArray> before = filesUnder(m_environment->folder());

        // Selecting it: the unit lists' reader and the editor's say what it is and read nothing.
        m_environment->boxes().expectOK(folder ? 1 : 2);
        bool missing = !folder;
        QVERIFY(!catalogue::readListFile(path, &missing).has_value());
        QCOMPARE(missing, folder);
        UnitCategory selected;
        QCOMPARE(int(selected.load(path, 2)), -1);
        QCOMPARE(m_environment->boxes().shownTexts(), QStringList(folder ? 1 : 2, refused));

        // Saving an edit, creating a category of that name, restoring one, restoring all.
        loaded.setUnit("Furlong", 201.168, 1);
        QCOMPARE(failureNumber([&] { loaded.save(path); }), app::kErrPathFileAccess);
        UnitCategory created;
        created.resize(0, 0);
        created.setUnit("Metre", 1, 0);
        QCOMPARE(failureNumber([&] { created.save(path); }), app::kErrPathFileAccess);
        QVERIFY(catalogue::restoreCategory("Length").has_value());
        const catalogue::RestoreAllResult restored = catalogue::restoreAllCategories();
        QVERIFY(restored.factoryIndexRead);
        QCOMPARE(restored.failures.size(), 1);
        QCOMPARE(restored.failures.first().path, catalogue::factoryCategoryFile("Length"));

        // Still there as it was, and so is everything it points to.
        QCOMPARE(filesUnder(m_environment->folder()), before);
        QCOMPARE(platform::entryKind(path), kind);
        QVERIFY(!QFileInfo::exists(outside + ".nowhere"));

        // Deleting the category takes its line off the index, and removes the entry unless it is
        // a folder, which stays listed nowhere.
        QCOMPARE(catalogue::deleteCategory("Length"),
                 folder ? catalogue::DeleteOutcome::FileKept : catalogue::DeleteOutcome::Deleted);
        QVERIFY(!("\r\n" + m_environment->readFile("bin/unitType.ucr")).contains("\r\nLength\r\n"));
        QCOMPARE(platform::entryKind(path) == platform::EntryKind::Missing, !folder);
        QCOMPARE(m_environment->readFile("outside.ucr"), victim);
        QVERIFY(!guard.releasedAWaitingReader());
    }

    // The same in the index's place: the user's own categories stay, since no factory index can
    // be put in place to stop listing them.
    void indexThatIsNoRegularFile_data() { addEntryRows(); }
    void indexThatIsNoRegularFile()
    {
        QFETCH(QString, what);
        const QByteArray outsideIndex("Length\r\nMass\r\n");
        m_environment->writeFile("outside.ucr", outsideIndex);
        m_environment->writeFile("bin/Mine.ucr", "1^Thing\r\n");
        const QString outside = m_environment->folder() + "/outside.ucr";
        const QString index = catalogue::indexFile();
        QVERIFY(putInPlace(what, index, outside));
        const hostile::FifoGuard guard(index);
        const platform::EntryKind kind = platform::entryKind(index);
        const QMap<QString, QByteArray> before = filesUnder(m_environment->folder());

        m_environment->boxes().expectOK(2);
        QVERIFY(!catalogue::readCategoryNames(index).has_value());
        if (what == "folder")
            QCOMPARE(m_environment->boxes().shown().size(), 2); // missing, and vital
        else
            QCOMPARE(m_environment->boxes().shownTexts(), QStringList{catalogue::notARegularFileMessage(index)});
        m_environment->boxes().clear();
        QVERIFY(!catalogue::listInIndex("Mine"));
        QCOMPARE(catalogue::removeFromIndex("Length"), what == "folder"); // a folder lists nothing
        const catalogue::RestoreAllResult restored = catalogue::restoreAllCategories();
        QCOMPARE(restored.failures.size(), 1);
        QCOMPARE(restored.failures.first().path, catalogue::factoryIndexFile());

        QCOMPARE(filesUnder(m_environment->folder()), before);
        QCOMPARE(platform::entryKind(index), kind);
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
        QTest::newRow("an absolute path") << "<application folder>/outside/victim";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("the index") << "unitType";
        QTest::newRow("a device") << "CON";
        QTest::newRow("the last control character") << "Len\x1Fgth";
        QTest::newRow("too long for a file name") << QString(300, QLatin1Char('L'));
    }
    void indexLinesThatNameNoCategoryFile()
    {
        QFETCH(QString, line);
        line.replace("<application folder>", m_environment->folder());
        const QByteArray victim("1^Victim\r\n");
        m_environment->writeFile("outside/victim.ucr", victim);
        m_environment->writeFile("victim.ucr", victim);
        m_environment->writeFile("bin/unitType.ucr", "Length\r\n" + line.toLatin1() + "\r\nMass\r\n");
        const QMap<QString, QByteArray> before = filesUnder(m_environment->folder());

        m_environment->boxes().expectOK();
        QCOMPARE(catalogue::readCategoryNames(catalogue::indexFile()), std::optional(QStringList{"Length", "Mass"}));
        const QString message = m_environment->boxes().shownTexts().value(0);
        QCOMPARE(message, catalogue::refusedIndexLinesMessage(catalogue::indexFile(), {line}));
        QVERIFY2(message.contains(line.left(60).replace(QChar(0x1F), '?')), qPrintable(message));

        // Passed on all the same, it names no file to read, write, copy or delete.
        QVERIFY(!catalogue::categoryFileRefusal(line).isEmpty());
        QCOMPARE(catalogue::deleteCategory(line), catalogue::DeleteOutcome::NothingChanged);
        QVERIFY(catalogue::restoreCategory(line).has_value());
        QCOMPARE(filesUnder(m_environment->folder()), before);
    }

    // The message names the first few refused lines, then how many more there are.
    void manyRefusedIndexLinesShowOneMessage_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("end");
        QTest::newRow("as many as are named") << 5 << "\"../x4\"";
        QTest::newRow("thousands") << 5000 << "\"../x4\"\r\nand 4995 more";
    }
    void manyRefusedIndexLinesShowOneMessage()
    {
        QFETCH(int, lines);
        QFETCH(QString, end);
        QByteArray index = "Length\r\n";
        for (int i = 0; i < lines; ++i)
            index += "../x" + QByteArray::number(i) + "\r\n";
        m_environment->writeFile("bin/unitType.ucr", index);
        m_environment->boxes().expectOK();
        QCOMPARE(catalogue::readCategoryNames(catalogue::indexFile()), std::optional(QStringList{"Length"}));
        const QStringList texts = m_environment->boxes().shownTexts();
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts.first().endsWith(end), qPrintable(texts.first()));
    }

    // Another copy holds the lock for longer than a moment: the taker waits, then gives up and
    // says why.
    void catalogueLockHeldByAnotherCopy()
    {
        const othercopy::HeldCatalogueLock otherCopy;
        QVERIFY(otherCopy.isHeld());
        QElapsedTimer waited;
        waited.start();
        const catalogue::CatalogueLock lock;
        QVERIFY(!lock.isHeld());
        QVERIFY(lock.isBusy());
        QVERIFY(waited.elapsed() >= catalogue::CatalogueLock::kWaitMilliseconds / 2);
        QVERIFY(lock.refusalMessage().startsWith("The catalogue is being changed by another copy of Tallimer."));
    }

    // A copy killed while it held the lock left its lock file behind; the next change takes over.
    void lockOfAnEndedCopyIsTakenOver()
    {
        QVERIFY(othercopy::leaveLockOfEndedCopy());
        QVERIFY(catalogue::listInIndex("New"));
        QVERIFY(m_environment->readFile("bin/unitType.ucr").endsWith("\r\nNew\r\n"));
        QVERIFY(!QFileInfo::exists(catalogue::catalogueLockFile()));
    }

    // Taken again while this process holds it, the lock is held at once: a command made of
    // several changes holds it throughout, and another copy still finds it taken.
    void lockTakenAgainByTheSameProcess()
    {
        const catalogue::CatalogueLock outer;
        QVERIFY(outer.isHeld());
        QElapsedTimer waited;
        waited.start();
        QVERIFY(catalogue::listInIndex("New"));
        QCOMPARE(catalogue::deleteCategory("Mass"), catalogue::DeleteOutcome::Deleted);
        QVERIFY(waited.elapsed() < catalogue::CatalogueLock::kWaitMilliseconds);
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
        // The stand-in comes back, and lives on until its record is read.
        const std::unique_ptr<platform::FileOperations> standIn = platform::setFileOperations(std::move(previous));
        QVERIFY(!crashed.indexWhenTheFileWasToGo.contains("\nMass\r\n"));
        QCOMPARE(m_environment->readFile("bin/Mass.ucr"), mass);

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
        // The index, one line long; the larger files are sparse, their bytes never written.
        const QString path = catalogue::indexFile();
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(file.write("1^") == 2);
        QVERIFY(file.resize(size - 2));
        QVERIFY(file.seek(size - 2) && file.write("\r\n") == 2);
        file.close();
        const QString tooLong = catalogue::tooManyLinesMessage(path);

        m_environment->boxes().expectOK(readable ? 0 : 2);
        QCOMPARE(catalogue::readListFile(path).has_value(), readable);
        UnitCategory category;
        QCOMPARE(int(category.load(path, 2)), readable ? 0 : -1);
        QCOMPARE(m_environment->boxes().shownTexts(), QStringList(readable ? 0 : 2, tooLong));
        // A change would write an index made of part of it.
        QCOMPARE(catalogue::listInIndex("New"), readable);
        QCOMPARE(QFileInfo(path).size(), readable ? size + 5 : size);
    }

    // The unit lists read up to 32767 lines; the editor needs two spare slots within the 16-bit
    // bounds. A "%" in the file's name is shown as it is.
    void linesAtTheSixteenBitLimit_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<bool>("edited");
        QTest::newRow("32766 lines") << 32766 << true << true;
        QTest::newRow("32767 lines") << 32767 << true << false;
        QTest::newRow("32768 lines") << 32768 << false << false;
    }
    void linesAtTheSixteenBitLimit()
    {
        QFETCH(int, lines);
        QFETCH(bool, listed);
        QFETCH(bool, edited);
        const QByteArray content = QByteArray("1^U\r\n").repeated(lines);
        m_environment->writeFile("bin/Long %1 %2.ucr", content);
        const QString path = catalogue::categoryFile("Long %1 %2");
        const QString tooLong = catalogue::tooManyLinesMessage(path);
        QVERIFY(tooLong.contains(QDir::separator() + QStringLiteral("Long %1 %2.ucr\r\n")));

        m_environment->boxes().expectOK(2);
        QCOMPARE(unitsOf(path).entries.size(), std::size_t(listed ? lines : 0));
        UnitCategory category;
        QCOMPARE(int(category.load(path, 2)), edited ? lines - 1 : -1);
        if (edited) { // the last slot is 32767: the save must stop there
            QCOMPARE(int(category.lastIndex()), lines + 1);
            category.setUnit("U", 1, 0);
            category.save(path);
        }
        QCOMPARE(m_environment->boxes().shownTexts().size(), int(!listed) + int(!edited));
        for (const QString &text : m_environment->boxes().shownTexts())
            QCOMPARE(text, tooLong);
        m_environment->boxes().clear();
        QCOMPARE(m_environment->readFile("bin/Long %1 %2.ucr"), content);
    }

    // Binary garbage between real units: a few boxes, one a line, then one summary.
    void binaryGarbageShowsAFewMessagesAndASummary_data()
    {
        QTest::addColumn<int>("garbageLines");
        QTest::addColumn<int>("boxes");
        QTest::addColumn<QString>("summary");
        const int shown = RejectedLineReport::kShownLines;
        QTest::newRow("as many as are shown") << shown << shown << QString();
        QTest::newRow("one more") << shown + 1 << shown + 1 << "1 more line could not be read";
        QTest::newRow("thousands") << 5000 << shown + 1 << QString::number(5000 - shown) + " more lines could not be read";
    }
    void binaryGarbageShowsAFewMessagesAndASummary()
    {
        QFETCH(int, garbageLines);
        QFETCH(int, boxes);
        QFETCH(QString, summary);
        const QByteArray content = "1^Meter\r\n" + faultfiles::garbageLines(garbageLines, 11) + "0.3048^Foot\r\n";
        m_environment->writeFile("bin/Junk.ucr", content);
        const QString path = catalogue::categoryFile("Junk");

        m_environment->boxes().expectOK(2 * boxes);
        UnitCategory category;
        QCOMPARE(int(category.load(path, 2)), 1);
        QCOMPARE(category.unitName(qint16(garbageLines + 1)), QStringLiteral("Foot"));
        const catalogue::UnitListing listing = unitsOf(path);
        QCOMPARE(listing.entries.size(), std::size_t(2));
        QCOMPARE(listing.entries.back().tag, qint16(garbageLines + 1));

        const QStringList texts = m_environment->boxes().shownTexts();
        QCOMPARE(texts.size(), 2 * boxes);
        QVERIFY(texts.first().startsWith("Error loading "));
        QVERIFY(texts.at(boxes).endsWith(" This Unit has been removed"));
        QCOMPARE(summary.isEmpty() ? QString() : texts.at(boxes - 1), summary);
        QCOMPARE(summary.isEmpty() ? QString() : texts.last(), summary);
        QCOMPARE(m_environment->readFile("bin/Junk.ucr"), content);
    }

private:
    std::unique_ptr<TestEnvironment> m_environment;
};

QTEST_GUILESS_MAIN(TestCatalogueFaults)
#include "tst_cataloguefaults.moc"
