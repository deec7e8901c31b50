// The installation package's fixed layout: the outer stub, 394 zero bytes,
// the stub marker, the outer stub again, the stub marker, the record marker,
// the 100-byte installation record, then the inner executable (the inner stub
// followed by the archive, whose "PK" is masked as "ZS"). The stubs read
// packages by this layout, so none of it may change.
#ifndef PACKAGE_PACKAGE_FORMAT_H
#define PACKAGE_PACKAGE_FORMAT_H

#include <cstdint>
#include <string>

constexpr char StubMarker[] = "MORVASX998";
constexpr char RecordMarker[] = "MELKOP1998";
constexpr uint32_t MarkerLength = 10;
constexpr uint32_t StubPadding = 394;
constexpr uint32_t RecordLength = 100;
// The archive starts at this offset of the inner executable.
constexpr uint32_t InnerStubLength = 97792;

// Offsets in the record (from 0) of its overlapping fields.
constexpr uint32_t RecordExecutableOffset = 59;
constexpr uint32_t RecordPasswordOffset = 79;
constexpr uint32_t RecordPieceCountOffset = 89;

// Offset of the record in a package whose outer stub is stubLength bytes.
constexpr uint64_t RecordOffset(uint64_t stubLength) {
    return 2 * stubLength + StubPadding + 3 * MarkerLength;
}

// The 100 record bytes: the entry name padded with blanks, then the password
// from position 80 and the start program from position 60 written over it,
// each cut where the record ends.
std::string InstallationRecord(const std::string& entryName, const std::string& password,
                               const std::string& installExecutable);

// The record with the piece count written over positions 90 to 92.
std::string WithPieceCount(std::string record, int pieceCount);

#endif
