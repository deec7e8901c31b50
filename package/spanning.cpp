#include "spanning.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "binary_file.h"
#include "create_front.h"
#include "file_attributes.h"
#include "file_errors.h"
#include "file_operations.h"
#include "package_format.h"
#include "path_helpers.h"
#include "platform_paths.h"
#include "quiet_errors.h"
#include "set_aside.h"
#include "working_values.h"

namespace {

constexpr char SpanCaption[] = "Vornaly Installer";

// The stub's length S fixes every later offset: its second copy starts at
// S + 404, the second stub marker at 2S + 404, the record marker at 2S + 414.
constexpr uint64_t SecondStubMarkerOffset(uint64_t stubLength) {
    return RecordOffset(stubLength) - 2 * MarkerLength;
}

bool ReadsAs(const PackageReader& read, uint64_t offset, const std::string& expected) {
    std::string bytes(expected.size(), '\0');
    const auto size = static_cast<uint32_t>(bytes.size());
    return read(offset, &bytes[0], size) == size && bytes == expected;
}

bool SecondCopyMatches(const PackageReader& read, uint64_t stubLength) {
    std::vector<char> first(TransferChunk), second(TransferChunk);
    for (uint64_t done = 0; done < stubLength;) {
        const auto size =
            static_cast<uint32_t>(std::min<uint64_t>(TransferChunk, stubLength - done));
        if (read(done, first.data(), size) != size ||
            read(SecondStubOffset(stubLength) + done, second.data(), size) != size ||
            !std::equal(first.begin(), first.begin() + size, second.begin()))
            return false;
        done += size;
    }
    return true;
}

// Cheap checks first: most false candidates fail on the markers.
bool LayoutHolds(uint64_t length, const PackageReader& read, uint64_t stubLength) {
    const uint64_t secondMarker = SecondStubMarkerOffset(stubLength);
    return RecordOffset(stubLength) + RecordLength <= length &&
           ReadsAs(read, secondMarker, StubMarker) &&
           ReadsAs(read, secondMarker + MarkerLength, RecordMarker) &&
           SecondCopyMatches(read, stubLength);
}

void ShowSpanMessage(const std::string& text) {
    Front().ShowMessage(text, SpanCaption, MessageOk | MessageExclamation);
}

void DeleteOrThrow(const std::string& path) {
    QuietErrorMode quiet;
    if (!RemoveFile(path)) ThrowLastFileError();
}

PackageReader ReaderOf(BinaryFile& file) {
    return [&file](uint64_t offset, char* buffer, uint32_t size) {
        file.SeekTo(offset);
        return file.Read(buffer, size);
    };
}

// What a run has changed so far, so that a failed run can take it back.
struct SpanRun {
    std::string package;
    uint64_t recordOffset = 0;
    std::string originalRecord;  // set just before the count is written
    std::vector<std::string> piecesWritten;
    // Pieces of an earlier package wait under NAME_nnn.old until this run's
    // pieces are all written; a file of someone else's at such a name waits
    // under a free name meanwhile.
    SetAside aside;
};

// An earlier piece of this name waits under NAME_nnn.old: a run that fails
// puts it back.
std::string KeptPieceName(const std::string& piece) {
    return FolderPart(piece) + BaseNamePart(piece) + ".old";
}

void KeepAside(SpanRun& run, const std::string& piece) {
    const std::string kept = KeptPieceName(piece);
    QuietErrorMode quiet;
    uint32_t attributes = 0;
    if (ReadFileAttributes(kept, attributes) && !run.aside.Move(kept))
        ThrowLastFileError();
    if (!run.aside.Move(piece, kept)) ThrowLastFileError();
}

void CutIntoPieces(SpanRun& run, uint64_t pieceCount) {
    BinaryFile package = BinaryFile::OpenExistingForUpdate(run.package);
    std::string record(RecordLength, '\0');
    package.SeekTo(run.recordOffset);
    if (package.Read(&record[0], RecordLength) != RecordLength) throw FileError{ErrPastEnd};
    run.originalRecord = record;
    package.SeekTo(run.recordOffset);
    package.Write(WithPieceCount(record, static_cast<int>(pieceCount)));

    // A piece moves in one read and one write: in steps of TransferChunk the
    // calls alone took longer than moving the bytes.
    std::vector<char> chunk(PieceSize);
    uint64_t left = package.Length();
    package.SeekTo(0);
    for (int number = 1; number <= static_cast<int>(pieceCount); ++number) {
        const std::string name = PieceName(run.package, number);
        if (IsFile(name)) KeepAside(run, name);
        BinaryFile piece = BinaryFile::OpenForUpdate(name);
        run.piecesWritten.push_back(name);
        const auto size = static_cast<uint32_t>(std::min<uint64_t>(PieceSize, left));
        if (package.Read(chunk.data(), size) != size) throw FileError{ErrPastEnd};
        piece.Write(chunk.data(), size);
        left -= size;
        piece.Close();
    }
    package.Close();
    DeleteOrThrow(run.package);
    // Complete: the earlier pieces go, and what waited beside them comes back.
    for (const std::string& piece : run.piecesWritten) run.aside.Drop(KeptPieceName(piece));
    run.aside.PutBack();
}

// Leaves the package as it was before the run: no piece of an unfinished
// set may pass for a finished one. A failure here cannot be reported better
// than the one that led here, so it is dropped.
void TakeBack(SpanRun& run) {
    for (const std::string& piece : run.piecesWritten) {
        QuietErrorMode quiet;
        RemoveFile(piece);
    }
    run.aside.PutBack();
    if (run.originalRecord.empty()) return;
    try {
        BinaryFile package = BinaryFile::OpenExistingForUpdate(run.package);
        package.SeekTo(run.recordOffset);
        package.Write(run.originalRecord);
        package.Close();
    } catch (const FileError&) {
    }
}

}  // namespace

uint64_t PieceCount(uint64_t packageLength) { return (packageLength + PieceSize - 1) / PieceSize; }

std::string PieceName(const std::string& packagePath, int number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03d", number);
    return FolderPart(packagePath) + BaseNamePart(packagePath) + "_" + digits + ".exe";
}

std::optional<uint64_t> LocateRecord(uint64_t length, const PackageReader& read) {
    if (length < RecordOffset(0) + RecordLength) return std::nullopt;
    // The outer stub ends where the padding and the stub marker begin. The
    // stub may hold those bytes itself, so every place they occur is tried
    // in turn until the whole layout holds, up to the longest stub that
    // still leaves room for its copy and the record.
    const std::string pattern = std::string(StubPadding, '\0') + StubMarker;
    const uint64_t longestStub = (length - RecordOffset(0) - RecordLength) / 2;
    const uint64_t searchEnd = longestStub + pattern.size();
    const std::boyer_moore_horspool_searcher searcher(pattern.begin(), pattern.end());
    std::vector<char> chunk(TransferChunk);
    uint64_t nextCandidate = 0;
    for (uint64_t position = 0;;) {
        const auto size =
            static_cast<uint32_t>(std::min<uint64_t>(TransferChunk, searchEnd - position));
        const uint32_t got = read(position, chunk.data(), size);
        const char* const begin = chunk.data();
        const char* const end = begin + got;
        for (const char* at = std::search(begin, end, searcher); at != end;
             at = std::search(at + 1, end, searcher)) {
            const uint64_t stubLength = position + (at - begin);
            if (stubLength < nextCandidate) continue;
            nextCandidate = stubLength + 1;
            if (LayoutHolds(length, read, stubLength)) return RecordOffset(stubLength);
        }
        if (got < size || position + got >= searchEnd) return std::nullopt;
        // Step back so that a pattern cut by the chunk's end lies whole in the next.
        position += got - (pattern.size() - 1);
    }
}

bool SpanPackage() {
    SpanRun run;
    run.package = OutputPath;
    if (!FileExists(run.package)) return false;
    try {
        uint64_t pieceCount = 0;
        {
            BinaryFile package = BinaryFile::OpenForReading(run.package);
            const uint64_t length = package.Length();
            pieceCount = PieceCount(length);
            if (pieceCount > MaxPieceCount) {
                package.Close();
                ShowSpanMessage("The installation package is too large to span: it needs " +
                                std::to_string(pieceCount) + " pieces of " +
                                std::to_string(PieceSize) + " bytes, and at most " +
                                std::to_string(MaxPieceCount) + " are possible.");
                return false;
            }
            const std::optional<uint64_t> record = LocateRecord(length, ReaderOf(package));
            package.Close();
            if (!record || length - *record <= MinimumTail) return false;
            run.recordOffset = *record;
        }
        CutIntoPieces(run, pieceCount);
        return true;
    } catch (const FileError& error) {
        TakeBack(run);
        ShowSpanMessage("Error: " + std::to_string(error.number));
        return false;
    }
}
