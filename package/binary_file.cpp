#include "binary_file.h"

#include "file_errors.h"
#include "file_positions.h"

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
    uint64_t length = 0;
    if (!GetFileLength(handle_.get(), length)) ThrowLastFileError();
    return length;
}

uint64_t BinaryFile::Position() const {
    uint64_t position = 0;
    if (!MoveFilePosition(handle_.get(), 0, FILE_CURRENT, &position)) ThrowLastFileError();
    return position;
}

void BinaryFile::SeekTo(uint64_t offset) {
    if (!MoveFilePosition(handle_.get(), static_cast<int64_t>(offset), FILE_BEGIN))
        ThrowLastFileError();
}

void BinaryFile::SeekToEnd() {
    if (!MoveFilePosition(handle_.get(), 0, FILE_END)) ThrowLastFileError();
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
