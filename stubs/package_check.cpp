// Reading the whole package as an install would, with every byte that an
// install would write thrown away instead.
#include "package_check.h"

#include "archive_check.h"
#include "archive_names.h"
#include "path_room.h"
#include "entry_data.h"
#include "package_constants.h"
#include "package_layout.h"
#include "piece_chain.h"
#include "piece_search.h"
#include "stub_messages.h"
#include "zip_directory.h"

namespace stub {

const char kUnpackerChanged[] =
    "The installation package is damaged: its unpacking program has changed.";

bool AddFollowingPieces(PieceChain& chain, const char* selfPath, int pieces, bool quiet) {
    for (int number = 2; number <= pieces; ++number) {
        char found[kPathRoom];
        PieceAnswer answer = FindPiece(selfPath, number, pieces, quiet, found);
        // A cancel in the box is a fault of the package all the same; a
        // windowless run has told it already.
        if (answer == PieceAnswer::kCancelled && WindowsAllowed())
            ShowError("The package is not complete: the piece %s is missing.", found);
        if (answer != PieceAnswer::kFound) return false;
        if (!chain.Add(found, 0, 0) || !RightSize(chain.LastFileSize(), number, pieces)) {
            ShowError("The piece %s could not be read.", found);
            return false;
        }
    }
    return true;
}

int CheckPackage(const char* selfPath, uint32_t innerOffset, uint32_t contentEnd, int pieces,
                 const char* record, bool spanned, bool quiet) {
    PieceChain chain(pieces);
    if (!chain.Ready()) {
        ShowError("There is not enough memory to test the package.");
        return kExitFailed;
    }
    if (!chain.Add(selfPath, innerOffset, contentEnd - innerOffset)) {
        ShowError("The installation package %s could not be read.", selfPath);
        return kExitFailed;
    }
    if (!AddFollowingPieces(chain, selfPath, pieces, quiet)) return kExitFailed;
    if (!InnerStubChecksumHolds(chain)) {
        ShowError("%s", kUnpackerChanged);
        return kExitFailed;
    }
    MaskedArchive archive(chain, InnerStubLength);
    ZipDirectory directory;
    if (!archive.Marked() || !directory.Read(archive)) {
        ShowError("%s", kFilesUnreadable);
        return kExitFailed;
    }
    // The names and the start program as the install takes them, by the
    // same procedure: /T and the install cannot disagree on them.
    char why[kWhyRoom];
    CodePageNames names;
    RecordedStart start;
    if (!CheckArchiveNames(directory, record, spanned, false, names, start, why)) {
        ShowError("%s", why);
        return kExitFailed;
    }
    for (uint32_t i = 0; i < directory.Count(); ++i) {
        DiscardSink nowhere;
        UnpackResult result = UnpackEntry(archive, directory[i], nowhere);
        if (result != UnpackResult::kOk) {
            DescribeUnpackFault(result, directory[i].name, why);
            ShowError("%s", why);
            return kExitFailed;
        }
        LogLine("Tested %s (%lu bytes)", directory[i].name, directory[i].size);
    }
    ShowNote(quiet, "The package is complete.");
    return 0;
}

}  // namespace stub
