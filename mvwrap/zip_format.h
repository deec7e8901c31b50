// The byte layout of zip records: building local and central headers and the
// end record, and reading the central directory back. Pure byte work, so that
// the layout can be checked field by field without files.
#ifndef MVWRAP_ZIP_FORMAT_H
#define MVWRAP_ZIP_FORMAT_H

#include <stdint.h>

#include <string>

namespace mvwrap {

const uint32_t kLocalSignature = 0x04034b50;
const uint32_t kCentralSignature = 0x02014b50;
const uint32_t kEndSignature = 0x06054b50;
const uint32_t kDescriptorSignature = 0x08074b50;

const size_t kLocalHeaderSize = 30;
const size_t kCentralHeaderSize = 46;
const size_t kEndRecordSize = 22;

const uint16_t kStored = 0;
const uint16_t kDeflated = 8;
const uint16_t kUtf8NameFlag = 1 << 11;
const uint16_t kDescriptorFlag = 1 << 3;

// The newest format version (4.5) an entry may need: other readers unpack
// no entry that claims to need more.
const uint8_t kNewestVersionNeeded = 45;

// The 32-bit fields of the format: no archive may reach past them.
const uint64_t kMaxArchiveBytes = 0xFFFFFFFFu;
const uint64_t kMaxEntries = 0xFFFF;
// An entry's sizes are 32-bit fields too, but all ones there means "held in
// a zip64 extension", which this component neither writes nor reads.
const uint64_t kMaxEntryBytes = 0xFFFFFFFEu;

struct EntryHeader {
    uint16_t flags = 0;
    uint16_t method = kStored;
    uint16_t dosTime = 0;
    uint16_t dosDate = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t size = 0;
    std::string name;  // as stored: "/" separators
    std::string extra;
};

std::string LocalHeader(const EntryHeader& entry);
std::string CentralHeader(const EntryHeader& entry, uint8_t attributes, uint32_t localOffset);
std::string EndRecord(uint16_t entries, uint32_t centralSize, uint32_t centralOffset);

// The extra field that holds a file's exact times (last write, last access,
// creation), in the platform's 100 ns units since 1601.
std::string NtfsTimesExtra(uint64_t written, uint64_t accessed, uint64_t created);

// Whether an archive of that many entries and bytes fits the format.
bool WithinLimits(uint64_t entries, uint64_t bytes);

// What the end record tells about the central directory.
struct CentralDirectory {
    uint16_t entries = 0;
    uint32_t size = 0;
    uint32_t offset = 0;
};

// Finds the end record in the tail of an archive (its last bytes, up to the
// largest comment) and reads it. False when there is none, or when it
// describes a split archive or one whose central directory does not end where
// the record starts.
bool ReadEndRecord(const std::string& tail, uint64_t tailOffset, CentralDirectory& directory);

// The whole length of a central record, from its fixed part (the first
// kCentralHeaderSize bytes) with its name, extra field and comment lengths.
uint64_t CentralRecordLength(const std::string& fixedPart);

// Whether a complete central record describes an entry that can be carried
// over as it is: one disk, a version needed that readers know, sizes and
// offset within 32 bits (no extensions), and an extra field made of whole
// blocks.
bool CentralRecordSound(const std::string& record);

// Whether an extra field is a sequence of blocks (tag, length, data) none of
// which runs past its end.
bool ExtraFieldSound(const std::string& extra);

// Fields of one central record.
std::string RecordName(const std::string& record);
uint16_t RecordFlags(const std::string& record);
uint16_t RecordMethod(const std::string& record);
uint32_t RecordCrc(const std::string& record);
uint32_t RecordCompressedSize(const std::string& record);
uint32_t RecordSize(const std::string& record);
uint32_t RecordLocalOffset(const std::string& record);
void SetRecordLocalOffset(std::string& record, uint32_t offset);

// Reads little-endian numbers; the caller checks the bounds.
uint16_t Read16(const std::string& bytes, size_t at);
uint32_t Read32(const std::string& bytes, size_t at);

}  // namespace mvwrap

#endif
