// Cutting a finished installation package into diskette-sized piece files
// NAME_001.exe, NAME_002.exe, ... beside it, after writing the number of
// pieces into its installation record. The piece names, the piece count and
// the search for the record are plain arithmetic over bytes, kept apart from
// the file handling so that tables can test them.
#ifndef PACKAGE_SPANNING_H
#define PACKAGE_SPANNING_H

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "package_constants.h"

// The search for the record moves through the package in steps of this size.
constexpr uint32_t TransferChunk = 15000;
// The record holds the piece count in three digits.
constexpr uint64_t MaxPieceCount = 999;
// A package is cut only when more bytes than this follow the record marker:
// the record and the inner stub always do.
constexpr uint32_t MinimumTail = 97793;

// Pieces of PieceSize bytes that hold a package of this length, the last
// one possibly shorter.
uint64_t PieceCount(uint64_t packageLength);

// Folder and base name of the package, "_", the number in at least three
// digits, ".exe": C:\OUT\MY.SETUP.EXE gives C:\OUT\MY_001.exe for piece 1.
std::string PieceName(const std::string& packagePath, int number);

// Reads up to size bytes of the package from offset on; fewer only at its end.
using PackageReader = std::function<uint32_t(uint64_t offset, char* buffer, uint32_t size)>;

// Offset of the installation record of a package of `length` bytes, found
// by the layout the package writer produces (outer stub, padding, stub
// marker, the stub's second copy, both markers). Nothing when the bytes do
// not have that layout. Marker bytes inside the archive or inside the stub
// do not mislead it.
std::optional<uint64_t> LocateRecord(uint64_t length, const PackageReader& read);

// Cuts the package at OutputPath into pieces and deletes it. A file already
// at a piece's name waits under NAME_nnn.old until every piece is written,
// and is then deleted; a file already at NAME_nnn.old waits under a free
// name and comes back either way. A missing
// package, or a file without the package layout, is left alone silently. A
// failure removes the pieces written, puts the record back as it was and
// says "Error: " with the file-error number; the earlier pieces come back. True when the pieces are
// all written.
bool SpanPackage();

#endif
