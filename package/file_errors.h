// File-error numbers: the one place where a platform error becomes the
// number that "Error: " messages show, and the error type the package
// writers' fault handlers catch.
#ifndef PACKAGE_FILE_ERRORS_H
#define PACKAGE_FILE_ERRORS_H

#include <cstdint>

enum FileErrorNumberValue : int {
    ErrOutOfMemory = 7,
    ErrInternal = 51,
    ErrFileNotFound = 53,
    ErrDiskFull = 61,
    ErrPastEnd = 62,
    ErrBadFileName = 64,
    ErrPermissionDenied = 70,
    ErrPathFileAccess = 75,
};

// The file-error number for a platform error code (GetLastError).
int FileErrorNumber(uint32_t platformError);

struct FileError {
    int number;
};

// Throws the FileError for the calling thread's last platform error.
[[noreturn]] void ThrowLastFileError();

#endif
