#include "support/OtherCopy.h"

#include "core/catalogue/CatalogueLock.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

namespace othercopy {

HeldCatalogueLock::HeldCatalogueLock()
    : m_file(std::make_unique<QLockFile>(catalogue::catalogueLockFile()))
{
    m_held = m_file->tryLock(0);
}

bool leaveLockOfEndedCopy()
{
    // A process that has ended: a child that exits at once.
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    if (child < 0 || ::waitpid(child, nullptr, 0) != child)
        return false;

    // A lock file as this program writes one, its process replaced by the ended one.
    const QTemporaryDir scratch;
    QByteArray content;
    {
        QLockFile sample(scratch.filePath(QStringLiteral("sample.lock")));
        if (!sample.tryLock(0))
            return false;
        QFile written(scratch.filePath(QStringLiteral("sample.lock")));
        if (!written.open(QIODevice::ReadOnly))
            return false;
        content = written.readAll();
    }
    const qsizetype lineEnd = content.indexOf('\n');
    if (lineEnd < 0)
        return false;
    content.replace(0, lineEnd, QByteArray::number(qint64(child)));
    QFile lock(catalogue::catalogueLockFile());
    return lock.open(QIODevice::WriteOnly | QIODevice::Truncate) && lock.write(content) == content.size();
}

} // namespace othercopy
