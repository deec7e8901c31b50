// The Windows glue's own answers: why a file cannot be opened to be read
// (a file another program writes is locked, which the writer retries), and
// folders told apart by identity, or on the 9x line by spelling.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ansi_text.h"
#include "file_system.h"
#include "never_packed.h"
#include "temp_dir.h"
#include "win_handles.h"

namespace {

using namespace mvwrap;

TEST(FileReadTest, OpeningGivesTheSystemsReason) {
    TempDir dir;
    const std::string locked = dir.MakeFile("locked.txt", "held");
    FileHandle holder(CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.valid());
    const struct {
        std::string path;
        DWORD error;
    } cases[] = {
        {dir / "gone.txt", ERROR_FILE_NOT_FOUND},
        {dir / "gone\\gone.txt", ERROR_PATH_NOT_FOUND},
        {locked, ERROR_SHARING_VIOLATION},
    };
    for (const auto& c : cases) {
        File file;
        EXPECT_FALSE(OpenToRead(FromAnsi(c.path), file)) << c.path;
        EXPECT_EQ(LastError(), c.error) << c.path;
    }
}

// The 9x line opens no folder, so there the archive's folder is known by
// its spelling alone, as it was before identities.
TEST(NeverPackedTest, TellsFoldersApartByIdentityWhereBothAreKnown) {
    const PathId one{7, 42}, other{7, 43};
    const struct {
        FolderKey a, b;
        bool same;
    } cases[] = {
        {{true, one, L"C:\\OUTP~M41\\"}, {true, one, L"C:\\OUTPUT\\"}, true},
        {{true, one, L"C:\\OUTPUT\\"}, {true, other, L"C:\\OUTPUT\\"}, false},
        {{false, one, L"C:\\OUTPUT\\"}, {true, other, L"C:\\OUTPUT\\"}, true},
        {{false, one, L"C:\\OUTP~M41\\"}, {false, one, L"C:\\OUTPUT\\"}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(SameFolder(c.a, c.b), c.same) << &c - cases;
}

}  // namespace
