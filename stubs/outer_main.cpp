// Install.vnp, the outer stub: the program a package starts with. It finds
// its installation record from its own length, gathers the inner executable
// (from the following pieces too when the package was cut for diskettes)
// into a private temporary folder, runs it there and returns its exit code.
// With /T it reads the package through instead and writes nothing.
#include <windows.h>

#include <stdlib.h>
#include <string.h>

#include "command_line.h"
#include "dll_search.h"
#include "install_record.h"
#include "package_check.h"
#include "package_layout.h"
#include "piece_search.h"
#include "start_retry.h"
#include "file_io.h"
#include "platform.h"
#include "stub_messages.h"
#include "stub_paths.h"

using namespace stub;

namespace {

const char kHelp[] =
    "Installs the program in this package.\n\n"
    "/X:folder\tExtracts the files into the folder without running anything.\n"
    "/Q\tRuns without any window except error messages.\n"
    "/Q:A\tRuns without any window at all; every error ends the package.\n"
    "/P:password\tGives the password of a protected package.\n"
    "/T\tTests the package and writes nothing.\n"
    "/L:file\tAppends a log of what the package does to the file.\n"
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

// Writes the inner executable: the rest of the package's content after the
// record, then the following pieces in order, each copied once it is found
// (the diskette with the next one may take its place). 0 or the exit code.
int WriteInnerExecutable(ByteSource& content, uint32_t stubLength, const char* selfPath, int pieces,
                         bool quiet, const char* innerPath) {
    FileHandle inner(CreateFileA(innerPath, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!inner.valid()) {
        ShowError("The installation could not be unpacked to %s (error %lu).", innerPath,
                  GetLastError());
        return kExitFailed;
    }
    uint32_t from = uint32_t(InnerOffset(stubLength));
    if (!AppendBytes(content, from, content.Size() - from, inner.get(), innerPath))
        return kExitFailed;
    if (pieces < 2) return 0;
    for (int number = 2; number <= pieces; ++number) {
        char found[MAX_PATH];
        PieceAnswer answer = FindPiece(selfPath, number, pieces, quiet, found);
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

int RunInner(const char* innerPath, char* commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    for (int tries = 1; !CreateProcessA(innerPath, commandLine, nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &process);
         ++tries) {
        DWORD error = GetLastError();
        if (!StartAgain(error, tries)) {
            ShowError("The installation could not be started from %s (error %lu).", innerPath,
                      error);
            return kExitFailed;
        }
        Sleep(200);
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = DWORD(kExitFailed);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    return int(code);
}

// The inner stub's command line, whole: /A first, so that no window is
// shown whatever follows. False when it does not fit the room.
bool InnerCommandLine(const PackageSwitches& switches, const char* innerPath, const char* record,
                      const char* target, bool spanned, const char* logPath, char* line,
                      uint32_t room, uint32_t& needed) {
    char recordHex[2 * RecordLength + 1], passwordHex[2 * 100 + 1];
    ToHex(record, RecordLength, recordHex);
    // The writer keeps 39 characters of a password; a longer one given
    // here is cut well beyond that, so that the command line stays short.
    ToHex(switches.password, strlen(switches.password) < 100 ? strlen(switches.password) : 100,
          passwordHex);
    LineWriter writer(line, room);
    writer << "\"" << innerPath << "\"" << (switches.quietAll ? " /A" : "") << " /R:" << recordHex
           << " \"/D:" << target << "\"" << (spanned ? " /S" : "") << (switches.quiet ? " /Q" : "")
           << (switches.extractOnly ? " /X" : "");
    if (switches.passwordGiven) writer << " /P:" << passwordHex;
    if (logPath) writer << " \"/L:" << logPath << "\"";
    needed = writer.Needed();
    return writer.Fits();
}

// Unpacks the inner executable to a private temporary folder and runs it
// there with the record and the switches; what it returns.
int Install(const PackageSwitches& switches, ByteSource& content, uint32_t stubLength,
            const char* selfPath, const char* record, int pieces, bool spanned,
            const char* logPath) {
    char folder[MAX_PATH], innerPath[MAX_PATH], target[MAX_PATH];
    if (!MakePrivateFolder(folder, sizeof folder - sizeof kInnerName - 8)) {
        ShowError("No temporary folder could be made to unpack the installation.");
        return kExitFailed;
    }
    wsprintfA(innerPath, "%s%s", folder, kInnerName);
    if (switches.extractOnly) {
        if (!FullPath(switches.folder, target)) {
            ShowError("The folder %s is not a valid folder name or its path is too long.",
                      switches.folder);
            RemoveTree(folder);
            return kExitFailed;
        }
    } else {
        wsprintfA(target, "%sFILES", folder);
    }
    // Room for every part at its longest; the check keeps a part that grows
    // from ever cutting the line.
    char commandLine[2 * MAX_PATH + 2 * RecordLength + 2 * 100 + MAX_PATH + 64];
    uint32_t needed = 0;
    if (!InnerCommandLine(switches, innerPath, record, target, spanned, logPath, commandLine,
                          sizeof commandLine, needed)) {
        ShowError("The command line of the installation would take %lu characters, more than %lu.",
                  needed, DWORD(sizeof commandLine - 1));
        RemoveTree(folder);
        return kExitFailed;
    }
    int code =
        WriteInnerExecutable(content, stubLength, selfPath, pieces, switches.quiet, innerPath);
    if (code == 0) code = RunInner(innerPath, commandLine);
    // The inner stub removes the files it extracted unless it was asked to
    // keep them; what is left here is the inner executable. The platform
    // holds it a moment after it ended: until then it cannot be deleted,
    // or, deleted, it stays in the folder.
    for (int tries = 0; tries < 50; ++tries) {
        DeleteFileA(innerPath);
        if (GetFileAttributesA(innerPath) == INVALID_FILE_ATTRIBUTES) break;
        Sleep(100);
    }
    folder[strlen(folder) - 1] = 0;
    // Files the inner stub left for the restart go before their folder.
    if (!RemoveDirectoryA(folder))
        RemoveTree(folder, GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES);
    return code;
}

int RunPackage(const char* arguments) {
    PackageSwitches switches;
    bool known = ParsePackageSwitches(arguments, switches);
    // Before anything can touch a drive: no window means none of the
    // platform's either.
    if (switches.quietAll) NoSystemErrorBoxes();
    // The log is a full path: the inner stub runs in another folder.
    char logPath[MAX_PATH];
    bool logUsable = switches.logGiven && FullPath(switches.log, logPath);
    SetReporting(switches.quietAll || (switches.test && switches.quiet),
                 logUsable ? logPath : nullptr);
    if (!known) {
        if (switches.tooLong)
            ShowErrorWithHelp(kHelp, "The argument %s... is too long.", switches.unknown);
        else
            ShowErrorWithHelp(kHelp, "The switch %s is not known.", switches.unknown);
        return kExitFailed;
    }
    if (switches.logGiven && !logUsable) {
        ShowError("The log %s is not a valid file name or its path is too long.", switches.log);
        return kExitFailed;
    }
    if (!LogWritable()) {
        SetReporting(switches.quietAll, nullptr);
        ShowError("The log %s cannot be written.", logPath);
        return kExitFailed;
    }
    if (switches.help) {
        ShowNote(false, "%s", kHelp);
        return 0;
    }
    char selfPath[MAX_PATH];
    DWORD selfLength = GetModuleFileNameA(nullptr, selfPath, sizeof selfPath);
    if (selfLength == 0 || selfLength >= sizeof selfPath) {
        ShowError("The path of this installation package is too long: move it to a shorter one.");
        return kExitFailed;
    }
    LogLine("Package %s", selfPath);
    FileSource self(selfPath);
    char record[RecordLength];
    uint32_t stubLength = ExecutableLength(self);
    uint32_t contentEnd = 0;
    if (self.Open() && ReadPackageRecord(self, stubLength, record))
        contentEnd = ContentEnd(self, stubLength, record);
    if (contentEnd == 0) {
        ShowError("The installation package %s is damaged.", selfPath);
        return kExitFailed;
    }
    // What follows is read only up to the content's end: a signature after
    // it is the platform's to check.
    SourceWindow content(self, 0, contentEnd);
    int pieces = PiecesOf(content, stubLength, record);
    // A package cut into a single piece is whole, but its count still
    // stands over the password's positions 90 to 92.
    bool spanned = pieces > 1 || PieceCount(record) == 1;
    if (pieces > 1) LogLine("Piece 1 of %d: %s", pieces, selfPath);
    if (switches.test)
        return CheckPackage(selfPath, uint32_t(InnerOffset(stubLength)), contentEnd, pieces, record,
                            spanned, switches.quiet);
    return Install(switches, content, stubLength, selfPath, record, pieces, spanned,
                   switches.logGiven ? logPath : nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearch();
    return RunPackage(SkipProgramName(GetCommandLineA()));
}
