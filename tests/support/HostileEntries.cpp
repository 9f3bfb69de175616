#include "support/HostileEntries.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hostile {

bool makeLink(const QString &target, const QString &linkPath)
{
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(linkPath).constData()) == 0;
}

bool makeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

QStringList entryNames()
{
    return {QStringLiteral("link to a file outside"), QStringLiteral("dangling link"), QStringLiteral("link to /dev/zero"),
            QStringLiteral("FIFO")};
}

bool putInPlace(const QString &entry, const QString &path, const QString &outside)
{
    QFile::remove(path);
    if (entry == QLatin1String("link to a file outside"))
        return makeLink(outside, path);
    if (entry == QLatin1String("dangling link"))
        return makeLink(outside + QStringLiteral(".nowhere"), path);
    if (entry == QLatin1String("link to /dev/zero"))
        return makeLink(QStringLiteral("/dev/zero"), path);
    if (entry == QLatin1String("FIFO"))
        return makeFifo(path);
    return false;
}

FifoGuard::FifoGuard(const QString &fifoPath, std::chrono::milliseconds deadline)
    : m_path(fifoPath)
    , m_thread([this, deadline] { watch(deadline); })
{
}

FifoGuard::~FifoGuard()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_stop.notify_all();
    m_thread.join();
}

void FifoGuard::watch(std::chrono::milliseconds deadline)
{
    std::unique_lock lock(m_mutex);
    if (m_stop.wait_for(lock, deadline, [this] { return m_stopping; }))
        return;
    const QByteArray path = QFile::encodeName(m_path);
    do {
        // Succeeds only while someone has the FIFO open for reading, or waits to.
        const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            ::close(fd);
            m_released = true;
        }
    } while (!m_stop.wait_for(lock, std::chrono::milliseconds(20), [this] { return m_stopping; }));
}

} // namespace hostile
