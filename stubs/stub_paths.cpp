// Path building of both stubs with its length checks (see stub_paths.h).
#include "stub_paths.h"

#include <windows.h>

#include <string.h>

namespace stub {

bool FullPath(const char* path, char* full) {
    // A result that does not fit returns the room it needs and leaves the
    // buffer as it was.
    DWORD length = GetFullPathNameA(path, MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH;
}

bool JoinPath(const char* folder, const char* name, char* path) {
    size_t folderLength = strlen(folder), nameLength = strlen(name);
    bool separator = folderLength > 0 && folder[folderLength - 1] != '\\';
    if (folderLength + separator + nameLength >= MAX_PATH) return false;
    memcpy(path, folder, folderLength);
    if (separator) path[folderLength++] = '\\';
    memcpy(path + folderLength, name, nameLength + 1);
    return true;
}

}  // namespace stub
