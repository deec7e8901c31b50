// The About box and its System Info action. The registry is only read, so a
// user without administrator rights finds the program too.
#include "about_box.h"

#include <cstring>

#include "platform_paths.h"
#include "resource.h"
#include "shell.h"
#include "win_handles.h"

namespace {

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};
using RegistryKey = UniqueHandle<RegistryKeyTraits>;

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

constexpr char ProgramKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char ProgramValue[] = "PATH";
constexpr char FolderKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char FolderValue[] = "MSINFO";
constexpr char ProgramName[] = "\\MSINFO32.EXE";

// The program recorded in the registry: the full path of place 1 as it
// stands, else the folder of place 2 when the program file is in it.
bool FindSystemInfoProgram(std::string& program) {
    if (ReadRegistryText(HKEY_LOCAL_MACHINE, ProgramKey, ProgramValue, program))
        return !program.empty();
    std::string folder;
    if (!ReadRegistryText(HKEY_LOCAL_MACHINE, FolderKey, FolderValue, folder)) return false;
    program = folder + ProgramName;
    return FileExists(program);
}

// Quoted, so that a path with blanks ("C:\Program Files\...") names this
// program and not one at the first blank.
bool RunAndWait(const std::string& program) {
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return false;
    KernelHandle process(started.hProcess);
    KernelHandle thread(started.hThread);
    WaitForSingleObject(process.get(), INFINITE);
    return true;
}

}  // namespace

bool ReadRegistryText(HKEY root, const std::string& keyPath, const std::string& valueName,
                      std::string& text) {
    text.clear();
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegistryKey key(opened);
    char buffer[1024];
    DWORD type = 0;
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return false;
    // Any other type would be no program path, and could name one by chance.
    if (type != REG_SZ) return false;
    text.assign(buffer, strnlen(buffer, size));
    return true;
}

void ShowSystemInfo() {
    // The wait blocks the program until the other one ends, so a second
    // press starts the program again only after the first has closed.
    std::string program;
    if (FindSystemInfoProgram(program) && RunAndWait(program)) return;
    MessageBoxA(nullptr, SystemInfoUnavailable, ProductTitle, MB_OK);
}

INT_PTR CALLBACK AboutDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SYSTEM_INFO: ShowSystemInfo(); break;
        case IDOK: EndDialog(window, 1); break;
        case IDCANCEL: EndDialog(window, 0); break;
        }
        break;
    case WM_CLOSE: EndDialog(window, 0); break;
    }
    return 0;
}

INT_PTR ShowAboutBox(HWND owner) {
    return DialogBoxParamA(TheShell.instance, "ABOUT", owner, AboutDialogProc, 0);
}
