// Spanning onto a disk that fills up in the middle of a piece: the partial
// piece goes, the package stays byte for byte as it was. The disk is the
// 1 MB memory file system of the full-disk tests; without it the test skips.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "dialog_driver.h"
#include "package_format.h"
#include "spanning.h"
#include "temp_dir.h"
#include "window_front.h"
#include "working_values.h"

namespace {

TEST(SpanningOnAFullDisk, RemovesThePartialPiece) {
    const std::string disk = WinePath(FULL_DISK_UNIX_PATH);
    if (!IsSmallDisk(disk))
        GTEST_SKIP() << disk << " is not a small disk of its own (mounting needs root)";
    for (const std::string& name : FolderContents(disk)) DeleteFileA((disk + "\\" + name).c_str());

    // Fits the disk once, not twice.
    const std::string stub = Noise(1000);
    const std::string bytes = stub + std::string(StubPadding, '\0') + StubMarker + stub +
                              StubMarker + RecordMarker + std::string(RecordLength, ' ') +
                              Noise(600000);
    OutputPath = disk + "\\SETUP.EXE";
    UseCreateFront(WindowFront());
    HANDLE file =
        CreateFileA(OutputPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());

    DialogAnswerer message("Vornaly Installer");
    SpanPackage();
    message.Join();

    // A short write is 61; a write refused whole is platform error 112, so 75.
    EXPECT_TRUE(message.Text() == "Error: 61" || message.Text() == "Error: 75") << message.Text();
    EXPECT_EQ(FolderContents(disk), std::vector<std::string>{"SETUP.EXE"});
    EXPECT_TRUE(ReadWholeFile(OutputPath) == bytes);
    DeleteFileA(OutputPath.c_str());
}

}  // namespace
