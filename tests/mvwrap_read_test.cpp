// The local times of many files, as the one conversion gives each, and
// reading a file on the component's workers: whatever the folder listing
// said of its size (the file may have grown or shrunk since), its bytes come
// out whole, in blocks cut every 256 KiB from its start, each after the first
// primed with the 32 KiB before it, the last one marked; a file held whole
// stops once it is past what is held; a file that cannot be opened leaves the
// platform's error for the caller. And the folders the component never
// packs from, told apart by identity.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "ansi_text.h"
#include "compressor_pool.h"
#include "entry_writer.h"
#include "file_read.h"
#include "local_time.h"
#include "never_packed.h"
#include "temp_dir.h"

namespace {

using namespace mvwrap;

const uint64_t kBlock = kBlockSize;

struct ReadCase {
    uint64_t size;    // of the file
    uint64_t listed;  // what the listing said
    uint64_t upTo;    // ReadUpTo
    uint64_t read;    // expected: bytes read by the one task
};

// The blocks a read must have made of the first `read` bytes of `data`.
void ExpectBlocks(const FileRead& reading, const std::string& data, uint64_t read, bool ended) {
    size_t whole = static_cast<size_t>(read / kBlock);
    // Without the end, the last block read waits for the one after it.
    size_t blocks = ended ? whole + (read % kBlock ? 1 : 0) : (read % kBlock ? whole : whole - 1);
    if (read == 0) blocks = 0;
    ASSERT_EQ(reading.made.size(), blocks);
    for (size_t i = 0; i < blocks; ++i) {
        SCOPED_TRACE("block " + std::to_string(i));
        const Block& block = *reading.made[i];
        size_t start = i * kBlock;
        size_t length = std::min<size_t>(kBlock, static_cast<size_t>(read) - start);
        EXPECT_TRUE(std::string(block.raw.begin(), block.raw.end()) == data.substr(start, length));
        size_t primed = i == 0 ? 0 : 32 * 1024;
        EXPECT_TRUE(std::string(block.dictionary.begin(), block.dictionary.end()) ==
                    data.substr(start - primed, primed));
        EXPECT_EQ(block.last, ended && i + 1 == blocks);
        EXPECT_TRUE(block.done) << "handed to the pool and compressed";
    }
}

void RunAndWait(CompressorPool& pool, FileRead& reading) {
    pool.Submit(&reading, false);
    while (!pool.Done(&reading)) pool.WaitForAny();
    for (const auto& block : reading.made)
        while (!pool.Done(block.get())) pool.WaitForAny();
}

TEST(FileReadTest, CutsWhatIsThereWhateverTheListingSaid) {
    const uint64_t held = kHeldFileSize + 1;
    const ReadCase cases[] = {
        {0, 0, held, 0},
        {0, 500, held, 0},    // emptied since
        {700, 0, held, 700},  // grew from nothing
        {700, 700, held, 700},
        {700, 900, held, 700},           // shrank
        {kBlock, kBlock, held, kBlock},  // ends on a boundary
        {kBlock + 1, kBlock, held, kBlock + 1},
        {3 * kBlock + 5, 100, held, 3 * kBlock + 5},  // grew by blocks
        {kBlock - 1, 3 * kBlock, held, kBlock - 1},
        {kHeldFileSize, kHeldFileSize, held, kHeldFileSize},
        {kHeldFileSize + 2 * kBlock, kHeldFileSize, held, kHeldFileSize + kBlock},  // past held
        {3 * kBlock + 5, 3 * kBlock + 5, 0, kBlock},  // one block a task
    };
    TempDir dir;
    CompressorPool pool(2, 6);
    ASSERT_TRUE(pool.Start());
    int index = 0;
    for (const ReadCase& c : cases) {
        SCOPED_TRACE("size " + std::to_string(c.size) + ", listed " + std::to_string(c.listed));
        std::string data = Noise(static_cast<size_t>(c.size));
        std::wstring path = FromAnsi(dir.MakeFile("f" + std::to_string(index++), data));
        FileRead reading;
        reading.Start(path, c.listed);
        reading.ReadUpTo(c.upTo);
        RunAndWait(pool, reading);
        EXPECT_EQ(reading.error, 0u);
        EXPECT_FALSE(reading.failed);
        EXPECT_EQ(reading.read, c.read);
        const bool ended =
            c.read == c.size && (c.upTo > c.read || c.size % kBlock != 0 || c.size == 0);
        EXPECT_EQ(reading.ended, ended);
        ExpectBlocks(reading, data, c.read, ended);
        // Read on, a block a task, to the end: nothing is lost between tasks.
        std::string joined;
        for (const auto& block : reading.made) joined.append(block->raw.begin(), block->raw.end());
        for (int tasks = 0; !reading.ended && tasks < 100; ++tasks) {
            reading.made.clear();
            reading.ReadUpTo(0);
            RunAndWait(pool, reading);
            ASSERT_EQ(reading.error, 0u);
            for (const auto& block : reading.made)
                joined.append(block->raw.begin(), block->raw.end());
        }
        EXPECT_TRUE(reading.ended);
        EXPECT_EQ(reading.read, c.size);
        EXPECT_TRUE(joined == data) << "the blocks do not join into the file";
    }
}

TEST(FileReadTest, LeavesTheErrorOfAFileThatCannotBeOpened) {
    TempDir dir;
    CompressorPool pool(1, 6);
    ASSERT_TRUE(pool.Start());
    const std::string locked = dir.MakeFile("locked.txt", "held");
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const struct {
        std::string path;
        DWORD error;
    } cases[] = {
        {dir / "gone.txt", ERROR_FILE_NOT_FOUND},
        {dir / "gone\\gone.txt", ERROR_PATH_NOT_FOUND},
        {locked, ERROR_SHARING_VIOLATION},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::wstring path = FromAnsi(c.path);
        FileRead reading;
        reading.Start(path, 4);
        reading.ReadUpTo(kHeldFileSize + 1);
        RunAndWait(pool, reading);
        EXPECT_EQ(reading.error, c.error);
        EXPECT_TRUE(reading.made.empty());
        EXPECT_FALSE(reading.ended);
    }
    CloseHandle(holder);
}

FILETIME At(int year, int month, int day, int hour, int minute, int second, int extra) {
    SYSTEMTIME time = {static_cast<WORD>(year),
                       static_cast<WORD>(month),
                       0,
                       static_cast<WORD>(day),
                       static_cast<WORD>(hour),
                       static_cast<WORD>(minute),
                       static_cast<WORD>(second),
                       0};
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    ULARGE_INTEGER ticks{{file.dwLowDateTime, file.dwHighDateTime}};
    ticks.QuadPart += static_cast<ULONGLONG>(extra);  // 100 ns steps
    return {ticks.LowPart, ticks.HighPart};
}

// Runs of times close together, as a setup's files are, about the changes
// of daylight-saving time in the zone the tests run in (set for them) and
// away from them, each with fractions of a millisecond: every one must come
// out as the conversion gives it alone.
TEST(LocalTimesTest, GivesWhatTheConversionGivesEachTime) {
    SYSTEMTIME winter, summer;
    ASSERT_TRUE(ToLocalTime(At(2021, 1, 15, 12, 0, 0, 0), winter));
    ASSERT_TRUE(ToLocalTime(At(2021, 7, 15, 12, 0, 0, 0), summer));
    ASSERT_NE(winter.wHour, summer.wHour) << "the zone has no daylight-saving time to test";
    const struct {
        FILETIME start;
        int count;
        int step;  // seconds
    } runs[] = {
        {At(2021, 3, 28, 0, 30, 0, 1234567), 200, 17},  // spring change, 01:00 UTC in Europe
        {At(2021, 10, 31, 0, 44, 59, 9999), 100, 1},    // autumn change
        {At(2021, 10, 31, 0, 59, 59, 5), 3, 1},         // about its very instant
        {At(1999, 6, 1, 8, 0, 0, 42), 300, 2},         {At(2030, 3, 31, 0, 0, 0, 0), 500, 9},
    };
    LocalTimes times;
    int checked = 0;
    for (const auto& run : runs) {
        ULARGE_INTEGER ticks{{run.start.dwLowDateTime, run.start.dwHighDateTime}};
        for (int i = 0; i < run.count; ++i, ticks.QuadPart += 10000000ull * run.step) {
            FILETIME time = {ticks.LowPart, ticks.HighPart};
            SYSTEMTIME alone, memo;
            ASSERT_TRUE(ToLocalTime(time, alone));
            ASSERT_TRUE(times.Convert(time, memo));
            ASSERT_EQ(std::memcmp(&alone, &memo, sizeof alone), 0)
                << alone.wYear << "-" << alone.wMonth << "-" << alone.wDay << " " << alone.wHour
                << ":" << alone.wMinute << ":" << alone.wSecond << "." << alone.wMilliseconds
                << " came out as " << memo.wHour << ":" << memo.wMinute << ":" << memo.wSecond
                << "." << memo.wMilliseconds;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 1103);
}

// The 9x line opens no folder, so there the archive's folder is known by
// its spelling alone, as it was before identities.
TEST(NeverPackedTest, TellsFoldersApartByIdentityWhereBothAreKnown) {
    const FileIdentity one{7, 0, 42}, other{7, 0, 43};
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
