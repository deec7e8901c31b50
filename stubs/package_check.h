// /T: the package tests itself. Every piece is found (asked for as an
// install asks), and the archive is read through the pieces where they lie:
// its directory, every entry's data against its CRC and sizes, the safety of
// its names. Nothing is written anywhere, not even to the temporary folder.
#ifndef STUBS_PACKAGE_CHECK_H
#define STUBS_PACKAGE_CHECK_H

#include <stdint.h>

namespace stub {

class PieceChain;

// The sentence for a package whose inner stub is not the one it was built
// with.
extern const char kUnpackerChanged[];

// Adds every piece after the first to the chain, in order, each found as an
// install finds it; false when one cannot be had (the fault told).
bool AddFollowingPieces(PieceChain& chain, const char* selfPath, int pieces, bool quiet);

// The inner executable starts at innerOffset of the first piece (or whole
// package) and takes its content up to contentEnd. Besides the archive, the
// inner stub's checksum and the record's start program are checked.
// Reports the outcome, "The package is complete." or the first fault; 0 or 1.
int CheckPackage(const char* selfPath, uint32_t innerOffset, uint32_t contentEnd, int pieces,
                 const char* record, bool spanned, bool quiet);

}  // namespace stub

#endif
