#include "file_attributes.h"

bool IsFile(const std::string& path) {
    uint32_t attributes = 0;
    return ReadFileAttributes(path, attributes) && !(attributes & AttributeFolder);
}

bool IsFolder(const std::string& path) {
    uint32_t attributes = 0;
    return ReadFileAttributes(path, attributes) && (attributes & AttributeFolder);
}
