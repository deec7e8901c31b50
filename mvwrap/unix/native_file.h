// An open file as the portable code holds it: a POSIX file descriptor.
#ifndef MVWRAP_NATIVE_FILE_H
#define MVWRAP_NATIVE_FILE_H

namespace mvwrap {

using NativeFile = int;

inline NativeFile NoFile() { return -1; }

}  // namespace mvwrap

#endif
