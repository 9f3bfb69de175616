#include "core/platform/QtFileOperations.h"
#include "support/FileSizeLimit.h"
#include "support/HostileEntries.h"
#include "support/TestEnvironment.h"
#include "support/UnprivilegedRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <optional>

// Every case runs on real files in the temporary application folder's "work" folder.
class TestFileOperations : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_environment = std::make_unique<TestEnvironment>();
        for (const char *name : {"a.ucr", "b.ucr", "ab.ucr", "[a].ucr", ".hidden.ucr", "x.ucrx", "notes.txt"})
            m_environment->writeFile(QStringLiteral("work/") + name, name);
        m_environment->writeFile("work/sub.ucr/inner.ucr", "inner");
    }
    void cleanup() { finishEnvironment(m_environment); }

    void deleteFile_data()
    {
        QTest::addColumn<QString>("path"); // empty: an empty path
        QTest::addColumn<bool>("deleted");
        QTest::newRow("one file") << "a.ucr" << true;
        QTest::newRow("hidden file") << ".hidden.ucr" << true;
        QTest::newRow("missing file") << "gone.ucr" << false;
        QTest::newRow("folder is never deleted") << "sub.ucr" << false;
        QTest::newRow("path through a file") << "notes.txt/a.ucr" << false;
        QTest::newRow("wildcard is a plain character") << "*.ucr" << false;
        QTest::newRow("question mark is a plain character") << "?.ucr" << false;
        QTest::newRow("empty path") << "" << false;
    }
    void deleteFile()
    {
        QFETCH(QString, path);
        QFETCH(bool, deleted);
        QStringList expected = workEntries();
        if (deleted)
            expected.removeOne(path);
        QCOMPARE(m_files.deleteFile(path.isEmpty() ? QString() : work(path)), deleted);
        QCOMPARE(workEntries(), expected);
        QVERIFY(QFile::exists(work("sub.ucr/inner.ucr")));
    }

    void deleteMatchingFiles_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QStringList>("keep");
        QTest::addColumn<bool>("succeeded");
        QTest::addColumn<QStringList>("deleted");
        const QStringList none;
        QTest::newRow("every .ucr file, hidden too, no folder, no longer extension")
            << "*.ucr" << none << true << QStringList{".hidden.ucr", "[a].ucr", "a.ucr", "ab.ucr", "b.ucr"};
        QTest::newRow("question mark is exactly one character")
            << "?.ucr" << none << true << QStringList{"a.ucr", "b.ucr"};
        QTest::newRow("brackets are plain characters") << "[a].ucr" << none << true << QStringList{"[a].ucr"};
        QTest::newRow("star in the middle") << "a*r" << none << true << QStringList{"a.ucr", "ab.ucr"};
        QTest::newRow("kept files stay")
            << "*.ucr" << QStringList{"a.ucr", "sub.ucr/inner.ucr"} << true
            << QStringList{".hidden.ucr", "[a].ucr", "ab.ucr", "b.ucr"};
        QTest::newRow("matching nothing succeeds") << "*.bak" << none << true << none;
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
        QTest::newRow("names compare exactly where the file system does") << "*.UCR" << none << true << none;
#endif
        QTest::newRow("missing folder") << "missing/*.ucr" << none << false << none;
        QTest::newRow("folder part is a file") << "notes.txt/*.ucr" << none << false << none;
        QTest::newRow("wildcard in the folder part") << "s*/*.ucr" << none << false << none;
        QTest::newRow("no file name part") << "sub.ucr/" << none << false << none;
    }
    void deleteMatchingFiles()
    {
        QFETCH(QString, pattern);
        QFETCH(QStringList, keep);
        QFETCH(bool, succeeded);
        QFETCH(QStringList, deleted);
        QStringList keptPaths;
        for (const QString &name : keep)
            keptPaths.append(work(name));
        QStringList expected = workEntries();
        for (const QString &name : deleted)
            expected.removeOne(name);
        QCOMPARE(m_files.deleteMatchingFiles(work(pattern), keptPaths), succeeded);
        QCOMPARE(workEntries(), expected);
        QVERIFY(QFile::exists(work("sub.ucr/inner.ucr")));
    }

    // Files the user may not delete (their folder is read-only): each delete says it failed.
    void deletesThatFailAreReported()
    {
        RUN_AS_UNPRIVILEGED_USER_IF_ROOT();
        const QStringList before = workEntries();
        QVERIFY(QFile::setPermissions(work(""), QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(!m_files.deleteFile(work("a.ucr")));
        QVERIFY(!m_files.deleteMatchingFiles(work("*.ucr")));
        QCOMPARE(workEntries(), before);
    }

    void copyFile_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("copied");
        QTest::newRow("replaces a file") << "a.ucr" << "b.ucr" << true;
        QTest::newRow("creates a missing file") << "a.ucr" << "new.ucr" << true;
        QTest::newRow("onto itself") << "a.ucr" << "a.ucr" << true;
        QTest::newRow("missing source") << "gone.ucr" << "b.ucr" << false;
        QTest::newRow("folder as source") << "sub.ucr" << "b.ucr" << false;
        QTest::newRow("folder as target") << "a.ucr" << "sub.ucr" << false;
        QTest::newRow("target folder missing") << "a.ucr" << "missing/a.ucr" << false;
        QTest::newRow("target through a file") << "a.ucr" << "notes.txt/a.ucr" << false;
    }
    void copyFile()
    {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(bool, copied);
        QStringList expected = workEntries();
        if (copied && !expected.contains(target)) {
            expected.append(target);
            expected.sort();
        }
        const QByteArray targetBefore = m_environment->readFile("work/" + target);
        QCOMPARE(m_files.copyFile(work(source), work(target)), copied);
        QCOMPARE(workEntries(), expected); // nothing written aside is left behind
        QCOMPARE(m_environment->readFile("work/" + target),
                 copied ? m_environment->readFile("work/" + source) : targetBefore);
    }

    // A link (to a file outside, or dangling) or a FIFO as the source or the target: nothing is
    // read through it or written through it, and nothing waits on it.
    void copyReadsAndReplacesRegularFilesOnly_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("asSource");
        for (const bool asSource : {true, false}) {
            const char *role = asSource ? "source" : "target";
            QTest::addRow("link to a file outside as %s", role) << "link" << asSource;
            QTest::addRow("dangling link as %s", role) << "dangling link" << asSource;
            QTest::addRow("FIFO as %s", role) << "FIFO" << asSource;
        }
    }
    void copyReadsAndReplacesRegularFilesOnly()
    {
        QFETCH(QString, entry);
        QFETCH(bool, asSource);
        m_environment->writeFile("outside.ucr", "outside");
        const QString outside = m_environment->folder() + "/outside.ucr";
        const QString odd = work("odd.ucr");
        if (entry == "FIFO")
            QVERIFY(hostile::makeFifo(odd));
        else
            QVERIFY(hostile::makeLink(entry == "link" ? outside : outside + ".nowhere", odd));
        const hostile::FifoGuard guard(odd);
        const QStringList before = workEntries();
        QVERIFY(!(asSource ? m_files.copyFile(odd, work("b.ucr")) : m_files.copyFile(work("a.ucr"), odd)));
        QCOMPARE(workEntries(), before);
        QCOMPARE(m_environment->readFile("work/b.ucr"), QByteArray("b.ucr"));
        QCOMPARE(m_environment->readFile("outside.ucr"), QByteArray("outside"));
        QVERIFY(!QFileInfo::exists(outside + ".nowhere"));
        QCOMPARE(QFileInfo(odd).isSymLink(), entry != "FIFO");
        QVERIFY(!guard.releasedAWaitingReader());
    }

    // A copy that fails after its aside file was opened leaves the old target whole.
    void copyFailingPartWayLeavesTheTargetWhole_data()
    {
        QTest::addColumn<QString>("source");
        // A file the kernel lists as a regular file but refuses to read.
        QTest::newRow("unreadable source") << "/proc/self/mem";
        // The copy fits in the write buffer, so the disk fills up only when it is flushed.
        QTest::newRow("full disk") << "big.ucr";
    }
    void copyFailingPartWayLeavesTheTargetWhole()
    {
        QFETCH(QString, source);
        const bool fullDisk = !source.startsWith('/');
        if (!fullDisk && !QFileInfo(source).isFile())
            QSKIP("needs /proc/self/mem");
        m_environment->writeFile("work/big.ucr", QByteArray(200, 'n'));
        m_environment->writeFile("work/old.ucr", QByteArray(100, 'o'));
        const QStringList before = workEntries();
        {
            std::optional<FileSizeLimit> full;
            if (fullDisk)
                QVERIFY(full.emplace(16).isActive());
            QVERIFY(!m_files.copyFile(fullDisk ? work(source) : source, work("old.ucr")));
        }
        QCOMPARE(m_environment->readFile("work/old.ucr"), QByteArray(100, 'o'));
        QCOMPARE(workEntries(), before);
    }

private:
    QString work(const QString &relative) const
    {
        return QDir::toNativeSeparators(m_environment->folder() + "/work/" + relative);
    }
    QStringList workEntries() const
    {
        QStringList entries = QDir(m_environment->folder() + "/work")
                                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        entries.sort();
        return entries;
    }

    std::unique_ptr<TestEnvironment> m_environment;
    platform::QtFileOperations m_files;
};

QTEST_GUILESS_MAIN(TestFileOperations)
#include "tst_fileoperations.moc"
