// The thread objects as the Windows glue holds them.
#ifndef MVWRAP_NATIVE_THREADS_H
#define MVWRAP_NATIVE_THREADS_H

#include <windows.h>

namespace mvwrap {

using NativeLock = CRITICAL_SECTION;
using NativeSemaphore = HANDLE;
using NativeEvent = HANDLE;  // auto-reset
using NativeThread = HANDLE;

}  // namespace mvwrap

#endif
