#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// What someone may leave in a catalogue folder in a file's place (a folder unpacked from an
// archive, a shared desktop): symbolic links and FIFOs.
namespace hostile {

// Makes a symbolic link at linkPath to target (which need not exist).
bool makeLink(const QString &target, const QString &linkPath);
// Makes a FIFO (a named pipe) at path.
bool makeFifo(const QString &path);

// The entries the fault tests put in a file's place, by the names their data rows carry.
QStringList entryNames();
// Puts the named entry in path's place, removing what was there: a link to outside, a dangling
// link (to outside + ".nowhere", which is never made), a link to /dev/zero (a read of it never
// ends), or a FIFO. False for another name or when it cannot be made.
bool putInPlace(const QString &entry, const QString &path, const QString &outside);

// Guards a test that reads through a FIFO. Should a reader wait on the FIFO longer than the
// deadline (opening it, or reading from it, for a writer that never comes), the guard opens the
// FIFO's writing end and closes it again, which ends the wait (the reader finds it empty), and
// notes that it had to. A regression then fails the test instead of hanging it.
class FifoGuard {
public:
    explicit FifoGuard(const QString &fifoPath, std::chrono::milliseconds deadline = std::chrono::seconds(5));
    ~FifoGuard();
    FifoGuard(const FifoGuard &) = delete;
    FifoGuard &operator=(const FifoGuard &) = delete;

    // True when a reader was found waiting and had to be released.
    bool releasedAWaitingReader() const { return m_released; }

private:
    void watch(std::chrono::milliseconds deadline);

    QString m_path;
    std::mutex m_mutex;
    std::condition_variable m_stop;
    bool m_stopping = false;
    std::atomic<bool> m_released = false;
    std::thread m_thread;
};

} // namespace hostile
