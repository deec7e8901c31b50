// Starts the real VORNALY.EXE and ends it as a user would.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "dialog_driver.h"
#include "resource.h"
#include "temp_dir.h"

namespace {

std::string ProgramUnderTest() { return WinePath(VORNALY_EXE_UNIX_PATH); }

struct RunCase {
    const char* name;
    bool useShowWindow;
    WORD showCommand;
    bool minimised;
    UINT closeMessage;
    WPARAM closeWParam;
};

void PrintTo(const RunCase& c, std::ostream* out) { *out << c.name; }

class Program : public testing::TestWithParam<RunCase> {};

TEST_P(Program, ShowsItsWindowAndExitsWithZero) {
    const RunCase& c = GetParam();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (c.useShowWindow) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = c.showCommand;
    }
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + ProgramUnderTest() + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process))
        << ProgramUnderTest() << " error " << GetLastError();

    // The template shows the window as soon as it exists; the start-up's
    // own ShowWindow is done once the program waits for input.
    WaitForInputIdle(process.hProcess, 20000);
    HWND window = WaitForWindow(process.dwProcessId, "Create Vornaly Installation Package");
    EXPECT_NE(window, nullptr);
    if (window) {
        EXPECT_EQ(IsIconic(window) != FALSE, c.minimised);
        PostMessageA(window, c.closeMessage, c.closeWParam, 0);
    }
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the program did not end";
        TerminateProcess(process.hProcess, 1);
    }
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, Program,
    testing::Values(RunCase{"DefaultShowClosedByCloseBox", false, 0, false, WM_CLOSE, 0},
                    RunCase{"NormalShowEndedByExit", true, SW_SHOWNORMAL, false, WM_COMMAND,
                            MAKEWPARAM(IDC_EXIT, BN_CLICKED)},
                    RunCase{"StartedMinimised", true, SW_SHOWMINIMIZED, true, WM_CLOSE, 0}),
    [](const testing::TestParamInfo<RunCase>& info) { return info.param.name; });

}  // namespace
