// The installation package's fixed layout, shared by the program that writes
// packages and the stubs that read them: the outer stub, 394 zero bytes, the
// stub marker, the outer stub again, the stub marker, the record marker, the
// 100-byte installation record, then the inner executable (the inner stub
// followed by the archive, whose "PK" is masked as "ZS"). Spanned packages
// are cut into pieces of PieceSize bytes. Packages already shipped are read
// by this layout, so none of it may change.
#ifndef COMMON_PACKAGE_CONSTANTS_H
#define COMMON_PACKAGE_CONSTANTS_H

#include <stdint.h>

constexpr char StubMarker[] = "MORVASX998";
constexpr char RecordMarker[] = "MELKOP1998";
constexpr uint32_t MarkerLength = 10;
constexpr uint32_t StubPadding = 394;
constexpr uint32_t RecordLength = 100;
// The archive starts at this offset of the inner executable.
constexpr uint32_t InnerStubLength = 97792;
// One piece fits a 1.44 MB diskette with room to spare for its file system.
constexpr uint32_t PieceSize = 1430000;

// Offsets in the record (from 0) of its overlapping fields.
constexpr uint32_t RecordExecutableOffset = 59;
constexpr uint32_t RecordPasswordOffset = 79;
constexpr uint32_t RecordPieceCountOffset = 89;

// Offsets in a package whose outer stub is stubLength bytes.
constexpr uint64_t SecondStubOffset(uint64_t stubLength) {
    return stubLength + StubPadding + MarkerLength;
}
constexpr uint64_t RecordOffset(uint64_t stubLength) {
    return 2 * stubLength + StubPadding + 3 * MarkerLength;
}
constexpr uint64_t InnerOffset(uint64_t stubLength) {
    return RecordOffset(stubLength) + RecordLength;
}

// A whole package: the layout up to the archive, then the archive.
constexpr uint64_t PackageLength(uint64_t stubLength, uint64_t archiveLength) {
    return InnerOffset(stubLength) + InnerStubLength + archiveLength;
}
// Windows starts no executable file of 4 GiB or more (and Wine none that
// comes within a few kilobytes of it): a whole package is at most 64 KiB
// short of 4 GiB, and the stubs' positions fit 32 bits.
constexpr uint64_t LongestPackage = 0xFFFF0000u;

#endif
