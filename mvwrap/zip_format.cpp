#include "zip_format.h"

namespace mvwrap {

namespace {

// Made by and needed: version 2.0 of the format on a FAT host, so that
// readers take the low attribute byte as DOS attributes.
const uint16_t kVersion = 20;
const uint16_t kNtfsTag = 0x000a;
const uint16_t kNtfsTimesTag = 0x0001;

void Put16(std::string& out, uint16_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void Put32(std::string& out, uint32_t value) {
    Put16(out, static_cast<uint16_t>(value & 0xFFFF));
    Put16(out, static_cast<uint16_t>(value >> 16));
}

void Put64(std::string& out, uint64_t value) {
    Put32(out, static_cast<uint32_t>(value));
    Put32(out, static_cast<uint32_t>(value >> 32));
}

// The fields from "version needed" to the extra field length, which local
// and central headers share.
void PutCommon(std::string& out, const EntryHeader& entry) {
    Put16(out, kVersion);
    Put16(out, entry.flags);
    Put16(out, entry.method);
    Put16(out, entry.dosTime);
    Put16(out, entry.dosDate);
    Put32(out, entry.crc);
    Put32(out, entry.compressedSize);
    Put32(out, entry.size);
    Put16(out, static_cast<uint16_t>(entry.name.size()));
    Put16(out, static_cast<uint16_t>(entry.extra.size()));
}

}  // namespace

uint16_t Read16(const std::string& bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 static_cast<unsigned char>(bytes[at + 1]) << 8);
}

uint32_t Read32(const std::string& bytes, size_t at) {
    return Read16(bytes, at) | static_cast<uint32_t>(Read16(bytes, at + 2)) << 16;
}

std::string LocalHeader(const EntryHeader& entry) {
    std::string out;
    Put32(out, kLocalSignature);
    PutCommon(out, entry);
    return out + entry.name + entry.extra;
}

// The directory holds one of these for every entry until the archive is
// done: each is made at its exact size, not grown by appending.
std::string CentralHeader(const EntryHeader& entry, uint8_t attributes, uint32_t localOffset) {
    std::string out;
    out.reserve(kCentralHeaderSize + entry.name.size() + entry.extra.size());
    Put32(out, kCentralSignature);
    Put16(out, kVersion);
    PutCommon(out, entry);
    Put16(out, 0);  // comment length
    Put16(out, 0);  // disk number
    Put16(out, 0);  // internal attributes
    Put32(out, attributes);
    Put32(out, localOffset);
    out += entry.name;
    out += entry.extra;
    return out;
}

std::string EndRecord(uint16_t entries, uint32_t centralSize, uint32_t centralOffset) {
    std::string out;
    Put32(out, kEndSignature);
    Put16(out, 0);  // this disk
    Put16(out, 0);  // disk of the central directory
    Put16(out, entries);
    Put16(out, entries);
    Put32(out, centralSize);
    Put32(out, centralOffset);
    Put16(out, 0);  // comment length
    return out;
}

std::string NtfsTimesExtra(uint64_t written, uint64_t accessed, uint64_t created) {
    std::string out;
    Put16(out, kNtfsTag);
    Put16(out, 32);
    Put32(out, 0);  // reserved
    Put16(out, kNtfsTimesTag);
    Put16(out, 24);
    Put64(out, written);
    Put64(out, accessed);
    Put64(out, created);
    return out;
}

bool WithinLimits(uint64_t entries, uint64_t bytes) {
    return entries <= kMaxEntries && bytes <= kMaxArchiveBytes;
}

bool ReadEndRecord(const std::string& tail, uint64_t tailOffset, CentralDirectory& directory) {
    if (tail.size() < kEndRecordSize) return false;
    for (size_t at = tail.size() - kEndRecordSize + 1; at-- > 0;) {
        if (Read32(tail, at) != kEndSignature) continue;
        if (at + kEndRecordSize + Read16(tail, at + 20) != tail.size()) continue;
        uint16_t disk = Read16(tail, at + 4), centralDisk = Read16(tail, at + 6);
        uint16_t onDisk = Read16(tail, at + 8), entries = Read16(tail, at + 10);
        uint32_t size = Read32(tail, at + 12), offset = Read32(tail, at + 16);
        if (disk != 0 || centralDisk != 0 || onDisk != entries) return false;
        if (uint64_t(offset) + size != tailOffset + at) return false;
        directory = {entries, size, offset};
        return true;
    }
    return false;
}

uint64_t CentralRecordLength(const std::string& fixedPart) {
    return uint64_t(kCentralHeaderSize) + Read16(fixedPart, 28) + Read16(fixedPart, 30) +
           Read16(fixedPart, 32);
}

bool ExtraFieldSound(const std::string& extra) {
    size_t at = 0;
    while (at < extra.size()) {
        if (extra.size() - at < 4) return false;
        size_t block = 4 + size_t(Read16(extra, at + 2));
        if (extra.size() - at < block) return false;
        at += block;
    }
    return true;
}

bool CentralRecordSound(const std::string& record) {
    if (record.size() < kCentralHeaderSize || Read32(record, 0) != kCentralSignature ||
        CentralRecordLength(record) != record.size())
        return false;
    // 0xFFFFFFFF marks a value held in an extension this component does
    // not read.
    const uint32_t kExtended = 0xFFFFFFFFu;
    if (Read16(record, 34) != 0 || (Read16(record, 6) & 0xFF) > kNewestVersionNeeded ||
        RecordCompressedSize(record) == kExtended || RecordSize(record) == kExtended ||
        RecordLocalOffset(record) == kExtended)
        return false;
    return ExtraFieldSound(
        record.substr(kCentralHeaderSize + Read16(record, 28), Read16(record, 30)));
}

std::string RecordName(const std::string& record) {
    return record.substr(kCentralHeaderSize, Read16(record, 28));
}

uint16_t RecordFlags(const std::string& record) { return Read16(record, 8); }
uint16_t RecordMethod(const std::string& record) { return Read16(record, 10); }
uint32_t RecordCrc(const std::string& record) { return Read32(record, 16); }
uint32_t RecordCompressedSize(const std::string& record) { return Read32(record, 20); }
uint32_t RecordSize(const std::string& record) { return Read32(record, 24); }
uint32_t RecordLocalOffset(const std::string& record) { return Read32(record, 42); }

void SetRecordLocalOffset(std::string& record, uint32_t offset) {
    for (int i = 0; i < 4; ++i) record[42 + i] = static_cast<char>(offset >> (8 * i));
}

}  // namespace mvwrap
