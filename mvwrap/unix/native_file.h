// An open file as the portable code holds it: a POSIX file descriptor, and
// its times as the system keeps them.
#ifndef MVWRAP_NATIVE_FILE_H
#define MVWRAP_NATIVE_FILE_H

#include <time.h>

namespace mvwrap {

using NativeFile = int;

inline NativeFile NoFile() { return -1; }

// A file's last-access and last-write times, to the nanosecond, as kept to
// be put back (the change time cannot be set).
struct FileTimes {
    struct timespec accessed, written;
};

}  // namespace mvwrap

#endif
