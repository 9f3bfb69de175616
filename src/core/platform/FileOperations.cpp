#include "core/platform/FileOperations.h"

#include "core/platform/InstalledService.h"

#include "core/platform/QtFileOperations.h"

namespace platform {

namespace {
InstalledService<FileOperations> &installedOperations()
{
    static InstalledService<FileOperations> service([] { return std::make_unique<QtFileOperations>(); });
    return service;
}
} // namespace

FileOperations &fileOperations()
{
    return installedOperations().get();
}

std::unique_ptr<FileOperations> setFileOperations(std::unique_ptr<FileOperations> operations)
{
    return installedOperations().replace(std::move(operations));
}

} // namespace platform
