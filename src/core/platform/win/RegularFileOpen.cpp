#include "core/platform/RegularFile.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <string>

namespace platform {

namespace {

bool sameFile(HANDLE first, HANDLE second)
{
    BY_HANDLE_FILE_INFORMATION a{};
    BY_HANDLE_FILE_INFORMATION b{};
    return GetFileInformationByHandle(first, &a) && GetFileInformationByHandle(second, &b)
        && a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh
        && a.nFileIndexLow == b.nFileIndexLow;
}

HANDLE openEntry(const std::wstring &path, DWORD flags)
{
    // Sharing everything: another program may be writing, renaming or deleting it meanwhile.
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, flags, nullptr);
}

} // namespace

OpenOutcome openRegularFile(const QString &path, QFile &file)
{
    if (path.isEmpty())
        return OpenOutcome::Missing;
    const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
    // FILE_FLAG_OPEN_REPARSE_POINT opens a symbolic link or junction itself, never its target;
    // FILE_FLAG_BACKUP_SEMANTICS lets a folder be opened, so that it can be told apart.
    HANDLE handle = openEntry(native, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? OpenOutcome::Missing
                                                                               : OpenOutcome::Failed;
    }
    FILE_ATTRIBUTE_TAG_INFO tag{};
    OpenOutcome refusal = OpenOutcome::Opened;
    if (GetFileType(handle) != FILE_TYPE_DISK
        || !GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag))
        refusal = OpenOutcome::NotARegularFile;
    else if (tag.FileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        refusal = OpenOutcome::Folder;
    else if ((tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsReparseTagNameSurrogate(tag.ReparseTag))
        refusal = OpenOutcome::NotARegularFile; // a link or junction: its target is somewhere else
    if (refusal != OpenOutcome::Opened) {
        CloseHandle(handle);
        return refusal;
    }
    if (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // A file kept by a storage service (a cloud placeholder, a deduplicated file) is read
        // through its service, which the reparse-point handle bypasses. Opened again, it must
        // still be the same file: a link put in its place meanwhile would have been followed.
        const HANDLE entry = handle;
        handle = openEntry(native, FILE_ATTRIBUTE_NORMAL);
        const bool same = handle != INVALID_HANDLE_VALUE && sameFile(entry, handle);
        CloseHandle(entry);
        if (!same) {
            if (handle != INVALID_HANDLE_VALUE)
                CloseHandle(handle);
            return OpenOutcome::Failed;
        }
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return OpenOutcome::Failed;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        _close(fd);
        return OpenOutcome::Failed;
    }
    return OpenOutcome::Opened;
}

} // namespace platform
