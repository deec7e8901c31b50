// A package extracted onto a disk that fills up says so in one sentence and
// tells where the files extracted before stay. The disk is the 1 MB memory
// file system of the full-disk tests; without it the test is skipped.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "file_io.h"
#include "stub_packages.h"
#include "temp_dir.h"

namespace {

TEST(StubFullDisk, SaysTheDiskIsFull) {
    const std::string disk = WinePath(FULL_DISK_UNIX_PATH);
    ULARGE_INTEGER total{};
    if (!GetDiskFreeSpaceExA((disk + "\\").c_str(), nullptr, &total, nullptr) ||
        total.QuadPart > (4u << 20))
        GTEST_SKIP() << disk << " is not a small disk of its own (mounting needs root)";
    TempDir temp;
    std::string archive = StoredZip({{"a.txt", "first"}, {"big.bin", Noise(2 << 20)}});
    std::string package = temp / "PACKAGE.EXE";
    WriteBytes(package,
               TestPackage(OuterStub(), InnerStub(), archive, TestRecord("big.bin", "", "")));
    std::string target = disk + "\\out";
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
    stub::RemoveTree(target.c_str());
}

}  // namespace
