#include "working_files.h"

#include <algorithm>
#include <utility>

#include "binary_file.h"
#include "create_front.h"
#include "file_attributes.h"
#include "file_errors.h"
#include "file_identities.h"
#include "file_operations.h"
#include "folder_search.h"
#include "list_order.h"
#include "mvwrap.h"
#include "path_helpers.h"
#include "quiet_errors.h"
#include "spanning.h"
#include "working_values.h"

namespace {

constexpr char Caption[] = "Vornaly";

// Read-only or not: a file of ours goes whatever its attributes.
bool Remove(const std::string& path) {
    if (!IsFile(path)) return true;
    WriteFileAttributes(path, AttributeNormal);
    return RemoveFile(path);
}

// A file with the layout the package writer gives: an earlier package,
// never a setup file.
bool IsPackage(const std::string& path) {
    try {
        BinaryFile file = BinaryFile::OpenForReading(path);
        const uint64_t length = file.Length();
        return LocateRecord(length,
                            [&file](uint64_t offset, char* buffer, uint32_t size) {
                                file.SeekTo(offset);
                                return file.Read(buffer, size);
                            })
            .has_value();
    } catch (const FileError&) {
        return false;
    }
}

// The pieces an earlier Span left beside the package: NAME_nnn.exe.
std::vector<std::string> PiecesThere() {
    std::vector<std::string> pieces;
    const std::string stem = BaseNamePart(OutputPath) + "_";
    SearchFolder(FolderPart(OutputPath) + stem + "*.exe", [&](const FoundEntry& found) {
        const std::string& name = found.name;
        const std::string digits =
            name.substr(0, name.find('.')).substr(std::min(stem.size(), name.size()));
        if (digits.size() != 3 || digits.find_first_not_of("0123456789") != std::string::npos ||
            digits == "000")
            return true;
        const int number = (digits[0] - '0') * 100 + (digits[1] - '0') * 10 + (digits[2] - '0');
        const std::string piece = PieceName(OutputPath, number);
        if (SameTextIgnoringCase(FileNamePart(piece), name) && IsFile(piece))
            pieces.push_back(piece);
        return true;
    });
    return pieces;
}

// The setup folder that holds the package's folder, or an empty text.
std::string SetupFolderHoldingPackage() {
    CreateFront& front = Front();
    for (int i = 0; i < front.SetupCount(); ++i)
        if (FolderWithin(FolderPart(OutputPath), front.SetupItem(i))) return front.SetupItem(i);
    return "";
}

void LeaveOutOfArchive(const std::string& path) { LeaveOut(path.c_str()); }

}  // namespace

bool WorkingFiles::Hold() {
    for (const std::string* path :
         {&OutputPath, &ArchivePath, &IntermediatePath, &KeptPackagePath}) {
        NativeHold hold;
        int error = 0;
        const HoldOutcome outcome = HoldWorkingName(*path, hold, error);
        if (hold.valid()) held_.push_back(std::move(hold));
        if (outcome == HoldOutcome::kHeld) continue;
        Front().ShowMessage("Unable to use " + *path + ": " +
                                (outcome == HoldOutcome::kHeldElsewhere
                                     ? std::string("another Create is using it")
                                     : "Error: " + std::to_string(error)),
                            Caption, MessageOk);
        return false;
    }
    return true;
}

bool WorkingFiles::Prepare() {
    LeaveOutOfArchive("");
    // In a setup folder, a file at a name the Create writes or works under
    // is a setup file unless it is an earlier package: replacing it would
    // destroy it, and the archive would lack it.
    const std::string setupFolder = SetupFolderHoldingPackage();
    const std::vector<std::string> pieces = PiecesThere();
    const bool earlierPieces =
        !setupFolder.empty() && !pieces.empty() && IsPackage(PieceName(OutputPath, 1));
    if (!setupFolder.empty()) {
        std::vector<std::string> written = {OutputPath, ArchivePath, IntermediatePath,
                                            KeptPackagePath};
        if (Front().SpanTicked() && !earlierPieces)
            written.insert(written.end(), pieces.begin(), pieces.end());
        for (const std::string& path : written) {
            if (!IsFile(path) ||
                ((path == OutputPath || path == KeptPackagePath) && IsPackage(path)))
                continue;
            Front().ShowMessage("Unable to write " + OutputPath + ": " + path +
                                    " is a file of the setup folder " + setupFolder +
                                    ", which the package would replace or leave out. Choose a "
                                    "name or a folder for the package where no setup file lies.",
                                Caption, MessageOk);
            return false;
        }
    }
    // Whatever lies at a working name waits aside and comes back; hidden and
    // system files too. Then the old package takes its working name.
    const std::pair<const std::string*, std::string> moves[] = {{&ArchivePath, ""},
                                                                {&IntermediatePath, ""},
                                                                {&KeptPackagePath, ""},
                                                                {&OutputPath, KeptPackagePath}};
    for (const auto& [path, to] : moves) {
        if (!IsFile(*path) || aside_.Move(*path, to)) continue;
        const int number = LastFileErrorNumber();
        aside_.PutBack();
        Front().ShowMessage("Unable to move " + *path + " aside" + (to.empty() ? "" : " to " + to) +
                                ": Error: " + std::to_string(number),
                            Caption, MessageOk);
        return false;
    }
    for (const std::string& place : aside_.Places()) LeaveOutOfArchive(place);
    LeaveOutOfArchive(IntermediatePath);
    if (earlierPieces)
        for (const std::string& piece : pieces) LeaveOutOfArchive(piece);
    prepared_ = true;
    return true;
}

void WorkingFiles::Finish() {
    finished_ = true;
    aside_.Drop(KeptPackagePath);
    aside_.PutBack();
}

WorkingFiles::~WorkingFiles() {
    if (prepared_ && !finished_) {
        QuietErrorMode quiet;
        // Once prepared, whatever lies at these paths is this run's: what
        // was there before waits aside.
        for (const std::string* path : {&OutputPath, &ArchivePath, &IntermediatePath})
            if (!Remove(*path)) Front().ShowMessage("Unable to remove " + *path, Caption, MessageOk);
        aside_.PutBack();
    }
    LeaveOutOfArchive("");
}
