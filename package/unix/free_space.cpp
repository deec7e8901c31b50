// Free space natively: the space an unprivileged writer may use on the
// file system of the path, or of the nearest folder above it that exists,
// with the same ceiling as Windows' answer.
#include "free_space.h"

#include <sys/statvfs.h>

#include "path_helpers.h"
#include "system_names.h"

uint32_t FreeBytesAt(const std::string& path) {
    struct statvfs space;
    for (std::string at = path;;) {
        std::string name;
        if (ToSystemName(at.empty() ? "." : at, name) && statvfs(name.c_str(), &space) == 0) break;
        if (at.empty()) return 0;
        const std::string above = StripBackslash(FolderPart(at));
        at = above == at ? std::string() : above;
    }
    const uint64_t bytes = uint64_t{space.f_bavail} * space.f_frsize;
    return bytes >= 0x80000000u ? 0x80000000u : static_cast<uint32_t>(bytes);
}
