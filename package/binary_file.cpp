#include "binary_file.h"

BinaryFile BinaryFile::OpenForUpdate(const std::string& path) { return Open(path, true, true); }

BinaryFile BinaryFile::OpenExistingForUpdate(const std::string& path) {
    return Open(path, true, false);
}

BinaryFile BinaryFile::OpenForReading(const std::string& path) { return Open(path, false, false); }

void BinaryFile::Write(const std::string& bytes) {
    Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
}
