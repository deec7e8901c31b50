// Identities from stat: the device and the inode, links followed.
#include "file_identities.h"

#include <sys/stat.h>

#include "system_names.h"

bool IdentityOfPath(const std::string& path, PathIdentity& identity) {
    std::string name;
    struct stat status;
    if (!ToSystemName(path, name) || stat(name.c_str(), &status) != 0) return false;
    identity = {static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
    return true;
}

bool SameFile(const std::string& a, const std::string& b) {
    PathIdentity ia, ib;
    return IdentityOfPath(a, ia) && IdentityOfPath(b, ib) && ia == ib;
}
