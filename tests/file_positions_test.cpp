// File lengths and positions past 4 GiB through the calls every Windows
// since 95 has, on sparse files of each interesting length.
#include <gtest/gtest.h>

#include <windows.h>

#include "binary_file.h"
#include "file_positions.h"
#include "temp_dir.h"
#include "win_handles.h"

namespace {

TEST(FilePositions, ReachEveryLengthAndComeBack) {
    TempDir dir;
    // Zero, the length whose low half reads as the failure value, and the
    // first lengths that need the high half.
    const uint64_t lengths[] = {0, 0xFFFFFFFFull, 0x100000000ull, 0x1FFFFFFFFull, 0x234567890ull};
    for (uint64_t length : lengths) {
        SCOPED_TRACE(length);
        BinaryFile file = BinaryFile::OpenForUpdate(dir / "sparse.bin");
        file.SeekTo(length);
        file.EndHere();
        EXPECT_EQ(file.Length(), length);
        file.SeekTo(0);
        EXPECT_EQ(file.Position(), 0u);
        file.SeekToEnd();
        EXPECT_EQ(file.Position(), length);
        file.Close();
        {
            FileHandle raw(CreateFileA((dir / "sparse.bin").c_str(), GENERIC_READ, 0, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
            uint64_t end = 0, back = 0;
            ASSERT_TRUE(MoveFilePosition(raw.get(), 0, FILE_END, &end));
            EXPECT_EQ(end, length);
            ASSERT_TRUE(MoveFilePosition(raw.get(), -int64_t(length), FILE_CURRENT, &back));
            EXPECT_EQ(back, 0u);
        }
        ASSERT_TRUE(DeleteFileA((dir / "sparse.bin").c_str()));
    }
}

TEST(FilePositions, BeforeTheStartFails) {
    TempDir dir;
    BinaryFile::OpenForUpdate(dir / "small.bin").Close();
    FileHandle file(CreateFileA((dir / "small.bin").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(MoveFilePosition(file.get(), -1, FILE_BEGIN));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NEGATIVE_SEEK));
}

}  // namespace
