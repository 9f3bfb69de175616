#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace platform {

// How the file system compares names: ignoring case on Windows and macOS, exactly elsewhere.
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
inline constexpr Qt::CaseSensitivity kFileNameCase = Qt::CaseInsensitive;
#else
inline constexpr Qt::CaseSensitivity kFileNameCase = Qt::CaseSensitive;
#endif

// Whole-file operations of the editor: permanent deletes and copies over, with no dialogs of the
// platform's own. Each reports whether it succeeded; nothing is ever asked or shown.
class FileOperations {
public:
    virtual ~FileOperations() = default;

    // Deletes one file permanently. Every character of path is taken literally: "*" and "?"
    // are never expanded. False, with nothing deleted, when path names no file (it is missing,
    // or runs through a file) or names a folder: folders are never deleted.
    [[nodiscard]] virtual bool deleteFile(const QString &path) = 0;

    // Deletes permanently every file in one folder whose name matches the last part of pattern,
    // in which "*" stands for any run of characters and "?" for exactly one; every other
    // character, "[" included, stands for itself. Names are compared as the file system compares
    // them (ignoring case on Windows and macOS, exactly elsewhere). Hidden files are included;
    // folders, and links to folders, are never deleted. Files named in keep stay.
    // A pattern that matches nothing in an existing folder succeeds: no matching file is left,
    // which is what was asked. False when the folder is missing or is not a folder, when the
    // folder part holds a wildcard, or when a matching file could not be deleted (the others
    // are deleted all the same).
    [[nodiscard]] virtual bool deleteMatchingFiles(const QString &pattern, const QStringList &keep = {}) = 0;

    // Copies source over target, replacing it. The copy is written aside in the target's folder
    // and renamed into place in one step, so a failed copy leaves the old target whole and no
    // partial file behind. Only regular files are read and replaced: false, with nothing read
    // through it or written through it, when source or target is a link (even to a regular file),
    // a FIFO, a device or a folder; false too when source is missing or unreadable, the target's
    // folder is missing, or writing fails.
    [[nodiscard]] virtual bool copyFile(const QString &source, const QString &target) = 0;
};

// The operations in use: a QtFileOperations unless replaced.
FileOperations &fileOperations();
// Installs operations (tests install a ScriptedFileOperations) and returns the ones they
// replace; a null pointer installs a QtFileOperations.
std::unique_ptr<FileOperations> setFileOperations(std::unique_ptr<FileOperations> operations);

} // namespace platform
