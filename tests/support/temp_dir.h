// A fresh folder under the temp path for one test, removed with everything
// in it (read-only, hidden and system files included) when the test ends.
// Paths are ANSI texts, names inside given with "\\" separators on both
// systems (windows/temp_dir.cpp, unix/temp_dir.cpp).
#ifndef TESTS_SUPPORT_TEMP_DIR_H
#define TESTS_SUPPORT_TEMP_DIR_H

#include "test_system.h"

#include <string>
#include <vector>

#include "noise.h"

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's full path, without a trailing backslash.
    const std::string& Path() const { return path_; }

    // Full path of a name inside the folder ("a\b" for nested names).
    std::string operator/(const std::string& name) const;

    // Creates a folder (and its parents) inside; returns its full path.
    std::string MakeFolder(const std::string& name) const;

    // Writes a file inside (making the folders above it) with the given bytes
    // and attributes; returns its path.
    std::string MakeFile(const std::string& name, const std::string& bytes = "",
                         DWORD attributes = FILE_ATTRIBUTE_NORMAL) const;

private:
    std::string path_;
};

// Removes a file; gives its attributes (FILE_ATTRIBUTE_*) to a file or folder.
void RemoveFileAt(const std::string& path);
void SetAttributes(const std::string& path, DWORD attributes);

// Removes a folder with everything in it, whatever the attributes.
void RemoveTree(const std::string& path);

// Bytes of a whole file, or an empty text when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Names in a folder, "." and ".." left out.
std::vector<std::string> FolderContents(const std::string& folder);

// Whether the folder is a small disk of its own, as the full-disk tests
// mount one; it is an ordinary folder where mounting needed root.
bool IsSmallDisk(const std::string& folder);

// A host path as Wine's drive Z: shows it.
std::string WinePath(std::string unixPath);

#endif
