// A file's identity (volume_index.h) as Windows gives it for an open
// handle. Header only, shared by the program and MVWRAP.DLL; each opens the
// handle its own way (wide or ANSI calls).
#ifndef COMMON_FILE_IDENTITY_H
#define COMMON_FILE_IDENTITY_H

#include <windows.h>

#include "volume_index.h"

// The identity of an open file or folder; false when the system cannot say.
inline bool IdentityOf(HANDLE file, PathIdentity& identity) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info)) return false;
    identity = {info.dwVolumeSerialNumber,
                uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow};
    return true;
}

#endif
