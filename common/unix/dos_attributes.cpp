#include "unix/dos_attributes.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/xattr.h>

namespace {

const char Name[] = "user.DOSATTRIB";
const unsigned Kept = 0x06;

}  // namespace

unsigned StoredDosAttributes(const char* path) {
    char value[64];
    const ssize_t length = getxattr(path, Name, value, sizeof value - 1);
    if (length <= 0) return 0;
    value[length] = '\0';
    return static_cast<unsigned>(strtoul(value, nullptr, 0)) & Kept;
}

bool StoreDosAttributes(const char* path, unsigned attributes) {
    const unsigned kept = attributes & Kept;
    if (!kept) {
        removexattr(path, Name);
        return true;
    }
    char value[8];
    snprintf(value, sizeof value, "0x%x", kept);
    return setxattr(path, Name, value, strlen(value), 0) == 0;
}
