#include "folder_search.h"

bool FindEntry(const std::string& path, FoundEntry& entry) {
    // A pattern would find some other file.
    if (path.find_first_of("*?") != std::string::npos) return false;
    return SearchFolder(path, [&entry](const FoundEntry& found) {
        entry = found;
        return false;
    });
}
