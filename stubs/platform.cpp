// The platform differences of the stubs, looked up once (see platform.h).
#include "platform.h"

#include <stdlib.h>
#include <string.h>

#include "ansi_code_page.h"
#include "ini_section.h"
#include "stub_paths.h"
#include "win_handles.h"

namespace stub {

namespace {

using MoveFileExFunction = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);

struct Platform {
    bool windows95Line = false;
    DWORD majorVersion = 0;
    MoveFileExFunction moveFileEx = nullptr;
};

Platform LookUp() {
    Platform platform;
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    // A compatibility layer that reports an older version may still export
    // the newer functions; the stubs then behave as on the version reported.
    platform.windows95Line = version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
    platform.majorVersion = version.dwMajorVersion;
    if (!platform.windows95Line)
        platform.moveFileEx = reinterpret_cast<MoveFileExFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "MoveFileExA")));
    return platform;
}

const Platform& ThisPlatform() {
    static const Platform platform = LookUp();
    return platform;
}

}  // namespace

bool Windows95Line() { return ThisPlatform().windows95Line; }

bool JobObjectsExpected() {
    return !ThisPlatform().windows95Line && ThisPlatform().majorVersion >= 5;
}

namespace {

// Heap memory freed on every path.
class Buffer {
public:
    explicit Buffer(size_t size) : bytes_(static_cast<char*>(malloc(size))) {}
    ~Buffer() { free(bytes_); }
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;
    char* get() const { return bytes_; }

private:
    char* bytes_;
};

// WININIT.INI in the Windows folder lists in its [rename] section what the
// Windows 95 line moves or removes while it starts, before long file names
// are known: "NUL=" and the short name removes a file.
void AddToWininit(const char* file) {
    char line[MAX_PATH + 8] = "NUL=";
    DWORD shortLength = GetShortPathNameA(file, line + 4, MAX_PATH);
    if (shortLength == 0 || shortLength >= MAX_PATH) return;
    char path[MAX_PATH];
    UINT length = GetWindowsDirectoryA(path, MAX_PATH - 13);
    if (length == 0 || length >= MAX_PATH - 13) return;
    if (!text::EndsWith(path, '\\', text::AnsiLeadBytes())) path[length++] = '\\';
    strcpy(path + length, "WININIT.INI");
    FileHandle ini(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!ini.valid()) return;
    DWORD high = 0, size = GetFileSize(ini.get(), &high), read = 0, written = 0;
    if (size == INVALID_FILE_SIZE || high || size > (1u << 20)) return;
    size_t room = size + strlen(line) + 16;  // the line, a section header, line ends
    Buffer text(size + 1), out(room);
    if (!text.get() || !out.get() || !ReadFile(ini.get(), text.get(), size, &read, nullptr) ||
        read != size)
        return;
    size_t outLength = AddSectionLine(text.get(), size, "rename", line, out.get(), room);
    if (outLength == 0 || SetFilePointer(ini.get(), 0, nullptr, FILE_BEGIN) != 0) return;
    if (WriteFile(ini.get(), out.get(), DWORD(outLength), &written, nullptr))
        SetEndOfFile(ini.get());
}

}  // namespace

void NoSystemErrorBoxes() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
}

void RemoveAtRestart(const char* path, bool folder) {
    const Platform& platform = ThisPlatform();
    if (platform.moveFileEx)
        platform.moveFileEx(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    else if (platform.windows95Line && !folder)
        AddToWininit(path);
}

namespace {

// Removes the folder and the folders in it when none of them holds a file.
bool RemoveEmptyTree(const char* folder) {
    char path[MAX_PATH];
    if (!JoinPath(folder, "*", path)) return false;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(path, &found));
    bool empty = true;
    if (search.valid()) {
        do {
            if (!strcmp(found.cFileName, ".") || !strcmp(found.cFileName, "..")) continue;
            empty = empty && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                    JoinPath(folder, found.cFileName, path) && RemoveEmptyTree(path);
        } while (empty && FindNextFileA(search.get(), &found));
    }
    search.reset();
    return empty && RemoveDirectoryA(folder);
}

}  // namespace

void RemoveFoldersLeftBefore() {
    if (!ThisPlatform().windows95Line) return;
    char temporaryFolder[MAX_PATH], pattern[MAX_PATH], folder[MAX_PATH];
    DWORD length = GetTempPathA(sizeof temporaryFolder, temporaryFolder);
    if (length == 0 || length >= sizeof temporaryFolder ||
        !JoinPath(temporaryFolder, "VNP?????.TMP", pattern))
        return;
    // A folder that changed a moment ago may be another package's, just made.
    const ULONGLONG kSettled = 10ull * 60 * 10000000;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULONGLONG latest = (ULONGLONG(now.dwHighDateTime) << 32 | now.dwLowDateTime) - kSettled;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(pattern, &found));
    if (!search.valid()) return;
    do {
        ULONGLONG written = ULONGLONG(found.ftLastWriteTime.dwHighDateTime) << 32 |
                            found.ftLastWriteTime.dwLowDateTime;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && written < latest &&
            JoinPath(temporaryFolder, found.cFileName, folder))
            RemoveEmptyTree(folder);
    } while (FindNextFileA(search.get(), &found));
}

}  // namespace stub
