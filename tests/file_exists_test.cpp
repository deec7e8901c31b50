#include <gtest/gtest.h>

#include <windows.h>

#include <imagehlp.h>

#include <algorithm>
#include <string>
#include <vector>

#include "path_helpers.h"
#include "platform_paths.h"
#include "temp_dir.h"

namespace {

class FileExistsTest : public testing::Test {
protected:
    void SetUp() override {
        dir.MakeFile("plain.txt", "x");
        dir.MakeFile("readonly.txt", "x", FILE_ATTRIBUTE_READONLY);
        dir.MakeFile("archived.txt", "x", FILE_ATTRIBUTE_ARCHIVE);
        dir.MakeFile("hidden.dat", "x", FILE_ATTRIBUTE_HIDDEN);
        dir.MakeFile("system.dat", "x", FILE_ATTRIBUTE_SYSTEM);
        dir.MakeFolder("folder.txt");
        dir.MakeFolder("only-hidden");
        dir.MakeFile("only-hidden\\secret.bin", "x", FILE_ATTRIBUTE_HIDDEN);
        dir.MakeFolder("empty");
    }
    TempDir dir;
};

TEST_F(FileExistsTest, CountsOnlyVisiblePlainFiles) {
    struct Case {
        std::string path;
        bool exists;
    } cases[] = {
        {dir / "plain.txt", true},      {dir / "readonly.txt", true},
        {dir / "archived.txt", true},   {dir / "hidden.dat", false},
        {dir / "system.dat", false},    {dir / "folder.txt", false},
        {dir / "missing.txt", false},   {dir / "missing\\plain.txt", false},
        {dir / "*.txt", true},   // plain.txt matches
        {dir / "*.dat", false},  // only hidden and system files match
        {dir / "only-hidden\\", false}, {dir / "empty\\", false},
        {dir.Path() + "\\", true},  // a folder path searches the folder's "*.*"
    };
    for (const Case& c : cases) EXPECT_EQ(FileExists(c.path), c.exists) << c.path;
}

TEST(ProgramPathTest, NamesTheRunningExecutable) {
    std::string path = ProgramPath();
    EXPECT_EQ(FileNamePart(path), "path_tests.exe");
    EXPECT_TRUE(FileExists(path));
}


// What folders a path leads to: the Windows 95 way must make the same ones
// as the system's own function.
std::vector<std::string> FoldersBelow(const std::string& root, const std::string& prefix = "") {
    std::vector<std::string> folders;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((root + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return folders;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == ".." || !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        folders.push_back(prefix + name);
        for (const std::string& inner : FoldersBelow(root + "\\" + name, prefix + name + "\\"))
            folders.push_back(inner);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(folders.begin(), folders.end());
    return folders;
}

TEST(MakeFoldersAbove, MakesWhatTheSystemFunctionMakes) {
    for (const char* shape : {"a\\b\\file.txt", "a\\b\\c\\", "plain", "d\\\\e\\f", "a\\g"}) {
        TempDir ours, system;
        ours.MakeFolder("a");
        system.MakeFolder("a");
        MakeFoldersAbove(ours / shape);
        MakeSureDirectoryPathExists((system / shape).c_str());
        EXPECT_EQ(FoldersBelow(ours.Path()), FoldersBelow(system.Path())) << shape;
    }
}

}  // namespace
