// An open file as the portable code holds it: a POSIX file descriptor.
#ifndef MVWRAP_NATIVE_FILE_H
#define MVWRAP_NATIVE_FILE_H

namespace mvwrap {

using NativeFile = int;

}  // namespace mvwrap

#endif
