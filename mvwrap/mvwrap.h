// MVWRAP.DLL: the zip component's C interface.
//
// Calling convention: every operation is __stdcall and exported under its
// plain name. Numbers are passed by reference (the address of a value the
// caller holds); texts are NUL-terminated ANSI strings.
//
// Ownership: a returned text is allocated with LocalAlloc and belongs to the
// caller, who frees it with LocalFree. A returned text is never null.
//
// Lifecycle: RunMorvane starts the component and StopMorvane stops it. Every
// other operation, and a second RunMorvane, fails with an error number while
// the component is not in the state it needs; ZipError describes any error
// number at all times.
#ifndef MVWRAP_H
#define MVWRAP_H

#include <stdint.h>

#ifdef MVWRAP_BUILD
#define MVWRAP_API __declspec(dllexport)
#else
#define MVWRAP_API __declspec(dllimport)
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Error numbers. 0 is success; every failure has its own number.
enum MvwrapError {
    MVWRAP_OK = 0,
    MVWRAP_NOT_RUNNING = 1,      // called before RunMorvane or after StopMorvane
    MVWRAP_ALREADY_RUNNING = 2,  // RunMorvane while running
    MVWRAP_NOT_AVAILABLE = 3,    // operation not provided by this build
};

MVWRAP_API int32_t __stdcall RunMorvane(void);
MVWRAP_API int32_t __stdcall StopMorvane(void);

// count tries, seconds apart, for a file that another program holds.
MVWRAP_API int32_t __stdcall SetRetryOptions(const int16_t* count, const int32_t* seconds);

// Subfolder depth searched below a pattern's folder: -1 no limit, 0 none.
MVWRAP_API int32_t __stdcall SetSearchLimit(const int16_t* depth);

MVWRAP_API int32_t __stdcall Zzip(const char* archive, const char* pattern, const char* options,
                                  const char* password, const int32_t* level);
MVWRAP_API char* __stdcall ZipError(const int16_t* number);
MVWRAP_API int32_t __stdcall ZipCount(const char* archive);
MVWRAP_API char* __stdcall Zipped(const int32_t* index);

#ifdef __cplusplus
}
#endif

#endif
