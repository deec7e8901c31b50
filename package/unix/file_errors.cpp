// POSIX errno values as file-error numbers: each as the Windows table
// numbers the Windows error a user would meet in the same case, so that
// both builders say the same number.
#include "file_errors.h"

#include <errno.h>

namespace {

struct Mapping {
    int error;
    int number;
};

constexpr Mapping Mappings[] = {
    {ENOENT, 53},  // file not found
    {ENOTDIR, 76},  // path not found
    {ENAMETOOLONG, 76},
    {ELOOP, 76},
    {EMFILE, 67},  // too many open files
    {ENFILE, 67},
    {EACCES, 75},  // access denied
    {EPERM, 75},
    {EISDIR, 75},
    {EEXIST, 75},  // the file exists
    {ENOTEMPTY, 75},
    {EBUSY, 75},
    {EINVAL, 75},
    {EBADF, 51},  // invalid handle
    {ENOMEM, 7},  // not enough memory
    {ENODEV, 68},  // device unavailable
    {ENXIO, 68},
    {EXDEV, 74},  // not the same device
    {EROFS, 70},  // write-protected
    {ETXTBSY, 70},  // sharing violation
    {EAGAIN, 70},  // lock violation
    {EIO, 72},  // read or write fault
    {ENOSPC, 61},  // disk full
    {EDQUOT, 61},
    {EFBIG, 61},
};

}  // namespace

int FileErrorNumber(uint32_t platformError) {
    if (platformError == 0) return ErrInternal;
    for (const Mapping& m : Mappings)
        if (uint32_t(m.error) == platformError) return m.number;
    return ErrPathFileAccess;
}

uint32_t LastPlatformError() { return static_cast<uint32_t>(errno); }
