// Windows keeps the file as a handle.
#include "file_source.h"

#include <windows.h>

#include "file_io.h"

namespace stub {

FileSource::FileSource(const char* path)
    : file_(intptr_t(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr))) {
    if (!Open()) return;
    DWORD high = 0;
    DWORD low = GetFileSize(HANDLE(file_), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) low = 0;
    size_ = high ? 0 : low;
}

FileSource::~FileSource() {
    if (Open()) CloseHandle(HANDLE(file_));
}

bool FileSource::Read(uint32_t offset, void* buffer, uint32_t length) {
    if (offset > size_ || length > size_ - offset) return false;
    return ReadAt(HANDLE(file_), offset, buffer, length);
}

}  // namespace stub
