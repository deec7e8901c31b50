// Attributes as Wine shows Linux files: a folder is a folder, every other
// file has the archive bit, read-only is a mode without write bits, hidden
// is a name beginning with "." or the stored bit, system the stored bit
// (common/unix/dos_attributes.h).
#include "file_attributes.h"

#include <sys/stat.h>

#include "path_helpers.h"
#include "system_names.h"
#include "unix/dos_attributes.h"
#include "unix_attributes.h"

uint32_t AttributesOf(const std::string& name, const char* systemPath, const struct stat& status) {
    uint32_t attributes = S_ISDIR(status.st_mode) ? AttributeFolder : AttributeArchive;
    if (!(status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))) attributes |= AttributeReadOnly;
    if (!name.empty() && name[0] == '.' && name != "." && name != "..")
        attributes |= AttributeHidden;
    return attributes | StoredDosAttributes(systemPath);
}

bool ReadFileAttributes(const std::string& path, uint32_t& attributes) {
    std::string name;
    struct stat status;
    if (!ToSystemName(path, name) || stat(name.c_str(), &status) != 0) return false;
    attributes = AttributesOf(FileNamePart(path), name.c_str(), status);
    return true;
}

// Read-only takes every write bit away; writable gives them back as Wine
// does, to whoever may read, within the umask.
bool WriteFileAttributes(const std::string& path, uint32_t attributes) {
    std::string name;
    struct stat status;
    if (!ToSystemName(path, name) || stat(name.c_str(), &status) != 0) return false;
    mode_t mode = status.st_mode & 07777;
    if (attributes & AttributeReadOnly) {
        mode &= ~mode_t(0222);
    } else if (!(mode & 0222)) {
        const mode_t mask = umask(0);
        umask(mask);
        mode |= (0200 | ((mode & 0044) >> 1)) & ~mask;
    }
    if (mode != (status.st_mode & 07777) && chmod(name.c_str(), mode) != 0) return false;
    return StoreDosAttributes(name.c_str(), attributes);
}
