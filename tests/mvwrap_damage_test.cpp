// Archives that are damaged, huge or not the component's to write: each is
// refused and left as it was, ZipCount agreeing with Zzip; and the files the
// component itself leaves beside an archive never end up inside one.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "component_calls.h"
#include "component_test.h"
#include "mvwrap.h"
#include "temp_dir.h"

namespace {

using Names = std::vector<std::string>;

using DamageTest = ComponentTest;

uint32_t Get32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

uint16_t Get16(const std::string& bytes, size_t at) {
    return static_cast<uint16_t>(Get32(bytes + "\0\0", at) & 0xFFFF);
}

void Put(std::string& bytes, size_t at, uint32_t value, int size = 4) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// Where the two entries' headers are in an archive the component wrote.
struct Layout {
    size_t local[2];
    size_t central[2];
};

Layout Locate(const std::string& zip) {
    Layout layout;
    layout.central[0] = Get32(zip, zip.size() - 22 + 16);
    layout.central[1] = layout.central[0] + 46 + Get16(zip, layout.central[0] + 28) +
                        Get16(zip, layout.central[0] + 30) + Get16(zip, layout.central[0] + 32);
    for (int i = 0; i < 2; ++i) layout.local[i] = Get32(zip, layout.central[i] + 42);
    return layout;
}

// Each case changes one thing in a sound archive of two entries; every
// result must be refused as damaged by Zzip, counted 0 by ZipCount, and left
// byte for byte as it was.
TEST_F(DamageTest, RefusesArchivesWhoseHeadersDisagreeOrOverrun) {
    dir.MakeFile("in\\a.txt", std::string(3000, 'a'));
    dir.MakeFile("in\\b.txt", "b");
    ASSERT_EQ(Zip(dir / "good.zip", dir / "in\\*.*"), MVWRAP_OK);
    const std::string good = ReadWholeFile(dir / "good.zip");
    const Layout at = Locate(good);
    ASSERT_EQ(Get32(good, at.local[0]), 0x04034b50u);
    ASSERT_EQ(Get32(good, at.central[1]), 0x02014b50u);
    const size_t localExtra = at.local[0] + 30 + Get16(good, at.local[0] + 26);
    const size_t centralExtra = at.central[0] + 46 + Get16(good, at.central[0] + 28);
    const struct {
        const char* what;
        std::function<void(std::string&)> change;
    } cases[] = {
        {"central compressed size 0xFFFFFFFF",
         [&](std::string& z) { Put(z, at.central[0] + 20, 0xFFFFFFFF); }},
        {"central compressed size 0xFFFFFFF0",
         [&](std::string& z) { Put(z, at.central[0] + 20, 0xFFFFFFF0); }},
        {"both compressed sizes 0xFFFFFFF0",
         [&](std::string& z) {
             Put(z, at.central[0] + 20, 0xFFFFFFF0);
             Put(z, at.local[0] + 18, 0xFFFFFFF0);
         }},
        {"central compressed size one smaller",
         [&](std::string& z) { Put(z, at.central[0] + 20, Get32(z, at.central[0] + 20) - 1); }},
        {"both compressed sizes one larger",
         [&](std::string& z) {
             Put(z, at.central[0] + 20, Get32(z, at.central[0] + 20) + 1);
             Put(z, at.local[0] + 18, Get32(z, at.local[0] + 18) + 1);
         }},
        {"central size differs", [&](std::string& z) { Put(z, at.central[1] + 24, 2); }},
        {"central CRC differs", [&](std::string& z) { z[at.central[1] + 16] ^= 1; }},
        {"data descriptor flag only in the local header",
         [&](std::string& z) { z[at.local[0] + 6] |= 8; }},
        {"data descriptor flag only in the central record",
         [&](std::string& z) { z[at.central[1] + 8] |= 8; }},
        {"method differs", [&](std::string& z) { Put(z, at.local[1] + 8, 8, 2); }},
        {"local name differs", [&](std::string& z) { z[at.local[1] + 30] = 'c'; }},
        {"two records share one local header",
         [&](std::string& z) { Put(z, at.central[1] + 42, static_cast<uint32_t>(at.local[0])); }},
        {"local header signature", [&](std::string& z) { z[at.local[1] + 3] = 9; }},
        {"local offset inside the directory",
         [&](std::string& z) { Put(z, at.central[1] + 42, static_cast<uint32_t>(at.central[0])); }},
        {"local extra block runs past its end",
         [&](std::string& z) { Put(z, localExtra + 2, 33, 2); }},
        {"central extra block runs past its end",
         [&](std::string& z) { Put(z, centralExtra + 2, 33, 2); }},
        {"a data byte changed", [&](std::string& z) { z[at.local[1] - 5] ^= 0x10; }},
        {"stored data shorter than its size",
         [&](std::string& z) {
             Put(z, at.central[1] + 20, 0);
             Put(z, at.local[1] + 18, 0);
         }},
        {"patched-data flag in both headers",
         [&](std::string& z) {
             z[at.local[1] + 6] |= 0x20;
             z[at.central[1] + 8] |= 0x20;
         }},
        {"UTF-8 flag only in the central record",
         [&](std::string& z) { z[at.central[1] + 9] |= 0x08; }},
        {"local header needs a newer version", [&](std::string& z) { z[at.local[1] + 4] = 0x94; }},
        {"entry on another disk", [&](std::string& z) { Put(z, at.central[0] + 34, 1, 2); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = good;
        c.change(bytes);
        ASSERT_NE(bytes, good);
        std::string path = dir.MakeFile("damaged.zip", bytes);
        EXPECT_EQ(ZipCount(path.c_str()), 0);
        EXPECT_EQ(Zip(path, dir / "in\\*.*"), MVWRAP_ARCHIVE_DAMAGED);
        EXPECT_NE(Message(MVWRAP_ARCHIVE_DAMAGED).find(path), std::string::npos);
        EXPECT_EQ(ReadWholeFile(path), bytes);
    }
    EXPECT_EQ(FolderContents(dir.Path()), (Names{"damaged.zip", "good.zip", "in"}));
}

// Writes bytes over a file in place and gives it the times asked for, as
// another program that changed it would leave it (or one that covered its
// tracks by putting the times back).
void Overwrite(const std::string& path, const std::string& bytes, const FILETIME times[2]) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    EXPECT_TRUE(SetFileTime(file, &times[0], nullptr, &times[1]));
    CloseHandle(file);
}

// The archive Zzip wrote last is listed from its directory alone, and only
// while its path, size, times and directory are as Zzip left them; a change
// to any of them, or the same bytes and times at another path, gets the
// full check, so a damaged archive is still refused by ZipCount and Zzip.
TEST_F(DamageTest, TrustsOnlyItsOwnLastArchiveAndOnlyWhileItIsUnchanged) {
    dir.MakeFile("in\\a.txt", std::string(3000, 'a'));
    dir.MakeFile("in\\b.txt", "b");
    const struct {
        const char* what;
        bool elsewhere;  // the changed bytes at another path, with the archive's times
        std::function<void(std::string&, const Layout&)> change;
        bool later;  // the last-write time moves on
        int32_t count;
    } cases[] = {
        {"unchanged", false, [](std::string&, const Layout&) {}, false, 2},
        {"a data byte changed", false,
         [](std::string& z, const Layout& at) { z[at.local[1] - 5] ^= 0x10; }, true, 0},
        {"a name in the directory changed, times put back", false,
         [](std::string& z, const Layout& at) { z[at.central[1] + 46] = 'c'; }, false, 0},
        {"its own bytes at another path", true, [](std::string&, const Layout&) {}, false, 2},
        {"a data byte changed at another path, same times", true,
         [](std::string& z, const Layout& at) { z[at.local[1] - 5] ^= 0x10; }, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string own = dir / "own.zip", other = dir / "other.zip";
        DeleteFileA(own.c_str());
        DeleteFileA(other.c_str());
        ASSERT_EQ(Zip(own, dir / "in\\*.*"), MVWRAP_OK);
        std::string bytes = ReadWholeFile(own);
        WIN32_FILE_ATTRIBUTE_DATA data;
        ASSERT_TRUE(GetFileAttributesExA(own.c_str(), GetFileExInfoStandard, &data));
        FILETIME times[2] = {data.ftCreationTime, data.ftLastWriteTime};
        if (c.later) times[1].dwHighDateTime += 1;  // about seven minutes on
        c.change(bytes, Locate(bytes));
        const std::string target = c.elsewhere ? other : own;
        Overwrite(target, bytes, times);

        EXPECT_EQ(ZipCount(target.c_str()), c.count);
        if (c.count > 0) {
            EXPECT_EQ(Listing(target), (Names{"a.txt", "b.txt"}));
        } else {
            EXPECT_EQ(Zip(target, dir / "in\\*.*"), MVWRAP_ARCHIVE_DAMAGED);
            EXPECT_EQ(ReadWholeFile(target), bytes);
        }
    }
}

// An end record claiming a directory of gigabytes: refused after reading a
// little of it, not after allocating it. The file is sparse, so it takes no
// room on disk.
TEST_F(DamageTest, RefusesAHugeDeclaredDirectoryWithoutAllocatingIt) {
    dir.MakeFile("in\\a.txt", "a");
    const uint64_t size = 0xF0000000u;
    const struct {
        const char* what;
        uint16_t entries;
        uint32_t offset;
    } cases[] = {
        {"one entry", 1, 0},
        {"most entries", 0xFFFF, 0x200000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string path = dir / "huge.zip";
        HANDLE file =
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        std::string end("PK\x05\x06", 4);
        end.resize(22, '\0');
        Put(end, 8, c.entries, 2);
        Put(end, 10, c.entries, 2);
        Put(end, 12, static_cast<uint32_t>(size - 22 - c.offset));
        Put(end, 16, c.offset);
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(size - 22);
        DWORD written = 0;
        ASSERT_TRUE(SetFilePointerEx(file, at, nullptr, FILE_BEGIN));
        ASSERT_TRUE(WriteFile(file, end.data(), 22, &written, nullptr));
        CloseHandle(file);

        EXPECT_EQ(ZipCount(path.c_str()), 0);
        EXPECT_EQ(Zip(path, dir / "in\\*.*"), MVWRAP_ARCHIVE_DAMAGED);
        WIN32_FILE_ATTRIBUTE_DATA data;
        ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
        EXPECT_EQ((uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow, size);
        DeleteFileA(path.c_str());
    }
}

TEST_F(DamageTest, RefusesAReadOnlyArchiveAndNamesIt) {
    dir.MakeFile("in\\a.txt", "a");
    const std::string archive = dir / "out.zip";
    ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
    const std::string before = ReadWholeFile(archive);
    dir.MakeFile("in\\b.txt", "b");
    ASSERT_TRUE(SetFileAttributesA(archive.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_ARCHIVE_UNWRITABLE);
    EXPECT_NE(Message(MVWRAP_ARCHIVE_UNWRITABLE).find("\"" + archive + "\""), std::string::npos);
    EXPECT_EQ(ReadWholeFile(archive), before);
    EXPECT_EQ(Listing(archive), Names{"a.txt"});
    EXPECT_EQ(FolderContents(dir.Path()), (Names{"in", "out.zip"}));
}

// Temporary files named as the component names its own, beside an archive
// made inside the folder being zipped: a leftover is removed, one another
// run still holds stays, neither is packed; look-alikes elsewhere are content.
TEST_F(DamageTest, NeverPacksItsOwnTemporaryFiles) {
    dir.MakeFile("in\\a.txt", "a");
    dir.MakeFile("in\\mvz1A2B.tmp", "left by a killed run");
    dir.MakeFile("in\\MVZ0000BEEF.TMP", "left by a killed run");
    dir.MakeFile("in\\mvzebra.tmp", "content");
    dir.MakeFile("in\\sub\\mvz1234.tmp", "content");
    std::string held = dir.MakeFile("in\\mvz00C0FFEE.tmp", "another run's");
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const std::string archive = dir / "in\\out.zip";
    EXPECT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK) << Message(MVWRAP_FILE_LOCKED);
    CloseHandle(holder);
    EXPECT_EQ(Listing(archive), (Names{"a.txt", "mvzebra.tmp", "sub\\mvz1234.tmp"}));
    EXPECT_EQ(FolderContents(dir / "in"),
              (Names{"a.txt", "mvz00C0FFEE.tmp", "mvzebra.tmp", "out.zip", "sub"}));
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// An archive folder longer than the platform's path limit: the temporary
// name must not overrun a fixed buffer, and nothing is left behind.
TEST_F(DamageTest, HandlesAnArchiveFolderLongerThanThePathLimit) {
    dir.MakeFile("in\\a.txt", "a");
    const std::string first = dir / std::string(150, 'f');
    const std::string folder = first + "\\" + std::string(150, 's');
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + Wide(first)).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + Wide(folder)).c_str(), nullptr));
    const std::string archive = folder + "\\out.zip";
    int32_t result = Zip(archive, dir / "in\\*.*");
    EXPECT_TRUE(result == MVWRAP_OK || result == MVWRAP_ARCHIVE_UNWRITABLE) << result;
    if (result == MVWRAP_OK) {
        EXPECT_EQ(Listing(archive), Names{"a.txt"});
    }
    DeleteFileW((L"\\\\?\\" + Wide(archive)).c_str());
    EXPECT_TRUE(RemoveDirectoryW((L"\\\\?\\" + Wide(folder)).c_str())) << "something was left";
    RemoveDirectoryW((L"\\\\?\\" + Wide(first)).c_str());
}

}  // namespace
