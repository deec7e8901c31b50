// Folder listings through FindFirstFileA, which matches names ignoring case
// and by their 8.3 names too.
#include "folder_search.h"

#include "quiet_errors.h"
#include "win_handles.h"

bool SearchFolder(const std::string& pattern,
                  const std::function<bool(const FoundEntry&)>& visit) {
    QuietErrorMode quiet;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(pattern.c_str(), &found));
    if (!search.valid()) return false;
    do {
        FoundEntry entry;
        entry.name = found.cFileName;
        entry.attributes = found.dwFileAttributes;
        entry.length = uint64_t{found.nFileSizeHigh} << 32 | found.nFileSizeLow;
        if (!visit(entry)) break;
    } while (FindNextFileA(search.get(), &found));
    return true;
}
