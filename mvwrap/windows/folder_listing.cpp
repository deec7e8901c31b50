// What Windows lists: FindFirstFile and FindNextFile as they stand, wide or
// ANSI as file_calls.h chose. A name that the 9x line could only show with
// '?' is refused, shown with its short name, by which it can be found and
// renamed.
#include "folder_listing.h"

#include "file_calls.h"
#include "win_handles.h"

namespace mvwrap {

namespace {

uint64_t Ticks(const FILETIME& time) {
    return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

ListedEntry EntryOf(const WIN32_FIND_DATAW& data) {
    ListedEntry entry;
    entry.name = data.cFileName;
    entry.attributes = data.dwFileAttributes;
    entry.written = Ticks(data.ftLastWriteTime);
    entry.created = Ticks(data.ftCreationTime);
    entry.size = uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    if (NameIncomplete(data)) {
        entry.refused = true;
        entry.shown = entry.name;
        if (data.cAlternateFileName[0])
            entry.shown += std::wstring(L" (") + data.cAlternateFileName + L")";
    }
    return entry;
}

}  // namespace

bool ListFolder(const std::wstring& folder, const std::wstring& pattern,
                std::vector<ListedEntry>& entries) {
    WIN32_FIND_DATAW data;
    FindHandle search(FindFirst(folder + pattern, data));
    if (!search.valid()) {
        DWORD code = GetLastError();
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES;
    }
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") entries.push_back(EntryOf(data));
    } while (FindNext(search.get(), data));
    return GetLastError() == ERROR_NO_MORE_FILES;
}

bool LookUp(const std::wstring& path, ListedEntry& entry) {
    WIN32_FIND_DATAW data;
    FindHandle found(FindFirst(path, data));
    if (!found.valid()) return false;
    entry = EntryOf(data);
    return true;
}

bool PathDetails(const std::wstring& path, ListedEntry& details) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!PathDetails(path, data)) return false;
    details.attributes = data.dwFileAttributes;
    details.written = Ticks(data.ftLastWriteTime);
    details.created = Ticks(data.ftCreationTime);
    details.size = uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    return true;
}

bool IsFolder(const std::wstring& path) {
    DWORD attributes = PathAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace mvwrap
