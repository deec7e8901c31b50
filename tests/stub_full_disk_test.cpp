// A package extracted onto a disk that fills up says so in one sentence and
// tells where the files extracted before stay; without any window (/Q:A) it
// takes them back and only its log says why. The disk is the 1 MB memory
// file system of the full-disk tests; without it the tests are skipped.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "file_io.h"
#include "stub_packages.h"
#include "temp_dir.h"

namespace {

class StubFullDisk : public testing::Test {
protected:
    void SetUp() override {
        if (!IsSmallDisk(disk))
            GTEST_SKIP() << disk << " is not a small disk of its own (mounting needs root)";
        std::string archive = StoredZip({{"a.txt", "first"}, {"big.bin", Noise(2 << 20)}});
        WriteBytes(package,
                   TestPackage(OuterStub(), InnerStub(), archive, TestRecord("big.bin", "", "")));
    }
    void TearDown() override { stub::RemoveTree(target.c_str()); }

    const std::string disk = WinePath(FULL_DISK_UNIX_PATH);
    const std::string target = disk + "\\out";
    TempDir temp;
    const std::string package = temp / "PACKAGE.EXE";
};

TEST_F(StubFullDisk, SaysTheDiskIsFull) {
    std::string shown;
    EXPECT_EQ(RunChild("\"" + package + "\" /Q \"/X:" + target + "\"",
                       [&] {
                           HWND box = WaitForForeignDialog("Vornaly");
                           ASSERT_NE(box, nullptr);
                           shown = BoxText(box);
                           PostMessageA(box, WM_COMMAND, IDOK, 0);
                       }),
              1);
    EXPECT_EQ(shown, "The disk is full: " + target +
                         "\\big.bin could not be written. The files "
                         "extracted before stay in " +
                         target + ".");
    EXPECT_EQ(ReadWholeFile(target + "\\a.txt"), "first");
    EXPECT_EQ(GetFileAttributesA((target + "\\big.bin").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(StubFullDisk, WithoutAnyWindowTakesBackWhatItExtracted) {
    std::string log = temp / "run.log";
    bool windowSeen = false;
    EXPECT_EQ(RunChild(
                  "\"" + package + "\" /Q:A \"/X:" + target + "\" \"/L:" + log + "\"",
                  [&] { windowSeen = WaitForForeignDialog("Vornaly", 3000) != nullptr; }, 20000),
              1);
    EXPECT_FALSE(windowSeen);
    EXPECT_EQ(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(ReadWholeFile(log).find("Error: The disk is full: " + target + "\\big.bin"),
              std::string::npos)
        << ReadWholeFile(log);
}

}  // namespace
