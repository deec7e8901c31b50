#include "working_files.h"

#include "create_front.h"
#include "file_errors.h"
#include "win_handles.h"
#include "working_values.h"

namespace {

constexpr char Caption[] = "Vornaly";

bool Present(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Read-only or not: a file of ours goes whatever its attributes.
bool Remove(const std::string& path) {
    if (!IsFile(path)) return !Present(path);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) != FALSE;
}

std::vector<const std::string*> WorkingPaths() {
    return {&ArchivePath, &IntermediatePath, &KeptPackagePath};
}

// The name under which a Create holds a path: the same for every spelling
// that differs only in case.
std::string HoldName(const std::string& path) {
    // A backslash would name a folder of the object namespace.
    std::string name = "VNP:" + path;
    CharUpperBuffA(&name[0], static_cast<DWORD>(name.size()));
    for (char& c : name)
        if (c == '\\') c = '/';
    return name;
}

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
    for (const std::string* path : WorkingPaths()) {
        if (Remove(*path)) continue;
        Front().ShowMessage("Unable to remove " + *path, Caption, MB_OK);
        return false;
    }
    // Hidden and system files too: whatever is there is kept, never built over.
    if (IsFile(OutputPath) && !MoveFileA(OutputPath.c_str(), KeptPackagePath.c_str())) {
        Front().ShowMessage("Unable to move " + OutputPath + " aside to " + KeptPackagePath +
                                ": Error: " + std::to_string(FileErrorNumber(GetLastError())),
                            Caption, MB_OK);
        return false;
    }
    prepared_ = true;
    return true;
}

void WorkingFiles::Finish() {
    finished_ = true;
    if (!Remove(KeptPackagePath))
        Front().ShowMessage("Unable to remove " + KeptPackagePath, Caption, MB_OK);
}

WorkingFiles::~WorkingFiles() {
    if (prepared_ && !finished_) {
        QuietErrorMode quiet;
        // Once prepared, whatever lies at these paths is this run's.
        bool removed = true;
        for (const std::string* path : {&OutputPath, &ArchivePath, &IntermediatePath}) {
            // A folder of that name was there before and is not ours.
            if (!IsFile(*path) || Remove(*path)) continue;
            if (path == &OutputPath) removed = false;
            Front().ShowMessage("Unable to remove " + *path, Caption, MB_OK);
        }
        if (IsFile(KeptPackagePath) &&
            !(removed && MoveFileA(KeptPackagePath.c_str(), OutputPath.c_str())))
            Front().ShowMessage(
                "Unable to put the old package back: it is kept as " + KeptPackagePath, Caption,
                MB_OK);
    }
    for (HANDLE mutex : held_) CloseHandle(mutex);
}
