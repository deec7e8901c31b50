#include <windows.h>

#include <commctrl.h>

#include "main_dialog_fixture.h"
#include "progress.h"

namespace {

TEST_F(MainDialogTest, ProgressStartUsesTheLow16BitsOfTheCountAndStepsByOne) {
    const struct {
        uint32_t count;
        int high;
    } cases[] = {{1, 1}, {5, 5}, {65535, 65535}, {70000, 4464}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        ShowWindow(TheShell.progressBar, SW_HIDE);
        SendMessageA(TheShell.progressBar, PBM_SETPOS, 0, 0);
        ProgressStart(c.count);
        PBRANGE range;
        SendMessageA(TheShell.progressBar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
        EXPECT_EQ(range.iLow, 0);
        EXPECT_EQ(range.iHigh, c.high);
        EXPECT_TRUE(IsWindowVisible(TheShell.progressBar));
        ProgressStep();
        EXPECT_EQ(SendMessageA(TheShell.progressBar, PBM_GETPOS, 0, 0), 1);
    }
}

// The pump hands on one message at a time, and a quit request stays queued
// however often it runs, for the main loop to end the program with.
TEST_F(MainDialogTest, PumpHandsOnOneMessageAndLeavesTheQuitRequest) {
    TakeQuitMessage();
    for (const char* item : {"A", "B", "C"})
        SendMessageA(TheShell.setupList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    PostMessageA(TheShell.setupList, LB_DELETESTRING, 0, 0);
    PostMessageA(TheShell.setupList, LB_DELETESTRING, 0, 0);
    EXPECT_FALSE(QuitRequested());
    PostQuitMessage(3);

    PumpOneMessage();
    EXPECT_EQ(Entries(), (std::vector<std::string>{"B", "C"}));
    ProgressStep();
    EXPECT_EQ(Entries(), std::vector<std::string>{"C"});
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(QuitRequested());
        PumpOneMessage();
    }
    EXPECT_EQ(RunMessageLoop(), 3u);
    EXPECT_FALSE(QuitRequested());
}

}  // namespace
