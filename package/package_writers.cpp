#include "package_writers.h"

#include <vector>

#include "create_front.h"
#include "file_attributes.h"
#include "file_copy.h"
#include "file_errors.h"
#include "file_operations.h"
#include "package_format.h"
#include "path_helpers.h"
#include "platform_paths.h"
#include "text_characters.h"
#include "ticks.h"
#include "working_values.h"

namespace {

constexpr uint32_t Block = 4096;
// Copies move whole runs of blocks at a time, and the window gets its turn
// (a bar step and one message) at most every TurnMs: a turn costs about a
// millisecond, so a turn per block made a copy hundreds of times slower than
// the disk. Twenty turns a second keep the window answering.
constexpr uint32_t Chunk = 256 * Block;
constexpr uint32_t TurnMs = 50;
constexpr char Caption[] = "Vornaly";


bool Located(const std::string& path) {
    if (FileExists(path)) return true;
    Front().ShowMessage("Unable to locate " + path, Caption, MessageOk);
    return false;
}

// A stub copy that failed (no room, the destination in use) ends the writer:
// appending to whatever is left there would make a package that cannot run.
// The copy of a read-only stub (a program folder copied from a CD) is not
// read-only itself: it is written on, and a failed Create removes it.
bool StubCopied(const std::string& destination, const std::string& stub) {
    if (!CopyFileKeepTimes(destination, stub)) {
        Front().ShowMessage("Unable to copy " + stub + " to " + destination, Caption, MessageOk);
        return false;
    }
    uint32_t attributes = 0;
    if (ReadFileAttributes(destination, attributes) && (attributes & AttributeReadOnly) &&
        !WriteFileAttributes(destination, attributes & ~AttributeReadOnly)) {
        ShowFileError(LastFileErrorNumber());
        return false;
    }
    return true;
}

}  // namespace

std::string StubPath(const char* name) {
    return WithTrailingBackslash(StubFolder.empty() ? FolderPart(ProgramPath()) : StubFolder) +
           name;
}

void ShowFileError(int number) {
    Front().ShowMessage("Error: " + std::to_string(number), Caption, MessageOk);
}

void AppendFileWithProgress(BinaryFile& source, BinaryFile& destination, uint64_t start,
                            uint64_t length) {
    const uint64_t blocks = (length + Block - 1) / Block;
    // The bar counts 4,096-byte blocks, in at most 65,535 steps; a larger copy
    // moves it by the share of the blocks done, so that it always ends full.
    const uint32_t range = static_cast<uint32_t>(blocks < 0xFFFF ? blocks : 0xFFFF);
    CreateFront& front = Front();
    front.ProgressStart(range);
    source.SeekTo(start);
    std::vector<char> buffer(Chunk);
    uint64_t done = 0;
    uint32_t shown = 0;
    uint32_t lastTurn = MillisecondTicks();
    while (done < length) {
        const uint32_t size = static_cast<uint32_t>(length - done < Chunk ? length - done : Chunk);
        if (source.Read(buffer.data(), size) != size) throw FileError{ErrPastEnd};
        destination.Write(buffer.data(), size);
        done += size;
        if (done < length && MillisecondTicks() - lastTurn < TurnMs) continue;
        lastTurn = MillisecondTicks();
        const uint32_t due = static_cast<uint32_t>((done + Block - 1) / Block * range / blocks);
        front.ProgressAdvance(due - shown);
        shown = due;
    }
    front.ProgressHide();
}

void AppendFile(BinaryFile& destination, const std::string& path) {
    BinaryFile source = BinaryFile::OpenForReading(path);
    std::vector<char> buffer(Block);
    for (uint64_t left = source.Length(); left > 0;) {
        const uint32_t size = static_cast<uint32_t>(left < Block ? left : Block);
        if (source.Read(buffer.data(), size) != size) throw FileError{ErrPastEnd};
        destination.Write(buffer.data(), size);
        left -= size;
    }
    source.Close();
}

bool WriteInnerExecutable() {
    const std::string stub = StubPath(InnerStubName);
    if (!Located(stub)) return false;
    MakeSureFoldersExist(StripBackslash(FolderPart(OutputPath)));
    if (!Located(ArchivePath)) return false;
    Front().SetStatus("Creating EXE");
    if (!StubCopied(OutputPath, stub)) return false;
    try {
        BinaryFile inner = BinaryFile::OpenForUpdate(OutputPath);
        inner.SeekToEnd();
        BinaryFile archive = BinaryFile::OpenForReading(ArchivePath);
        AppendFileWithProgress(archive, inner, 0, archive.Length());
        archive.Close();
        inner.Close();
        CaptureArchiveTimes();
    } catch (const FileError& error) {
        RemoveFile(OutputPath);
        ShowFileError(error.number);
        return false;
    }
    RemoveFile(ArchivePath);
    return true;
}

bool MarkInnerExecutable(const std::string& path) {
    if (path.empty() || !FileExists(path)) return false;
    char mark[2] = {};
    try {
        BinaryFile inner = BinaryFile::OpenExistingForUpdate(path);
        inner.SeekTo(InnerStubLength);
        if (inner.Read(mark, 2) == 2 && mark[0] == 'P' && mark[1] == 'K') {
            inner.SeekTo(InnerStubLength);
            inner.Write("ZS", 2);
            inner.Close();
            return true;
        }
    } catch (const FileError& error) {
        ShowFileError(error.number);
        return false;
    }
    Front().ShowMessage("Corrupted installation package", Caption, MessageOk);
    return false;
}

namespace {

// Everything of the package after the outer stub's first copy.
bool AppendPackageData(const std::string& stub, const std::string& entryName) {
    try {
        BinaryFile package = BinaryFile::OpenForUpdate(OutputPath);
        package.SeekToEnd();
        package.Write(std::string(StubPadding, '\0'));
        package.Write(StubMarker);
        AppendFile(package, stub);
        package.Write(StubMarker);
        package.Write(RecordMarker);
        PasswordText = CutToCharacters(Front().Password(), MaxPasswordText);
        package.Write(InstallationRecord(entryName, PasswordText, InstallExecutable));
        BinaryFile inner = BinaryFile::OpenForReading(IntermediatePath);
        AppendFileWithProgress(inner, package, 0, inner.Length());
        inner.Close();
        package.Close();
        return true;
    } catch (const FileError& error) {
        RemoveFile(OutputPath);
        ShowFileError(error.number);
        return false;
    }
}

}  // namespace

bool WritePackage(const std::string& entryName) {
    const std::string stub = StubPath(OuterStubName);
    if (!Located(stub)) return false;
    bool written = false;
    if (Located(IntermediatePath)) {
        Front().SetStatus("Create Vornaly");
        written = StubCopied(OutputPath, stub) && AppendPackageData(stub, entryName);
    }
    Front().SetStatus("Ready");
    Front().ProgressHide();
    return written;
}
