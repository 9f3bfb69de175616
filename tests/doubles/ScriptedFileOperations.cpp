#include "doubles/ScriptedFileOperations.h"

namespace platform {

bool ScriptedFileOperations::deleteFile(const QString &path)
{
    const bool succeeded = !m_failing.contains(path) && m_files.deleteFile(path);
    return record(Kind::DeleteFile, path, QString(), succeeded);
}

bool ScriptedFileOperations::deleteMatchingFiles(const QString &pattern, const QStringList &keep)
{
    const bool succeeded = !m_failing.contains(pattern) && m_files.deleteMatchingFiles(pattern, keep);
    return record(Kind::DeleteMatchingFiles, pattern, QString(), succeeded);
}

bool ScriptedFileOperations::copyFile(const QString &source, const QString &target)
{
    const bool succeeded = !m_failing.contains(source) && !m_failing.contains(target)
                           && m_files.copyFile(source, target);
    return record(Kind::CopyFile, source, target, succeeded);
}

void ScriptedFileOperations::clear()
{
    m_failing.clear();
    m_calls.clear();
}

bool ScriptedFileOperations::record(Kind kind, const QString &path, const QString &target, bool succeeded)
{
    m_calls.append({kind, path, target, succeeded});
    return succeeded;
}

} // namespace platform
