// Which file a path led to when it was read, and in what state: another program that replaced,
// edited or grew it since changes one of these.
#pragma once

#include <compare>
#include <cstdint>
#include <sys/stat.h>

namespace vennart::platform {

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    static FileIdentity Of(const struct stat& status)
    {
        return { status.st_dev, status.st_ino, status.st_size, status.st_mtim.tv_sec,
            status.st_mtim.tv_nsec };
    }
    bool operator==(const FileIdentity&) const = default;
};

} // namespace vennart::platform
