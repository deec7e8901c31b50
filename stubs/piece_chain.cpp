// Reads that cross from one piece into the next.
#include "piece_chain.h"

#include <stdlib.h>

#include "file_io.h"

namespace stub {

PieceChain::PieceChain(int pieces)
    : parts_(static_cast<Part*>(malloc(sizeof(Part) * size_t(pieces)))), room_(pieces) {}

PieceChain::~PieceChain() {
    for (int i = 0; i < count_; ++i) CloseHandle(parts_[i].file);
    free(parts_);
}

bool PieceChain::Add(const char* path, uint32_t offset, uint32_t length) {
    if (count_ == room_) return false;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD high = 0, size = GetFileSize(file, &high);
    if (length == 0 && size >= offset) length = size - offset;
    if (high || size == INVALID_FILE_SIZE || size < offset || size - offset < length ||
        length > 0xFFFFFFFFu - size_) {
        CloseHandle(file);
        return false;
    }
    parts_[count_++] = {file, offset, length};
    size_ += length;
    lastFileSize_ = size;
    return true;
}

bool PieceChain::Read(uint32_t offset, void* buffer, uint32_t length) {
    if (offset > size_ || length > size_ - offset) return false;
    char* to = static_cast<char*>(buffer);
    for (int i = 0; i < count_ && length > 0; ++i) {
        const Part& part = parts_[i];
        if (offset >= part.length) {
            offset -= part.length;
            continue;
        }
        uint32_t here = part.length - offset < length ? part.length - offset : length;
        if (!ReadAt(part.file, part.offset + offset, to, here)) return false;
        to += here;
        length -= here;
        offset = 0;
    }
    return length == 0;
}

}  // namespace stub
