// Where the outer stub finds the pieces after the first of a package cut
// for diskettes: beside the first piece or on the root of its drive, asking
// for the diskette while a piece is not there.
#ifndef STUBS_PIECE_SEARCH_H
#define STUBS_PIECE_SEARCH_H

#include <stdint.h>

namespace stub {

enum class PieceAnswer { kFound, kCancelled, kFailed };

// The size a piece in this place has: all but the last are full.
bool RightSize(uint32_t size, int number, int count);

// Looks for piece number of count of the package whose first piece is
// firstPiece, asking for it unless quiet; its path in found (MAX_PATH), or
// when it was not found the name looked for (empty when the names are too
// long, which is told). Without any window (/Q:A) a missing piece is a
// cancel, told in the log.
PieceAnswer FindPiece(const char* firstPiece, int number, int count, bool quiet, char* found);

}  // namespace stub

#endif
