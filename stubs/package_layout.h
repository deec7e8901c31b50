// How the outer stub finds its installation record: from its own length,
// which its executable headers give, and the markers at the places the
// writer puts them. Nothing is searched for.
#ifndef STUBS_PACKAGE_LAYOUT_H
#define STUBS_PACKAGE_LAYOUT_H

#include <stdint.h>

#include "byte_source.h"
#include "code_page_text.h"

namespace stub {

// The length of the executable at the start of the source: the end of its
// last section's data. 0 when the headers are not those of an executable.
uint32_t ExecutableLength(ByteSource& file);

// Whether the source is a package (or its first piece) made with an outer
// stub of s bytes: zero padding, the stub again between two stub markers,
// the record marker, a record, and at least the start of an inner
// executable. Fills the record when it is. The two copies of the stub are
// compared without the fields that signing sets in the first one's header
// (its checksum and certificate table entry).
bool ReadPackageRecord(ByteSource& file, uint32_t s, char record[100]);

// What is read of a package (or its first piece) before anything is done
// with it.
struct PackageFront {
    uint32_t stubLength;  // the outer stub's
    uint32_t contentEnd;  // see ContentEnd
    char record[100];
    int pieces;    // see PiecesOf
    bool spanned;  // cut for diskettes, into one piece or more
};

// The front of the package in file; false when the file is not a package,
// or a damaged one. The outer stub reads the same in its own steps, where
// each of its bytes counts.
bool ReadPackageFront(ByteSource& file, PackageFront& front);

// Where the bytes Create wrote end. A signed package carries a certificate
// table after them, named by the first stub's header, and the signing tool
// pads up to 7 zero bytes before the table: a whole package's content ends
// with its archive's end record, a first piece's at the piece size (where
// no end record stands that ends its directory). 0 when
// the table is not at the file's end or leaves no inner executable.
uint32_t ContentEnd(ByteSource& file, uint32_t s, const char record[100]);

// Whether the inner stub at the start of the inner executable has the
// checksum its header gives: the build gives it one, so a byte changed in
// it shows. True when the header gives none.
bool InnerStubChecksumHolds(ByteSource& inner);

// How many pieces the package was cut into, from its content (without a
// signature): the record's count at positions 90 to 92 when the content is
// a full piece that ends inside its archive. A whole package is 1, even one
// exactly a piece long whose password has digits at its 11th to 13th
// characters.
int PiecesOf(ByteSource& content, uint32_t s, const char record[100]);

// Piece names: the folder and name of the first piece up to its number
// ("A:\SETUP_" for "A:\SETUP_001.exe"); a renamed first piece gives its
// base name and "_". False when the result would not fit. The path is
// split by the characters of the code page whose lead bytes are given.
bool PieceNamePrefix(const char* firstPiece, char* prefix, uint32_t room,
                     const text::LeadBytes& lead);
// prefix + number with at least three digits + ".exe".
bool PieceName(const char* prefix, int number, char* name, uint32_t room);

}  // namespace stub

#endif
