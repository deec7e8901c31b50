// Restricting the DLL search (see dll_search.h).
#include "dll_search.h"

#include <string.h>

namespace {

// What RestrictDllSearch set last, for the children started afterwards.
BOOL(WINAPI* restrictedWith)(LPCSTR) = nullptr;
char systemFolder[MAX_PATH];

// The system folder with a backslash, or false.
bool SystemFolder(char* path, size_t room) {
    UINT length = GetSystemDirectoryA(path, UINT(room));
    if (length == 0 || length + 2 >= room) return false;
    if (path[length - 1] != '\\') path[length++] = '\\';
    path[length] = 0;
    return true;
}

template <typename Function>
Function Find(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

DllSearchCalls SystemDllSearchCalls() {
    HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    DllSearchCalls calls;
    calls.setDefaultDllDirectories = Find<BOOL(WINAPI*)(DWORD)>(kernel, "SetDefaultDllDirectories");
    calls.setDllDirectory = Find<BOOL(WINAPI*)(LPCSTR)>(kernel, "SetDllDirectoryA");
    return calls;
}

DllSearch RestrictDllSearch(const DllSearchCalls& calls) {
    restrictedWith = nullptr;
    if (calls.setDefaultDllDirectories &&
        calls.setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return DllSearch::kSystemFolderOnly;
    // The system folder in place of the current one. The empty text takes
    // the current folder out of the search as well on Windows, but Wine
    // keeps searching it then, and a test could not show the difference.
    if (calls.setDllDirectory && SystemFolder(systemFolder, sizeof systemFolder) &&
        calls.setDllDirectory(systemFolder)) {
        restrictedWith = calls.setDllDirectory;
        return DllSearch::kCurrentFolderRemoved;
    }
    return DllSearch::kUnchanged;
}

UsualDllSearchForChildren::UsualDllSearchForChildren() {
    if (restrictedWith) restrictedWith(nullptr);
}

UsualDllSearchForChildren::~UsualDllSearchForChildren() {
    if (restrictedWith) restrictedWith(systemFolder);
}

HMODULE LoadSystemLibrary(const char* name) {
    char path[MAX_PATH];
    if (!SystemFolder(path, sizeof path) || strlen(path) + strlen(name) >= sizeof path)
        return nullptr;
    lstrcatA(path, name);
    return LoadLibraryA(path);
}
