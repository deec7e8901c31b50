// The archive's central directory: which entries it holds and where their
// data lies. Pure reading over a ByteSource; every count, size and offset
// taken from the archive is checked against the archive's size.
#ifndef STUBS_ZIP_DIRECTORY_H
#define STUBS_ZIP_DIRECTORY_H

#include <stdint.h>

#include "byte_source.h"

namespace stub {

struct ZipEntry {
    char* name;  // "\" separators, NUL-terminated, owned by the directory
    bool utf8Name;
    uint16_t flags;
    uint16_t method;
    uint32_t crc;
    uint32_t packedSize;
    uint32_t size;
    uint32_t localHeader;
    uint16_t dosTime;
    uint16_t dosDate;
    uint8_t madeByHost;
    uint32_t externalAttributes;
    bool hasNtfsTimes;
    uint64_t written, accessed, created;  // 100 ns ticks since 1601, UTC
};

class ZipDirectory {
public:
    ZipDirectory() {}
    ~ZipDirectory();
    ZipDirectory(const ZipDirectory&) = delete;
    ZipDirectory& operator=(const ZipDirectory&) = delete;

    // False for anything that is not a whole, consistent archive.
    bool Read(ByteSource& archive);

    uint32_t Count() const { return count_; }
    ZipEntry& operator[](uint32_t i) { return entries_[i]; }
    const ZipEntry& operator[](uint32_t i) const { return entries_[i]; }
    // The names in directory order, for the record's questions.
    const char* const* Names() const { return names_; }

private:
    void Clear();

    ZipEntry* entries_ = nullptr;
    const char** names_ = nullptr;
    char* text_ = nullptr;
    uint32_t count_ = 0;
};

// Offset of an entry's data, after its local header; false when the local
// header is missing or its data would not lie inside the archive.
bool EntryDataOffset(ByteSource& archive, const ZipEntry& entry, uint32_t& offset);

}  // namespace stub

#endif
