// Paths in the double-byte code pages, walked by characters: one table of
// paths whose characters have "\" or "|" as their second byte, put to every
// helper that splits or checks a path in a code page (the stubs' entry name
// check and piece names, the program's path helpers), in code page 932, in
// the layout of 936/949/950 and in a single-byte code page. The lead bytes
// are written here from the code pages' definitions. Then the record's
// start program found in several code pages.
#include <gtest/gtest.h>

#include <string>

#include "code_page_text.h"
#include "entry_paths.h"
#include "package_layout.h"
#include "path_helpers.h"
#include "path_separator.h"
#include "record_code_pages.h"
#include "upper_case.h"

namespace {

enum class Layout { kSingleByte, k932, k936 };

text::LeadBytes Lead(Layout layout) {
    text::LeadBytes lead;
    if (layout == Layout::k932) {
        lead.Add(0x81, 0x9F);
        lead.Add(0xE0, 0xFC);
    } else if (layout == Layout::k936) {
        lead.Add(0x81, 0xFE);  // 949 and 950 lead with the same bytes
    }
    return lead;
}

struct PathCase {
    const char* name;
    Layout layout;
    const char* path;
    const char* fileName;   // FileNamePart
    const char* extension;  // ExtensionPart
    const char* baseName;   // BaseNamePart
    bool safeEntry;         // SafeEntryPath
    const char* pieces;     // PieceNamePrefix; null when unchanged from the single-byte answer
};

void PrintTo(const PathCase& c, std::ostream* out) { *out << c.name; }

// 表 is 95 5C and ポ 83 7C in 932; 乗 81 5C and 亅 81 7C in 936.
const PathCase kPaths[] = {
    {"FileEndingIn5C", Layout::k932, "list\x95\x5C", "list\x95\x5C", "", "list\x95\x5C", true,
     "list\x95\x5C_"},
    {"SameBytesSingleByte", Layout::kSingleByte, "list\x95\x5C", "", "", "", true, "list\x95\\_"},
    {"FolderEndingIn5C", Layout::k932, "dir\x95\x5C\\a.txt", "a.txt", "txt", "a", true,
     "dir\x95\x5C\\a_"},
    {"FolderEntryEndingIn5C", Layout::k932, "dir\x95\x5C\\", "", "", "", true, "dir\x95\x5C\\_"},
    {"NameWith7C", Layout::k932, "\x83\x7C.txt", "\x83\x7C.txt", "txt", "\x83\x7C", true,
     "\x83\x7C_"},
    {"BarSingleByte", Layout::kSingleByte, "\x83\x7C.txt", "\x83\x7C.txt", "txt", "\x83\x7C", false,
     "\x83\x7C_"},
    {"Gbk5CThen7C", Layout::k936, "\x81\x5C\\\x81\x7C", "\x81\x7C", "", "\x81\x7C", true,
     "\x81\x5C\\\x81\x7C_"},
    {"NumberedPieceIn5C", Layout::k932, "A:\\\x95\x5C_001.exe", "\x95\x5C_001.exe", "exe",
     "\x95\x5C_001", false, "A:\\\x95\x5C_"},
    // "_" as the second byte of a character begins no piece number.
    {"UnderscoreAsSecondByte", Layout::k932, "\x83_001.exe", "\x83_001.exe", "exe", "\x83_001",
     true, "\x83_001_"},
    {"HalfACharacter", Layout::k932, "a\x95", "a\x95", "", "a\x95", false, "a\x95_"},
    {"LeadBeforeColon", Layout::k932, "a\x95:b", "a\x95:b", "", "a\x95:b", false, "a\x95:b_"},
    {"DotDotAfter5C", Layout::k932, "\x95\x5C\\..\\x", "x", "", "x", false, "\x95\x5C\\..\\x_"},
    {"DeviceAfter5C", Layout::k932, "\x95\x5C\\NUL.txt", "NUL.txt", "txt", "NUL", false,
     "\x95\x5C\\NUL_"},
    {"TrailingDotAfter5C", Layout::k932, "\x95\x5C.", "\x95\x5C.", "", "\x95\x5C", false,
     "\x95\x5C_"},
};

class CodePagePaths : public testing::TestWithParam<PathCase> {};

void SplitAsTheTableSays(const PathCase& c, const text::LeadBytes& lead);

TEST_P(CodePagePaths, SplitAndCheckedByCharacters) {
    const PathCase& c = GetParam();
    const text::LeadBytes lead = Lead(c.layout);
    // The path helpers split at the system's separator; a second byte can be
    // a separator only where that is "\\" (natively "/", below every
    // second byte, separates wherever it stands).
    if (kPathSeparator == '\\') SplitAsTheTableSays(c, lead);
    EXPECT_EQ(stub::SafeEntryPath(c.path, lead), c.safeEntry);
    char prefix[260];
    ASSERT_TRUE(stub::PieceNamePrefix(c.path, prefix, sizeof prefix, lead));
    EXPECT_EQ(std::string(prefix), c.pieces);
}

void SplitAsTheTableSays(const PathCase& c, const text::LeadBytes& lead) {
    EXPECT_EQ(FileNamePart(c.path, lead), c.fileName);
    EXPECT_EQ(FolderPart(c.path, lead) + FileNamePart(c.path, lead), c.path);
    EXPECT_EQ(ExtensionPart(c.path, lead), c.extension);
    EXPECT_EQ(BaseNamePart(c.path, lead), c.baseName);
    const std::string folder = FolderPart(c.path, lead);
    EXPECT_EQ(WithTrailingBackslash(folder, lead), folder.empty() ? "" : folder);
    EXPECT_EQ(StripBackslash("C:\\x\\" + std::string(c.path), lead),
              text::EndsWith(c.path, '\\', lead)
                  ? "C:\\x\\" + std::string(c.path).substr(0, std::string(c.path).size() - 1)
                  : "C:\\x\\" + std::string(c.path));
}

INSTANTIATE_TEST_SUITE_P(Table, CodePagePaths, testing::ValuesIn(kPaths),
                         [](const testing::TestParamInfo<PathCase>& info) {
                             return info.param.name;
                         });

TEST(CodePageText, CharactersCountAsWholes) {
    const text::LeadBytes lead = Lead(Layout::k932);
    // ShortPrefix takes four characters, CutTo never half of one.
    EXPECT_EQ(ShortPrefix("a\x95\x5C\x83\x7C"
                          "bc",
                          lead),
              "a\x95\x5C\x83\x7C"
              "b");
    EXPECT_EQ(ShortPrefix("abcde", lead), "abcd");
    EXPECT_EQ(CutTo("ab\x95\x5C", 3, lead), "ab");
    EXPECT_EQ(CutTo("ab\x95\x5C", 4, lead), "ab\x95\x5C");
    if (kPathSeparator == '\\') {
        EXPECT_EQ(WithTrailingBackslash("C:\\\x95\x5C", lead), "C:\\\x95\x5C\\");
        EXPECT_EQ(WithTrailingBackslash("C:\\\x95\x5C", text::LeadBytes()), "C:\\\x95\x5C");
    }
    // Setup list entries compare ignoring case, but 83 61 is not 83 41.
    EXPECT_EQ(UpperCased("a\x83\x61\x84z", lead), "A\x83\x61\x84z");
    EXPECT_EQ(UpperCased("a\x83\x61\x84z", text::LeadBytes()), "A\x83\x41\x8EZ");
}

// The record's start program when each code page's names found one or
// none: what they agree on.
TEST(RecordCodePages, CodePagesAgreeOnOneStartProgram) {
    struct Agreement {
        std::vector<int> found;
        int agreed;
    } agreements[] = {
        {{-1, -1, -1}, -1}, {{-1, 3, -1}, 3},
        {{3, -1, 3}, 3},    {{3, 2, -1}, stub::kStartProgramsDisagree},
        {{}, -1},
    };
    for (const Agreement& a : agreements)
        EXPECT_EQ(stub::AgreedStartProgram(a.found.data(), int(a.found.size())), a.agreed);
}

}  // namespace
