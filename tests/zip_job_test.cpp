#include <windows.h>

#include <commctrl.h>

#include "component_calls.h"
#include "dialog_driver.h"
#include "main_dialog_fixture.h"
#include "temp_dir.h"
#include "working_values.h"
#include "zip_job.h"

namespace {

TEST(ZipPattern, DropsLeadingBlanksAndAddsOneBackslash) {
    const char* const cases[][2] = {
        {"C:\\Setup\\Disk1", "C:\\Setup\\Disk1\\*.*"},
        {"A:\\", "A:\\*.*"},
        {"  C:\\Disk1", "C:\\Disk1\\*.*"},
        {"C:\\Disk1  ", "C:\\Disk1  \\*.*"},
        {"", "*.*"},
    };
    for (const auto& c : cases) EXPECT_EQ(ZipPattern(c[0]), c[1]) << c[0];
}

struct JobCase {
    const char* name;
    // Folder names in the temp folder; leading blanks stay in front of the path.
    std::vector<std::string> items;
    int16_t result;
    int steps;
    std::string lastEntry;
    std::vector<std::string> archived;
};

void PrintTo(const JobCase& c, std::ostream* out) { *out << c.name; }

const std::vector<std::string> Disk1Entries = {"a.txt", "h.txt", "sub\\deep\\d.txt", "zz\\"};

std::vector<std::string> Plus(std::vector<std::string> names,
                              const std::vector<std::string>& more) {
    names.insert(names.end(), more.begin(), more.end());
    return names;
}

class ZipJobTest : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        dir.MakeFile("Disk1\\a.txt", "a");
        dir.MakeFile("Disk1\\h.txt", "h", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        dir.MakeFile("Disk1\\sub\\deep\\d.txt", "d");
        dir.MakeFolder("Disk1\\zz");
        dir.MakeFile("Disk2\\b.txt", "b");
        dir.MakeFile("Disk3\\c.txt", "c");
        dir.MakeFile("Disk4\\d4.txt", "d4");
        dir.MakeFile("Disk5\\e.txt", "e");
        dir.MakeFolder("Empty");
        ArchivePath = dir / "pkg.zip";
        PasswordText = "secret";
        // The job must lift whatever limit an earlier caller left behind.
        SetDepth(0);
        TakeQuitMessage();
    }

    void List(const std::vector<std::string>& items) {
        for (const std::string& item : items) {
            size_t blanks = item.find_first_not_of(' ');
            std::string text = item.substr(0, blanks) + (dir / item.substr(blanks));
            SendMessageA(TheShell.setupList, LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(text.c_str()));
        }
    }

    TempDir dir;
};

class ZipJob : public ZipJobTest, public testing::WithParamInterface<JobCase> {};

TEST_P(ZipJob, ZipsEveryFolderInListOrderOrStopsAtTheFirstError) {
    const JobCase& c = GetParam();
    List(c.items);
    bool ownerless = false;
    // A box that should not come is still answered, so that the test fails
    // instead of waiting.
    DialogAnswerer answer(
        ZipJobCaption, IDOK, [&](HWND box) { ownerless = GetWindow(box, GW_OWNER) == nullptr; },
        c.result > 0 ? 10000 : 1000);

    std::string lastEntry = "before";
    EXPECT_EQ(ZipSetupList(lastEntry), c.result);
    answer.Join();

    EXPECT_EQ(lastEntry, c.result == 0 && !c.items.empty() ? c.lastEntry : "before");
    EXPECT_EQ(PasswordText, "");
    EXPECT_EQ(answer.Seen(), c.result > 0);
    if (c.result > 0) {
        EXPECT_EQ(answer.Text(), Message(c.result));
        EXPECT_FALSE(answer.HasIcon());
        EXPECT_TRUE(ownerless);
    }
    EXPECT_EQ(IsWindowVisible(TheShell.progressBar) != FALSE, !c.items.empty());
    EXPECT_EQ(SendMessageA(TheShell.progressBar, PBM_GETPOS, 0, 0), c.steps);
    if (!c.items.empty()) {
        EXPECT_EQ(SendMessageA(TheShell.progressBar, PBM_GETRANGE, FALSE, 0),
                  static_cast<LRESULT>(c.items.size()));
    }
    EXPECT_EQ(Listing(ArchivePath), c.archived);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ZipJob,
    testing::Values(JobCase{"OneFolder", {"Disk1"}, 0, 1, "zz\\", Disk1Entries},
                    JobCase{"FiveFolders",
                            {"Disk3", "Disk1", "Disk5", "Disk2", "Disk4"},
                            0,
                            5,
                            "e.txt",
                            Plus(Disk1Entries, {"b.txt", "c.txt", "d4.txt", "e.txt"})},
                    JobCase{"ThirdOfFiveMissing",
                            {"Disk1", "Disk2", "Disk2x", "Disk4", "Disk5"},
                            MVWRAP_FOLDER_MISSING,
                            2,
                            "",
                            Plus(Disk1Entries, {"b.txt"})},
                    JobCase{"LeadingBlanks", {"  Disk2"}, 0, 1, "b.txt", {"b.txt"}},
                    JobCase{"NothingToArchive", {"Empty"}, 0, 1, "", {}},
                    JobCase{"EmptyList", {}, 0, 0, "", {}}),
    [](const testing::TestParamInfo<JobCase>& info) { return info.param.name; });

// Exit while the job pumps messages stops the component and posts the quit
// request; the job ends after the current folder without a word, and the
// request is still there for the main loop.
TEST_F(ZipJobTest, ExitDuringTheJobStopsItQuietly) {
    List({"Disk1", "Disk2", "Disk3", "Disk4", "Disk5"});
    PostMessageA(dialog, WM_COMMAND, IDC_EXIT, 0);
    DialogAnswerer answer(ZipJobCaption, IDOK, nullptr, 1000);

    std::string lastEntry = "before";
    EXPECT_EQ(ZipSetupList(lastEntry), ZipJobStopped);
    answer.Join();

    EXPECT_FALSE(answer.Seen()) << answer.Text();
    EXPECT_EQ(lastEntry, "before");
    EXPECT_EQ(SendMessageA(TheShell.progressBar, PBM_GETPOS, 0, 0), 1);
    WPARAM exitCode = 99;
    EXPECT_TRUE(TakeQuitMessage(&exitCode));
    EXPECT_EQ(exitCode, 0u);
    ASSERT_EQ(RunMorvane(), MVWRAP_OK);  // Exit had stopped it
    EXPECT_EQ(Listing(ArchivePath), Disk1Entries);
}

}  // namespace
