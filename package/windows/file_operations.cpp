// Removing, moving and making through Windows' ANSI calls.
#include "file_operations.h"

#include <windows.h>

#include "path_helpers.h"

bool RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

bool MoveFileTo(const std::string& from, const std::string& to) {
    return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

bool MakeFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != FALSE; }

bool RemoveFolder(const std::string& path) { return RemoveDirectoryA(path.c_str()) != FALSE; }

// GetTempFileName makes the file to claim the name; the move that follows
// takes its place.
std::string FreeNameBeside(const std::string& path) {
    char name[MAX_PATH];
    const std::string folder = FolderPart(path);
    if (!GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "vnp", 0, name)) return "";
    DeleteFileA(name);
    return name;
}
