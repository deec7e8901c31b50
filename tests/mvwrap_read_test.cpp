// Reading a file on the component's workers: whatever the folder listing
// said of its size (the file may have grown or shrunk since), its bytes come
// out whole, in blocks cut every 256 KiB from its start, each after the first
// primed with the 32 KiB before it, the last one marked; a file held whole
// stops once it is past what is held; a file that cannot be opened leaves the
// system's error for the caller.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compressor_pool.h"
#include "file_read.h"
#include "file_system.h"
#include "noise.h"
#include "scratch_folder.h"

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
    ScratchFolder dir;
    CompressorPool pool(2, 6);
    ASSERT_TRUE(pool.Start());
    int index = 0;
    for (const ReadCase& c : cases) {
        SCOPED_TRACE("size " + std::to_string(c.size) + ", listed " + std::to_string(c.listed));
        std::string data = Noise(static_cast<size_t>(c.size));
        std::wstring path = dir.MakeFile("f" + std::to_string(index++), data);
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

// Whatever the system says when the file is opened, the caller learns from
// the worker that opened it.
TEST(FileReadTest, LeavesTheErrorOfAFileThatCannotBeOpened) {
    ScratchFolder dir;
    CompressorPool pool(1, 6);
    ASSERT_TRUE(pool.Start());
    for (const std::wstring& path : {dir / "gone.txt", dir / "gone/gone.txt"}) {
        File file;
        ASSERT_FALSE(OpenToRead(path, file));
        const SystemError error = LastError();
        ASSERT_NE(error, 0u);
        FileRead reading;
        reading.Start(path, 4);
        reading.ReadUpTo(kHeldFileSize + 1);
        RunAndWait(pool, reading);
        EXPECT_EQ(reading.error, error);
        EXPECT_TRUE(reading.made.empty());
        EXPECT_FALSE(reading.ended);
    }
}

}  // namespace
