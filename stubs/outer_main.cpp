// Install.vnp, the outer stub: the program a package starts with. It finds
// its installation record from its own length, gathers the inner executable
// (from the following pieces too when the package was cut for diskettes)
// into a private temporary folder, runs it there and returns its exit code.
#include <windows.h>

#include <stdlib.h>
#include <string.h>

#include "command_line.h"
#include "install_record.h"
#include "package_layout.h"
#include "file_io.h"
#include "stub_messages.h"

using namespace stub;

namespace {

const char kHelp[] =
    "Installs the program in this package.\n\n"
    "/X:folder\tExtracts the files into the folder without running anything.\n"
    "/Q\tRuns without any window except error messages.\n"
    "/P:password\tGives the password of a protected package.\n"
    "/?\tShows these switches.";

const char kInnerName[] = "VNPINNER.EXE";

bool AppendBlocks(ByteSource& source, uint32_t offset, uint32_t length, HANDLE to,
                  const char* target, char* block, uint32_t blockSize);

// Copies length bytes from the source at offset to the end of the file.
bool AppendBytes(ByteSource& source, uint32_t offset, uint32_t length, HANDLE to,
                 const char* target) {
    const uint32_t kBlock = 65536;
    char* block = static_cast<char*>(malloc(kBlock));
    if (!block) {
        ShowError("There is not enough memory to unpack the installation.");
        return false;
    }
    bool copied = AppendBlocks(source, offset, length, to, target, block, kBlock);
    free(block);
    return copied;
}

bool AppendBlocks(ByteSource& source, uint32_t offset, uint32_t length, HANDLE to,
                  const char* target, char* block, uint32_t blockSize) {
    FileSink sink(to);
    while (length > 0) {
        uint32_t part = length < blockSize ? length : blockSize;
        if (!source.Read(offset, block, part)) {
            ShowError("The installation package could not be read.");
            return false;
        }
        if (!sink.Write(block, part)) {
            if (IsDiskFull(sink.Error()))
                ShowError("The disk is full: the installation could not be unpacked to %s.",
                          target);
            else
                ShowError("The installation could not be unpacked to %s (error %lu).", target,
                          sink.Error());
            return false;
        }
        offset += part;
        length -= part;
    }
    return true;
}

// The piece's name on the root of the drive the first piece came from.
bool OnDriveRoot(const char* piece, const char* firstPiece, char* path) {
    const char* name = strrchr(piece, '\\');
    name = name ? name + 1 : piece;
    if (firstPiece[0] == 0 || firstPiece[1] != ':') return false;
    if (strlen(name) + 4 >= MAX_PATH) return false;
    wsprintfA(path, "%c:\\%s", firstPiece[0], name);
    return true;
}

enum class PieceAnswer { kFound, kCancelled, kFailed };

// The size a piece in this place has: all but the last are full.
bool RightSize(uint32_t size, int number, int count) {
    return number < count ? size == PieceSize : size > 0 && size <= PieceSize;
}

// Looks for a piece in the first piece's folder and on the root of its
// drive, asking for the diskette until it is there; its path in found.
PieceAnswer FindPiece(const char* prefix, const char* firstPiece, int number, int count, bool quiet,
                      char* found) {
    char name[MAX_PATH], onRoot[MAX_PATH];
    if (!PieceName(prefix, number, name, sizeof name)) return PieceAnswer::kFailed;
    const char* shortName = strrchr(name, '\\') ? strrchr(name, '\\') + 1 : name;
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
                strcpy(found, candidate);
                return PieceAnswer::kFound;
            }
            wrongSize = true;
        }
        if (quiet) {
            ShowError(wrongSize ? "%s is not the right piece of this package."
                                : "The piece %s is missing.",
                      name);
            return PieceAnswer::kFailed;
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

// Writes the inner executable: the rest of this file after the record,
// then the following pieces in order. 0 or the exit code.
int WriteInnerExecutable(FileSource& self, uint32_t stubLength, const char* selfPath, int pieces,
                         bool quiet, const char* innerPath) {
    FileHandle inner(CreateFileA(innerPath, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!inner.valid()) {
        ShowError("The installation could not be unpacked to %s (error %lu).", innerPath,
                  GetLastError());
        return kExitFailed;
    }
    uint32_t from = uint32_t(InnerOffset(stubLength));
    if (!AppendBytes(self, from, self.Size() - from, inner.get(), innerPath)) return kExitFailed;
    if (pieces < 2) return 0;
    char prefix[MAX_PATH];
    if (!PieceNamePrefix(selfPath, prefix, sizeof prefix)) {
        ShowError("The names of the pieces of %s are too long.", selfPath);
        return kExitFailed;
    }
    for (int number = 2; number <= pieces; ++number) {
        char found[MAX_PATH];
        PieceAnswer answer = FindPiece(prefix, selfPath, number, pieces, quiet, found);
        if (answer == PieceAnswer::kCancelled) return kExitCancelled;
        if (answer == PieceAnswer::kFailed) return kExitFailed;
        FileSource piece(found);
        if (!piece.Open() || !RightSize(piece.Size(), number, pieces)) {
            ShowError("The piece %s could not be read.", found);
            return kExitFailed;
        }
        if (!AppendBytes(piece, 0, piece.Size(), inner.get(), innerPath)) return kExitFailed;
    }
    return 0;
}

int RunInner(const char* innerPath, const char* commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    char line[2048];
    lstrcpynA(line, commandLine, sizeof line);
    if (!CreateProcessA(innerPath, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        ShowError("The installation could not be started from %s (error %lu).", innerPath,
                  GetLastError());
        return kExitFailed;
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = DWORD(kExitFailed);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    return int(code);
}

int RunPackage(const char* arguments) {
    PackageSwitches switches;
    if (!ParsePackageSwitches(arguments, switches)) {
        ShowError("The switch %s is not known.\n\n%s", switches.unknown, kHelp);
        return kExitFailed;
    }
    if (switches.help) {
        MessageBoxA(nullptr, kHelp, "Vornaly", MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    char selfPath[MAX_PATH];
    GetModuleFileNameA(nullptr, selfPath, sizeof selfPath);
    FileSource self(selfPath);
    char record[RecordLength];
    uint32_t stubLength = ExecutableLength(self);
    if (!self.Open() || !ReadPackageRecord(self, stubLength, record)) {
        ShowError("The installation package %s is damaged.", selfPath);
        return kExitFailed;
    }
    // Only a first piece is cut at the piece size; a whole package that
    // happens to have digits there (from its password) is not read as one.
    int pieces = self.Size() == PieceSize ? PieceCount(record) : 1;
    if (pieces < 1) pieces = 1;
    // A package cut into a single piece is whole, but its count still
    // stands over the password's positions 90 to 92.
    bool spanned = pieces > 1 || PieceCount(record) == 1;

    char folder[MAX_PATH], innerPath[MAX_PATH], target[MAX_PATH];
    if (!MakePrivateFolder(folder, sizeof folder - sizeof kInnerName - 8)) {
        ShowError("No temporary folder could be made to unpack the installation.");
        return kExitFailed;
    }
    wsprintfA(innerPath, "%s%s", folder, kInnerName);
    if (switches.extractOnly) {
        if (!GetFullPathNameA(switches.folder, sizeof target, target, nullptr)) {
            ShowError("The folder %s is not a valid folder name.", switches.folder);
            RemoveTree(folder);
            return kExitFailed;
        }
    } else {
        wsprintfA(target, "%sFILES", folder);
    }
    int code = WriteInnerExecutable(self, stubLength, selfPath, pieces, switches.quiet, innerPath);
    if (code == 0) {
        char recordHex[2 * RecordLength + 1], passwordHex[2 * 100 + 1];
        ToHex(record, RecordLength, recordHex);
        // The writer keeps 39 characters of a password; a longer one given
        // here is cut well beyond that, so that the command line fits.
        ToHex(switches.password, strlen(switches.password) < 100 ? strlen(switches.password) : 100,
              passwordHex);
        char commandLine[2048];
        wsprintfA(commandLine, "\"%s\" /R:%s \"/D:%s\"%s%s%s%s%s", innerPath, recordHex, target,
                  spanned ? " /S" : "", switches.quiet ? " /Q" : "",
                  switches.extractOnly ? " /X" : "", switches.passwordGiven ? " /P:" : "",
                  switches.passwordGiven ? passwordHex : "");
        code = RunInner(innerPath, commandLine);
    }
    // The inner stub removes the files it extracted unless it was asked to
    // keep them; what is left here is the inner executable.
    // The platform may hold the inner executable a moment after it ended.
    for (int tries = 0; tries < 50 && !DeleteFileA(innerPath) &&
                        GetFileAttributesA(innerPath) != INVALID_FILE_ATTRIBUTES;
         ++tries)
        Sleep(100);
    folder[strlen(folder) - 1] = 0;
    if (!RemoveDirectoryA(folder) && GetFileAttributesA(target) == INVALID_FILE_ATTRIBUTES)
        RemoveTree(folder);
    return code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunPackage(SkipProgramName(GetCommandLineA()));
}
