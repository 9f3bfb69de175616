#include "support/UnprivilegedRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

#include <unistd.h>

namespace {

constexpr uid_t kUnprivilegedUser = 65534;
constexpr gid_t kUnprivilegedGroup = 65534;

// The folder the child works in, prepared once per test program: a copy of the program, of
// the factory catalogue and of any sanitizer suppressions file, all owned by the child's user.
struct ChildFolder {
    QTemporaryDir folder;
    QString program;
    QProcessEnvironment environment;
    QString setpriv;
    QString problem; // why no child can run; empty when one can
};

bool giveToUnprivilegedUser(const QString &path)
{
    return ::chown(QFile::encodeName(path).constData(), kUnprivilegedUser, kUnprivilegedGroup) == 0;
}

QString copyInto(const QString &source, const QString &folder)
{
    const QString target = QDir(folder).filePath(QFileInfo(source).fileName());
    QFile::remove(target);
    return QFile::copy(source, target) ? target : QString();
}

// A sanitizer's suppressions file named in its options may lie where the child cannot read it:
// the child gets a copy.
void relocateSuppressions(QProcessEnvironment &environment, const QString &folder)
{
    static const QRegularExpression suppressions(QStringLiteral("suppressions=([^:]+)"));
    for (const char *name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
        const QString key = QString::fromLatin1(name);
        QString options = environment.value(key);
        const QRegularExpressionMatch match = suppressions.match(options);
        if (!match.hasMatch())
            continue;
        const QString copy = copyInto(match.captured(1), folder);
        if (!copy.isEmpty())
            options.replace(match.capturedStart(1), match.capturedLength(1), copy);
        environment.insert(key, options);
    }
}

std::unique_ptr<ChildFolder> prepareChildFolder()
{
    auto child = std::make_unique<ChildFolder>();
    child->setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (child->setpriv.isEmpty()) {
        child->problem =
            QStringLiteral("running as root, and setpriv (util-linux) is not installed to drop to user 65534");
        return child;
    }
    const QString base = child->folder.path();
    const QString factory = QDir(base).filePath(QStringLiteral("factory"));
    const QString temporary = QDir(base).filePath(QStringLiteral("tmp"));
    QDir().mkpath(factory);
    QDir().mkpath(temporary);
    child->program = copyInto(QCoreApplication::applicationFilePath(), base);
    const QDir catalogue(QStringLiteral(TALLIMER_FACTORY_CATALOGUE));
    for (const QFileInfo &file : catalogue.entryInfoList({QStringLiteral("*.ucr")}, QDir::Files))
        copyInto(file.absoluteFilePath(), factory);

    child->environment = QProcessEnvironment::systemEnvironment();
    relocateSuppressions(child->environment, base);
    child->environment.insert(QStringLiteral("HOME"), base);
    child->environment.insert(QStringLiteral("TMPDIR"), temporary);
    child->environment.insert(QStringLiteral("TALLIMER_TEST_FACTORY_CATALOGUE"), factory);
    child->environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));

    bool owned = giveToUnprivilegedUser(base);
    QDirIterator entries(base, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (entries.hasNext())
        owned = giveToUnprivilegedUser(entries.next()) && owned;
    if (child->program.isEmpty() || !owned) {
        child->problem =
            QStringLiteral("running as root, and the folder for user 65534 could not be prepared in ") + base;
        return child;
    }

    // The program must start for that user at all (the temporary folder's parents must let it
    // through); a child that fails later is a failing test, not a skip.
    QProcess probe;
    probe.setProcessEnvironment(child->environment);
    probe.setProcessChannelMode(QProcess::MergedChannels);
    probe.start(child->setpriv, {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                 QStringLiteral("--clear-groups"), QStringLiteral("--"), child->program,
                                 QStringLiteral("-functions")});
    if (!probe.waitForFinished(60000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
        child->problem = QStringLiteral("running as root, and the test program cannot be run as user 65534: ")
                         + QString::fromLocal8Bit(probe.readAll()).trimmed();
    return child;
}

} // namespace

bool UnprivilegedRun::needed()
{
    return ::geteuid() == 0;
}

UnprivilegedRun UnprivilegedRun::run(const QString &function, const QString &dataTag)
{
    static const std::unique_ptr<ChildFolder> child = prepareChildFolder();
    UnprivilegedRun result;
    if (!child->problem.isEmpty()) {
        result.why = child->problem;
        return result;
    }
    QProcess process;
    process.setProcessEnvironment(child->environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    const QString test = dataTag.isEmpty() ? function : function + QLatin1Char(':') + dataTag;
    process.start(child->setpriv, {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                   QStringLiteral("--clear-groups"), QStringLiteral("--"), child->program, test});
    result.started = process.waitForStarted(60000);
    if (!result.started) {
        result.why = QStringLiteral("running as root, and setpriv could not be started: ") + process.errorString();
        return result;
    }
    const bool finished = process.waitForFinished(300000);
    result.output = QString::fromLocal8Bit(process.readAll());
    result.exitCode = finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (result.exitCode != 0)
        result.output = QStringLiteral("the run as user 65534 failed:\n") + result.output;
    return result;
}
