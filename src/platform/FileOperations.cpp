#include "platform/FileOperations.h"

#include "platform/QtFileOperations.h"

namespace platform {

namespace {
std::unique_ptr<FileOperations> &installedOperations()
{
    static std::unique_ptr<FileOperations> operations = std::make_unique<QtFileOperations>();
    return operations;
}
} // namespace

FileOperations &fileOperations()
{
    return *installedOperations();
}

std::unique_ptr<FileOperations> setFileOperations(std::unique_ptr<FileOperations> operations)
{
    if (!operations)
        operations = std::make_unique<QtFileOperations>();
    installedOperations().swap(operations);
    return operations;
}

} // namespace platform
