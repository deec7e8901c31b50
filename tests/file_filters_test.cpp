#include <gtest/gtest.h>

#include "file_filters.h"

namespace {

const std::string Exe = "Executable files(*.exe)|*.exe";
const std::string Bin = "bin files|*.bin";
const std::string Backu = "backu files|*.backu";

// One Open dialog after another, as the package file choice runs them: what
// each starts with, and what its caller gets for the name chosen in it.
TEST(FileFilters, RememberTheLastChoiceFromDialogToDialog) {
    const struct {
        std::string filterText;
        uint16_t filterIndex;
        std::string defaultExtension;
        std::string chosen;  // empty: cancelled
        std::string result;
    } steps[] = {
        {Exe, 1, "*", "C:\\out\\pkg.exe", "C:\\out\\pkg.exe"},
        {Exe, 1, "exe", "C:\\out\\PKG2.EXE", "C:\\out\\PKG2.EXE"},
        {Exe, 1, "EXE", "C:\\out\\disk.bin", "C:\\out\\disk.bin"},
        {Exe + "|" + Bin, 2, "bin", "", ""},
        {Exe + "|" + Bin, 1, "*", "C:\\out\\pkg.backup", "C:\\out\\pkg.backup"},
        {Exe + "|" + Bin + "|" + Backu, 3, "backu", "C:\\out\\*.exe", ""},
        {Exe + "|" + Bin + "|" + Backu, 3, "backu", "C:\\dir.v2\\setup", "C:\\dir.v2\\setup"},
        {Exe + "|" + Bin + "|" + Backu, 1, "*", "C:\\out\\pkg.Bin", "C:\\out\\pkg.Bin"},
        {Exe + "|" + Bin + "|" + Backu, 2, "Bin", "", ""},
    };
    FileDialogMemory memory;
    int number = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(++number);
        uint16_t filterIndex = 1;
        PrepareFilters(memory, {Exe}, filterIndex);
        EXPECT_EQ(memory.filterText, step.filterText);
        EXPECT_EQ(filterIndex, step.filterIndex);
        EXPECT_EQ(memory.lastExtension, step.defaultExtension);
        EXPECT_EQ(TakeChoice(memory, step.chosen), step.result);
    }
}

TEST(FileFilters, FilterTextIsCutTo179Characters) {
    FileDialogMemory memory;
    uint16_t filterIndex = 1;
    std::string full = Exe;
    for (std::string extension :
         {"alpha", "bravo", "charl", "delta", "echoe", "foxtr", "golfx", "hotel", "india"}) {
        PrepareFilters(memory, {Exe}, filterIndex);
        TakeChoice(memory, "C:\\x." + extension);
        full += "|" + extension + " files|*." + extension;
    }
    PrepareFilters(memory, {Exe}, filterIndex);
    ASSERT_GT(full.size(), 179u);
    EXPECT_EQ(memory.filterText, full.substr(0, 179));
    EXPECT_EQ(filterIndex, 10);
}

TEST(BuildFilterText, JoinsItemsAndPointsAtTheLastOneOfTheExtension) {
    const std::vector<std::string> list = {"Programs|*.exe", "Archives|*.zip", "Old|*.EXE"};
    const struct {
        const char* extension;
        uint16_t index;
    } cases[] = {{"exe", 3}, {"Zip", 2}, {"txt", 7}, {"*", 7}, {"ex", 3}};
    for (const auto& c : cases) {
        uint16_t index = 7;
        EXPECT_EQ(BuildFilterText(list, c.extension, index),
                  "Programs|*.exe|Archives|*.zip|Old|*.EXE");
        EXPECT_EQ(index, c.index) << c.extension;
    }
}

TEST(DialogFilterText, SeparatesWithNulsAndKeeps255Bytes) {
    using namespace std::string_literals;
    EXPECT_EQ(DialogFilterText("A|*.a|B|*.b"), "A\0*.a\0B\0*.b\0"s);
    EXPECT_EQ(DialogFilterText(""), "\0"s);
    EXPECT_EQ(DialogFilterText(std::string(300, 'x')), std::string(255, 'x'));
}

}  // namespace
