// MVWRAP.DLL: the zip component's C interface.
//
// Calling convention: every operation is __stdcall and exported under its
// plain name. Numbers are passed by reference (the address of a value the
// caller holds); texts are NUL-terminated ANSI strings.
//
// Ownership: a returned text is allocated with LocalAlloc and belongs to the
// caller, who frees it with LocalFree; natively it is allocated with malloc
// and freed with free. A returned text is never null.
//
// Lifecycle: RunMorvane starts the component and StopMorvane stops it. While
// the component is not in the state it needs, a second RunMorvane or
// StopMorvane, Zzip and the settings return an error number, ZipCount counts
// 0 and Zipped gives an empty text; ZipError describes any error number at
// all times.
//
// Robustness: a null pointer for a number is refused (MVWRAP_BAD_ARGUMENT,
// or an empty text from ZipError and Zipped); no C++ exception leaves an
// operation; the platform's critical-error box is off while an operation
// works with files, and the caller's error mode is put back afterwards.
#ifndef MVWRAP_H
#define MVWRAP_H

#include <stdint.h>

// Natively the component is a static library, linked into the programs
// that call it: nothing is exported or imported, and there is one calling
// convention.
#if !defined(_WIN32)
#define MVWRAP_API
#define __stdcall
#elif defined(MVWRAP_BUILD)
#define MVWRAP_API __declspec(dllexport)
#else
#define MVWRAP_API __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Error numbers. 0 is success; every failure has its own number. ZipError
// names the file or folder of the last failure of each number.
enum MvwrapError {
    MVWRAP_OK = 0,
    MVWRAP_NOT_RUNNING = 1,          // called before RunMorvane or after StopMorvane
    MVWRAP_ALREADY_RUNNING = 2,      // RunMorvane while running
    MVWRAP_BAD_PATTERN = 3,          // the pattern names no folder and file pattern
    MVWRAP_FOLDER_MISSING = 4,       // the pattern's folder does not exist
    MVWRAP_BAD_OPTION = 5,           // an option letter that the component does not know
    MVWRAP_BAD_LEVEL = 6,            // a compression level outside -1..9
    MVWRAP_PASSWORD = 7,             // a non-empty password: encryption is not offered
    MVWRAP_FILE_LOCKED = 8,          // a file stayed in use by another program through the retries
    MVWRAP_FILE_UNREADABLE = 9,      // a file or folder could not be read
    MVWRAP_ARCHIVE_DAMAGED = 10,     // the existing archive cannot be read, so cannot be added to
    MVWRAP_ARCHIVE_UNWRITABLE = 11,  // the archive could not be written or put in place
    MVWRAP_DISK_FULL = 12,           // the archive's disk ran out of space
    MVWRAP_TOO_LARGE = 13,           // the archive would pass 4 GiB - 1 byte
    MVWRAP_TOO_MANY = 14,            // the archive would hold more than 65,535 entries
    MVWRAP_NO_MEMORY = 15,           // the compressor could not get its working memory
    MVWRAP_BAD_ARGUMENT = 16,        // a null pointer where a number is needed
    MVWRAP_DEVICE_NAME = 17,         // a file or folder named like a device (NUL, COM1, ...)
    MVWRAP_NAME_CLASH = 18,          // two names in one folder differ only in letter case
};

MVWRAP_API int32_t __stdcall RunMorvane(void);
MVWRAP_API int32_t __stdcall StopMorvane(void);

// count tries, seconds apart, for a file that another program holds.
MVWRAP_API int32_t __stdcall SetRetryOptions(const int16_t* count, const int32_t* seconds);

// Subfolder depth searched below a pattern's folder: -1 no limit, 0 none.
MVWRAP_API int32_t __stdcall SetSearchLimit(const int16_t* depth);

// The file at path (a full path) is never packed by the following Zzip
// calls, however a pattern spells its folder; each Zzip finds the file that
// is at path when it starts. An empty text empties the list, as StopMorvane
// does.
MVWRAP_API int32_t __stdcall LeaveOut(const char* path);

// Adds the files matching pattern ("<folder>\*.*") and those of its
// subfolders to archive, creating it or adding to it; an entry of the same
// name, ignoring case, is replaced. options: " -w" with "h" and/or "s" takes
// hidden and/or system files in. level: -1 default, 0 store, 1..9. The
// password must be empty. Returns 0 or an error number; on error the archive
// is left as it was. A damaged archive is refused (MVWRAP_ARCHIVE_DAMAGED)
// and a read-only one too (MVWRAP_ARCHIVE_UNWRITABLE), both untouched, and
// so are names Windows cannot hold (MVWRAP_DEVICE_NAME, MVWRAP_NAME_CLASH).
// Natively, names Windows cannot hold and fifos, sockets and devices are
// refused by name as well (MVWRAP_FILE_UNREADABLE).
// The archive itself and the files left out (LeaveOut) are never packed.
// mvwrap/README.md tells the details.
MVWRAP_API int32_t __stdcall Zzip(const char* archive, const char* pattern, const char* options,
                                  const char* password, const int32_t* level);
// One sentence for the user about an error number, naming the file or
// folder of the latest failure of that number where there is one.
MVWRAP_API char* __stdcall ZipError(const int16_t* number);
// The entry count of archive, 0 when it is missing or damaged (exactly when
// Zzip would refuse to add to it as damaged). Zipped then lists this archive.
MVWRAP_API int32_t __stdcall ZipCount(const char* archive);
// The name of entry index (0 = first) of the archive ZipCount read, with "\\"
// separators, in ANSI; an empty text for an index that names no entry.
MVWRAP_API char* __stdcall Zipped(const int32_t* index);

#ifdef __cplusplus
}
#endif

#endif
