// Central directory reading. The end record is looked for from the end of
// the archive backwards (its comment may follow it); nothing spanning disks,
// no zip64: setup archives stay far below their limits.
#include "zip_directory.h"

#include <stdlib.h>
#include <string.h>

namespace stub {

namespace {

const uint32_t kEndSignature = 0x06054b50;
const uint32_t kCentralSignature = 0x02014b50;
const uint32_t kLocalSignature = 0x04034b50;
const uint32_t kEndSize = 22;
const uint32_t kCentralSize = 46;
const uint32_t kLocalSize = 30;
const uint32_t kMaxComment = 65535;
const uint16_t kNtfsTag = 0x000a;

uint16_t Get16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t Get32(const uint8_t* p) { return Get16(p) | uint32_t(Get16(p + 2)) << 16; }
uint64_t Get64(const uint8_t* p) { return Get32(p) | uint64_t(Get32(p + 4)) << 32; }

// The end record's offset, or false.
bool FindEndRecord(ByteSource& archive, uint8_t end[kEndSize], uint32_t& at) {
    uint32_t size = archive.Size();
    if (size < kEndSize) return false;
    uint32_t tailLength = size < kEndSize + kMaxComment ? size : kEndSize + kMaxComment;
    uint8_t* tail = static_cast<uint8_t*>(malloc(tailLength));
    if (!tail) return false;
    bool found = false;
    if (archive.Read(size - tailLength, tail, tailLength)) {
        for (uint32_t i = tailLength - kEndSize + 1; i-- > 0;) {
            if (Get32(tail + i) != kEndSignature) continue;
            if (i + kEndSize + Get16(tail + i + 20) != tailLength) continue;
            memcpy(end, tail + i, kEndSize);
            at = size - tailLength + i;
            found = true;
            break;
        }
    }
    free(tail);
    return found;
}

void ReadNtfsTimes(const uint8_t* extra, uint32_t length, ZipEntry& entry) {
    for (uint32_t at = 0; at + 4 <= length;) {
        uint16_t tag = Get16(extra + at), size = Get16(extra + at + 2);
        if (at + 4 + size > length) return;
        if (tag == kNtfsTag && size >= 32 && Get16(extra + at + 8) == 1 &&
            Get16(extra + at + 10) >= 24) {
            entry.hasNtfsTimes = true;
            entry.written = Get64(extra + at + 12);
            entry.accessed = Get64(extra + at + 20);
            entry.created = Get64(extra + at + 28);
            return;
        }
        at += 4 + size;
    }
}

}  // namespace

ZipDirectory::~ZipDirectory() { Clear(); }

void ZipDirectory::Clear() {
    free(entries_);
    free(names_);
    free(text_);
    entries_ = nullptr;
    names_ = nullptr;
    text_ = nullptr;
    count_ = 0;
}

bool ZipDirectory::Read(ByteSource& archive) {
    Clear();
    uint8_t end[kEndSize];
    uint32_t endAt;
    if (!FindEndRecord(archive, end, endAt)) return false;
    uint16_t disk = Get16(end + 4), centralDisk = Get16(end + 6);
    uint16_t onDisk = Get16(end + 8), count = Get16(end + 10);
    uint32_t centralSize = Get32(end + 12), centralAt = Get32(end + 16);
    if (disk != 0 || centralDisk != 0 || onDisk != count) return false;
    if (centralAt > endAt || centralSize != endAt - centralAt) return false;
    if (uint64_t(count) * kCentralSize > centralSize) return false;

    uint8_t* central = static_cast<uint8_t*>(malloc(centralSize ? centralSize : 1));
    entries_ = static_cast<ZipEntry*>(calloc(count ? count : 1, sizeof(ZipEntry)));
    names_ = static_cast<const char**>(calloc(count ? count : 1, sizeof(char*)));
    // Names take at most the directory's bytes, plus one terminator each.
    text_ = static_cast<char*>(malloc(centralSize + count + 1));
    bool ok =
        central && entries_ && names_ && text_ && archive.Read(centralAt, central, centralSize);
    uint32_t at = 0, textAt = 0;
    for (uint32_t i = 0; ok && i < count; ++i) {
        const uint8_t* p = central + at;
        if (centralSize - at < kCentralSize || Get32(p) != kCentralSignature) {
            ok = false;
            break;
        }
        uint32_t nameLength = Get16(p + 28), extraLength = Get16(p + 30),
                 commentLength = Get16(p + 32);
        uint32_t recordLength = kCentralSize + nameLength + extraLength + commentLength;
        if (recordLength > centralSize - at || nameLength == 0) {
            ok = false;
            break;
        }
        ZipEntry& entry = entries_[i];
        entry.madeByHost = p[5];
        entry.flags = Get16(p + 8);
        entry.utf8Name = (entry.flags & 0x0800) != 0;
        entry.method = Get16(p + 10);
        entry.dosTime = Get16(p + 12);
        entry.dosDate = Get16(p + 14);
        entry.crc = Get32(p + 16);
        entry.packedSize = Get32(p + 20);
        entry.size = Get32(p + 24);
        entry.externalAttributes = Get32(p + 38);
        entry.localHeader = Get32(p + 42);
        if (entry.localHeader >= centralAt || entry.packedSize > centralAt - entry.localHeader) {
            ok = false;
            break;
        }
        char* name = text_ + textAt;
        for (uint32_t c = 0; c < nameLength; ++c) {
            char ch = char(p[kCentralSize + c]);
            name[c] = ch == '/' ? '\\' : ch;
        }
        name[nameLength] = 0;
        textAt += nameLength + 1;
        entry.name = name;
        names_[i] = name;
        ReadNtfsTimes(p + kCentralSize + nameLength, extraLength, entry);
        at += recordLength;
    }
    free(central);
    if (!ok) {
        Clear();
        return false;
    }
    count_ = count;
    return true;
}

bool EntryDataOffset(ByteSource& archive, const ZipEntry& entry, uint32_t& offset) {
    uint8_t local[kLocalSize];
    if (!archive.Read(entry.localHeader, local, kLocalSize)) return false;
    if (Get32(local) != kLocalSignature) return false;
    uint64_t data =
        uint64_t(entry.localHeader) + kLocalSize + Get16(local + 26) + Get16(local + 28);
    if (data + entry.packedSize > archive.Size()) return false;
    offset = uint32_t(data);
    return true;
}

}  // namespace stub
