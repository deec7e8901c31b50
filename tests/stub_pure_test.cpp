// The stubs' reading code on its own: the record's overlapping fields,
// entry names that must not leave their folder, switches, piece names, the
// package layout, damaged archives and the lines of the list of files to
// remove at the next restart.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <utility>
#include <vector>

#include "command_line.h"
#include "entry_clashes.h"
#include "entry_data.h"
#include "entry_paths.h"
#include "ini_section.h"
#include "install_record.h"
#include "log_text.h"
#include "package_format.h"
#include "package_layout.h"
#include "start_retry.h"
#include "stub_packages.h"
#include "utf8.h"
#include "zip_directory.h"

namespace {

std::vector<const char*> Pointers(const std::vector<std::string>& names) {
    std::vector<const char*> pointers;
    for (const std::string& name : names) pointers.push_back(name.c_str());
    return pointers;
}

TEST(StubRecord, IsBuiltAsTheWriterBuildsIt) {
    char record[100];
    stub::BuildRecord("SETUP.EXE", "abc", "SETUP.EXE", record);
    EXPECT_EQ(std::string(record, 100), "SETUP.EXE" + std::string(50, ' ') + "SETUP.EXE" +
                                            std::string(11, ' ') + "abc" + std::string(18, ' '));
    std::string password30 = "abcdefghijklmnopqrstuvwxyz0123";
    stub::BuildRecord("a", password30.c_str(), "0123456789012345678901234", record);
    EXPECT_EQ(std::string(record + 59, 41), "0123456789012345678901234" + password30.substr(5, 16));
    EXPECT_EQ(std::string(record, 100), TestRecord("a", password30, "0123456789012345678901234"));
}

struct RecordCase {
    const char* name;
    std::string entry, password, startProgram;
    int pieces;  // 0: not spanned
    std::vector<std::string> names;
    int start;  // expected index among names
    bool hasPassword;
    std::vector<std::pair<std::string, bool>> typed;  // password typed, accepted
};

void PrintTo(const RecordCase& c, std::ostream* out) { *out << c.name; }

class StubRecordReading : public testing::TestWithParam<RecordCase> {};

TEST_P(StubRecordReading, FindsTheStartProgramAndChecksThePassword) {
    const RecordCase& c = GetParam();
    // The program's own writer makes the record.
    std::string record = InstallationRecord(c.entry, c.password, c.startProgram);
    if (c.pieces) record = WithPieceCount(record, c.pieces);
    std::vector<const char*> names = Pointers(c.names);
    int count = int(names.size());
    int start = stub::FindStartProgram(record.data(), names.data(), count, c.pieces > 0);
    EXPECT_EQ(start, c.start);
    EXPECT_EQ(stub::RecordHasPassword(record.data(), names.data(), count, start, c.pieces > 0),
              c.hasPassword);
    for (const auto& typed : c.typed)
        EXPECT_EQ(stub::PasswordMatches(record.data(), typed.first.c_str(), names.data(), count,
                                        start, c.pieces > 0),
                  typed.second)
            << typed.first;
}

const std::string kLongEntry = "disk1\\" + std::string(70, 'x') + "\\last.dat";
const std::string kLongStart = "disk1\\" + std::string(40, 'y') + "\\setup.exe";

INSTANTIATE_TEST_SUITE_P(
    Stub, StubRecordReading,
    testing::Values(
        RecordCase{"Plain",
                   "z.txt",
                   "",
                   "SETUP.EXE",
                   0,
                   {"SETUP.EXE", "SETUP.EXE2", "z.txt"},
                   0,
                   false,
                   {{"", false}}},
        RecordCase{"ShortPassword",
                   "z.txt",
                   "abc",
                   "SETUP.EXE",
                   0,
                   {"z.txt", "SETUP.EXE"},
                   1,
                   true,
                   {{"abc", true}, {"ab", false}, {"abcd", false}, {"ABC", false}, {"", false}}},
        RecordCase{"LongestNameWins",
                   "z.txt",
                   "pw",
                   "DISK1\\INSTALLER1.EXE",
                   0,
                   {"DISK1\\INSTALLER1.EX", "DISK1\\INSTALLER1.EXE", "z.txt"},
                   1,
                   true,
                   {{"pw", true}, {"pwx", false}}},
        RecordCase{"PasswordCutAt21",
                   "z.txt",
                   "abcdefghijklmnopqrstuvwxyz",
                   "SETUP.EXE",
                   0,
                   {"SETUP.EXE"},
                   0,
                   true,
                   {{"abcdefghijklmnopqrstuvwxyz", true},
                    {"abcdefghijklmnopqrstu", true},
                    {"abcdefghijklmnopqrst", false}}},
        RecordCase{"StartProgramHidesThePasswordsStart",
                   "z.txt",
                   "12345secret",
                   "0123456789012345678901234.exe",
                   0,
                   {"0123456789012345678901234.exe"},
                   0,
                   true,
                   {{"12345secret", true}, {"12345secreT", false}}},
        RecordCase{"StartProgramHidesAll",
                   "z.txt",
                   "secret",
                   kLongStart,
                   0,
                   {kLongStart, "z.txt"},
                   0,
                   false,
                   {}},
        RecordCase{"LongEntryNameIsNoPassword",
                   kLongEntry,
                   "",
                   "SETUP.EXE",
                   0,
                   {"SETUP.EXE", kLongEntry},
                   0,
                   false,
                   {}},
        RecordCase{"LongEntryNameAndPassword",
                   kLongEntry,
                   "pw",
                   "SETUP.EXE",
                   0,
                   {"SETUP.EXE", kLongEntry},
                   0,
                   true,
                   {{"pw", true}, {"p", false}}},
        RecordCase{"DigitsWhereTheCountWouldBe",
                   "z.txt",
                   "abcdefghij123",
                   "SETUP.EXE",
                   0,
                   {"SETUP.EXE"},
                   0,
                   true,
                   {{"abcdefghij123", true}, {"abcdefghij999", false}}},
        RecordCase{"CountOverThePassword",
                   "z.txt",
                   "abcdefghij123xyz",
                   "SETUP.EXE",
                   3,
                   {"SETUP.EXE"},
                   0,
                   true,
                   {{"abcdefghij123xyz", true}, {"abcdefghij123xyZ", false}}},
        RecordCase{
            "SpannedWithoutPassword", "z.txt", "", "SETUP.EXE", 2, {"SETUP.EXE"}, 0, false, {}},
        RecordCase{"NoStartProgram", "z.txt", "", "", 0, {"z.txt", "SETUP.EXE"}, -1, false, {}},
        RecordCase{
            "FolderEntryIsNoStartProgram", "z.txt", "", "SETUP", 0, {"SETUP\\"}, -1, false, {}}),
    [](const testing::TestParamInfo<RecordCase>& info) { return info.param.name; });

TEST(StubRecord, PieceCountIsThreeDigitsOrNothing) {
    for (const auto& c : std::vector<std::pair<std::string, int>>{
             {"003", 3}, {"120", 120}, {"   ", -1}, {"1 2", -1}, {"0a1", -1}}) {
        std::string record = TestRecord("a", "", "b");
        record.replace(89, 3, c.first);
        EXPECT_EQ(stub::PieceCount(record.data()), c.second) << c.first;
    }
}

TEST(StubEntryPaths, StayInsideTheirFolder) {
    for (const char* name :
         {"a.txt", "sub\\b.txt", "sub\\", "a..b", ".profile", "CONFIG.SYS", "COM10", "CON2.txt",
          "console", "sub\\deeper\\c", "COM\xB9\xB9", "LPT\xB4", "COM\xB9x"})
        EXPECT_TRUE(stub::SafeEntryPath(name, text::LeadBytes())) << name;
    for (const char* name :
         {"",        "..",          "..\\a",    "a\\..\\b",        "a\\..",   ".\\a",
          "\\a",     "C:\\a",       "C:a",      "a:stream",        "a\\\\b",  "NUL",
          "nul.txt", "sub\\COM1",   "lpt9.log", "CON .txt",        "CONOUT$", "a.",
          "a ",      "a*b",         "a?",       "a\x01",           "a/b",     "a|b",
          "COM\xB9", "com\xB2.txt", "LPT\xB3",  "sub\\lpt\xB9.log"})
        EXPECT_FALSE(stub::SafeEntryPath(name, text::LeadBytes())) << name;
}

// Names already folded to capitals. A clash is a file's name given again,
// or given as a folder (an entry below it, or its folder entry); the pair is
// told by position, the file first. A second byte "\" (0x5C) of a
// double-byte character is no separator, at the end of a name either.
TEST(StubEntryClashes, AreAFileNamedTwiceOrAsAFolder) {
    text::LeadBytes gbk;
    gbk.Add(0x81, 0xFE);
    const struct {
        const char* name;
        std::vector<const char*> names;
        bool doubleByte;
        int file, other;
    } cases[] = {
        {"Distinct", {"A.TXT", "B.TXT", "SUB\\A.TXT", "SUB\\"}, false, -1, -1},
        {"SameFileTwice", {"B.TXT", "A.TXT", "C.TXT", "A.TXT"}, false, 1, 3},
        {"FileAndEntryBelowIt", {"X\\Y.TXT", "Z", "X"}, false, 2, 0},
        {"FileAndFolderEntry", {"X", "X\\"}, false, 0, 1},
        {"FileDeepInAFolderPath", {"A\\B\\C\\D.TXT", "A\\B"}, false, 1, 0},
        {"FolderEntriesTwice", {"SUB\\", "SUB\\", "SUB\\A"}, false, -1, -1},
        {"PrefixIsNoFolder", {"AB", "A", "A.TXT", "A B\\C"}, false, -1, -1},
        {"SecondByte5CEndsAFile", {"\x95\\", "\x95\\\\A"}, true, 0, 1},
        {"SecondByte5CIsNoSeparator", {"\x95\\", "\x95\\A", "\x95\\B\\"}, true, -1, -1},
        {"Empty", {}, false, -1, -1},
    };
    for (const auto& c : cases) {
        std::vector<uint32_t> order(c.names.size());
        stub::EntryClash clash =
            stub::FirstClash(c.names.data(), uint32_t(c.names.size()), order.data(),
                             c.doubleByte ? gbk : text::LeadBytes());
        // Of a name given twice, either may be told first.
        if (clash.file > clash.other &&
            !strcmp(c.names[size_t(clash.file)], c.names[size_t(clash.other)]))
            std::swap(clash.file, clash.other);
        EXPECT_EQ(clash.file, c.file) << c.name;
        EXPECT_EQ(clash.other, c.other) << c.name;
    }
    // Many names, the clash hidden among them: the order does not matter.
    std::vector<std::string> many;
    for (int i = 0; i < 5000; ++i) many.push_back("F" + std::to_string((i * 7919) % 5000));
    many.push_back("F1234\\INSIDE");
    std::vector<const char*> names;
    for (const std::string& name : many) names.push_back(name.c_str());
    std::vector<uint32_t> order(names.size());
    stub::EntryClash clash =
        stub::FirstClash(names.data(), uint32_t(names.size()), order.data(), text::LeadBytes());
    ASSERT_GE(clash.file, 0);
    EXPECT_EQ(many[size_t(clash.file)], "F1234");
    EXPECT_EQ(clash.other, 5000);
}

// The outer stub's start of the inner executable it has just written: the
// errors of a file a scanner holds for a moment are tried again, up to five
// tries in all; any other error ends the package at the first.
TEST(StubStartRetry, PassingErrorsAreTriedAgainAFewTimes) {
    const struct {
        unsigned long error;
        int tries;
        bool again;
    } cases[] = {{32, 1, true},   {33, 1, true},   {1359, 1, true}, {32, 4, true},
                 {1359, 4, true}, {32, 5, false},  {33, 5, false},  {5, 1, false},
                 {2, 1, false},   {193, 1, false}, {740, 1, false}};
    for (const auto& c : cases)
        EXPECT_EQ(stub::StartAgain(c.error, c.tries), c.again) << c.error << " on try " << c.tries;
}

// The list of files the Windows 95 line removes while it starts holds one
// key many times, and other programs' lines stay as they are.
TEST(StubIniSection, AddsTheLineAtTheEndOfItsSection) {
    const struct {
        const char* before;
        const char* after;
    } cases[] = {
        {"", "[rename]\r\nNUL=B\r\n"},
        {"[rename]\r\nNUL=A\r\n", "[rename]\r\nNUL=A\r\nNUL=B\r\n"},
        {"[Rename]\r\nNUL=A", "[Rename]\r\nNUL=A\r\nNUL=B\r\n"},
        {"[rename]\r\nNUL=A\r\n [other]\r\nx=1\r\n",
         "[rename]\r\nNUL=A\r\nNUL=B\r\n [other]\r\nx=1\r\n"},
        {"[renamed]\r\nx=1\r\n", "[renamed]\r\nx=1\r\n[rename]\r\nNUL=B\r\n"},
        {"[other]\nx=1", "[other]\nx=1\r\n[rename]\r\nNUL=B\r\n"},
    };
    for (const auto& c : cases) {
        char out[128];
        size_t length =
            stub::AddSectionLine(c.before, strlen(c.before), "rename", "NUL=B", out, sizeof out);
        EXPECT_EQ(std::string(out, length), c.after) << c.before;
        EXPECT_EQ(stub::AddSectionLine(c.before, strlen(c.before), "rename", "NUL=B", out,
                                       strlen(c.after) - 1),
                  0u)
            << c.before;
    }
}

TEST(StubUtf8, ReadsWellFormedNamesOnly) {
    const struct {
        const char* text;
        std::vector<uint16_t> wide;  // empty: refused
    } cases[] = {
        {"a", {'a', 0}},
        {"caf\xc3\xa9 \xe2\x82\xac", {'c', 'a', 'f', 0xE9, ' ', 0x20AC, 0}},
        {"\xf0\x9f\x98\x80", {0xD83D, 0xDE00, 0}},
        {"\xc3", {}},
        {"\x80", {}},
        {"\xc0\xaf", {}},
        {"\xe0\x80\xaf", {}},
        {"\xed\xa0\x80", {}},
        {"\xf4\x90\x80\x80", {}},
    };
    for (const auto& c : cases) {
        uint16_t wide[8];
        int length = text::Utf8ToUtf16(c.text, wide, 8);
        EXPECT_EQ(std::vector<uint16_t>(wide, wide + length), c.wide) << c.text;
        char back[16];
        if (length) {
            EXPECT_STREQ(text::Utf16ToUtf8(wide, back, 16) ? back : "", c.text);
        }
    }
    uint16_t two[2];
    EXPECT_EQ(text::Utf8ToUtf16("ab", two, 2), 0);
}

struct SwitchCase {
    const char* line;
    bool ok, help, quiet, extract, passwordGiven;
    const char* folder;
    const char* password;
    const char* unknown;
};

TEST(StubSwitches, AreReadFromTheCommandLine) {
    const SwitchCase cases[] = {
        {"", true, false, false, false, false, "", "", ""},
        {"/Q", true, false, true, false, false, "", "", ""},
        {" -q  /p:a b", false, false, true, false, true, "", "a", "b"},
        {"/q \"/p:a b\"", true, false, true, false, true, "", "a b", ""},
        {"\"/X:C:\\My Folder\"", true, false, false, true, false, "C:\\My Folder", "", ""},
        {"/x:\"C:\\My Folder\" /Q", true, false, true, true, false, "C:\\My Folder", "", ""},
        {"/P:", true, false, false, false, true, "", "", ""},
        {"/?", true, true, false, false, false, "", "", ""},
        {"/X", false, false, false, false, false, "", "", "/X"},
        {"/X:", false, false, false, false, false, "", "", "/X:"},
        {"/Q /Q", false, false, true, false, false, "", "", "/Q"},
        {"/X:a /X:b", false, false, false, true, false, "a", "", "/X:b"},
        {"/Qx", false, false, false, false, false, "", "", "/Qx"},
        {"setup", false, false, false, false, false, "", "", "setup"},
    };
    for (const SwitchCase& c : cases) {
        stub::PackageSwitches s;
        EXPECT_EQ(stub::ParsePackageSwitches(c.line, s), c.ok) << c.line;
        EXPECT_EQ(s.help, c.help) << c.line;
        EXPECT_EQ(s.quiet, c.quiet) << c.line;
        EXPECT_EQ(s.extractOnly, c.extract) << c.line;
        EXPECT_EQ(s.passwordGiven, c.passwordGiven) << c.line;
        EXPECT_STREQ(s.folder, c.folder) << c.line;
        EXPECT_STREQ(s.password, c.password) << c.line;
        EXPECT_STREQ(s.unknown, c.unknown) << c.line;
    }
    EXPECT_STREQ(stub::SkipProgramName("\"C:\\a b\\x.exe\" /Q"), " /Q");
    EXPECT_STREQ(stub::SkipProgramName("x.exe"), "");
}

struct FieldSwitchCase {
    const char* line;
    bool ok, quiet, quietAll, test;
    const char* log;
    const char* unknown;
};

TEST(StubSwitches, TestQuietAllAndLogAreReadFromTheCommandLine) {
    const FieldSwitchCase cases[] = {
        {"/Q:A", true, true, true, false, "", ""},
        {"/q:a /t", true, true, true, true, "", ""},
        {"/T \"/L:C:\\a b.log\"", true, false, false, true, "C:\\a b.log", ""},
        {"/L:", false, false, false, false, "", "/L:"},
        {"/L", false, false, false, false, "", "/L"},
        {"/L:a /l:b", false, false, false, false, "a", "/l:b"},
        {"/Q /Q:A", false, true, true, false, "", "/Q:A"},
        {"/Q:B", false, false, false, false, "", "/Q:B"},
        {"/T /T", false, false, false, true, "", "/T"},
        // The line is read to its end after a fault: /Q:A and the log count
        // wherever they stand, and the first fault is the one told.
        {"/Z /Q:A", false, true, true, false, "", "/Z"},
        {"/L: /Q:A", false, true, true, false, "", "/L:"},
        {"/X: /y /Q:A \"/L:C:\\a.log\"", false, true, true, false, "C:\\a.log", "/X:"},
        {"/Q:A /Q:A", false, true, true, false, "", "/Q:A"},
        {"/q:A /Q", false, true, true, false, "", "/Q"},
    };
    for (const FieldSwitchCase& c : cases) {
        stub::PackageSwitches s;
        EXPECT_EQ(stub::ParsePackageSwitches(c.line, s), c.ok) << c.line;
        EXPECT_EQ(s.quiet, c.quiet) << c.line;
        EXPECT_EQ(s.quietAll, c.quietAll) << c.line;
        EXPECT_EQ(s.test, c.test) << c.line;
        EXPECT_STREQ(s.log, c.log) << c.line;
        EXPECT_STREQ(s.unknown, c.unknown) << c.line;
    }
}

// An argument longer than the room is refused as too long, never read cut:
// a cut /X: or /L: would name another folder or file.
TEST(StubSwitches, TooLongArgumentsAreRefusedNotCut) {
    const std::string path(600, 'a');
    const struct {
        std::string line;
        bool ok, tooLong, quietAll;
    } cases[] = {
        {"/X:" + path.substr(0, 516), true, false, false},
        {"/X:" + path.substr(0, 517), false, true, false},
        {"\"/L:" + path + "\" /Q:A", false, true, true},
        {"/Q:A /P:" + path, false, true, true},
        {"/Z /X:" + path, false, false, false},
    };
    for (const auto& c : cases) {
        stub::PackageSwitches s;
        EXPECT_EQ(stub::ParsePackageSwitches(c.line.c_str(), s), c.ok) << c.line;
        EXPECT_EQ(s.tooLong, c.tooLong) << c.line;
        EXPECT_EQ(s.quietAll, c.quietAll) << c.line;
        if (c.tooLong) {
            EXPECT_EQ(std::string(s.unknown).size(), stub::kArgumentRoom - 1);
        }
    }
}

TEST(StubCommandLine, IsWrittenWholeOrNotAtAll) {
    const struct {
        std::vector<std::string> parts;
        uint32_t room;
        bool fits;
        const char* line;
    } cases[] = {
        {{"\"a\"", " /R:", "00"}, 10, true, "\"a\" /R:00"},
        {{"\"a\"", " /R:", "00"}, 9, false, "\"a\" /R:"},
        {{"abc", "", "d"}, 5, true, "abcd"},
        {{"abc", "de", "f"}, 5, false, "abc"},
        {{std::string(1100, 'x'), " /L:log"}, 2048, true, nullptr},
        {{std::string(2047, 'x')}, 2048, true, nullptr},
        {{std::string(2048, 'x')}, 2048, false, ""},
    };
    for (const auto& c : cases) {
        std::vector<char> text(c.room, '?');
        stub::LineWriter writer(text.data(), c.room);
        std::string whole;
        for (const std::string& part : c.parts) {
            writer << part.c_str();
            whole += part;
        }
        EXPECT_EQ(writer.Fits(), c.fits) << whole.substr(0, 40);
        EXPECT_EQ(writer.Needed(), whole.size());
        EXPECT_EQ(std::string(text.data()), c.line ? std::string(c.line) : whole);
    }
}

TEST(StubLogText, ControlCharactersCannotStartLinesOfTheirOwn) {
    const struct {
        std::string text;
        uint32_t room;
        std::string logged;
    } cases[] = {
        {"Extracted a.txt (5 bytes)", 100, "Extracted a.txt (5 bytes)"},
        {"a\r\nError: forged", 100, "a<0D><0A>Error: forged"},
        {std::string("x\0", 1), 100, "x"},
        {"\t\x1f\x7f<0D>", 100, "<09><1F><7F><3C>0D>"},
        {"caf\xe9 \x83\x5c", 100, "caf\xe9 \x83\x5c"},  // code page bytes stay
        {"ab\ncd", 6, "ab"},                            // no half escape at the end
        {"ab\ncd", 7, "ab<0A>"},
        {"abc", 1, ""},
    };
    for (const auto& c : cases) {
        std::vector<char> out(c.room + 1, '?');
        uint32_t length = stub::EscapeLogText(c.text.c_str(), out.data(), c.room);
        EXPECT_EQ(std::string(out.data()), c.logged) << c.text;
        EXPECT_EQ(length, c.logged.size()) << c.text;
        EXPECT_EQ(out[c.room], '?') << c.text;
    }
}

TEST(StubPieceNames, FollowTheFirstPiece) {
    const std::pair<const char*, const char*> cases[] = {
        {"A:\\SETUP_001.exe", "A:\\SETUP_"},
        {"A:\\SETUP_001.EXE", "A:\\SETUP_"},
        {"C:\\x.y\\my.setup_001.exe", "C:\\x.y\\my.setup_"},
        {"C:\\x\\PACKAGE.EXE", "C:\\x\\PACKAGE_"},
        {"SETUP_001.exe", "SETUP_"},
        {"C:\\x\\_001.exe", "C:\\x\\_"}};
    for (const auto& c : cases) {
        char prefix[260];
        ASSERT_TRUE(stub::PieceNamePrefix(c.first, prefix, sizeof prefix, text::LeadBytes()))
            << c.first;
        EXPECT_STREQ(prefix, c.second) << c.first;
    }
    char name[260];
    ASSERT_TRUE(stub::PieceName("A:\\SETUP_", 2, name, sizeof name));
    EXPECT_STREQ(name, "A:\\SETUP_002.exe");
    ASSERT_TRUE(stub::PieceName("A:\\SETUP_", 999, name, sizeof name));
    EXPECT_STREQ(name, "A:\\SETUP_999.exe");
    EXPECT_FALSE(stub::PieceName("A:\\SETUP_", 1000, name, sizeof name));
    EXPECT_FALSE(stub::PieceName("A:\\SETUP_", 2, name, 16));
}

TEST(StubLayout, TheOuterStubsLengthLeadsToTheRecord) {
    std::string outer = OuterStub();
    stub::MemorySource stubOnly(outer.data(), uint32_t(outer.size()));
    EXPECT_EQ(stub::ExecutableLength(stubOnly), outer.size());
    std::string record = TestRecord("last.txt", "pw", "SETUP.EXE");
    std::string package = TestPackage(outer, InnerStub(), StoredZip({{"SETUP.EXE", "x"}}), record);
    stub::MemorySource source(package.data(), uint32_t(package.size()));
    char read[100];
    ASSERT_TRUE(stub::ReadPackageRecord(source, uint32_t(outer.size()), read));
    EXPECT_EQ(std::string(read, 100), record);
    // One byte off either way finds no record.
    EXPECT_FALSE(stub::ReadPackageRecord(source, uint32_t(outer.size() - 1), read));
    EXPECT_FALSE(stub::ReadPackageRecord(source, uint32_t(outer.size() + 1), read));
    stub::MemorySource notAnExecutable(record.data(), uint32_t(record.size()));
    EXPECT_EQ(stub::ExecutableLength(notAnExecutable), 0u);
}

class StringSink : public stub::ByteSink {
public:
    bool Write(const void* bytes, uint32_t length) override {
        text.append(static_cast<const char*>(bytes), length);
        return true;
    }
    std::string text;
};

struct ArchiveDamage {
    const char* name;
    size_t at;  // offset into the archive of two stored entries; npos: cut the end record
    char value;
    bool directoryReads;
    stub::UnpackResult second;  // what unpacking the second entry gives
};

TEST(StubArchive, ReadsEntriesAndTellsDamage) {
    // Local headers: 30 + 5 + 3 ("a.txt" holding "one"), then 30 + 9 + 5.
    const std::string archive = StoredZip({{"a.txt", "one"}, {"dir/b.txt", "two!!"}});
    const size_t second = 30 + 5 + 3;
    const ArchiveDamage cases[] = {
        {"Whole", std::string::npos - 1, 0, true, stub::UnpackResult::kOk},
        {"DataChanged", second + 30 + 9 + 2, 'X', true, stub::UnpackResult::kWrongCrc},
        {"LocalSignatureChanged", second, 'Q', true, stub::UnpackResult::kDamaged},
        {"MethodUnknown", second + 8, 99, true, stub::UnpackResult::kUnsupported},
        {"Encrypted", second + 6, 1, true, stub::UnpackResult::kUnsupported},
        {"EndRecordCut", std::string::npos, 0, false, stub::UnpackResult::kOk},
        {"CountTooLarge", archive.size() - 22 + 10, 3, false, stub::UnpackResult::kOk},
    };
    for (const ArchiveDamage& c : cases) {
        std::string bytes = archive;
        if (c.at == std::string::npos)
            bytes.resize(bytes.size() - 1);
        else if (c.at < bytes.size())
            bytes[c.at] = c.value;
        // The directory's copies of method and flags decide, as readers do.
        size_t secondCentral = archive.find("PK\1\2", archive.find("PK\1\2") + 1);
        if (c.at == second + 8) bytes[secondCentral + 10] = c.value;
        if (c.at == second + 6) bytes[secondCentral + 8] = c.value;
        if (c.at == archive.size() - 22 + 10) bytes[c.at - 2] = c.value;
        stub::MemorySource source(bytes.data(), uint32_t(bytes.size()));
        stub::ZipDirectory directory;
        ASSERT_EQ(directory.Read(source), c.directoryReads) << c.name;
        if (!c.directoryReads) continue;
        ASSERT_EQ(directory.Count(), 2u);
        EXPECT_STREQ(directory[1].name, "dir\\b.txt");
        StringSink first, other;
        EXPECT_EQ(stub::UnpackEntry(source, directory[0], first), stub::UnpackResult::kOk)
            << c.name;
        EXPECT_EQ(first.text, "one");
        EXPECT_EQ(stub::UnpackEntry(source, directory[1], other), c.second) << c.name;
        if (c.second == stub::UnpackResult::kOk) {
            EXPECT_EQ(other.text, "two!!");
        }
    }
}

TEST(StubArchive, MaskedArchiveReadsAsTheOriginal) {
    std::string archive = StoredZip({{"a.txt", "one"}});
    std::string inner = std::string(InnerStubLength, 'i') + "ZS" + archive.substr(2);
    stub::MemorySource whole(inner.data(), uint32_t(inner.size()));
    stub::MaskedArchive masked(whole, InnerStubLength);
    ASSERT_TRUE(masked.Marked());
    std::string read(archive.size(), '\0');
    ASSERT_TRUE(masked.Read(0, &read[0], uint32_t(read.size())));
    EXPECT_EQ(read, archive);
    ASSERT_TRUE(masked.Read(1, &read[0], 3));
    EXPECT_EQ(read.substr(0, 3), archive.substr(1, 3));
    inner[InnerStubLength] = 'P';
    EXPECT_FALSE(masked.Marked());
}

}  // namespace
