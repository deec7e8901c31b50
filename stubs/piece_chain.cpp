// Reads that cross from one piece into the next.
#include "piece_chain.h"

#include <stdlib.h>

#include <new>

namespace stub {

// The stubs have no operator new or delete: the parts live in memory taken
// here, each made and ended in its place.
PieceChain::PieceChain(int pieces)
    : parts_(static_cast<Part*>(malloc(sizeof(Part) * size_t(pieces)))), room_(pieces) {}

PieceChain::~PieceChain() {
    for (int i = 0; i < count_; ++i) parts_[i].~Part();
    free(parts_);
}

bool PieceChain::Add(const char* path, uint32_t offset, uint32_t length) {
    if (count_ == room_) return false;
    Part* part = new (&parts_[count_]) Part(path);
    uint32_t size = part->file.Size();
    if (length == 0 && size >= offset) length = size - offset;
    if (!part->file.Open() || size == 0 || size < offset || size - offset < length ||
        length > 0xFFFFFFFFu - size_) {
        part->~Part();
        return false;
    }
    part->offset = offset;
    part->length = length;
    ++count_;
    size_ += length;
    lastFileSize_ = size;
    return true;
}

bool PieceChain::Read(uint32_t offset, void* buffer, uint32_t length) {
    if (offset > size_ || length > size_ - offset) return false;
    char* to = static_cast<char*>(buffer);
    for (int i = 0; i < count_ && length > 0; ++i) {
        Part& part = parts_[i];
        if (offset >= part.length) {
            offset -= part.length;
            continue;
        }
        uint32_t here = part.length - offset < length ? part.length - offset : length;
        if (!part.file.Read(part.offset + offset, to, here)) return false;
        to += here;
        length -= here;
        offset = 0;
    }
    return length == 0;
}

}  // namespace stub
