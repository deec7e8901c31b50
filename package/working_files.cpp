#include "working_files.h"

#include <algorithm>
#include <utility>

#include "ansi_code_page.h"
#include "binary_file.h"
#include "create_front.h"
#include "file_errors.h"
#include "file_identities.h"
#include "mvwrap.h"
#include "path_helpers.h"
#include "spanning.h"
#include "upper_case.h"
#include "win_handles.h"
#include "working_values.h"

namespace {

constexpr char Caption[] = "Vornaly";

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Read-only or not: a file of ours goes whatever its attributes.
bool Remove(const std::string& path) {
    if (!IsFile(path)) return true;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) != FALSE;
}

// A backslash would name a folder of the object namespace.
std::string WithoutBackslashes(std::string name) {
    const text::LeadBytes& lead = text::AnsiLeadBytes();
    for (size_t at = 0; at < name.size();) {
        size_t bytes = text::CharacterBytes(name.data(), at, name.size(), lead);
        if (bytes == 1 && name[at] == '\\') name[at] = '/';
        at += bytes;
    }
    return name;
}

// The name under which a Create holds a path: its folder by identity, so
// that every spelling of the folder meets the same hold, and its file name
// ignoring case. Where the system cannot open a folder, the folder's path.
std::string HoldName(const std::string& path) {
    const std::string folder = FolderPart(path);
    FileIdentity identity;
    std::string key = UpperCased(folder);
    if (IdentityOfPath(folder, identity)) {
        char digits[32];
        wsprintfA(digits, "%08lX%08lX%08lX/", identity.volume, identity.indexHigh,
                  identity.indexLow);
        key = digits;
    }
    std::string name = WithoutBackslashes("VNP:" + key + UpperCased(FileNamePart(path)));
    // Object names end at MAX_PATH; a long one keeps its start and a
    // checksum of the whole.
    if (name.size() >= MAX_PATH) {
        uint32_t sum = 2166136261u;
        for (unsigned char byte : name) sum = (sum ^ byte) * 16777619u;
        char digits[16];
        wsprintfA(digits, "#%08lX", static_cast<unsigned long>(sum));
        name = name.substr(0, MAX_PATH - 16) + digits;
    }
    return name;
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
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA((FolderPart(OutputPath) + stem + "*.exe").c_str(), &found));
    if (!search.valid()) return pieces;
    do {
        const std::string name = found.cFileName;
        const std::string digits =
            name.substr(0, name.find('.')).substr(std::min(stem.size(), name.size()));
        if (digits.size() != 3 || digits.find_first_not_of("0123456789") != std::string::npos ||
            digits == "000")
            continue;
        const int number = (digits[0] - '0') * 100 + (digits[1] - '0') * 10 + (digits[2] - '0');
        const std::string piece = PieceName(OutputPath, number);
        if (lstrcmpiA(FileNamePart(piece).c_str(), name.c_str()) == 0 && IsFile(piece))
            pieces.push_back(piece);
    } while (FindNextFileA(search.get(), &found));
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
        HANDLE mutex = CreateMutexA(nullptr, FALSE, HoldName(*path).c_str());
        const DWORD error = GetLastError();
        if (mutex) held_.push_back(mutex);
        if (mutex && error != ERROR_ALREADY_EXISTS) continue;
        Front().ShowMessage("Unable to use " + *path + ": " +
                                (mutex ? std::string("another Create is using it")
                                       : "Error: " + std::to_string(FileErrorNumber(error))),
                            Caption, MB_OK);
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
                                Caption, MB_OK);
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
        const int number = FileErrorNumber(GetLastError());
        aside_.PutBack();
        Front().ShowMessage("Unable to move " + *path + " aside" + (to.empty() ? "" : " to " + to) +
                                ": Error: " + std::to_string(number),
                            Caption, MB_OK);
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
            if (!Remove(*path)) Front().ShowMessage("Unable to remove " + *path, Caption, MB_OK);
        aside_.PutBack();
    }
    LeaveOutOfArchive("");
    for (HANDLE mutex : held_) CloseHandle(mutex);
}
