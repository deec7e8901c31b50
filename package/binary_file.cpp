#include "binary_file.h"

#include "file_errors.h"

BinaryFile BinaryFile::Open(const std::string& path, bool update, bool createMissing) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos)
        throw FileError{ErrBadFileName};
    QuietErrorMode quiet;
    const DWORD creation = createMissing ? OPEN_ALWAYS : OPEN_EXISTING;
    HANDLE handle = INVALID_HANDLE_VALUE;
    if (update) {
        handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, creation,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE && GetLastError() != ERROR_ACCESS_DENIED)
            ThrowLastFileError();
    }
    if (handle == INVALID_HANDLE_VALUE) {
        handle = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) ThrowLastFileError();
    }
    return BinaryFile(handle);
}

BinaryFile BinaryFile::OpenForUpdate(const std::string& path) { return Open(path, true, true); }

BinaryFile BinaryFile::OpenExistingForUpdate(const std::string& path) {
    return Open(path, true, false);
}

BinaryFile BinaryFile::OpenForReading(const std::string& path) { return Open(path, false, false); }

uint64_t BinaryFile::Length() const {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_.get(), &size)) ThrowLastFileError();
    return static_cast<uint64_t>(size.QuadPart);
}

uint64_t BinaryFile::Position() const {
    LARGE_INTEGER zero{}, position;
    if (!SetFilePointerEx(handle_.get(), zero, &position, FILE_CURRENT)) ThrowLastFileError();
    return static_cast<uint64_t>(position.QuadPart);
}

void BinaryFile::SeekTo(uint64_t offset) {
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(handle_.get(), to, nullptr, FILE_BEGIN)) ThrowLastFileError();
}

void BinaryFile::SeekToEnd() {
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(handle_.get(), zero, nullptr, FILE_END)) ThrowLastFileError();
}

uint32_t BinaryFile::Read(void* buffer, uint32_t size) {
    QuietErrorMode quiet;
    DWORD done = 0;
    if (!ReadFile(handle_.get(), buffer, size, &done, nullptr)) ThrowLastFileError();
    return done;
}

void BinaryFile::Write(const void* buffer, uint32_t size) {
    QuietErrorMode quiet;
    DWORD done = 0;
    if (!WriteFile(handle_.get(), buffer, size, &done, nullptr)) ThrowLastFileError();
    if (done != size) throw FileError{ErrDiskFull};
}

void BinaryFile::Write(const std::string& bytes) {
    Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

void BinaryFile::Close() {
    if (!CloseHandle(handle_.release())) ThrowLastFileError();
}
