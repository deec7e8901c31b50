// BinaryFile over Windows file handles, opened without sharing.
#include "binary_file.h"

#include "file_errors.h"
#include "file_positions.h"

namespace {

FILETIME AsFileTime(uint64_t time) {
    return {static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
}

uint64_t FromFileTime(const FILETIME& time) {
    return uint64_t{time.dwHighDateTime} << 32 | time.dwLowDateTime;
}

}  // namespace

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
    return BinaryFile(NativeFile(handle));
}

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

void BinaryFile::EndHere() {
    if (!SetEndOfFile(handle_.get())) ThrowLastFileError();
}

bool BinaryFile::ReadTimes(FileTimes& times) const {
    FILETIME creation, lastAccess, lastWrite;
    if (!GetFileTime(handle_.get(), &creation, &lastAccess, &lastWrite)) return false;
    times = {FromFileTime(creation), FromFileTime(lastAccess), FromFileTime(lastWrite)};
    return true;
}

// A zero FILETIME leaves that time as it is.
bool BinaryFile::SetTimes(const FileTimes& times) {
    const FILETIME creation = AsFileTime(times.creation),
                   lastAccess = AsFileTime(times.lastAccess),
                   lastWrite = AsFileTime(times.lastWrite);
    return SetFileTime(handle_.get(), &creation, &lastAccess, &lastWrite) != FALSE;
}

void BinaryFile::Close() {
    if (!CloseHandle(handle_.release())) ThrowLastFileError();
}
