// Where the stubs read from: their own file, the pieces, or memory in tests
// and the fuzzer. Reads are by offset, so readers never hold a whole file.
#ifndef STUBS_BYTE_SOURCE_H
#define STUBS_BYTE_SOURCE_H

#include <stdint.h>
#include <string.h>

namespace stub {

class ByteSource {
public:
    virtual uint32_t Size() const = 0;
    // Exactly length bytes from offset, or false.
    virtual bool Read(uint32_t offset, void* buffer, uint32_t length) = 0;

protected:
    // Never deleted through this interface, so the stubs need no operator
    // delete of a C++ run time.
    ~ByteSource() = default;
};

class MemorySource : public ByteSource {
public:
    MemorySource(const void* bytes, uint32_t size)
        : bytes_(static_cast<const uint8_t*>(bytes)), size_(size) {}
    uint32_t Size() const override { return size_; }
    bool Read(uint32_t offset, void* buffer, uint32_t length) override {
        if (offset > size_ || length > size_ - offset) return false;
        memcpy(buffer, bytes_ + offset, length);
        return true;
    }

private:
    const uint8_t* bytes_;
    uint32_t size_;
};

// A stretch of another source read as a whole: a package's content without
// the certificate table after it, the inner executable inside a first piece.
class SourceWindow : public ByteSource {
public:
    SourceWindow(ByteSource& whole, uint32_t start, uint32_t length)
        : whole_(whole), start_(start), length_(length) {}
    uint32_t Size() const override { return length_; }
    bool Read(uint32_t offset, void* buffer, uint32_t length) override {
        if (offset > length_ || length > length_ - offset) return false;
        return whole_.Read(start_ + offset, buffer, length);
    }

private:
    ByteSource& whole_;
    uint32_t start_;
    uint32_t length_;
};

// The archive inside an inner executable: it starts at a fixed offset and
// its first two bytes were changed from "PK" to "ZS", which reads give back.
class MaskedArchive : public ByteSource {
public:
    MaskedArchive(ByteSource& whole, uint32_t start) : whole_(whole), start_(start) {}
    // Whether the archive is there and masked as the writer marks it.
    bool Marked() {
        char mark[2];
        return whole_.Size() >= start_ + 2 && whole_.Read(start_, mark, 2) && mark[0] == 'Z' &&
               mark[1] == 'S';
    }
    uint32_t Size() const override { return whole_.Size() > start_ ? whole_.Size() - start_ : 0; }
    bool Read(uint32_t offset, void* buffer, uint32_t length) override {
        if (offset > Size() || length > Size() - offset) return false;
        if (!whole_.Read(start_ + offset, buffer, length)) return false;
        static const char kSignature[2] = {'P', 'K'};
        for (uint32_t i = offset; i < 2 && i < offset + length; ++i)
            static_cast<char*>(buffer)[i - offset] = kSignature[i];
        return true;
    }

private:
    ByteSource& whole_;
    uint32_t start_;
};

}  // namespace stub

#endif
