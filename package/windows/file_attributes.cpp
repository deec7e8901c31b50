// Attributes as Windows keeps them.
#include "file_attributes.h"

#include <windows.h>

bool ReadFileAttributes(const std::string& path, uint32_t& attributes) {
    const DWORD found = GetFileAttributesA(path.c_str());
    if (found == INVALID_FILE_ATTRIBUTES) return false;
    attributes = found;
    return true;
}

bool WriteFileAttributes(const std::string& path, uint32_t attributes) {
    return SetFileAttributesA(path.c_str(), attributes) != FALSE;
}
