#pragma once

#include "core/platform/QtFileOperations.h"

#include <QList>
#include <QSet>

namespace platform {

// Test stand-in: records every operation and carries it out on the real files, except that an
// operation naming a path marked with failOn (as its file, pattern, source or target) fails
// and touches nothing. It lets a test reach failures that real files cannot produce for root.
class ScriptedFileOperations : public FileOperations {
public:
    enum class Kind { DeleteFile, DeleteMatchingFiles, CopyFile };
    struct Call {
        Kind kind;
        QString path;   // the file, the pattern, or the source of a copy
        QString target; // the target of a copy
        bool succeeded;
    };

    bool deleteFile(const QString &path) override;
    bool deleteMatchingFiles(const QString &pattern, const QStringList &keep = {}) override;
    bool copyFile(const QString &source, const QString &target) override;

    // Every later operation that names path, exactly as passed, fails.
    void failOn(const QString &path) { m_failing.insert(path); }
    const QList<Call> &calls() const { return m_calls; }
    void clear();

private:
    bool record(Kind kind, const QString &path, const QString &target, bool succeeded);

    QtFileOperations m_files;
    QSet<QString> m_failing;
    QList<Call> m_calls;
};

} // namespace platform
