// The inner executable read where the package's files hold it, without
// writing it anywhere: the first piece's content after the record, then
// each following piece whole. Holds every piece open until it is destroyed.
#ifndef STUBS_PIECE_CHAIN_H
#define STUBS_PIECE_CHAIN_H

#include "byte_source.h"
#include "file_source.h"

namespace stub {

class PieceChain : public ByteSource {
public:
    // Room for this many pieces; Ready() tells whether there was memory.
    explicit PieceChain(int pieces);
    ~PieceChain();
    PieceChain(const PieceChain&) = delete;
    PieceChain& operator=(const PieceChain&) = delete;

    bool Ready() const { return parts_ != nullptr; }
    // Adds length bytes of the file from offset (all of it after offset
    // when length is 0); false when it cannot be opened or is shorter.
    bool Add(const char* path, uint32_t offset, uint32_t length);
    // The size of the last file added, whole.
    uint32_t LastFileSize() const { return lastFileSize_; }

    uint32_t Size() const override { return size_; }
    bool Read(uint32_t offset, void* buffer, uint32_t length) override;

private:
    struct Part {
        explicit Part(const char* path) : file(path) {}
        FileSource file;
        uint32_t offset = 0, length = 0;
    };
    Part* parts_;
    int count_ = 0, room_;
    uint32_t size_ = 0, lastFileSize_ = 0;
};

}  // namespace stub

#endif
