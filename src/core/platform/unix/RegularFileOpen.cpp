#include "core/platform/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

OpenOutcome openRegularFile(const QString &path, QFile &file)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty())
        return OpenOutcome::Missing;
    // Looked at before it is opened: opening a device can have effects of its own.
    struct stat entry {};
    if (::lstat(name.constData(), &entry) != 0)
        return errno == ENOENT || errno == ENOTDIR ? OpenOutcome::Missing : OpenOutcome::Failed;
    if (S_ISDIR(entry.st_mode))
        return OpenOutcome::Folder;
    if (!S_ISREG(entry.st_mode))
        return OpenOutcome::NotARegularFile;
    // Should a link or a FIFO have taken the file's place since, O_NOFOLLOW refuses the link and
    // O_NONBLOCK opens the FIFO without waiting for a writer; fstat then finds it is no file.
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno == ELOOP)
            return OpenOutcome::NotARegularFile;
        return errno == ENOENT ? OpenOutcome::Missing : OpenOutcome::Failed;
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return OpenOutcome::NotARegularFile;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return OpenOutcome::Failed;
    }
    return OpenOutcome::Opened;
}

} // namespace platform
