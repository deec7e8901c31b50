// A hold on a working name, on Windows: a named mutex, closed with its owner.
#ifndef PACKAGE_NATIVE_HOLD_H
#define PACKAGE_NATIVE_HOLD_H

#include "win_handles.h"

struct MutexHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};

using NativeHold = UniqueHandle<MutexHandleTraits>;

#endif
