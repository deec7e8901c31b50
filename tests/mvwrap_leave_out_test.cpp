// Files a Zzip call never packs, however the path that names them is
// spelled: those left out with LeaveOut, the archive itself, and the
// component's temporary files in the archive's folder. Files of the same
// names in other folders are ordinary content.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "component_calls.h"
#include "component_test.h"
#include "mvwrap.h"
#include "temp_dir.h"
#include "win_handles.h"

namespace {

using Names = std::vector<std::string>;

const char kFolder[] = "Output Folder";
const char kLeftOut[] = "Package Setup.exe";
const char kArchive[] = "Setup Archive.zip";
const char kTemporary[] = "mvz1234ABCD.tmp";

// The same path by drive Z:, which Wine gives the host's root: drive C: is
// the prefix's drive_c folder. (This Wine's DefineDosDevice defines a name
// that its file calls do not follow.)
std::string OnDriveZ(const std::string& path) {
    char prefix[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH);
    if (!length || length >= MAX_PATH || path.compare(0, 3, "C:\\") != 0) return "";
    return WinePath(std::string(prefix) + "/drive_c") + path.substr(2);
}

enum class Spelling { AsIs, OtherCase, Short, SecondDrive };
enum class What { LeftOutFile, Archive, Temporary };

std::string OtherCase(std::string path) {
    for (char& c : path)
        c = static_cast<char>(std::isupper(static_cast<unsigned char>(c)) ? std::tolower(c)
                                                                          : std::toupper(c));
    return path;
}

std::string ShortPath(const std::string& path) {
    char shortPath[MAX_PATH];
    DWORD length = GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    return length && length < MAX_PATH ? std::string(shortPath, length) : "";
}

class LeaveOutTest : public ComponentTest {
protected:
    void TearDown() override {
        LeaveOut("");
        ComponentTest::TearDown();
    }

    static std::string Spelled(const std::string& path, Spelling spelling) {
        switch (spelling) {
        case Spelling::AsIs: return path;
        case Spelling::OtherCase: return OtherCase(path);
        case Spelling::Short: return ShortPath(path);
        case Spelling::SecondDrive: return OnDriveZ(path);
        }
        return path;
    }
};

TEST_F(LeaveOutTest, NeverPacksTheFileHoweverItsPathIsSpelled) {
    const std::string folder = dir / "in\\" + kFolder;
    for (const char* name : {kLeftOut, kArchive, kTemporary})
        dir.MakeFile(std::string("in\\other\\") + name, name);
    dir.MakeFile(std::string("in\\") + kFolder + "\\" + kLeftOut, "left out");
    dir.MakeFile("in\\a.txt", "a");
    ASSERT_NE(OnDriveZ(folder), "") << "no second drive for " << folder;
    ASSERT_NE(ShortPath(folder), folder) << "the folder has no 8.3 name of its own";

    const Names all = {"a.txt", std::string("other\\") + kTemporary,
                       std::string("other\\") + kLeftOut, std::string("other\\") + kArchive,
                       std::string(kFolder) + "\\" + kLeftOut};
    const struct {
        Spelling spelling;
        What what;
    } cases[] = {
        {Spelling::AsIs, What::LeftOutFile},  {Spelling::OtherCase, What::LeftOutFile},
        {Spelling::Short, What::LeftOutFile}, {Spelling::SecondDrive, What::LeftOutFile},
        {Spelling::AsIs, What::Archive},      {Spelling::OtherCase, What::Archive},
        {Spelling::Short, What::Archive},     {Spelling::SecondDrive, What::Archive},
        {Spelling::AsIs, What::Temporary},    {Spelling::OtherCase, What::Temporary},
        {Spelling::Short, What::Temporary},   {Spelling::SecondDrive, What::Temporary},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("spelling " + std::to_string(int(c.spelling)) + ", what " +
                     std::to_string(int(c.what)));
        std::string archive = dir / "out.zip";
        Names expected = all;
        if (c.what == What::LeftOutFile) {
            const std::string leftOut = Spelled(folder + "\\" + kLeftOut, c.spelling);
            ASSERT_EQ(LeaveOut(leftOut.c_str()), MVWRAP_OK);
            expected.pop_back();
        } else {
            // The folder is spelled: the archive is not there before the
            // first call.
            archive = Spelled(folder, c.spelling) + "\\" + kArchive;
        }
        // Held as a run still writing it holds its temporary file, so that
        // the removal of a killed run's leftovers keeps it.
        FileHandle temporary;
        if (c.what == What::Temporary) {
            const std::string path =
                dir.MakeFile(std::string("in\\") + kFolder + "\\" + kTemporary);
            temporary.reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(temporary.valid());
        }
        for (int call = 1; call <= (c.what == What::Archive ? 3 : 1); ++call) {
            SCOPED_TRACE("call " + std::to_string(call) + ", archive " + archive);
            const int32_t error = Zip(archive, dir / "in\\*.*");
            ASSERT_EQ(error, MVWRAP_OK) << Message(static_cast<int16_t>(error));
            EXPECT_EQ(Listing(archive), expected);
        }
        temporary.reset();
        DeleteFileA((folder + "\\" + kTemporary).c_str());
        DeleteFileA(archive.c_str());
        LeaveOut("");
    }
}

// The list is read when each Zzip starts: a file moved to a listed path
// later is left out, and an emptied list, or one a stop cleared, leaves out
// nothing.
TEST_F(LeaveOutTest, EachCallFindsWhatIsAtTheListedPathsThen) {
    const std::string archive = dir / "out.zip";
    const std::string listed = dir / "in\\Setup.old";
    dir.MakeFile("in\\a.txt", "a");
    ASSERT_EQ(LeaveOut(listed.c_str()), MVWRAP_OK);
    ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
    EXPECT_EQ(Listing(archive), Names{"a.txt"});
    dir.MakeFile("in\\Setup.exe", "package");
    ASSERT_TRUE(MoveFileA((dir / "in\\Setup.exe").c_str(), listed.c_str()));
    ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
    EXPECT_EQ(Listing(archive), Names{"a.txt"});

    ASSERT_EQ(LeaveOut(""), MVWRAP_OK);
    ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
    EXPECT_EQ(Listing(archive), (Names{"a.txt", "Setup.old"}));

    DeleteFileA(archive.c_str());
    ASSERT_EQ(LeaveOut(listed.c_str()), MVWRAP_OK);
    ASSERT_EQ(StopMorvane(), MVWRAP_OK);
    ASSERT_EQ(RunMorvane(), MVWRAP_OK);
    ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
    EXPECT_EQ(Listing(archive), (Names{"a.txt", "Setup.old"}));
}

}  // namespace
