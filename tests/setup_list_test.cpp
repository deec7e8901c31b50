#include "dialog_driver.h"
#include "drop.h"
#include "main_dialog_fixture.h"
#include "setup_list.h"
#include "temp_dir.h"

namespace {

class SetupListTest : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        for (const char* folder : {"Disk1", "Disk2", "Disk3", "Disk4", "Disk5", "Setup\\Disk1"})
            dir.MakeFolder(folder);
        dir.MakeFile("readme.txt", "text");
    }

    std::vector<std::string> InDir(const std::vector<std::string>& names) const {
        std::vector<std::string> paths;
        for (const std::string& name : names) paths.push_back(dir / name);
        return paths;
    }

    TempDir dir;
};

struct DropCase {
    const char* name;
    std::vector<std::string> firstDrop;
    std::vector<std::string> secondDrop;
    std::vector<std::string> expected;
};

void PrintTo(const DropCase& c, std::ostream* out) { *out << c.name; }

class Drops : public SetupListTest, public testing::WithParamInterface<DropCase> {};

TEST_P(Drops, FillTheSortedListWithoutDuplicates) {
    const DropCase& c = GetParam();
    DropOn(dialog, InDir(c.firstDrop));
    DropOn(dialog, InDir(c.secondDrop));
    EXPECT_EQ(Entries(), InDir(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, Drops,
    testing::Values(
        DropCase{"DuplicateIgnoringCase", {"Setup\\Disk1"}, {"SETUP\\disk1"}, {"Setup\\Disk1"}},
        DropCase{"FileAmongFolders",
                 {},
                 {"Disk3", "readme.txt", "Disk1", "Disk2"},
                 {"Disk1", "Disk2", "Disk3"}},
        DropCase{"SortedWhateverTheOrder", {"Disk2"}, {"Disk1"}, {"Disk1", "Disk2"}},
        DropCase{"MissingPath", {"Nowhere"}, {"Disk1", "Disk9"}, {"Disk1"}},
        DropCase{"TwiceInOneDrop", {}, {"Disk1", "Disk2", "disk1", "Disk1"}, {"Disk1", "Disk2"}},
        DropCase{"EmptyDrop", {}, {}, {}}),
    [](const testing::TestParamInfo<DropCase>& info) { return info.param.name; });

// A path of 254 characters is listed whole. A longer one is refused with a
// message that names it: cut, "...\\Disk 10" would list "...\\Disk 1".
TEST_F(SetupListTest, LongPathIsListedWholeOrRefusedByName) {
    const size_t room = 254 - dir.Path().size() - 1;
    ASSERT_LT(room, 255u);
    const std::string folder = dir.MakeFolder(std::string(room - 1, 'f') + "1");
    ASSERT_EQ(folder.size(), 254u);
    const std::string longer = dir.MakeFolder(std::string(room - 1, 'f') + "10");
    ASSERT_EQ(longer.size(), 255u);

    DialogAnswerer refused("Vornaly Installer");
    DropOn(dialog, {longer});
    refused.Join();
    EXPECT_EQ(refused.Text(),
              "The folder " + longer + " has more than 254 characters, so it is not listed.");
    EXPECT_TRUE(Entries().empty());

    DropOn(dialog, {folder});
    EXPECT_EQ(Entries(), std::vector<std::string>{folder});
}

TEST_F(SetupListTest, ContainsComparesUnderTheUpperCasingMap) {
    std::string name = std::string("Disk\x84");
    std::string upper = std::string("DISK\x8E");
    dir.MakeFolder(name);
    DropOn(dialog, {dir / name});
    EXPECT_TRUE(SetupListContains(TheShell.setupList, dir / upper));
    EXPECT_TRUE(SetupListContains(TheShell.setupList, dir / "disk\x84"));
    EXPECT_FALSE(SetupListContains(TheShell.setupList, dir / "Disk\x8F"));
    EXPECT_FALSE(SetupListContains(TheShell.setupList, dir / "Disk"));
}

TEST_F(SetupListTest, RemoveDeletesTheSelectedEntryOnly) {
    DropOn(dialog, InDir({"Disk1", "Disk2", "Disk3", "Disk4", "Disk5"}));
    Click(IDC_REMOVE);  // nothing selected yet
    EXPECT_EQ(Entries().size(), 5u);

    SendMessageA(TheShell.setupList, LB_SETCURSEL, 2, 0);
    Click(IDC_REMOVE);
    EXPECT_EQ(Entries(), InDir({"Disk1", "Disk2", "Disk4", "Disk5"}));

    Click(IDC_REMOVE);  // the selection went with the entry
    EXPECT_EQ(Entries(), InDir({"Disk1", "Disk2", "Disk4", "Disk5"}));
}

TEST_F(SetupListTest, AFullListTakesNoMoreEntries) {
    HWND list = TheShell.setupList;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < MaxSetupEntries; ++i) {
        std::string entry = "Z:\\entry" + std::to_string(100000 + i);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), MaxSetupEntries);
    DropOn(dialog, InDir({"Disk1"}));
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), MaxSetupEntries);
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, -1,
                           reinterpret_cast<LPARAM>((dir / "Disk1").c_str())),
              LB_ERR);
}

}  // namespace
