// The component's pure rules, checked against tables: time and attribute
// conversion, options, patterns, name order, limits and the record layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dos_time.h"
#include "name_order.h"
#include "options.h"
#include "system_text.h"
#include "text_codes.h"
#include "zip_format.h"

namespace {

using namespace mvwrap;

struct TimeCase {
    CalendarTime local;
    uint16_t time, date;
};

TEST(DosTimeTest, PacksLocalTimesInTwoSecondSteps) {
    const TimeCase cases[] = {
        {{1980, 1, 1, 0, 0, 0}, 0x0000, 0x0021},
        {{2021, 6, 15, 13, 45, 31}, (13 << 11) | (45 << 5) | 15, (41 << 9) | (6 << 5) | 15},
        {{2021, 6, 15, 13, 45, 30}, (13 << 11) | (45 << 5) | 15, (41 << 9) | (6 << 5) | 15},
        {{2107, 12, 31, 23, 59, 59}, 0xBF7D, 0xFF9F},
        {{1979, 12, 31, 23, 59, 59}, 0x0000, 0x0021},  // before DOS time: its first day
        {{1601, 1, 1, 0, 0, 0}, 0x0000, 0x0021},
        {{2200, 1, 1, 0, 0, 0}, 0xBF7D, 0xFF9F},  // after it: its last second
    };
    for (const TimeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.local.year << "-" << c.local.month << "-"
                                        << c.local.day << " " << c.local.second);
        DosTime dos = ToDosTime(c.local);
        EXPECT_EQ(dos.time, c.time);
        EXPECT_EQ(dos.date, c.date);
    }
}

TEST(DosTimeTest, ReadsFileTimesAsCalendarTimes) {
    const struct {
        uint64_t ticks;
        CalendarTime calendar;
    } cases[] = {
        {0, {1601, 1, 1, 0, 0, 0}},
        {119600064000000000, {1980, 1, 1, 0, 0, 0}},
        {132682383311234567, {2021, 6, 15, 13, 45, 31}},
        {125963423999999999, {2000, 2, 29, 23, 59, 59}},  // a leap day, to its last step
        {94405392010000000, {1900, 2, 28, 12, 0, 1}},     // a century without one
        {157520160000000000, {2100, 3, 1, 0, 0, 0}},
        {159992927990000000, {2107, 12, 31, 23, 59, 59}},
    };
    for (const auto& c : cases) {
        const CalendarTime got = CalendarOf(c.ticks);
        const CalendarTime& want = c.calendar;
        EXPECT_TRUE(got.year == want.year && got.month == want.month && got.day == want.day &&
                    got.hour == want.hour && got.minute == want.minute && got.second == want.second)
            << c.ticks << " read as " << got.year << "-" << got.month << "-" << got.day << " "
            << got.hour << ":" << got.minute << ":" << got.second;
    }
}

TEST(DosTimeTest, KeepsTheAttributesZipReadersKnow) {
    const struct {
        uint32_t attributes;
        uint8_t kept;
    } cases[] = {
        {0x01, 0x01},
        {0x02, 0x02},
        {0x04, 0x04},
        {0x10, 0x10},
        {0x20, 0x20},
        {0x80, 0x00},                   // normal
        {0x2000 | 0x800 | 0x21, 0x21},  // not indexed, compressed: dropped
        {0x27, 0x27},
    };
    for (const auto& c : cases) EXPECT_EQ(ToDosAttributes(c.attributes), c.kept) << c.attributes;
}

TEST(OptionsTest, AcceptsOnlyTheWordsItKnows) {
    const struct {
        const char* text;
        bool valid, hidden, system;
        const char* badWord;
    } cases[] = {
        {"", true, false, false, ""},           {" -whs", true, true, true, ""},
        {" -wsh", true, true, true, ""},        {"-wh", true, true, false, ""},
        {" -ws ", true, false, true, ""},       {" -wh -ws", true, true, true, ""},
        {" -WHS", true, true, true, ""},        {" -w", false, false, false, "-w"},
        {" -whx", false, false, false, "-whx"}, {" -r", false, false, false, "-r"},
        {" whs", false, false, false, "whs"},   {" -whs -q", false, false, false, "-q"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ZipOptions options;
        std::string badWord;
        ASSERT_EQ(ParseOptions(c.text, options, badWord), c.valid);
        if (c.valid) {
            EXPECT_EQ(options.hidden, c.hidden);
            EXPECT_EQ(options.system, c.system);
        } else {
            EXPECT_EQ(badWord, c.badWord);
        }
    }
}

TEST(OptionsTest, SplitsPatternsIntoFolderAndFiles) {
    const struct {
        const wchar_t* pattern;
        bool valid;
        const wchar_t* folder;
        const wchar_t* files;
    } cases[] = {
        {L"C:\\setup\\*.*", true, L"C:\\setup\\", L"*.*"},
        {L"C:\\*.*", true, L"C:\\", L"*.*"},
        {L"\\\\server\\share\\disk 1\\*.txt", true, L"\\\\server\\share\\disk 1\\", L"*.txt"},
        {L"C:/setup/*.*", true, L"C:/setup/", L"*.*"},
        {L"*.*", false, L"", L""},
        {L"C:\\setup\\", false, L"", L""},
        {L"\\*.*", false, L"", L""},
        {L"", false, L"", L""},
    };
    for (const auto& c : cases) {
        std::wstring folder, files;
        ASSERT_EQ(SplitPattern(c.pattern, folder, files), c.valid);
        if (!c.valid) continue;
        EXPECT_EQ(folder, c.folder);
        EXPECT_EQ(files, c.files);
    }
}

TEST(OptionsTest, TakesLevelsFromMinusOneToNine) {
    for (int32_t level = -3; level <= 11; ++level)
        EXPECT_EQ(ValidLevel(level), level >= -1 && level <= 9) << level;
}

TEST(NameOrderTest, OrdersNamesIgnoringCase) {
    std::vector<std::wstring> names = {L"b.txt", L"A.txt", L"a1.txt", L"\u00c4rger.txt", L"a.TXT",
                                       L"_x",    L"C",     L"10.txt", L"9.txt"};
    std::sort(names.begin(), names.end(), NameBefore);
    const std::vector<std::wstring> expected = {L"10.txt", L"9.txt",  L"A.txt",
                                                L"a.TXT",  L"a1.txt", L"b.txt",
                                                L"C",      L"_x",     L"\u00c4rger.txt"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(FoldCase(L"Readme.Txt"), FoldCase(L"README.TXT"));
    EXPECT_EQ(FoldCase(L"\u00fcbersicht"), FoldCase(L"\u00dcBERSICHT"));
    EXPECT_NE(FoldCase(L"a.txt"), FoldCase(L"b.txt"));
    // Capitals that lower-case to another letter do not make one name of two,
    // under Wine and natively alike.
    EXPECT_NE(FoldCase(L"\u00b5"), FoldCase(L"\u039c"));  // micro sign, Greek Mu
    EXPECT_NE(FoldCase(L"\u0131"), FoldCase(L"I"));       // dotless i
    EXPECT_NE(FoldCase(L"\u03c2"), FoldCase(L"\u03c3"));  // final and other sigma
}

TEST(LimitsTest, RefusesWhatThirtyTwoBitsCannotHold) {
    const struct {
        uint64_t entries, bytes;
        bool fits;
    } cases[] = {
        {0, 0, true},
        {65535, 0xFFFFFFFFull, true},
        {65536, 0, false},
        {0, 0x100000000ull, false},
        {100000, 0x1FFFFFFFFull, false},
    };
    for (const auto& c : cases) EXPECT_EQ(WithinLimits(c.entries, c.bytes), c.fits) << c.entries;
}

EntryHeader SampleEntry() {
    EntryHeader entry;
    entry.flags = kUtf8NameFlag;
    entry.method = kDeflated;
    entry.dosTime = 0x1234;
    entry.dosDate = 0x5678;
    entry.crc = 0xDEADBEEF;
    entry.compressedSize = 100;
    entry.size = 300;
    entry.name = "dir/\xc3\x9c.txt";
    entry.extra = NtfsTimesExtra(0x0102030405060708ull, 2, 3);
    return entry;
}

TEST(ZipFormatTest, LaysOutLocalAndCentralHeaders) {
    EntryHeader entry = SampleEntry();
    std::string local = LocalHeader(entry);
    ASSERT_EQ(local.size(), kLocalHeaderSize + entry.name.size() + 36);
    EXPECT_EQ(Read32(local, 0), kLocalSignature);
    EXPECT_EQ(Read16(local, 6), kUtf8NameFlag);
    EXPECT_EQ(Read16(local, 8), kDeflated);
    EXPECT_EQ(Read16(local, 10), 0x1234);
    EXPECT_EQ(Read16(local, 12), 0x5678);
    EXPECT_EQ(Read32(local, 14), 0xDEADBEEFu);
    EXPECT_EQ(Read32(local, 18), 100u);
    EXPECT_EQ(Read32(local, 22), 300u);
    EXPECT_EQ(Read16(local, 26), entry.name.size());
    EXPECT_EQ(Read16(local, 28), 36);
    EXPECT_EQ(local.substr(30, entry.name.size()), entry.name);
    std::string extra = local.substr(30 + entry.name.size());
    EXPECT_EQ(Read16(extra, 0), 0x000a);
    EXPECT_EQ(Read16(extra, 2), 32);
    EXPECT_EQ(Read16(extra, 8), 0x0001);
    EXPECT_EQ(Read16(extra, 10), 24);
    EXPECT_EQ(Read32(extra, 12), 0x05060708u);
    EXPECT_EQ(Read32(extra, 16), 0x01020304u);

    std::string central = CentralHeader(entry, 0x21, 0x01020304);
    ASSERT_EQ(central.size(), kCentralHeaderSize + entry.name.size() + 36);
    EXPECT_EQ(Read32(central, 0), kCentralSignature);
    EXPECT_EQ(central.substr(6, 26), local.substr(4, 26));  // the fields both share
    EXPECT_EQ(Read32(central, 38), 0x21u);
    EXPECT_EQ(RecordLocalOffset(central), 0x01020304u);
    EXPECT_EQ(RecordName(central), entry.name);
    EXPECT_EQ(RecordFlags(central), kUtf8NameFlag);
    EXPECT_EQ(RecordCompressedSize(central), 100u);
    SetRecordLocalOffset(central, 77);
    EXPECT_EQ(RecordLocalOffset(central), 77u);
}

// A central directory of two records followed by its end record, as if the
// entries' data took `dataBytes` before it.
std::string Directory(uint32_t dataBytes, std::string comment = "") {
    EntryHeader entry = SampleEntry();
    std::string records = CentralHeader(entry, 0x20, 0) + CentralHeader(entry, 0x20, 50);
    std::string end = EndRecord(2, static_cast<uint32_t>(records.size()), dataBytes);
    end[20] = static_cast<char>(comment.size());
    return records + end + comment;
}

TEST(ZipFormatTest, ReadsTheCentralDirectoryBack) {
    for (std::string comment :
         {std::string(), std::string("PK\x05\x06", 4) + std::string(30, 'c')}) {
        std::string tail = Directory(1000, comment);
        CentralDirectory directory;
        ASSERT_TRUE(ReadEndRecord(tail, 1000, directory));
        EXPECT_EQ(directory.entries, 2);
        EXPECT_EQ(directory.offset, 1000u);
        EXPECT_EQ(directory.size, 2 * CentralRecordLength(tail));
    }
}

TEST(ZipFormatTest, RejectsDamagedDirectories) {
    std::string good = Directory(0);
    size_t end = good.size() - kEndRecordSize;
    const struct {
        const char* what;
        std::string tail;
        uint64_t offset;
    } damagedEnds[] = {
        {"too short", good.substr(good.size() - 10), 0},
        {"no end record", std::string(200, 'x'), 0},
        {"directory not before the end record", good, 7},
        {"split archive", good.substr(0, end + 4) + "\x01" + good.substr(end + 5), 0},
        {"comment longer than the file", good.substr(0, end + 20) + "\x09" + good.substr(end + 21),
         0},
    };
    for (const auto& c : damagedEnds) {
        CentralDirectory directory;
        EXPECT_FALSE(ReadEndRecord(c.tail, c.offset, directory)) << c.what;
    }
}

std::string WithBytes(std::string bytes, size_t at, const std::string& with) {
    return bytes.replace(at, with.size(), with);
}

// A record that cannot be carried over as it is: its extra field, its disk,
// or a size or offset kept in an extension.
TEST(ZipFormatTest, RefusesRecordsThatCannotBeCarriedOver) {
    EntryHeader entry = SampleEntry();
    const std::string good = CentralHeader(entry, 0x20, 0);
    const size_t extraAt = kCentralHeaderSize + entry.name.size();
    const std::string ff("\xff\xff\xff\xff", 4);
    const struct {
        const char* what;
        std::string record;
        bool sound;
    } cases[] = {
        {"as written", good, true},
        {"no extra field", CentralHeader(EntryHeader{}, 0x20, 0), true},
        {"inner length past the extra field",
         WithBytes(good, extraAt + 2, std::string("\x21\0", 2)), false},
        {"block header cut", WithBytes(good, 30, std::string("\x03\0", 2)).substr(0, extraAt + 3),
         false},
        {"second disk", WithBytes(good, 34, "\x01"), false},
        {"needs version 4.5", WithBytes(good, 6, "\x2d"), true},
        {"needs version 4.6", WithBytes(good, 6, "\x2e"), false},
        {"extended compressed size", WithBytes(good, 20, ff), false},
        {"extended size", WithBytes(good, 24, ff), false},
        {"extended offset", WithBytes(good, 42, ff), false},
        {"cut short", good.substr(0, good.size() - 1), false},
        {"no signature", "X" + good.substr(1), false},
    };
    for (const auto& c : cases) EXPECT_EQ(CentralRecordSound(c.record), c.sound) << c.what;
}

// The component's own UTF-8, which Windows 95 needs, against the system's
// conversion: every character of the first plane (surrogates apart), and
// characters beyond it, each way. What is not UTF-8 reads as U+FFFD, and a
// lone surrogate half is written as U+FFFD, as the NT line does both.
TEST(TextCodesTest, Utf8AsTheNtLineConvertsIt) {
    std::wstring every;
    for (wchar_t c = 1; c < 0xD800; ++c) every += c;
    for (unsigned c = 0xE000; c <= 0xFFFF; ++c) every += static_cast<wchar_t>(c);
    for (unsigned code : {0x10000u, 0x1F600u, 0x10FFFFu}) {
        every += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
        every += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
    const std::string system = SystemUtf8(every);
    ASSERT_FALSE(system.empty());
    EXPECT_TRUE(mvwrap::ToUtf8(every) == system);
    EXPECT_TRUE(mvwrap::FromUtf8(system) == every);

    struct Case {
        std::string bytes;
        std::wstring wide;
    } malformed[] = {
        {"a\xC0\xAF" "b", L"a\xFFFD\xFFFD" L"b"},  // an overlong "/"
        {"\xE3\x81", L"\xFFFD"},            // cut short at the end
        {"\xE3\x81z", L"\xFFFDz"},          // cut short by a letter
        {"\xED\xA0\x80", L"\xFFFD"},        // a surrogate written as a character
        {"\xF4\x90\x80\x80", L"\xFFFD"},    // beyond U+10FFFF
        {"\x80", L"\xFFFD"},
    };
    for (const Case& c : malformed) EXPECT_TRUE(mvwrap::FromUtf8(c.bytes) == c.wide) << c.bytes;
    EXPECT_EQ(mvwrap::ToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800)) + L"x"),
              "\xEF\xBF\xBDx");
    EXPECT_EQ(mvwrap::ToUtf8(L"x" + std::wstring(1, static_cast<wchar_t>(0xDC00))),
              "x\xEF\xBF\xBD");
}

// Names stored without the UTF-8 flag, read by the component's own table of
// the DOS code page and by the system's conversion: every byte.
TEST(TextCodesTest, DosNamesAsTheSystemReadsThem) {
    std::string every;
    for (int c = 1; c < 256; ++c) every += static_cast<char>(c);
    const std::wstring system = SystemFromDos(every);
    ASSERT_EQ(system.size(), every.size());
    EXPECT_TRUE(mvwrap::FromDos(every) == system);
}

}  // namespace
