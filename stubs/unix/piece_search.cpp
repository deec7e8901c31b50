// Finding the following pieces on Linux: beside the first one, with no
// diskette to ask for. A piece that is not there is told, as a package run
// without windows tells it.
#include "piece_search.h"

#include "code_page_text.h"
#include "code_pages.h"
#include "file_source.h"
#include "package_layout.h"
#include "stub_messages.h"

namespace stub {

PieceAnswer FindPiece(const char* firstPiece, int number, int count, bool, char* found) {
    // Linux paths are UTF-8, whose characters beyond ASCII hold no ASCII
    // byte: split as a code page without lead bytes.
    const text::LeadBytes utf8;
    char prefix[kPathRoom];
    if (!PieceNamePrefix(firstPiece, prefix, sizeof prefix, utf8) ||
        !PieceName(prefix, number, found, kPathRoom)) {
        found[0] = 0;
        ShowError("The names of the pieces of %s are too long.", firstPiece);
        return PieceAnswer::kFailed;
    }
    FileSource piece(found);
    if (piece.Open() && RightSize(piece.Size(), number, count)) return PieceAnswer::kFound;
    ShowError(
        piece.Open() ? "%s is not the right piece of this package." : "The piece %s is missing.",
        found);
    return PieceAnswer::kCancelled;
}

}  // namespace stub
