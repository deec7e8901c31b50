// Where this process loads DLLs from. Packages are started from folders
// where anything may lie beside them (a Downloads folder), and the current
// folder may be anyone's: before anything else, each program restricts the
// search to the system folder, and every DLL it loads at run time is named
// by its full path in the system folder. Plain C++ over KERNEL32, so that
// the stubs, the program and the builder share it.
#ifndef COMMON_DLL_SEARCH_H
#define COMMON_DLL_SEARCH_H

#include <windows.h>

// The two ways of restricting the search, looked up because only later
// Windows versions have them; either may be null.
struct DllSearchCalls {
    BOOL(WINAPI* setDefaultDllDirectories)(DWORD);  // Windows 8, 7 and Vista with an update
    BOOL(WINAPI* setDllDirectory)(LPCSTR);          // XP SP1 and later
};

enum class DllSearch {
    kSystemFolderOnly,      // SetDefaultDllDirectories: the system folder alone
    kCurrentFolderRemoved,  // SetDllDirectoryA: the program's folder is still searched
    kUnchanged,             // neither: only full paths keep the loads safe
};

// The system's own calls, from KERNEL32 (which every process has loaded).
DllSearchCalls SystemDllSearchCalls();

// Restricts the search of this process with the first call there is;
// which way was taken.
DllSearch RestrictDllSearch(const DllSearchCalls& calls);
inline DllSearch RestrictDllSearch() { return RestrictDllSearch(SystemDllSearchCalls()); }

// A program started while this lives searches for its DLLs as it always
// does: the directory SetDllDirectoryA sets is handed on to child processes
// (SetDefaultDllDirectories is not), so it is taken back for the start and
// set again afterwards.
class UsualDllSearchForChildren {
public:
    UsualDllSearchForChildren();
    ~UsualDllSearchForChildren();
    UsualDllSearchForChildren(const UsualDllSearchForChildren&) = delete;
    UsualDllSearchForChildren& operator=(const UsualDllSearchForChildren&) = delete;
};

// The DLL of that name from the system folder, never from anywhere else;
// null when it is not there. The caller frees it, or keeps it loaded.
HMODULE LoadSystemLibrary(const char* name);

#endif
