#pragma once

#include "core/platform/FileOperations.h"

namespace platform {

// The file operations on QFile and QSaveFile; the same code serves every platform.
class QtFileOperations : public FileOperations {
public:
    bool deleteFile(const QString &path) override;
    bool deleteMatchingFiles(const QString &pattern, const QStringList &keep = {}) override;
    bool copyFile(const QString &source, const QString &target) override;
};

} // namespace platform
