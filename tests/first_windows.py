"""The first Windows of each line that has a function, for every function
that a shipped binary imports, and the oldest Windows each binary is for.

Rows give (first on the 95/98/ME line, first on the NT line, note). On the
95/98/ME line, "stub" means the function is exported but fails there
(ERROR_CALL_NOT_IMPLEMENTED) and the note says why the binary never relies
on it; None means it is not exported at all. Unless a note says otherwise,
the source is the function's Requirements in the Win32 documentation of
that era (the 1998-2001 platform SDK), which named Windows 95 and NT 3.1
where today's pages say "Windows 2000" or "XP". That the 95/98/ME line
exports the wide forms as stubs is its "Windows 95 General Limitations":
Windows 95 implements the wide form of a few functions only and provides
stubs for the rest; the rows marked "stub" rest on that general statement,
not on a line of their own."""

NINE_X = ["95", "98", "ME"]
NT = ["3.1", "3.5", "3.51", "4.0", "2000", "XP"]

# Every binary of the program folder: the DLLs it may import, and the oldest
# Windows of each line it must load on. The stubs run wherever a package is
# installed, without the C runtime DLL; the program and its DLL take the C
# runtime DLL, part of Windows from 98 and NT 4.0 on, which Windows 95 has
# only where later editions or other programs brought it.
GOALS = {
    "Install.vnp": ({"kernel32.dll", "user32.dll"}, "95", "4.0"),
    "Vornaly.vnp": ({"kernel32.dll", "user32.dll"}, "95", "4.0"),
    "VORNALY.EXE": ({"kernel32.dll", "user32.dll", "advapi32.dll", "comctl32.dll",
                     "comdlg32.dll", "shell32.dll", "ole32.dll", "msvcrt.dll", "mvwrap.dll"},
                    "95", "4.0"),
    "MVWRAP.DLL": ({"kernel32.dll", "user32.dll", "msvcrt.dll"}, "95", "4.0"),
    "VNPMAKE.EXE": ({"kernel32.dll", "user32.dll", "shell32.dll", "msvcrt.dll", "mvwrap.dll"},
                    "95", "4.0"),
}

BASE = ("95", "3.1", "")
RUNTIME = ("95", "4.0", "in the msvcrt.dll of Windows 98 and NT 4.0, and of the editions and "
           "programs that brought it to Windows 95")
NT_ONLY_IN_LAYER = ("stub", "3.1",
                    "MVWRAP.DLL calls it only on the NT line: its file layer takes the ANSI form "
                    "on 95/98/ME")
RUNTIME_PROBE = ("stub", "3.1",
                 "the compiler runtime looks for its own DLLs with it; failing there means "
                 "not found, which is the answer it expects in a static build")

FUNCTIONS = {
    "kernel32.dll": {
        "CloseHandle": BASE,
        "CompareStringA": BASE,
        "CreateDirectoryA": BASE,
        "CreateEventA": BASE,
        "CreateFileA": BASE,
        "CreateFileW": NT_ONLY_IN_LAYER,
        "CreateMutexA": BASE,
        "CreateProcessA": BASE,
        "CreateSemaphoreA": BASE,
        "CreateThread": BASE,
        "DeleteCriticalSection": BASE,
        "DeleteFileA": BASE,
        "DeleteFileW": NT_ONLY_IN_LAYER,
        "DosDateTimeToFileTime": BASE,
        "EnterCriticalSection": BASE,
        "ExitProcess": BASE,
        "FileTimeToLocalFileTime": BASE,
        "FileTimeToSystemTime": BASE,
        "FindClose": BASE,
        "FindFirstFileA": BASE,
        "FindFirstFileW": NT_ONLY_IN_LAYER,
        "FindNextFileA": BASE,
        "FindNextFileW": NT_ONLY_IN_LAYER,
        "FreeLibrary": BASE,
        "GetACP": BASE,
        "GetCommandLineA": BASE,
        "GetCurrentDirectoryA": BASE,
        "GetCurrentProcess": BASE,
        "GetCurrentProcessId": BASE,
        "GetCurrentThreadId": BASE,
        "GetDiskFreeSpaceA": BASE,
        "GetEnvironmentVariableA": BASE,
        "GetExitCodeProcess": BASE,
        "GetFileAttributesA": BASE,
        "GetFileAttributesW": NT_ONLY_IN_LAYER,
        "GetFileInformationByHandle": BASE,
        "GetFileSize": BASE,
        "GetFileTime": BASE,
        "GetFullPathNameA": BASE,
        "GetFullPathNameW": NT_ONLY_IN_LAYER,
        "GetLastError": BASE,
        "GetModuleFileNameA": BASE,
        "GetModuleHandleA": BASE,
        "GetModuleHandleW": RUNTIME_PROBE,
        "GetProcAddress": BASE,
        "GetProcessHeap": BASE,
        "GetShortPathNameA": ("95", "3.5", ""),
        "GetStartupInfoA": BASE,
        "GetSystemDirectoryA": BASE,
        "GetSystemTimeAsFileTime": ("95", "3.5", ""),
        "GetSystemInfo": BASE,
        "GetTempFileNameA": BASE,
        "GetTempPathA": BASE,
        "GetTickCount": BASE,
        "GetVersionExA": ("95", "3.5", ""),
        "GetWindowsDirectoryA": BASE,
        "HeapAlloc": BASE,
        "HeapFree": BASE,
        "InitializeCriticalSection": BASE,
        "IsDBCSLeadByte": BASE,
        "IsDBCSLeadByteEx": ("95", "4.0", "the compiler runtime's multibyte conversion; the "
                             "platform SDK of 1998 names Windows 95 and NT 4.0"),
        "LeaveCriticalSection": BASE,
        "LoadLibraryA": BASE,
        "LoadLibraryW": RUNTIME_PROBE,
        "LocalAlloc": BASE,
        "LocalFileTimeToFileTime": BASE,
        "LocalFree": BASE,
        "MoveFileA": BASE,
        "MoveFileExW": NT_ONLY_IN_LAYER,
        "MultiByteToWideChar": BASE,
        "ReadFile": BASE,
        "ReleaseSemaphore": BASE,
        "RemoveDirectoryA": BASE,
        "ResumeThread": BASE,
        "SetEndOfFile": BASE,
        "SetErrorMode": BASE,
        "SetEvent": BASE,
        "SetFileAttributesA": BASE,
        "SetFilePointer": BASE,
        "SetFileTime": BASE,
        "SetLastError": BASE,
        "SetUnhandledExceptionFilter": BASE,
        "Sleep": BASE,
        "SystemTimeToFileTime": BASE,
        "TlsAlloc": BASE,
        "TlsFree": BASE,
        "TlsGetValue": BASE,
        "TlsSetValue": BASE,
        "VirtualProtect": BASE,
        "VirtualQuery": BASE,
        "WaitForMultipleObjects": BASE,
        "WaitForSingleObject": BASE,
        "WideCharToMultiByte": BASE,
        "WriteFile": BASE,
        "lstrcatA": BASE,
        "lstrcmpiA": BASE,
        "lstrcpynA": BASE,
    },
    "user32.dll": {
        "CharUpperBuffA": BASE,
        "CharUpperBuffW": NT_ONLY_IN_LAYER,
        "CreateDialogParamA": BASE,
        "CreateWindowExA": BASE,
        "DialogBoxParamA": BASE,
        "DispatchMessageA": BASE,
        "EndDialog": BASE,
        "GetClientRect": BASE,
        "GetDlgCtrlID": BASE,
        "GetDlgItem": BASE,
        "GetDlgItemTextA": BASE,
        "GetMessageA": BASE,
        "GetWindowLongA": BASE,
        "GetWindowRect": BASE,
        "GetWindowTextA": BASE,
        "GetWindowTextLengthA": BASE,
        "LoadIconA": BASE,
        "LoadStringA": BASE,
        "MessageBoxA": BASE,
        "MoveWindow": BASE,
        "PeekMessageA": BASE,
        "PostQuitMessage": BASE,
        "SendDlgItemMessageA": BASE,
        "SendMessageA": BASE,
        "SetClassLongA": BASE,
        "SetWindowLongA": BASE,
        "SetWindowTextA": BASE,
        "ShowWindow": BASE,
        "TranslateMessage": BASE,
        "UpdateWindow": BASE,
        "WinHelpA": BASE,
        "wsprintfA": BASE,
        "wvsprintfA": BASE,
    },
    "advapi32.dll": {
        "RegCloseKey": BASE,
        "RegOpenKeyExA": BASE,
        "RegQueryValueExA": BASE,
    },
    "comctl32.dll": {
        "CreateStatusWindowA": ("95", "3.51", ""),
        "InitCommonControls": ("95", "3.51", ""),
    },
    "comdlg32.dll": {
        "GetOpenFileNameA": BASE,
    },
    "ole32.dll": {
        "CoInitialize": ("95", "3.5", "32-bit COM came with Windows 95 and NT 3.5"),
        "CoUninitialize": ("95", "3.5", "32-bit COM came with Windows 95 and NT 3.5"),
    },
    "shell32.dll": {
        "DragAcceptFiles": BASE,
        "DragFinish": BASE,
        "DragQueryFileA": BASE,
        "ShellExecuteA": BASE,
    },
}

# The C runtime DLL: every function the programs and the DLL take from it
# is in the msvcrt.dll of Windows 98 and NT 4.0.
MSVCRT = """__getmainargs __initenv __mb_cur_max __p__acmdln __p__commode __p__fmode
__set_app_type __setusermatherr _amsg_exit _cexit _close _errno _fileno _initterm _iob _lock _onexit
_read _setmode _unlock abort atoi calloc exit fflush fprintf fputc fputs fputwc free
fwprintf fwrite iswxdigit localeconv malloc memchr memcmp memcpy memmove memset realloc
setlocale signal strchr strcmp strerror strlen strncmp strpbrk vfprintf wcschr wcslen""".split()
FUNCTIONS["msvcrt.dll"] = {name: RUNTIME for name in MSVCRT}


def newer_than(row, nine_x, nt):
    """Why a row's function is above a goal of (nine_x, nt), or None."""
    first_9x, first_nt, _ = row
    if first_nt is None or NT.index(first_nt) > NT.index(nt):
        return f"NT {nt} lacks it (first in NT {first_nt})"
    if first_9x is None:
        return f"Windows {nine_x} lacks it (not on the 95/98/ME line)"
    if first_9x != "stub" and NINE_X.index(first_9x) > NINE_X.index(nine_x):
        return f"Windows {nine_x} lacks it (first in {first_9x})"
    return None
