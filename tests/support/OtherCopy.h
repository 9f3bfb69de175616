#pragma once

#include <QLockFile>

#include <memory>

// A second copy of the program running beside the one under test, as the catalogue lock sees it.
namespace othercopy {

// Holds the catalogue lock as another running copy would: a QLockFile of its own on the same
// file, which this process's CatalogueLock cannot share.
class HeldCatalogueLock {
public:
    HeldCatalogueLock();
    bool isHeld() const { return m_held; }

private:
    std::unique_ptr<QLockFile> m_file;
    bool m_held = false;
};

// Leaves the catalogue lock file as a copy leaves it that was killed while it held the lock:
// naming a process that has ended. False when no such file could be made.
bool leaveLockOfEndedCopy();

} // namespace othercopy
