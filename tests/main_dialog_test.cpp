#include <windows.h>

#include <commctrl.h>

#include <iterator>

#include "dialog_template.h"
#include "drop.h"
#include "main_dialog_fixture.h"
#include "temp_dir.h"

namespace {

struct ControlCase {
    int id;
    const char* className;
    const char* text;
    DWORD style;
    short x, y, cx, cy;
};

// In template order, which is also the order of creation.
const ControlCase Controls[] = {
    {IDC_SETUP_LABEL, "static", "Setup diskettes:", SS_LEFT | WS_GROUP, 1, 5, 56, 8},
    {IDC_SPAN, "button", "Span", BS_AUTOCHECKBOX | BS_LEFTTEXT | WS_TABSTOP, 162, 76, 40, 10},
    {IDC_SETUP_LIST, "listbox", "", LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 2,
     15, 155, 95},
    {IDC_PASSWORD_LABEL, "static", "Password:", SS_LEFT | WS_GROUP, 162, 89, 41, 8},
    {IDC_PASSWORD, "edit", "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 162, 98, 41, 12},
    {IDC_CREATE, "button", "&Create", BS_PUSHBUTTON | WS_TABSTOP, 162, 20, 40, 14},
    {IDC_ABOUT, "button", "&About", BS_PUSHBUTTON | WS_TABSTOP, 162, 38, 41, 14},
    {IDC_EXIT, "button", "E&xit", BS_PUSHBUTTON | WS_TABSTOP, 162, 57, 41, 14},
    {IDC_PROGRESS, "msctls_progress32", "", 0, 2, 113, 154, 9},
    {IDC_REMOVE, "button", "&Remove", BS_PUSHBUTTON | WS_TABSTOP, 162, 3, 41, 14},
    {IDC_HELP_BUTTON, "button", "&Help", BS_PUSHBUTTON | WS_TABSTOP, 162, 129, 41, 14},
};

TEST(MainTemplate, HoldsEveryControlAsDesigned) {
    DialogTemplate expected{
        true, 0x90CC00C0u,     0, 0, 209, 161, "Create Vornaly Installation Package",
        8,    "MS Sans Serif", {}};
    for (const ControlCase& c : Controls)
        expected.items.push_back({c.style | WS_CHILD | WS_VISIBLE, c.x, c.y, c.cx, c.cy, WORD(c.id),
                                  c.className, c.text});
    ExpectSameTemplate(LoadDialogTemplate("MAIN"), expected);
}

TEST_F(MainDialogTest, ControlsStandWhereTheTemplatePutsThem) {
    for (const ControlCase& c : Controls) {
        SCOPED_TRACE(c.id);
        HWND control = GetDlgItem(dialog, c.id);
        ASSERT_NE(control, nullptr);
        RECT expected = {c.x, c.y, c.cx, c.cy};  // each value scaled on its own
        MapDialogRect(dialog, &expected);
        RECT actual;
        GetWindowRect(control, &actual);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_EQ(actual.right - actual.left, expected.right);
        // A list box without LBS_NOINTEGRALHEIGHT shortens itself to whole lines.
        if (c.id != IDC_SETUP_LIST) {
            EXPECT_EQ(actual.bottom - actual.top, expected.bottom);
        }
    }
}

TEST(StringTable, HoldsTheButtonHints) {
    struct Case {
        UINT id;
        const char* text;
    } cases[] = {
        {IDC_CREATE, "Creates Vornaly Installation executable"},
        {IDC_ABOUT, "About Vornaly Installer"},
        {IDC_EXIT, "Terminates Vornaly"},
    };
    for (const Case& c : cases) {
        char text[255] = "";
        LoadStringA(GetModuleHandleA(nullptr), c.id, text, sizeof text);
        EXPECT_STREQ(text, c.text);
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
    EXPECT_NE(GetClassLongPtrA(dialog, GCLP_HICON), 0);
}

TEST_F(MainDialogTest, HasAnEmptyStatusBarAlongTheBottom) {
    HWND status = GetDlgItem(dialog, IDC_STATUS_BAR);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status, TheShell.statusBar);
    char className[64] = "";
    GetClassNameA(status, className, sizeof className);
    EXPECT_STRCASEEQ(className, STATUSCLASSNAMEA);
    // The status bar draws its own border, so WS_BORDER does not stay set.
    EXPECT_EQ(GetWindowLongA(status, GWL_STYLE) & 0x50000010u, 0x50000010u);
    EXPECT_EQ(GetWindowTextLengthA(status), 0);
    EXPECT_EQ(SendMessageA(status, SB_GETPARTS, 0, 0), 1);

    RECT client, bar;
    GetClientRect(dialog, &client);
    GetWindowRect(status, &bar);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.bottom, client.bottom);
}

TEST_F(MainDialogTest, StartsTheZipComponent) { EXPECT_EQ(RunMorvane(), MVWRAP_ALREADY_RUNNING); }

struct ShutdownCase {
    const char* how;
    void (*request)(HWND dialog);
};

void PrintTo(const ShutdownCase& c, std::ostream* out) { *out << c.how; }

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
                    ShutdownCase{
                        "Exit",
                        [](HWND d) { SendMessageA(GetDlgItem(d, IDC_EXIT), BM_CLICK, 0, 0); }}),
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

TEST_F(MainDialogTest, MessageLoopLeavesKeysToTheFocusedControl) {
    // Without the dialog manager in the loop, Tab does not move the focus
    // and Enter presses no default button.
    HWND create = GetDlgItem(dialog, IDC_CREATE);
    SetForegroundWindow(dialog);
    SetFocus(create);
    ASSERT_EQ(GetFocus(), create);
    for (WPARAM key : {VK_TAB, VK_RETURN, VK_ESCAPE}) {
        PostMessageA(create, WM_KEYDOWN, key, 0);
        PostMessageA(create, WM_KEYUP, key, 0xC0000001);
    }
    PostQuitMessage(0);
    EXPECT_EQ(RunMessageLoop(), 0u);
    EXPECT_EQ(GetFocus(), create);
    EXPECT_EQ(RunMorvane(), MVWRAP_ALREADY_RUNNING);  // nothing closed the dialog
}

}  // namespace
