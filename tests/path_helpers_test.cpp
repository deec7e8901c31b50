#include <gtest/gtest.h>

#include "path_helpers.h"
#include "path_separator.h"

namespace {

// The table is written with Windows' separator; natively "\\" and "/" trade
// places, so that each system's separator meets the same cases.
std::string Native(std::string path) {
    if (kPathSeparator == '/')
        for (char& c : path) c = c == '\\' ? '/' : c == '/' ? '\\' : c;
    return path;
}

struct PathCase {
    const char* path;
    const char* fileName;
    const char* folder;
    const char* extension;
    const char* baseName;
    const char* stripped;
};

const PathCase Cases[] = {
    {"C:\\Out\\Setup.exe", "Setup.exe", "C:\\Out\\", "exe", "Setup", "C:\\Out\\Setup.exe"},
    {"C:\\Out\\", "", "C:\\Out\\", "", "", "C:\\Out"},
    {"C:\\", "", "C:\\", "", "", "C:\\"},
    {"Setup.exe", "Setup.exe", "", "exe", "Setup", "Setup.exe"},
    {"C:Setup.exe", "C:Setup.exe", "", "exe", "C:Setup", "C:Setup.exe"},
    {"D:\\Pkg\\my.setup.exe", "my.setup.exe", "D:\\Pkg\\", "exe", "my", "D:\\Pkg\\my.setup.exe"},
    {"C:\\a.b\\Setup", "Setup", "C:\\a.b\\", "", "Setup", "C:\\a.b\\Setup"},
    {"C:\\Out\\.profile", ".profile", "C:\\Out\\", "profile", "", "C:\\Out\\.profile"},
    {"C:\\Out\\name.", "name.", "C:\\Out\\", "", "name", "C:\\Out\\name."},
    {"ab\\", "", "ab\\", "", "", "ab\\"},
    {"C:\\Out\\\\", "", "C:\\Out\\\\", "", "", "C:\\Out\\"},
    {"C:/Out/Setup.exe", "C:/Out/Setup.exe", "", "exe", "C:/Out/Setup", "C:/Out/Setup.exe"},
    {"", "", "", "", "", ""},
};

void PrintTo(const PathCase& c, std::ostream* out) { *out << '"' << c.path << '"'; }

class PathHelpers : public testing::TestWithParam<PathCase> {};

TEST_P(PathHelpers, SplitAPathAsTheTableSays) {
    const PathCase& c = GetParam();
    const std::string path = Native(c.path);
    EXPECT_EQ(FileNamePart(path), Native(c.fileName));
    EXPECT_EQ(FolderPart(path), Native(c.folder));
    EXPECT_EQ(ExtensionPart(path), c.extension);
    EXPECT_EQ(BaseNamePart(path), Native(c.baseName));
    EXPECT_EQ(StripBackslash(path), Native(c.stripped));
    EXPECT_EQ(FolderPart(path) + FileNamePart(path), path);
}

INSTANTIATE_TEST_SUITE_P(Table, PathHelpers, testing::ValuesIn(Cases));

TEST(ShortPrefix, KeepsAtMostFourCharacters) {
    EXPECT_EQ(ShortPrefix("Setup"), "Setu");
    EXPECT_EQ(ShortPrefix("abcd"), "abcd");
    EXPECT_EQ(ShortPrefix("ab"), "ab");
    EXPECT_EQ(ShortPrefix(""), "");
}

TEST(WithoutLeadingBlanks, DropsOnlyLeadingBlanks) {
    EXPECT_EQ(WithoutLeadingBlanks("  C:\\Out\\a b.exe  "), "C:\\Out\\a b.exe  ");
    EXPECT_EQ(WithoutLeadingBlanks("   "), "");
}

TEST(WithTrailingBackslash, AppendsOneBackslashWhereMissing) {
    const char* const cases[][2] = {
        {"", ""}, {"C:", "C:\\"}, {"C:\\", "C:\\"}, {"A:\\Disk1", "A:\\Disk1\\"}, {"x/", "x/\\"}};
    for (const auto& c : cases)
        EXPECT_EQ(WithTrailingBackslash(Native(c[0])), Native(c[1])) << c[0];
}

}  // namespace
