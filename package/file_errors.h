// File-error numbers: the one place where a platform error becomes the
// number that "Error: " messages show, and the error type the package
// writers' fault handlers catch. Each system's glue holds its own table
// (Windows' error codes, POSIX errno values).
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

// The file-error number for a platform error code (GetLastError on
// Windows, errno natively).
int FileErrorNumber(uint32_t platformError);

// The calling thread's last platform error code.
uint32_t LastPlatformError();

// The file-error number of the calling thread's last platform error.
int LastFileErrorNumber();

struct FileError {
    int number;
};

// Throws the FileError for the calling thread's last platform error.
[[noreturn]] void ThrowLastFileError();

#endif
