// Starting a program the test has just written or copied. Wine, like a
// virus scanner on Windows, now and then holds such a file for a moment, and
// its start fails with a passing error: the start is tried again as the
// outer stub tries its inner executable.
#ifndef TESTS_SUPPORT_PROCESS_START_H
#define TESTS_SUPPORT_PROCESS_START_H

#include <windows.h>

#include <string>

#include "start_retry.h"

inline BOOL StartProcess(std::string& commandLine, BOOL inheritHandles, DWORD flags,
                         const char* folder, STARTUPINFOA& startup, PROCESS_INFORMATION& process) {
    for (int tries = 1;; ++tries) {
        if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, inheritHandles, flags,
                           nullptr, folder, &startup, &process))
            return TRUE;
        const DWORD error = GetLastError();
        if (!stub::StartAgain(error, tries)) return FALSE;
        Sleep(200);
        SetLastError(error);
    }
}

#endif
