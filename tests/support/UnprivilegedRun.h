#pragma once

#include <QString>
#include <QTest>

// Root ignores permission bits, so a test that a read-only file or folder is left alone proves
// nothing while the tests run as root (as they do in CI). Such a test starts with
// RUN_AS_UNPRIVILEGED_USER_IF_ROOT(): run as root, the same test function (and data row) of the
// same program runs again in a child process as the unprivileged user 65534, through setpriv,
// and the test passes or fails with it. Run as anyone else, the test simply goes on.
class UnprivilegedRun {
public:
    // True when this process runs as root, so permission checks must go to a child.
    static bool needed();

    // Runs test function `function` (row `dataTag` when not empty) of this test program as
    // user 65534. The program, the factory catalogue and the temporary folders of the child
    // live in a folder that user owns.
    static UnprivilegedRun run(const QString &function, const QString &dataTag);

    bool started = false; // false when the child could not be run at all (see why)
    int exitCode = -1;
    QString why;
    QString output;
};

#define RUN_AS_UNPRIVILEGED_USER_IF_ROOT()                                                         \
    do {                                                                                           \
        if (UnprivilegedRun::needed()) {                                                           \
            const UnprivilegedRun child_ = UnprivilegedRun::run(                                  \
                QString::fromLatin1(QTest::currentTestFunction()),                                 \
                QString::fromLatin1(QTest::currentDataTag() ? QTest::currentDataTag() : ""));      \
            if (!child_.started)                                                                   \
                QSKIP(qPrintable(child_.why));                                                     \
            QVERIFY2(child_.exitCode == 0, qPrintable(child_.output));                             \
            return;                                                                                \
        }                                                                                          \
    } while (false)
