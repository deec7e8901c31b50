// A file's attributes, times and size, as GetFileAttributesEx gives them,
// taken from a search for its one name: Windows 95 has no
// GetFileAttributesEx. Header only, shared by the program and MVWRAP.DLL.
#ifndef COMMON_FILE_DETAILS_H
#define COMMON_FILE_DETAILS_H

#include <windows.h>

#include <cstring>

inline bool FindFileDetails(const char* path, WIN32_FILE_ATTRIBUTE_DATA& details) {
    // A pattern would find some other file.
    if (std::strpbrk(path, "*?")) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    details.dwFileAttributes = found.dwFileAttributes;
    details.ftCreationTime = found.ftCreationTime;
    details.ftLastAccessTime = found.ftLastAccessTime;
    details.ftLastWriteTime = found.ftLastWriteTime;
    details.nFileSizeHigh = found.nFileSizeHigh;
    details.nFileSizeLow = found.nFileSizeLow;
    return true;
}

#endif
