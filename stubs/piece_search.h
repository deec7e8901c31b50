// Where the pieces after the first of a package cut for diskettes are
// found: beside the first piece (and on Windows on the root of its drive,
// asking for the diskette while a piece is not there).
#ifndef STUBS_PIECE_SEARCH_H
#define STUBS_PIECE_SEARCH_H

#include <stdint.h>

#include "package_constants.h"
#include "path_room.h"

namespace stub {

enum class PieceAnswer { kFound, kCancelled, kFailed };

// The size a piece in this place has: all but the last are full.
inline bool RightSize(uint32_t size, int number, int count) {
    return number < count ? size == PieceSize : size > 0 && size <= PieceSize;
}

// Looks for piece number of count of the package whose first piece is
// firstPiece, asking for it unless quiet; its path in found (kPathRoom), or
// when it was not found the name looked for (empty when the names are too
// long, which is told). Without any window (/Q:A) a missing piece is a
// cancel, told in the log.
PieceAnswer FindPiece(const char* firstPiece, int number, int count, bool quiet, char* found);

}  // namespace stub

#endif
