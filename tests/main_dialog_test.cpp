#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "drop.h"
#include "main_dialog_fixture.h"

namespace {

struct ControlCase {
    int id;
    const char* className;
    const char* text;
    DWORD style;
    RECT units;  // x, y, right, bottom in dialog units
};

const ControlCase Controls[] = {
    {IDC_SETUP_LABEL, "Static", "Setup diskettes:", SS_LEFT | WS_GROUP, {1, 5, 57, 13}},
    {IDC_SPAN, "Button", "Span", BS_AUTOCHECKBOX | BS_LEFTTEXT | WS_TABSTOP, {162, 76, 202, 86}},
    {IDC_SETUP_LIST, "ListBox", "", LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
     {2, 15, 157, 110}},
    {IDC_PASSWORD_LABEL, "Static", "Password:", SS_LEFT | WS_GROUP, {162, 89, 203, 97}},
    {IDC_PASSWORD, "Edit", "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, {162, 98, 203, 110}},
    {IDC_CREATE, "Button", "&Create", BS_PUSHBUTTON | WS_TABSTOP, {162, 20, 202, 34}},
    {IDC_ABOUT, "Button", "&About", BS_PUSHBUTTON | WS_TABSTOP, {162, 38, 203, 52}},
    {IDC_EXIT, "Button", "E&xit", BS_PUSHBUTTON | WS_TABSTOP, {162, 57, 203, 71}},
    {IDC_PROGRESS, "msctls_progress32", "", 0, {2, 113, 156, 122}},
    {IDC_REMOVE, "Button", "&Remove", BS_PUSHBUTTON | WS_TABSTOP, {162, 3, 203, 17}},
    {IDC_HELP, "Button", "&Help", BS_PUSHBUTTON | WS_TABSTOP, {162, 129, 203, 143}},
};

TEST_F(MainDialogTest, ControlsMatchTheTemplate) {
    HWND previous = nullptr;
    for (const ControlCase& c : Controls) {
        SCOPED_TRACE(c.id);
        HWND control = GetDlgItem(dialog, c.id);
        ASSERT_NE(control, nullptr);
        char className[64] = "";
        GetClassNameA(control, className, sizeof className);
        EXPECT_STRCASEEQ(className, c.className);
        char text[64] = "";
        GetWindowTextA(control, text, sizeof text);
        EXPECT_STREQ(text, c.text);
        DWORD style = GetWindowLongA(control, GWL_STYLE);
        EXPECT_EQ(style & (c.style | WS_CHILD), c.style | WS_CHILD);

        RECT expected = c.units;
        MapDialogRect(dialog, &expected);
        RECT actual;
        GetWindowRect(control, &actual);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_EQ(actual.right, expected.right);
        EXPECT_EQ(actual.bottom, expected.bottom);

        // Template order is creation order, and so z-order.
        if (previous) EXPECT_EQ(GetWindow(previous, GW_HWNDNEXT), control);
        previous = control;
    }
}

TEST_F(MainDialogTest, StartsInItsInitialState) {
    char title[128] = "";
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_STREQ(title, "Create Vornaly Installation Package");

    DWORD style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_EQ(style & 0x90CC00C0, 0x90CC00C0u);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
    EXPECT_EQ(GetMenu(dialog), nullptr);

    EXPECT_EQ(TheShell.mainDialog, dialog);
    EXPECT_EQ(TheShell.progressBar, GetDlgItem(dialog, IDC_PROGRESS));
    EXPECT_EQ(TheShell.setupList, GetDlgItem(dialog, IDC_SETUP_LIST));
    EXPECT_EQ(TheShell.passwordField, GetDlgItem(dialog, IDC_PASSWORD));
    EXPECT_EQ(TheShell.spanCheckBox, GetDlgItem(dialog, IDC_SPAN));

    EXPECT_FALSE(IsWindowVisible(TheShell.progressBar));
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(SendMessageA(TheShell.spanCheckBox, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(GetWindowTextLengthA(TheShell.passwordField), 0);

    // The password is shown as typed, not masked.
    EXPECT_EQ(SendMessageA(TheShell.passwordField, EM_GETPASSWORDCHAR, 0, 0), 0);

    // The program icon is the class icon.
    EXPECT_NE(GetClassLongA(dialog, GCL_HICON), 0u);
}

TEST_F(MainDialogTest, HasAnEmptyStatusBarAlongTheBottom) {
    HWND status = GetDlgItem(dialog, IDC_STATUS_BAR);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status, TheShell.statusBar);
    char className[64] = "";
    GetClassNameA(status, className, sizeof className);
    EXPECT_STRCASEEQ(className, STATUSCLASSNAMEA);
    EXPECT_EQ(GetWindowLongA(status, GWL_STYLE) & 0x50800010u, 0x50800010u);
    EXPECT_EQ(GetWindowTextLengthA(status), 0);
    EXPECT_EQ(SendMessageA(status, SB_GETPARTS, 0, 0), 1);

    RECT client, bar;
    GetClientRect(dialog, &client);
    GetWindowRect(status, &bar);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.bottom, client.bottom);
}

TEST_F(MainDialogTest, StartsTheZipComponent) {
    EXPECT_EQ(RunMorvane(), MVWRAP_ALREADY_RUNNING);
}

struct ShutdownCase {
    const char* how;
    void (*request)(HWND dialog);
};

class Shutdown : public MainDialogTest, public testing::WithParamInterface<ShutdownCase> {};

TEST_P(Shutdown, StopsTheComponentAndQuitsWithZero) {
    GetParam().request(dialog);
    WPARAM exitCode = 99;
    EXPECT_TRUE(TakeQuitMessage(&exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(RunMorvane(), MVWRAP_OK);  // it had been stopped
    EXPECT_TRUE(IsWindow(dialog));       // the window ends with the process
}

INSTANTIATE_TEST_SUITE_P(
    Requests, Shutdown,
    testing::Values(ShutdownCase{"CloseBox", [](HWND d) { SendMessageA(d, WM_CLOSE, 0, 0); }},
                    ShutdownCase{"Exit",
                                 [](HWND d) {
                                     SendMessageA(GetDlgItem(d, IDC_EXIT), BM_CLICK, 0, 0);
                                 }}),
    [](const testing::TestParamInfo<ShutdownCase>& info) { return info.param.how; });

TEST_F(MainDialogTest, CommandsWithoutActionChangeNothing) {
    DropOn(dialog, {});
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SETUP_LIST, LBN_DBLCLK), 0);
    SendMessageA(dialog, WM_COMMAND, 999, 0);
    Click(IDC_SPAN);
    EXPECT_FALSE(TakeQuitMessage());
    EXPECT_EQ(RunMorvane(), MVWRAP_ALREADY_RUNNING);
    EXPECT_EQ(SendMessageA(TheShell.spanCheckBox, BM_GETCHECK, 0, 0), BST_CHECKED);
}

// Stands in for the platform's help program: WinHelpA hands its request to
// the window of this class with WM_COPYDATA.
struct HelpRequest {
    bool received = false;
    WORD command = 0;
    LONG data = 0;
    std::string file;
};
HelpRequest LastHelpRequest;

LRESULT CALLBACK HelpWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        auto* copy = reinterpret_cast<COPYDATASTRUCT*>(lParam);
        struct WinHelpData {
            WORD size, command;
            LONG data, reserved;
            WORD ofsFilename, ofsData;
        };
        const auto* request = static_cast<const WinHelpData*>(copy->lpData);
        LastHelpRequest.received = true;
        LastHelpRequest.command = request->command;
        LastHelpRequest.data = request->data;
        LastHelpRequest.file = reinterpret_cast<const char*>(request) + request->ofsFilename;
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(MainDialogTest, HelpAsksForContextOneOfTheHelpFile) {
    WNDCLASSA helpClass = {};
    helpClass.lpfnWndProc = HelpWindowProc;
    helpClass.hInstance = GetModuleHandleA(nullptr);
    helpClass.lpszClassName = "MS_WINHELP";
    RegisterClassA(&helpClass);
    HWND help = CreateWindowA("MS_WINHELP", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                              helpClass.hInstance, nullptr);
    ASSERT_NE(help, nullptr);

    Click(IDC_HELP);

    EXPECT_TRUE(LastHelpRequest.received);
    EXPECT_EQ(LastHelpRequest.command, HELP_CONTEXT);
    EXPECT_EQ(LastHelpRequest.data, 1);
    EXPECT_EQ(LastHelpRequest.file, "Vornaly.hlp");
    DestroyWindow(help);
}

}  // namespace
