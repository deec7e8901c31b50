// The archive operations of the real MVWRAP.DLL on real files, and of the
// native component built from the same sources: what Zzip finds and in
// which order, how it adds to and replaces in an archive, how it fails, and
// what ZipCount and Zipped read back. (Locked files, the memory a large file
// takes and paths in other letter case are Windows' own:
// mvwrap_platform_test.cpp.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "component_calls.h"
#include "component_test.h"
#include "mvwrap.h"
#include "temp_dir.h"

namespace {

using Names = std::vector<std::string>;

class ZipTest : public ComponentTest {
protected:
    const std::string archive = dir / "out.zip";
};

TEST_F(ZipTest, OrdersFilesByNameThenSubfoldersByName) {
    for (const char* name : {"b.txt", "A.txt", "c.TXT", "a1.txt", "B\\x.txt", "a\\z.txt",
                             "a\\Y.txt", "a\\a\\deep.txt", "C d\\e f.txt"})
        dir.MakeFile(std::string("in\\") + name, name);
    ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK) << Message(0);
    EXPECT_EQ(Listing(archive), (Names{"A.txt", "a1.txt", "b.txt", "c.TXT", "a\\Y.txt", "a\\z.txt",
                                       "a\\a\\deep.txt", "B\\x.txt", "C d\\e f.txt"}));
}

TEST_F(ZipTest, SearchesSubfoldersDownToTheSearchLimit) {
    for (const char* name : {"top.txt", "one\\1.txt", "one\\two\\2.txt", "one\\two\\three\\3.txt"})
        dir.MakeFile(std::string("in\\") + name, name);
    const struct {
        int16_t depth;
        Names expected;
    } cases[] = {
        {0, {"top.txt"}},
        {1, {"top.txt", "one\\1.txt"}},
        {2, {"top.txt", "one\\1.txt", "one\\two\\2.txt"}},
        {3, {"top.txt", "one\\1.txt", "one\\two\\2.txt", "one\\two\\three\\3.txt"}},
        {-1, {"top.txt", "one\\1.txt", "one\\two\\2.txt", "one\\two\\three\\3.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        RemoveFileAt(archive);
        SetDepth(c.depth);
        ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
        EXPECT_EQ(Listing(archive), c.expected);
    }
}

TEST_F(ZipTest, TakesHiddenAndSystemFilesOnlyWhenAsked) {
    dir.MakeFile("in\\plain.txt", "p");
    dir.MakeFile("in\\hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN);
    dir.MakeFile("in\\system.txt", "s", FILE_ATTRIBUTE_SYSTEM);
    dir.MakeFile("in\\both.txt", "b", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    dir.MakeFile("in\\secret\\inside.txt", "i");
    SetAttributes(dir / "in\\secret", FILE_ATTRIBUTE_HIDDEN);
    const struct {
        const char* options;
        Names expected;
    } cases[] = {
        {"", {"plain.txt"}},
        {" -wh", {"hidden.txt", "plain.txt", "secret\\inside.txt"}},
        {" -ws", {"plain.txt", "system.txt"}},
        {" -whs", {"both.txt", "hidden.txt", "plain.txt", "system.txt", "secret\\inside.txt"}},
        {" -wsh", {"both.txt", "hidden.txt", "plain.txt", "system.txt", "secret\\inside.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        RemoveFileAt(archive);
        ASSERT_EQ(Zip(archive, dir / "in\\*.*", -1, c.options), MVWRAP_OK);
        EXPECT_EQ(Listing(archive), c.expected);
    }
}

TEST_F(ZipTest, KeepsEmptyFilesAndFolders) {
    dir.MakeFile("in\\empty.txt");
    dir.MakeFolder("in\\nothing");
    dir.MakeFolder("in\\only\\folders");
    ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
    EXPECT_EQ(Listing(archive), (Names{"empty.txt", "nothing\\", "only\\folders\\"}));
}

TEST_F(ZipTest, AddsToTheArchiveAndReplacesEntriesOfTheSameName) {
    dir.MakeFile("one\\Readme.txt", "old");
    dir.MakeFile("one\\setup.exe", "MZ");
    dir.MakeFile("two\\README.TXT", "new");
    dir.MakeFile("two\\data\\a.dat", "data");
    ASSERT_EQ(Zip(archive, dir / "one\\*.*"), MVWRAP_OK);
    ASSERT_EQ(Zip(archive, dir / "two\\*.*"), MVWRAP_OK);
    EXPECT_EQ(Listing(archive), (Names{"setup.exe", "README.TXT", "data\\a.dat"}));
    ASSERT_EQ(Zip(archive, dir / "one\\*.*"), MVWRAP_OK);
    EXPECT_EQ(Listing(archive), (Names{"data\\a.dat", "Readme.txt", "setup.exe"}));
}

TEST_F(ZipTest, RoundTripsAnsiNames) {
    const std::string names[] = {
        "\xdc"
        "bersicht \xe4.txt",
        "Stra\xdf"
        "e\\caf\xe9.txt"};
    for (const std::string& name : names) dir.MakeFile("in\\" + name, name);
    ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
    EXPECT_EQ(Listing(archive), (Names{names[0], names[1]}));
}

TEST_F(ZipTest, TwoRunsOverTheSameFilesGiveTheSameBytes) {
    dir.MakeFile("in\\a.txt", std::string(5000, 'a'));
    dir.MakeFile("in\\sub\\b.bin", "\x01\x02\x03");
    dir.MakeFile("in\\hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    ASSERT_EQ(Zip(dir / "first.zip", dir / "in\\*.*"), MVWRAP_OK);
    ASSERT_EQ(Zip(dir / "second.zip", dir / "in\\*.*"), MVWRAP_OK);
    std::string first = ReadWholeFile(dir / "first.zip");
    EXPECT_EQ(first.substr(0, 2), "PK");
    EXPECT_EQ(ReadWholeFile(dir / "second.zip"), first);
}

TEST_F(ZipTest, RefusesBadArgumentsWithoutWritingAnything) {
    dir.MakeFile("in\\a.txt", "a");
    const struct {
        const char* what;
        std::string pattern;
        int32_t level;
        const char* options;
        const char* password;
        int32_t error;
        std::string named;  // what the message names
    } cases[] = {
        {"password", dir / "in\\*.*", -1, " -whs", "secret", MVWRAP_PASSWORD, "password"},
        {"unknown letter", dir / "in\\*.*", -1, " -whx", "", MVWRAP_BAD_OPTION, "\"-whx\""},
        {"unknown option", dir / "in\\*.*", -1, " -whs -r", "", MVWRAP_BAD_OPTION, "\"-r\""},
        {"level too high", dir / "in\\*.*", 10, "", "", MVWRAP_BAD_LEVEL, " 10 "},
        {"level too low", dir / "in\\*.*", -2, "", "", MVWRAP_BAD_LEVEL, " -2 "},
        {"no folder", "*.*", -1, "", "", MVWRAP_BAD_PATTERN, "\"*.*\""},
        {"missing folder", dir / "gone\\*.*", -1, "", "", MVWRAP_FOLDER_MISSING,
         "\"" + dir / "gone\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Zip(archive, c.pattern, c.level, c.options, c.password), c.error);
        EXPECT_NE(Message(static_cast<int16_t>(c.error)).find(c.named), std::string::npos)
            << Message(static_cast<int16_t>(c.error));
        EXPECT_EQ(FolderContents(dir.Path()), Names{"in"});
    }
}

TEST_F(ZipTest, NamesTheArchiveItCannotWrite) {
    dir.MakeFile("in\\a.txt", "a");
    const std::string nowhere = dir / "no such folder\\out.zip";
    EXPECT_EQ(Zip(nowhere, dir / "in\\*.*"), MVWRAP_ARCHIVE_UNWRITABLE);
    EXPECT_NE(Message(MVWRAP_ARCHIVE_UNWRITABLE).find(nowhere), std::string::npos);
}

std::string Replaced(std::string bytes, const std::string& from, const std::string& to) {
    return bytes.replace(bytes.find(from), from.size(), to);
}

// An archive that ZipCount cannot read gives 0, and Zzip refuses to add to
// it rather than overwrite what may be someone's data.
TEST_F(ZipTest, CountsNothingInDamagedArchives) {
    dir.MakeFile("in\\a.txt", std::string(3000, 'a'));
    dir.MakeFile("in\\b.txt", "b");
    ASSERT_EQ(Zip(dir / "good.zip", dir / "in\\*.*"), MVWRAP_OK);
    const std::string good = ReadWholeFile(dir / "good.zip");
    ASSERT_EQ(ZipCount((dir / "good.zip").c_str()), 2);
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"text", "This is not an archive at all, just some text that is long enough."},
        {"cut short", good.substr(0, good.size() - 5)},
        {"first half", good.substr(0, good.size() / 2)},
        {"directory overwritten", Replaced(good, "PK\x01\x02", "PK\x01\x09")},
        {"count wrong", good.substr(0, good.size() - 12) + "\x03" + good.substr(good.size() - 11)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string path = dir.MakeFile("damaged.zip", c.bytes);
        EXPECT_EQ(ZipCount(path.c_str()), 0);
        EXPECT_EQ(Zip(path, dir / "in\\*.*"), MVWRAP_ARCHIVE_DAMAGED);
        EXPECT_NE(Message(MVWRAP_ARCHIVE_DAMAGED).find(path), std::string::npos);
        EXPECT_EQ(ReadWholeFile(path), c.bytes);
    }
    EXPECT_EQ(ZipCount((dir / "missing.zip").c_str()), 0);
}

TEST_F(ZipTest, ListsEntriesFromZeroAndNothingOutsideThem) {
    dir.MakeFile("in\\a.txt", "a");
    dir.MakeFile("in\\b.txt", "b");
    ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
    ASSERT_EQ(ZipCount(archive.c_str()), 2);
    for (int32_t index : {-1, 2, 1000, INT32_MIN}) EXPECT_EQ(Take(Zipped(&index)), "") << index;
    int32_t last = 1;
    EXPECT_EQ(Take(Zipped(&last)), "b.txt");
    EXPECT_EQ(ZipCount((dir / "missing.zip").c_str()), 0);
    int32_t first = 0;
    EXPECT_EQ(Take(Zipped(&first)), "") << "the listing follows the last ZipCount";
}

TEST_F(ZipTest, ListingAndMessagesDoNotLeak) {
    dir.MakeFile("in\\a file with a long name to be noticed.txt", "a");
    ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
    ASSERT_EQ(ZipCount(archive.c_str()), 1);
    EXPECT_EQ(Zip(archive, dir / "gone\\*.*"), MVWRAP_FOLDER_MISSING);
    auto round = [] {
        const int32_t index = 0;
        Take(Zipped(&index));
        Message(MVWRAP_FOLDER_MISSING);
    };
    for (int i = 0; i < 100; ++i) round();
    size_t before = HeapBytesInUse();
    for (int i = 0; i < 5000; ++i) round();
    EXPECT_LT(HeapBytesInUse(), before + 4096);
}

}  // namespace
