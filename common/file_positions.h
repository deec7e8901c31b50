// 64-bit file lengths and positions through GetFileSize and SetFilePointer
// with their high parts, which every Windows since 95 has; the Ex forms
// came only with Windows 2000. Header only, shared by the program and
// MVWRAP.DLL. Both return false with the platform's error left for
// GetLastError.
#ifndef COMMON_FILE_POSITIONS_H
#define COMMON_FILE_POSITIONS_H

#include <windows.h>

#include <cstdint>

inline bool GetFileLength(HANDLE file, uint64_t& length) {
    DWORD high = 0;
    // A length whose low half is all ones is told from a failure only by
    // the error, which the call does not always reset.
    SetLastError(NO_ERROR);
    DWORD low = GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    length = uint64_t(high) << 32 | low;
    return true;
}

// Moves the file pointer by distance from method's origin (FILE_BEGIN,
// FILE_CURRENT, FILE_END) and hands back the new position if asked.
inline bool MoveFilePosition(HANDLE file, int64_t distance, DWORD method,
                             uint64_t* position = nullptr) {
    LONG high = LONG(distance >> 32);
    SetLastError(NO_ERROR);
    DWORD low = SetFilePointer(file, LONG(uint32_t(distance)), &high, method);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return false;
    if (position) *position = uint64_t(uint32_t(high)) << 32 | low;
    return true;
}

#endif
