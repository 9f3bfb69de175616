#pragma once

#include <sys/resource.h>

#include <csignal>

// A full disk, as far as this process can tell: while one lives, no file can be written past
// `bytes` (RLIMIT_FSIZE); a write beyond it fails with EFBIG instead of raising SIGXFSZ. Needs
// no privileges, so it works as any user.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool isActive() const { return m_active; }

private:
    rlimit m_previous{};
    struct sigaction m_previousAction {};
    bool m_active = false;
};
