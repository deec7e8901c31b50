// A fresh folder under the system's temporary folder for one test, removed
// with everything in it when the test ends. Built on the standard library
// alone, for the tests compiled for both systems (TempDir is Windows').
#ifndef TESTS_SUPPORT_SCRATCH_FOLDER_H
#define TESTS_SUPPORT_SCRATCH_FOLDER_H

#include <filesystem>
#include <string>

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The full path of a name inside ("a/b" for nested names).
    std::wstring operator/(const std::string& name) const;
    // Writes a file of those bytes inside; its full path.
    std::wstring MakeFile(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

#endif
