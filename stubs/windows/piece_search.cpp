// Finding the following pieces on Windows: beside the first one or on its
// drive's root, asking for their diskettes.
#include "piece_search.h"

#include <windows.h>

#include <string.h>

#include "ansi_code_page.h"
#include "file_io.h"
#include "package_layout.h"
#include "stub_messages.h"

namespace stub {

namespace {

// The file name of a path, after its last separator character.
const char* FileName(const char* path) {
    const char* separator = text::LastCharacter(path, '\\', text::AnsiLeadBytes());
    return separator ? separator + 1 : path;
}

// The piece's name on the root of the drive the first piece came from.
bool OnDriveRoot(const char* piece, const char* firstPiece, char* path) {
    const char* name = FileName(piece);
    if (firstPiece[0] == 0 || firstPiece[1] != ':') return false;
    if (strlen(name) + 4 >= MAX_PATH) return false;
    wsprintfA(path, "%c:\\%s", firstPiece[0], name);
    return true;
}

}  // namespace

PieceAnswer FindPiece(const char* firstPiece, int number, int count, bool quiet, char* found) {
    char prefix[MAX_PATH], onRoot[MAX_PATH];
    char* name = found;
    if (!PieceNamePrefix(firstPiece, prefix, sizeof prefix, text::AnsiLeadBytes()) ||
        !PieceName(prefix, number, name, MAX_PATH)) {
        name[0] = 0;
        ShowError("The names of the pieces of %s are too long.", firstPiece);
        return PieceAnswer::kFailed;
    }
    const char* shortName = FileName(name);
    for (;;) {
        bool wrongSize = false;
        const char* candidates[2] = {name,
                                     OnDriveRoot(name, firstPiece, onRoot) ? onRoot : nullptr};
        for (const char* candidate : candidates) {
            if (!candidate) continue;
            QuietErrorMode quietErrors;
            FileSource piece(candidate);
            if (!piece.Open()) continue;
            if (RightSize(piece.Size(), number, count)) {
                if (candidate != found) strcpy(found, candidate);
                LogLine("Piece %d of %d: %s", number, count, candidate);
                return PieceAnswer::kFound;
            }
            wrongSize = true;
        }
        if (quiet || !WindowsAllowed()) {
            ShowError(wrongSize ? "%s is not the right piece of this package."
                                : "The piece %s is missing.",
                      name);
            return WindowsAllowed() ? PieceAnswer::kFailed : PieceAnswer::kCancelled;
        }
        char text[2 * MAX_PATH + 64];
        if (wrongSize)
            wsprintfA(text, "%s is not the right piece. Insert the diskette with %s.", name,
                      shortName);
        else
            wsprintfA(text, "Insert the diskette with %s.", shortName);
        if (MessageBoxA(nullptr, text, "Vornaly", MB_RETRYCANCEL | MB_ICONEXCLAMATION) != IDRETRY)
            return PieceAnswer::kCancelled;
    }
}

}  // namespace stub
