// The zip component on a disk that fills up while it writes: the archive
// that was there is left as it was, and nothing half-written stays behind.
// The disk is a 1 MB memory file system that the test run mounts (as root);
// where it could not be mounted, the test says so and is skipped.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "component_calls.h"
#include "file_copy.h"
#include "free_space.h"
#include "mvwrap.h"
#include "temp_dir.h"
#include "volume_roots.h"

namespace {

class FullDisk : public testing::Test {
protected:
    void SetUp() override {
        if (!IsSmallDisk(disk))
            GTEST_SKIP() << disk << " is not a small disk of its own (mounting needs root)";
        EmptyDisk();
        ASSERT_EQ(RunMorvane(), MVWRAP_OK);
        source.MakeFile("big\\noise.bin", Noise(2 << 20));
        source.MakeFile("small\\readme.txt", "a small file that fits");
    }
    void TearDown() override {
        StopMorvane();
        EmptyDisk();
    }

    void EmptyDisk() const {
        for (const std::string& name : FolderContents(disk))
            DeleteFileA((disk + "\\" + name).c_str());
    }

    const std::string disk = WinePath(FULL_DISK_UNIX_PATH);
    const std::string archive = disk + "\\setup.zip";
    TempDir source;
};

TEST_F(FullDisk, LeavesTheArchiveAsItWas) {
    ASSERT_EQ(Zip(archive, source / "small\\*.*"), MVWRAP_OK);
    const std::string before = ReadWholeFile(archive);
    ASSERT_FALSE(before.empty());

    EXPECT_EQ(Zip(archive, source / "big\\*.*"), MVWRAP_DISK_FULL);
    EXPECT_EQ(Message(MVWRAP_DISK_FULL),
              "The disk is full, so the archive \"" + archive + "\" could not be written.");
    EXPECT_EQ(ReadWholeFile(archive), before);
    EXPECT_EQ(FolderContents(disk), std::vector<std::string>{"setup.zip"});
    EXPECT_EQ(Listing(archive), std::vector<std::string>{"readme.txt"});
}

TEST_F(FullDisk, LeavesNoNewArchiveBehind) {
    EXPECT_EQ(Zip(archive, source / "big\\*.*"), MVWRAP_DISK_FULL);
    EXPECT_TRUE(FolderContents(disk).empty());
}

}  // namespace

namespace {

// Copying a stub: too little room is refused before anything is written, and
// a copy that runs out of room on the way leaves no truncated file.
TEST_F(FullDisk, StubCopyNeedsRoomAndLeavesNoTruncatedCopy) {
    const std::string stub = source.MakeFile("Vornaly.vnp", Noise(2 << 20));
    const std::string old = disk + "\\Old.exe";
    ASSERT_TRUE(CopyFileKeepTimes(old, source / "small\\readme.txt"));

    // Asked by drive letter, the free space is the small disk's own.
    const uint32_t free = DriveFreeBytes('Y' - 64);
    ASSERT_GT(free, 0u) << "drive Y: is not the small disk";
    ASSERT_LT(free, 2u << 20);
    EXPECT_FALSE(CopyFileKeepTimes("Y:\\Setup.exe", stub));
    // Through Z: the free space is the host's, so the copy starts and fails.
    EXPECT_FALSE(CopyFileKeepTimes(disk + "\\Setup.exe", stub));

    EXPECT_EQ(FolderContents(disk), std::vector<std::string>{"Old.exe"});
    EXPECT_EQ(ReadWholeFile(old), "a small file that fits");
}

}  // namespace

namespace {

// A network path's free space is its share's, whatever the current folder,
// a share itself included. The disk is also the share \\vornaly\small.
TEST_F(FullDisk, FreeSpaceOfANetworkPathIsItsShares) {
    const std::string share = "\\\\vornaly\\small";
    ASSERT_NE(GetFileAttributesA(share.c_str()), INVALID_FILE_ATTRIBUTES)
        << share << " is not the small disk";
    const uint32_t small = DriveFreeBytes('Y' - 64);
    ASSERT_LT(small, 2u << 20);
    EXPECT_EQ(FreeBytesAt(share + "\\Setup.exe"), small);

    char home[MAX_PATH];
    GetCurrentDirectoryA(sizeof home, home);
    ASSERT_TRUE(SetCurrentDirectoryA(share.c_str()));
    EXPECT_EQ(FreeBytesAt("Setup.exe"), small);
    EXPECT_GT(FreeBytesAt(WinePath("/tmp") + "\\Setup.exe"), small);
    // A stub that fits the host is copied to a path relative to the share.
    const std::string stub = source.MakeFile("Install.vnp", "a small stub");
    EXPECT_TRUE(CopyFileKeepTimes("Setup.exe", stub));
    SetCurrentDirectoryA(home);
    EXPECT_EQ(FolderContents(disk), std::vector<std::string>{"Setup.exe"});
}

}  // namespace
