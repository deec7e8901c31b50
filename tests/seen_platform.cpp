#include "seen_platform.h"

#include <windows.h>

#include "temp_dir.h"

namespace {

OSVERSIONINFOA Version() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return version;
}

std::string WininitPath() {
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, sizeof folder);
    return std::string(folder) + "\\WININIT.INI";
}

const char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";
const char kPendingMoves[] = "PendingFileRenameOperations";

// The value's bytes; false when there is none.
bool ReadPendingMoves(std::string& bytes) {
    HKEY key;
    bytes.clear();
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE, &key)) return false;
    DWORD size = 0;
    bool there = !RegQueryValueExA(key, kPendingMoves, nullptr, nullptr, nullptr, &size);
    bytes.resize(size);
    if (there && size)
        there = !RegQueryValueExA(key, kPendingMoves, nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(&bytes[0]), &size);
    RegCloseKey(key);
    return there;
}

}  // namespace

bool OnWindows95Line() { return Version().dwPlatformId == VER_PLATFORM_WIN32_WINDOWS; }

bool HasJobObjects() {
    OSVERSIONINFOA version = Version();
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 5;
}

RestartLists::RestartLists()
    : hadWininit_(GetFileAttributesA(WininitPath().c_str()) != INVALID_FILE_ATTRIBUTES),
      wininit_(ReadWholeFile(WininitPath())) {
    hadPendingMoves_ = ReadPendingMoves(pendingMoves_);
}

RestartLists::~RestartLists() {
    if (hadWininit_) {
        HANDLE file = CreateFileA(WininitPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, wininit_.data(), DWORD(wininit_.size()), &written, nullptr);
        CloseHandle(file);
    } else {
        DeleteFileA(WininitPath().c_str());
    }
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key)) return;
    if (hadPendingMoves_)
        RegSetValueExA(key, kPendingMoves, 0, REG_MULTI_SZ,
                       reinterpret_cast<const BYTE*>(pendingMoves_.data()),
                       DWORD(pendingMoves_.size()));
    else
        RegDeleteValueA(key, kPendingMoves);
    RegCloseKey(key);
}

std::string RestartLists::Wininit() const { return ReadWholeFile(WininitPath()); }

std::string RestartLists::PendingMoves() const {
    std::string bytes;
    ReadPendingMoves(bytes);
    return bytes;
}
