// Files a Zzip call never packs, however the path that names them is
// spelled: those left out with LeaveOut, the archive itself, and the
// component's temporary files in the archive's folder. Files of the same
// names in other folders are ordinary content.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "component_calls.h"
#include "component_test.h"
#include "mvwrap.h"
#include "temp_dir.h"
#include "win_handles.h"

namespace {

using Names = std::vector<std::string>;
using LeaveOutTest = ComponentTest;

std::string AsIs(const std::string& path) { return path; }

std::string OtherCase(const std::string& path) {
    std::string other = path;
    for (char& c : other)
        c = static_cast<char>(isupper(c & 0xFF) ? tolower(c & 0xFF) : toupper(c & 0xFF));
    return other;
}

std::string ShortPath(const std::string& path) {
    char shortPath[MAX_PATH];
    const DWORD length = GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    return std::string(shortPath, length < MAX_PATH ? length : 0);
}

// By drive Z:, which Wine gives the host's root (C: is the prefix's
// drive_c). This Wine's DefineDosDevice makes drives its file calls ignore.
std::string OnDriveZ(const std::string& path) {
    const char* prefix = std::getenv("WINEPREFIX");
    if (!prefix || path.compare(0, 3, "C:\\") != 0) return "";
    return WinePath(std::string(prefix) + "/drive_c") + path.substr(2);
}

TEST_F(LeaveOutTest, NeverPacksTheFileHoweverItsPathIsSpelled) {
    const std::string folder = dir / "in\\Output Folder";
    for (const char* name : {"Package Setup.exe", "Setup Archive.zip", "mvz1234ABCD.tmp"})
        dir.MakeFile(std::string("in\\other\\") + name, name);
    dir.MakeFile("in\\Output Folder\\Package Setup.exe", "left out");
    const Names all = {"other\\mvz1234ABCD.tmp", "other\\Package Setup.exe",
                       "other\\Setup Archive.zip", "Output Folder\\Package Setup.exe"};
    ASSERT_NE(ShortPath(folder), folder);
    ASSERT_NE(OnDriveZ(folder), "");
    enum What { kLeftOutFile, kArchive, kTemporary };
    for (auto spell : {AsIs, OtherCase, ShortPath, OnDriveZ}) {
        for (What what : {kLeftOutFile, kArchive, kTemporary}) {
            SCOPED_TRACE(spell(folder) + ", what " + std::to_string(what));
            // The archive's folder is spelled: the archive is not there
            // before the first call.
            std::string archive = spell(folder) + "\\Setup Archive.zip";
            Names expected = all;
            if (what == kLeftOutFile) {
                archive = dir / "out.zip";
                ASSERT_EQ(LeaveOut(spell(folder + "\\Package Setup.exe").c_str()), MVWRAP_OK);
                expected.pop_back();
            }
            // Held, as a run still writing it holds it, so that the removal
            // of a killed run's leftovers keeps it.
            FileHandle temporary;
            if (what == kTemporary)
                temporary.reset(
                    CreateFileA(dir.MakeFile("in\\Output Folder\\mvz1234ABCD.tmp").c_str(),
                                GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
            for (int call = 1; call <= (what == kArchive ? 3 : 1); ++call) {
                ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK) << call;
                EXPECT_EQ(Listing(archive), expected) << call;
            }
            temporary.reset();
            DeleteFileA((folder + "\\mvz1234ABCD.tmp").c_str());
            DeleteFileA(archive.c_str());
            LeaveOut("");
        }
    }
}

// Each Zzip finds what lies at the listed paths when it starts, and a stop
// empties the list (the table above empties it with an empty text).
TEST_F(LeaveOutTest, EachCallFindsWhatIsAtTheListedPathsThen) {
    const std::string archive = dir / "out.zip", listed = dir / "in\\Setup.old";
    ASSERT_EQ(LeaveOut(listed.c_str()), MVWRAP_OK);
    dir.MakeFile("in\\a.txt", "a");
    ASSERT_TRUE(MoveFileA(dir.MakeFile("in\\Setup.exe").c_str(), listed.c_str()));
    ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
    EXPECT_EQ(Listing(archive), Names{"a.txt"});
    ASSERT_EQ(StopMorvane(), MVWRAP_OK);
    ASSERT_EQ(RunMorvane(), MVWRAP_OK);
    ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
    EXPECT_EQ(Listing(archive), (Names{"a.txt", "Setup.old"}));
}

}  // namespace
