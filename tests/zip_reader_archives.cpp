// Writes archives with the real MVWRAP.DLL into a folder of the build tree,
// with a manifest of what each must hold, for check_archives.py to test with
// independent zip readers on the host. The expectations come from the files
// this program makes, never from the component.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "component_calls.h"
#include "mvwrap.h"
#include "temp_dir.h"

namespace {

const std::string kOutput = WinePath(ZIP_READER_ARCHIVES_DIR);

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex.empty() ? "-" : hex;
}

std::string Text(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) text += "Line " + std::to_string(i) + " of the read-me.\r\n";
    return text;
}

// 2021-06-15 13:45:31.1234567 UTC, plus some seconds: odd and even seconds,
// and a fraction that only the exact times keep.
FILETIME TimeOf(int seconds) {
    SYSTEMTIME base = {2021, 6, 2, 15, 13, 45, 31, 0};
    FILETIME time;
    SystemTimeToFileTime(&base, &time);
    ULARGE_INTEGER ticks{{time.dwLowDateTime, time.dwHighDateTime}};
    ticks.QuadPart += 1234567 + 10000000ull * seconds;
    return {ticks.LowPart, ticks.HighPart};
}

uint64_t Ticks(const FILETIME& time) {
    return static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

struct Expected {
    std::string name;  // as Zipped gives it
    std::string bytes;
    DWORD attributes;
    uint64_t written;
    std::string method;  // "stored", "deflated", or "any"
    bool folder;
    bool timed;  // whether the entry's times are ours to check
};

std::string Unhex(const std::string& hex) {
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

// The entries of the archive seed_archives.py wrote as another program would.
std::vector<Expected> SeedEntries() {
    std::vector<Expected> entries;
    std::ifstream manifest(kOutput + "\\seed-manifest.txt");
    std::string kind, name, attributes, written, method, bytes;
    while (manifest >> kind >> name >> attributes >> written >> method >> bytes)
        entries.push_back({Unhex(name), Unhex(bytes), 0, 0, method, false, false});
    EXPECT_FALSE(entries.empty());
    return entries;
}

class ReaderArchives : public testing::Test {
protected:
    static void SetUpTestSuite() {
        CreateDirectoryA(kOutput.c_str(), nullptr);
        DeleteFileA((kOutput + "\\manifest.txt").c_str());
    }
    void SetUp() override { ASSERT_EQ(RunMorvane(), MVWRAP_OK); }
    void TearDown() override { StopMorvane(); }

    Expected File(const std::string& name, const std::string& bytes, const char* method = "any",
                  DWORD attributes = 0) {
        std::string path = source.MakeFile(name, bytes);
        FILETIME written = TimeOf(++files);
        HANDLE file =
            CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
        CloseHandle(file);
        if (attributes) SetFileAttributesA(path.c_str(), attributes);
        std::string::size_type slash = name.find('\\');
        return {name.substr(slash + 1), bytes, attributes, Ticks(written), method, false, true};
    }

    Expected Folder(const std::string& name) {
        source.MakeFolder(name);
        std::string::size_type slash = name.find('\\');
        return {name.substr(slash + 1) + "\\", "", 0, 0, "stored", true, false};
    }

    // Zips each folder of the source in turn into the archive (new, or a copy
    // of `startFrom`), checks the listing and records what it must hold.
    void Write(const std::string& archive, const std::vector<std::string>& folders, int32_t level,
               const std::vector<Expected>& expected, const std::string& startFrom = "") {
        std::string path = kOutput + "\\" + archive;
        DeleteFileA(path.c_str());
        if (!startFrom.empty()) {
            ASSERT_TRUE(CopyFileA(startFrom.c_str(), path.c_str(), FALSE));
        }
        for (const std::string& folder : folders) {
            ASSERT_EQ(Zip(path, source / folder + "\\*.*", level), MVWRAP_OK) << folder;
        }
        std::vector<std::string> names;
        for (const Expected& entry : expected) names.push_back(entry.name);
        ASSERT_EQ(Listing(path), names);
        std::ofstream manifest(kOutput + "\\manifest.txt", std::ios::app | std::ios::binary);
        manifest << "archive " << archive << "\n";
        for (const Expected& entry : expected) {
            manifest << (entry.folder ? "folder " : "file ") << Hex(entry.name) << " "
                     << entry.attributes << " "
                     << (entry.timed ? std::to_string(entry.written) : "-") << " " << entry.method
                     << " " << Hex(entry.bytes) << "\n";
        }
    }

    TempDir source;
    int files = 0;
};

TEST_F(ReaderArchives, SeveralFoldersIntoOneArchive) {
    const std::string exe = "MZ" + Noise(2000) + std::string(30000, '\0') + Text(50) + Noise(500);
    std::vector<Expected> app = {
        File("app\\empty.txt", "", "stored"),
        File("app\\hidden.txt", "hidden", "any", FILE_ATTRIBUTE_HIDDEN),
        File("app\\name with spaces.txt", Text(3)),
        File("app\\random.bin", Noise(200000), "stored"),
        File("app\\readme.txt", "replaced"),
        File("app\\readonly.txt", Text(40), "deflated", FILE_ATTRIBUTE_READONLY),
        File("app\\setup.exe", exe, "deflated", FILE_ATTRIBUTE_ARCHIVE),
        File("app\\system.ini", "[boot]\r\n", "any", FILE_ATTRIBUTE_SYSTEM),
        File("app\\\xdc"
             "bersicht \xe4.txt",
             Text(20), "deflated"),
        Folder("app\\empty folder"),
        File("app\\sub\\a.txt", Text(5)),
        File("app\\sub\\deeper\\deep.txt", Text(6)),
        File("app\\\xd6rdner\\\xfc.txt", Text(7)),
    };
    std::vector<Expected> expected;
    for (const Expected& entry : app)
        if (entry.name != "readme.txt") expected.push_back(entry);
    expected.push_back(File("more\\README.TXT", Text(100), "deflated"));
    expected.push_back(File("more\\data\\values.csv", "1;2;3\r\n4;5;6\r\n"));
    Write("several.zip", {"app", "more"}, -1, expected);
}

TEST_F(ReaderArchives, EveryLevel) {
    std::vector<Expected> entries = {File("in\\a.txt", Text(300)), File("in\\b.bin", Noise(3000)),
                                     File("in\\c.txt", Text(1))};
    for (int32_t level : {-1, 0, 1, 6, 9}) {
        SCOPED_TRACE(level);
        std::vector<Expected> expected = entries;
        expected[0].method = level == 0 ? "stored" : "deflated";
        expected[1].method = "stored";
        Write("level" + std::to_string(level) + ".zip", {"in"}, level, expected);
    }
}

// Files larger than the blocks the workers deflate one by one: the blocks
// must join into one stream that every reader inflates, whether the file
// is held whole or streamed, ends on a block boundary, has blocks that
// cannot shrink among ones that can, or is stored after all.
TEST_F(ReaderArchives, LargeFilesInBlocks) {
    SetEnvironmentVariableA("MVWRAP_THREADS", "3");
    const size_t kBlock = 256 * 1024;
    std::vector<Expected> expected = {
        File("in\\boundary.txt", Text(20000).substr(0, kBlock), "deflated"),
        File("in\\held.txt", Text(40000).substr(0, 3 * kBlock + 1), "deflated"),
        File("in\\mixed.dat", Text(12000) + Noise(2 * kBlock) + Text(17000), "deflated"),
        File("in\\streamed.bin", Noise(17 * kBlock + 5), "stored"),
        File("in\\streamed.txt", Text(180000), "deflated"),
    };
    Write("blocks.zip", {"in"}, 6, expected);
    SetEnvironmentVariableA("MVWRAP_THREADS", nullptr);
}

// Many small files, read ahead of the writing on several workers: each
// keeps its own bytes, times and attributes, whatever its neighbours.
TEST_F(ReaderArchives, ManySmallFiles) {
    SetEnvironmentVariableA("MVWRAP_THREADS", "2");
    const DWORD kinds[] = {0, FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN,
                           FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_SYSTEM};
    std::vector<Expected> expected;
    for (int i = 0; i < 600; ++i) {
        std::string name = std::to_string(1000 + i).substr(1);
        std::string bytes = i % 9 == 4 ? Noise(200 + i) : Text(3 + i % 50);
        expected.push_back(File("pages\\p" + name + ".htm", bytes, "any", kinds[i % 5]));
    }
    Write("many.zip", {"pages"}, -1, expected);
    SetEnvironmentVariableA("MVWRAP_THREADS", nullptr);
}

// Entries written by another program, with data descriptors, are carried
// over as they are; one is replaced by a file of the same name.
TEST_F(ReaderArchives, AddsToAnArchiveFromElsewhere) {
    std::vector<Expected> expected;
    for (const Expected& entry : SeedEntries())
        if (entry.name != "from elsewhere.txt") expected.push_back(entry);
    ASSERT_EQ(expected.size(), 2u);
    expected.push_back(File("in\\From Elsewhere.TXT", Text(9), "deflated"));
    expected.push_back(File("in\\new.txt", Text(2)));
    Write("foreign.zip", {"in"}, -1, expected, kOutput + "\\seed.zip");
}

}  // namespace
