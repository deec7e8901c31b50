// An open file as the portable code holds it: a Windows handle.
#ifndef MVWRAP_NATIVE_FILE_H
#define MVWRAP_NATIVE_FILE_H

#include <windows.h>

namespace mvwrap {

using NativeFile = HANDLE;

inline NativeFile NoFile() { return INVALID_HANDLE_VALUE; }

}  // namespace mvwrap

#endif
