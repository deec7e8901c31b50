// Package layout checks and piece names.
#include "package_layout.h"

#include <string.h>

#include "install_record.h"

namespace stub {

namespace {

uint16_t Get16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t Get32(const uint8_t* p) { return Get16(p) | uint32_t(Get16(p + 2)) << 16; }

bool Same(ByteSource& file, uint64_t at, const char* text, uint32_t length) {
    char read[16];
    return at + length <= file.Size() && file.Read(uint32_t(at), read, length) &&
           memcmp(read, text, length) == 0;
}

bool SameIgnoringCase(const char* a, const char* b, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? char(a[i] + 32) : a[i];
        char y = b[i] >= 'A' && b[i] <= 'Z' ? char(b[i] + 32) : b[i];
        if (x != y) return false;
    }
    return true;
}

// Where signing writes in the header: the checksum and the certificate
// table's entry (data directory 4) of the optional header. False when the
// header is not there.
struct SignedFields {
    uint32_t checksum;
    uint32_t table;
};

bool FindSignedFields(const uint8_t* header, uint32_t length, SignedFields& fields) {
    if (length < 64) return false;
    uint32_t optional = Get32(header + 0x3c) + 24;
    if (optional + 2 > length) return false;
    uint32_t directories = Get16(header + optional) == 0x20b ? 112 : 96;
    fields.checksum = optional + 64;
    fields.table = optional + directories + 4 * 8;
    return fields.table + 8 <= length;
}

void ClearSignedFields(uint8_t* block, uint32_t length, const SignedFields& fields) {
    if (fields.checksum + 4 <= length) memset(block + fields.checksum, 0, 4);
    if (fields.table + 8 <= length) memset(block + fields.table, 0, 8);
}

// Whether the archive that starts at start ends at end: its end record is
// the last thing there, and its directory ends where the end record begins.
// A first piece ends inside the archive, where no such record stands.
bool ArchiveEndsAt(ByteSource& file, uint32_t start, uint32_t end) {
    const uint32_t kEndRecord = 22;
    uint8_t record[kEndRecord];
    if (end < start || end - start < kEndRecord || !file.Read(end - kEndRecord, record, kEndRecord))
        return false;
    return memcmp(record, "PK\5\6", 4) == 0 && Get16(record + 20) == 0 &&
           Get32(record + 16) + Get32(record + 12) == end - kEndRecord - start;
}

uint32_t ArchiveStart(uint32_t s) { return uint32_t(InnerOffset(s)) + InnerStubLength; }

}  // namespace

uint32_t ExecutableLength(ByteSource& file) {
    uint8_t header[4096];
    uint32_t length = file.Size() < sizeof header ? file.Size() : sizeof header;
    if (length < 64 || !file.Read(0, header, length)) return 0;
    if (header[0] != 'M' || header[1] != 'Z') return 0;
    uint32_t pe = Get32(header + 0x3c);
    if (pe > length - 24 || memcmp(header + pe, "PE\0\0", 4) != 0) return 0;
    uint32_t sections = Get16(header + pe + 6);
    uint64_t table = uint64_t(pe) + 24 + Get16(header + pe + 20);
    if (sections == 0 || table + 40 * uint64_t(sections) > length) return 0;
    uint64_t end = 0;
    for (uint32_t i = 0; i < sections; ++i) {
        const uint8_t* section = header + table + 40 * i;
        uint32_t rawSize = Get32(section + 16), rawAt = Get32(section + 20);
        if (rawSize && uint64_t(rawAt) + rawSize > end) end = uint64_t(rawAt) + rawSize;
    }
    return end && end <= file.Size() ? uint32_t(end) : 0;
}

bool ReadPackageRecord(ByteSource& file, uint32_t s, char record[100]) {
    if (s == 0 || InnerOffset(s) + InnerStubLength + 2 > file.Size()) return false;
    uint8_t block[4096];
    if (!file.Read(s, block, StubPadding)) return false;
    for (uint32_t i = 0; i < StubPadding; ++i)
        if (block[i] != 0) return false;
    if (!Same(file, s + StubPadding, StubMarker, MarkerLength)) return false;
    if (!Same(file, SecondStubOffset(s) + s, StubMarker, MarkerLength)) return false;
    if (!Same(file, SecondStubOffset(s) + s + MarkerLength, RecordMarker, MarkerLength))
        return false;
    // The second copy must be the stub itself: a package whose front was
    // changed is not trusted. Signing changes only the first copy's header.
    uint8_t copy[sizeof block];
    SignedFields fields = {};
    for (uint32_t done = 0; done < s;) {
        uint32_t part = s - done < sizeof block ? s - done : sizeof block;
        if (!file.Read(done, block, part) ||
            !file.Read(uint32_t(SecondStubOffset(s)) + done, copy, part))
            return false;
        if (done == 0) {
            if (!FindSignedFields(block, part, fields)) return false;
            ClearSignedFields(block, part, fields);
            ClearSignedFields(copy, part, fields);
        }
        if (memcmp(block, copy, part) != 0) return false;
        done += part;
    }
    return file.Read(uint32_t(RecordOffset(s)), record, RecordLength);
}

uint32_t ContentEnd(ByteSource& file, uint32_t s, const char record[100]) {
    uint8_t header[4096];
    SignedFields fields;
    uint32_t length = file.Size() < sizeof header ? file.Size() : sizeof header;
    if (!file.Read(0, header, length) || !FindSignedFields(header, length, fields)) return 0;
    uint32_t table = Get32(header + fields.table), tableSize = Get32(header + fields.table + 4);
    uint32_t least = uint32_t(InnerOffset(s)) + InnerStubLength + 2;
    if (tableSize == 0) return file.Size() >= least ? file.Size() : 0;
    if (table < least || tableSize > file.Size() - least || table != file.Size() - tableSize)
        return 0;
    for (uint32_t end = table; end + 8 > table && end > least; --end) {
        if (ArchiveEndsAt(file, ArchiveStart(s), end)) return end;
        uint8_t padding;
        if (!file.Read(end - 1, &padding, 1) || padding != 0) break;
    }
    if (table == PieceSize && PieceCount(record) >= 2) return table;
    return 0;
}

int PiecesOf(ByteSource& content, uint32_t s, const char record[100]) {
    int count = PieceCount(record);
    if (content.Size() != PieceSize || count < 2) return 1;
    // The first piece's content is cut at the piece size inside the
    // archive; a whole package as long as a piece ends with its archive.
    return ArchiveEndsAt(content, ArchiveStart(s), content.Size()) ? 1 : count;
}

bool ReadPackageFront(ByteSource& file, PackageFront& front) {
    front.stubLength = ExecutableLength(file);
    if (!ReadPackageRecord(file, front.stubLength, front.record)) return false;
    front.contentEnd = ContentEnd(file, front.stubLength, front.record);
    if (front.contentEnd == 0) return false;
    // What follows is read only up to the content's end: a signature after
    // it is the platform's to check.
    SourceWindow content(file, 0, front.contentEnd);
    front.pieces = PiecesOf(content, front.stubLength, front.record);
    // A package cut into a single piece is whole, but its count still
    // stands over the password's positions 90 to 92.
    front.spanned = front.pieces > 1 || PieceCount(front.record) == 1;
    return true;
}

bool InnerStubChecksumHolds(ByteSource& inner) {
    uint8_t block[4096];
    SignedFields fields;
    if (!inner.Read(0, block, sizeof block) || !FindSignedFields(block, sizeof block, fields))
        return false;
    uint32_t stored = Get32(block + fields.checksum);
    if (stored == 0) return true;
    memset(block + fields.checksum, 0, 4);
    // The header's checksum: the file's 16-bit words added with their
    // carries folded back in (the checksum field as zeros), plus the length.
    uint32_t sum = 0;
    for (uint32_t done = 0, part = 0; done < InnerStubLength; done += part) {
        part = InnerStubLength - done < sizeof block ? InnerStubLength - done : sizeof block;
        if (done && !inner.Read(done, block, part)) return false;
        for (uint32_t i = 0; i < part; i += 2) {
            sum += Get16(block + i);
            sum = (sum & 0xffff) + (sum >> 16);
        }
    }
    return sum + InnerStubLength == stored;
}

bool PieceNamePrefix(const char* firstPiece, char* prefix, uint32_t room,
                     const text::LeadBytes& lead) {
    const char* name = text::LastCharacter(firstPiece, '\\', lead);
    name = name ? name + 1 : firstPiece;
    size_t folder = size_t(name - firstPiece);
    size_t length = strlen(name);
    // "_001.exe" holds one "_": when it is the last "_" character, it is a
    // character of its own and not the second byte of one.
    bool numbered = length >= 8 && SameIgnoringCase(name + length - 8, "_001.exe", 8) &&
                    text::LastCharacter(name, '_', lead) == name + length - 8;
    size_t keep = length;
    if (numbered) {
        keep = length - 7;
    } else if (const char* dot = strchr(name, '.')) {  // no second byte is below 0x40
        keep = size_t(dot - name);
    }
    size_t total = folder + keep + (numbered ? 0 : 1);
    if (total + 1 > room) return false;
    memcpy(prefix, firstPiece, folder + keep);
    if (!numbered) prefix[total - 1] = '_';
    prefix[total] = 0;
    return true;
}

bool PieceName(const char* prefix, int number, char* name, uint32_t room) {
    if (number < 1 || number > 999) return false;
    size_t length = strlen(prefix);
    if (length + 8 > room) return false;
    memcpy(name, prefix, length);
    name[length] = char('0' + number / 100);
    name[length + 1] = char('0' + number / 10 % 10);
    name[length + 2] = char('0' + number % 10);
    memcpy(name + length + 3, ".exe", 5);
    return true;
}

}  // namespace stub
