// The Windows answers to file_system.h and file_calls.h (and so to the
// calls of archive_file.h that file_calls.h shares): wide calls on the NT
// line, ANSI calls on the 9x line, chosen once.
#include "file_system.h"

#include <wchar.h>

#include <algorithm>
#include <utility>

#include "ansi_text.h"
#include "file_calls.h"
#include "file_details.h"
#include "file_positions.h"
#include "path_identity.h"
#include "win_handles.h"

namespace mvwrap {

namespace {

// The calls that differ between the NT line and the 9x line, one table for
// each, so that the choice is made in one place.
struct FileCalls {
    HANDLE (*open)(const std::wstring&, DWORD, DWORD, DWORD, DWORD);
    bool (*remove)(const std::wstring&);
    DWORD (*attributes)(const std::wstring&);
    bool (*details)(const std::wstring&, WIN32_FILE_ATTRIBUTE_DATA&);
    bool (*absolute)(const std::wstring&, std::wstring&);
    bool (*identity)(const std::wstring&, PathId&);
    bool (*replace)(const std::wstring&, const std::wstring&);
    HANDLE (*findFirst)(const std::wstring&, WIN32_FIND_DATAW&);
    bool (*findNext)(HANDLE, WIN32_FIND_DATAW&);
    std::wstring (*upperCase)(std::wstring);
};

namespace wide {

HANDLE Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    return CreateFileW(path.c_str(), access, share, nullptr, disposition, flags, nullptr);
}

bool Remove(const std::wstring& path) { return DeleteFileW(path.c_str()) != 0; }

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

// Looked up: Windows 95's kernel32 does not export it, and a DLL importing
// it would not load there at all.
bool Details(const std::wstring& path, WIN32_FILE_ATTRIBUTE_DATA& details) {
    using Call = BOOL(WINAPI*)(LPCWSTR, GET_FILEEX_INFO_LEVELS, LPVOID);
    static const Call system = reinterpret_cast<Call>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFileAttributesExW")));
    return system(path.c_str(), GetFileExInfoStandard, &details) != 0;
}

bool Absolute(const std::wstring& path, std::wstring& full) {
    DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) return false;
    std::wstring buffer(length, L'\0');
    length = GetFullPathNameW(path.c_str(), length, &buffer[0], nullptr);
    if (length == 0 || length >= buffer.size()) return false;
    full = buffer.substr(0, length);
    return true;
}

// Backup semantics open folders as well as files. No access is asked for,
// so another program's sharing mode does not stand in the way.
bool Identity(const std::wstring& path, PathId& identity) {
    FileHandle file(CreateFileW(path.c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file.valid() && IdentityOf(file.get(), identity);
}

bool Replace(const std::wstring& source, const std::wstring& target) {
    return MoveFileExW(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != 0;
}

HANDLE FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& data) {
    return FindFirstFileW(pattern.c_str(), &data);
}

bool FindNext(HANDLE search, WIN32_FIND_DATAW& data) { return FindNextFileW(search, &data) != 0; }

std::wstring UpperCase(std::wstring name) {
    if (!name.empty()) CharUpperBuffW(&name[0], static_cast<DWORD>(name.size()));
    return name;
}

const FileCalls kCalls = {Open,     Remove,  Attributes, Details,  Absolute,
                          Identity, Replace, FindFirst,  FindNext, UpperCase};

}  // namespace wide

namespace ansi {

// A name is asked for in the ANSI code page only when it comes back from it
// as it was: a character the code page lacks would turn into '?' or into a
// look-alike ("best fit") and name another file, or none. The round trip
// catches both; WC_NO_BEST_FIT_CHARS would too, but 98 and NT 4 refuse that
// flag.
bool RoundTrips(const std::wstring& name, std::string& narrow) {
    narrow = ToAnsi(name);
    return FromAnsi(narrow) == name;
}

bool Narrow(const std::wstring& name, std::string& narrow) {
    if (RoundTrips(name, narrow)) return true;
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return false;
}

void CopyName(const char* from, wchar_t* to, size_t capacity) {
    std::wstring name = FromAnsi(from);
    name.resize(std::min(name.size(), capacity - 1));
    wmemcpy(to, name.c_str(), name.size() + 1);
}

void Widen(const WIN32_FIND_DATAA& from, WIN32_FIND_DATAW& to) {
    to.dwFileAttributes = from.dwFileAttributes;
    to.ftCreationTime = from.ftCreationTime;
    to.ftLastAccessTime = from.ftLastAccessTime;
    to.ftLastWriteTime = from.ftLastWriteTime;
    to.nFileSizeHigh = from.nFileSizeHigh;
    to.nFileSizeLow = from.nFileSizeLow;
    to.dwReserved0 = from.dwReserved0;
    to.dwReserved1 = from.dwReserved1;
    CopyName(from.cFileName, to.cFileName, MAX_PATH);
    CopyName(from.cAlternateFileName, to.cAlternateFileName, 14);
}

HANDLE Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    std::string name;
    if (!Narrow(path, name)) return INVALID_HANDLE_VALUE;
    return CreateFileA(name.c_str(), access, share, nullptr, disposition, flags, nullptr);
}

bool Remove(const std::wstring& path) {
    std::string name;
    return Narrow(path, name) && DeleteFileA(name.c_str());
}

DWORD Attributes(const std::wstring& path) {
    std::string name;
    return Narrow(path, name) ? GetFileAttributesA(name.c_str()) : INVALID_FILE_ATTRIBUTES;
}

bool Details(const std::wstring& path, WIN32_FILE_ATTRIBUTE_DATA& details) {
    std::string name;
    return Narrow(path, name) && FindFileDetails(name.c_str(), details);
}

bool Absolute(const std::wstring& path, std::wstring& full) {
    std::string name;
    if (!Narrow(path, name)) return false;
    DWORD length = GetFullPathNameA(name.c_str(), 0, nullptr, nullptr);
    if (length == 0) return false;
    std::string buffer(length, '\0');
    length = GetFullPathNameA(name.c_str(), length, &buffer[0], nullptr);
    if (length == 0 || length >= buffer.size()) return false;
    full = FromAnsi(buffer.substr(0, length));
    return true;
}

// The 9x line knows neither backup semantics nor FILE_SHARE_DELETE, and
// opens no folder.
bool Identity(const std::wstring& path, PathId& identity) {
    FileHandle file(Open(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0));
    return file.valid() && IdentityOf(file.get(), identity);
}

// The 9x line has no MoveFileEx, and MoveFile does not replace. The old
// archive steps aside under a name of its own (not one of the temporary
// names, which the next run would delete) until the new one is in place,
// and comes back if that fails.
bool Replace(const std::wstring& source, const std::wstring& target) {
    std::string from, to;
    if (!Narrow(source, from) || !Narrow(target, to)) return false;
    const std::string aside = from + ".old";
    const bool existed = GetFileAttributesA(to.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (existed && !MoveFileA(to.c_str(), aside.c_str())) return false;
    if (!MoveFileA(from.c_str(), to.c_str())) {
        DWORD code = GetLastError();
        if (existed) MoveFileA(aside.c_str(), to.c_str());
        SetLastError(code);
        return false;
    }
    if (existed) DeleteFileA(aside.c_str());
    return true;
}

HANDLE FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& data) {
    std::string name;
    if (!Narrow(pattern, name)) return INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(name.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) Widen(found, data);
    return search;
}

bool FindNext(HANDLE search, WIN32_FIND_DATAW& data) {
    WIN32_FIND_DATAA found;
    if (!FindNextFileA(search, &found)) return false;
    Widen(found, data);
    return true;
}

// The 9x line does not implement the wide upper-casing. Names that the code
// page holds are upper-cased in it; in a name from elsewhere (an archive
// entry's UTF-8 name) each character is, where the code page has it.
std::wstring UpperCase(std::wstring name) {
    std::string narrow;
    if (RoundTrips(name, narrow)) {
        if (!narrow.empty()) CharUpperBuffA(&narrow[0], static_cast<DWORD>(narrow.size()));
        return FromAnsi(narrow);
    }
    for (wchar_t& c : name) {
        if (!RoundTrips(std::wstring(1, c), narrow)) continue;
        CharUpperBuffA(&narrow[0], static_cast<DWORD>(narrow.size()));
        std::wstring upper = FromAnsi(narrow);
        if (upper.size() == 1) c = upper[0];
    }
    return name;
}

const FileCalls kCalls = {Open,     Remove,  Attributes, Details,  Absolute,
                          Identity, Replace, FindFirst,  FindNext, UpperCase};

}  // namespace ansi

bool NineXLine() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

const FileCalls& Calls() {
    static const FileCalls& chosen = NineXLine() ? ansi::kCalls : wide::kCalls;
    return chosen;
}

}  // namespace

SystemError LastError() { return GetLastError(); }

bool IsMissingError(SystemError code) { return code == ERROR_FILE_NOT_FOUND; }

bool IsExistsError(SystemError code) {
    return code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS;
}

// A file another program holds open, or has locked a part of: worth a retry.
bool IsLockedError(SystemError code) {
    return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION;
}

bool IsDiskFullError(SystemError code) {
    return code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL;
}

void CloseFile(NativeFile file) { CloseHandle(file); }

bool OpenToRead(const std::wstring& path, File& file) {
    file.reset(
        OpenPath(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN));
    return file.valid();
}

bool ReadNext(NativeFile file, void* data, size_t size, size_t& count) {
    DWORD read = 0;
    const bool done = ReadFile(file, data, static_cast<DWORD>(size), &read, nullptr) != 0;
    count = read;
    return done;
}

bool FileLength(NativeFile file, uint64_t& length) { return GetFileLength(file, length); }

bool ReadAt(NativeFile file, uint64_t at, void* data, size_t size) {
    if (!MoveFilePosition(file, int64_t(at), FILE_BEGIN)) return false;
    DWORD read = 0;
    return ReadFile(file, data, static_cast<DWORD>(size), &read, nullptr) && read == size;
}

HANDLE OpenPath(const std::wstring& path, DWORD access, DWORD share, DWORD disposition,
                DWORD flags) {
    return Calls().open(path, access, share, disposition, flags);
}

bool RemoveFile(const std::wstring& path) { return Calls().remove(path); }

DWORD PathAttributes(const std::wstring& path) { return Calls().attributes(path); }

bool PathDetails(const std::wstring& path, WIN32_FILE_ATTRIBUTE_DATA& details) {
    return Calls().details(path, details);
}

bool AbsolutePath(const std::wstring& path, std::wstring& full) {
    return Calls().absolute(path, full);
}

bool PathIdentity(const std::wstring& path, PathId& identity) {
    return Calls().identity(path, identity);
}

bool ReplacePath(const std::wstring& source, const std::wstring& target) {
    return Calls().replace(source, target);
}

HANDLE FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& data) {
    return Calls().findFirst(pattern, data);
}

bool FindNext(HANDLE search, WIN32_FIND_DATAW& data) { return Calls().findNext(search, data); }

bool NameIncomplete(const WIN32_FIND_DATAW& data) {
    return wcschr(data.cFileName, L'?') != nullptr;
}

std::wstring UpperCaseName(std::wstring name) { return Calls().upperCase(std::move(name)); }

}  // namespace mvwrap
