// Zzip on its worker threads: the archive does not depend on how many there
// are, a failure while they run leaves the archive being added to byte for
// byte as it was, and no thread, handle or memory outlives a call.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "component_calls.h"
#include "component_test.h"
#include "mvwrap.h"
#include "temp_dir.h"

namespace {

using Names = std::vector<std::string>;

void SetThreads(int count) {
    SetEnvironmentVariableA("MVWRAP_THREADS", count ? std::to_string(count).c_str() : nullptr);
}

class ThreadsTest : public ComponentTest {
protected:
    void TearDown() override {
        ComponentTest::TearDown();
        SetThreads(0);
    }

    // Text that deflate shrinks, different in every block.
    static std::string Text(size_t size, int seed) {
        std::string text;
        for (unsigned line = 0; text.size() < size; ++line)
            text += "line " + std::to_string(seed * 100003 + line * 7919 % 100003) + " of text\r\n";
        text.resize(size);
        return text;
    }

    // Small pages, as help and language files come: many more than the
    // workers read at once, so that they are read ahead of the writing.
    static Names Pages() {
        Names names;
        for (int i = 0; i < 240; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "pages\\p%03d.txt", i);
            names.push_back(name);
        }
        return names;
    }

    // A tree with every way a file goes through the workers: empty, one
    // block, held whole in several blocks, streamed in blocks (larger than
    // what is held), random blocks inside text, random and stored, and
    // many small ones.
    void MakeTree(const std::string& folder) {
        const size_t kBlock = 256 * 1024;
        int seed = 100;
        for (const std::string& page : Pages()) {
            const size_t size = 200 + seed * 7919 % 1800;
            dir.MakeFile(folder + "\\" + page, Text(size, seed++));
        }
        dir.MakeFile(folder + "\\empty.txt");
        dir.MakeFile(folder + "\\small.txt", Text(3000, 1));
        dir.MakeFile(folder + "\\block.txt", Text(kBlock, 2));
        dir.MakeFile(folder + "\\held.txt", Text(3 * kBlock + 1, 3));
        dir.MakeFile(folder + "\\mixed.bin",
                     Text(kBlock, 4) + Noise(2 * kBlock) + Text(3 * kBlock / 2, 5));
        dir.MakeFile(folder + "\\sub\\streamed.txt", Text(5 << 20, 6));
        dir.MakeFile(folder + "\\sub\\noise.bin", Noise(kBlock + 17));
        dir.MakeFolder(folder + "\\sub\\nothing");
    }
};

// Sizes about the edges of blocks and of what is held whole, in text and
// in random bytes (which a large file stores after a second read).
TEST_F(ThreadsTest, GivesTheSameBytesWhateverTheThreadCount) {
    const size_t kBlock = 256 * 1024, kHeld = 4 << 20;
    MakeTree("in");
    dir.MakeFile("more\\late.txt", Text(70000, 7));
    Names edges;
    int seed = 20;
    for (size_t size : {size_t(1), kBlock - 1, kBlock + 1, kHeld - 1, kHeld, kHeld + 1}) {
        edges.push_back("t" + std::to_string(size) + ".txt");
        dir.MakeFile("edges\\" + edges.back(), Text(size, seed++));
        edges.push_back("z" + std::to_string(size) + ".bin");
        dir.MakeFile("edges\\" + edges.back(), Noise(size));
    }
    std::string first;
    for (int threads : {1, 4, 2, 16, 3}) {
        SCOPED_TRACE(threads);
        SetThreads(threads);
        const std::string archive = dir / ("out" + std::to_string(threads) + ".zip");
        ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK) << Message(0);
        ASSERT_EQ(Zip(archive, dir / "more\\*.*"), MVWRAP_OK);
        ASSERT_EQ(Zip(archive, dir / "edges\\*.*"), MVWRAP_OK);
        std::string bytes = ReadWholeFile(archive);
        if (first.empty()) first = bytes;
        EXPECT_TRUE(bytes == first) << "archive differs from the one of 1 thread";
    }
    Names expected = {"block.txt", "empty.txt", "held.txt", "mixed.bin", "small.txt"};
    for (const std::string& page : Pages()) expected.push_back(page);
    for (const char* name : {"sub\\noise.bin", "sub\\streamed.txt", "sub\\nothing\\", "late.txt"})
        expected.push_back(name);
    std::sort(edges.begin(), edges.end());
    expected.insert(expected.end(), edges.begin(), edges.end());
    EXPECT_EQ(Listing(dir / "out1.zip"), expected);
}

// A file another handle holds open without sharing.
HANDLE Hold(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                       nullptr);
}

// Where the central directory of an archive starts, from its end record.
size_t DirectoryOffset(const std::string& zip) {
    size_t at = zip.size() - 22 + 16, offset = 0;
    for (int i = 3; i >= 0; --i) offset = offset << 8 | static_cast<unsigned char>(zip[at + i]);
    return offset;
}

// The locked file comes after files the workers are still compressing, or
// after a streamed file already written into the archive being added to.
TEST_F(ThreadsTest, FailureWhileWorkersRunLeavesTheArchiveAsItWas) {
    const std::string archive = dir / "setup.zip";
    dir.MakeFile("old\\kept.txt", Text(5000, 8));
    dir.MakeFile("old\\mixed.bin", "replaced by the new one");
    ASSERT_EQ(Zip(archive, dir / "old\\*.*"), MVWRAP_OK);
    const std::string before = ReadWholeFile(archive);
    MakeTree("new");
    const struct {
        const char* locked;   // inside "new"
        const char* pattern;  // "*.*" takes in mixed.bin: the archive is rewritten
        int threads;
    } cases[] = {
        {"sub\\zz.txt", "*.txt", 1},    {"sub\\zz.txt", "*.txt", 4}, {"aa.txt", "*.txt", 4},
        {"sub\\zz.txt", "*.*", 4},      {"sub\\aa.txt", "*.*", 2},   {"pages\\p1.txt", "*.txt", 2},
        {"pages\\p239a.txt", "*.*", 3}, {"pages\\p0.txt", "*.*", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.locked) + ", " + c.pattern + ", threads " +
                     std::to_string(c.threads));
        SetThreads(c.threads);
        const std::string locked = dir.MakeFile(std::string("new\\") + c.locked, "held");
        HANDLE holder = Hold(locked);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        EXPECT_EQ(Zip(archive, dir / "new\\" + c.pattern), MVWRAP_FILE_LOCKED);
        CloseHandle(holder);
        DeleteFileA(locked.c_str());
        EXPECT_EQ(Message(MVWRAP_FILE_LOCKED), "The file \"" + locked +
                                                   "\" is in use by another program; close it "
                                                   "and try again.");
        EXPECT_TRUE(ReadWholeFile(archive) == before) << "the old archive changed";
        EXPECT_EQ(FolderContents(dir.Path()), (Names{"new", "old", "setup.zip"}));
    }
    // Adding without replacing leaves the old entries where they were.
    ASSERT_EQ(Zip(archive, dir / "new\\*.txt"), MVWRAP_OK);
    Names expected = {"kept.txt", "mixed.bin", "block.txt", "empty.txt", "held.txt", "small.txt"};
    for (const std::string& page : Pages()) expected.push_back(page);
    expected.push_back("sub\\streamed.txt");
    expected.push_back("sub\\nothing\\");
    EXPECT_EQ(Listing(archive), expected);
    const size_t old = DirectoryOffset(before);
    EXPECT_EQ(ReadWholeFile(archive).substr(0, old), before.substr(0, old));
}

// The workers read the first files while the search goes on into the
// subfolders; a file they could not read is still reported only after the
// archive itself was found sound, as when everything was listed first.
TEST_F(ThreadsTest, AFileReadDuringTheSearchFailsOnlyAfterTheArchiveChecks) {
    MakeTree("new");
    const std::string locked = dir.MakeFile("new\\aa.txt", "held");
    HANDLE holder = Hold(locked);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const struct {
        const char* what;
        const char* archive;
        int32_t error;
    } cases[] = {
        {"damaged", "This is not an archive, only text long enough to be looked at.",
         MVWRAP_ARCHIVE_DAMAGED},
        {"read-only", "", MVWRAP_ARCHIVE_UNWRITABLE},
        {"sound", nullptr, MVWRAP_FILE_LOCKED},
    };
    for (const auto& c : cases) {
        for (int threads : {1, 3}) {
            SCOPED_TRACE(std::string(c.what) + ", threads " + std::to_string(threads));
            SetThreads(threads);
            const std::string archive = dir / "setup.zip";
            if (c.archive) dir.MakeFile("setup.zip", c.archive);
            if (c.archive && !*c.archive)
                SetFileAttributesA(archive.c_str(), FILE_ATTRIBUTE_READONLY);
            EXPECT_EQ(Zip(archive, dir / "new\\*.*"), c.error);
            EXPECT_NE(Message(static_cast<int16_t>(c.error)).find(c.archive ? archive : locked),
                      std::string::npos)
                << Message(static_cast<int16_t>(c.error));
            SetFileAttributesA(archive.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(archive.c_str());
        }
    }
    CloseHandle(holder);
}

// Busy bytes in every heap of the process: the C runtime's as well as the
// process heap.
size_t AllHeapsBytesInUse() {
    HANDLE heaps[64];
    DWORD count = GetProcessHeaps(64, heaps);
    size_t total = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        PROCESS_HEAP_ENTRY entry;
        entry.lpData = nullptr;
        HeapLock(heaps[i]);
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return total;
}

size_t ThreadsOfThisProcess() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    size_t count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    CloseHandle(snapshot);
    return count;
}

size_t HandlesOfThisProcess() {
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    return count;
}

TEST_F(ThreadsTest, ManyCallsLeaveNoThreadHandleOrMemory) {
    SetThreads(4);
    dir.MakeFile("a\\one.txt", Text(600000, 9));
    dir.MakeFile("a\\two.bin", Noise(300000));
    dir.MakeFile("b\\three.txt", Text(1000, 10));
    const std::string archive = dir / "out.zip";
    // Each round makes an archive, adds to it, replaces in it and fails once.
    auto round = [&] {
        DeleteFileA(archive.c_str());
        EXPECT_EQ(Zip(archive, dir / "a\\*.*"), MVWRAP_OK);
        EXPECT_EQ(Zip(archive, dir / "b\\*.*"), MVWRAP_OK);
        EXPECT_EQ(Zip(archive, dir / "a\\*.*"), MVWRAP_OK);
        EXPECT_EQ(Zip(archive, dir / "gone\\*.*"), MVWRAP_FOLDER_MISSING);
    };
    for (int i = 0; i < 5; ++i) round();
    const size_t threads = ThreadsOfThisProcess(), handles = HandlesOfThisProcess();
    const size_t memory = AllHeapsBytesInUse();
    for (int i = 0; i < 40; ++i) {
        round();
        ASSERT_EQ(ThreadsOfThisProcess(), threads) << "round " << i;
    }
    EXPECT_EQ(HandlesOfThisProcess(), handles);
    EXPECT_LT(AllHeapsBytesInUse(), memory + 16384);
    EXPECT_EQ(Listing(archive), (Names{"three.txt", "one.txt", "two.bin"}));
}

}  // namespace
