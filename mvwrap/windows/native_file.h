// An open file as the portable code holds it: a Windows handle, and its
// times as the system keeps them.
#ifndef MVWRAP_NATIVE_FILE_H
#define MVWRAP_NATIVE_FILE_H

#include <windows.h>

namespace mvwrap {

using NativeFile = HANDLE;

inline NativeFile NoFile() { return INVALID_HANDLE_VALUE; }

// A file's creation, last-access and last-write times, as kept to be put
// back.
struct FileTimes {
    FILETIME created, accessed, written;
};

}  // namespace mvwrap

#endif
