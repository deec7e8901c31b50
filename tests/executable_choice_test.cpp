#include <windows.h>

#include <fstream>
#include <iterator>

#include "dialog_driver.h"
#include "dialog_template.h"
#include "executable_choice.h"
#include "main_dialog_fixture.h"
#include "temp_dir.h"
#include "working_values.h"

namespace {

constexpr char Caption[] = "Installation executable";

std::string Le(uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

// An archive of empty stored entries under any names, the component's long
// and odd ones included, which no file system would let us zip from disk.
void WriteArchive(const std::string& path, const std::vector<std::string>& names) {
    std::string local, central;
    for (std::string name : names) {
        for (char& c : name)
            if (c == '\\') c = '/';
        // version 20, no flags, stored, 1 Jan 1980, CRC and sizes 0
        std::string fields = Le(20, 2) + Le(0, 2) + Le(0, 2) + Le(0, 2) + Le(0x21, 2) + Le(0, 4) +
                             Le(0, 4) + Le(0, 4) + Le(name.size(), 2) + Le(0, 2);
        central += Le(0x02014b50, 4) + Le(20, 2) + fields + Le(0, 2) + Le(0, 2) + Le(0, 2) +
                   Le(0, 4) + Le(local.size(), 4) + name;
        local += Le(0x04034b50, 4) + fields + name;
    }
    std::string end = Le(0x06054b50, 4) + Le(0, 2) + Le(0, 2) + Le(names.size(), 2) +
                      Le(names.size(), 2) + Le(central.size(), 4) + Le(local.size(), 4) + Le(0, 2);
    std::ofstream(path, std::ios::binary) << local << central << end;
}

// Notes whether the choice dialog was ever about to be shown on this thread.
class ShowWatch {
public:
    ShowWatch() { hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Watch, nullptr, GetCurrentThreadId()); }
    ~ShowWatch() { UnhookWindowsHookEx(hook_); }
    static bool shown;

private:
    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        bool showing = (call->message == WM_SHOWWINDOW && call->wParam) ||
                       (call->message == WM_WINDOWPOSCHANGING &&
                        (reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_SHOWWINDOW));
        wchar_t title[64] = L"";
        if (showing && InternalGetWindowText(call->hwnd, title, 64) &&
            title == std::wstring(L"Installation executable"))
            shown = true;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_;
};
bool ShowWatch::shown = false;

struct ChoiceCase {
    const char* name;
    std::vector<std::string> entries;
    bool shown;
    std::vector<std::string> listed;  // in the dialog's order
    int preselected;
    bool pressWithoutSelection;
    int pick;  // -1: leave the list as it is
    std::string chosen;
};

void PrintTo(const ChoiceCase& c, std::ostream* out) { *out << c.name; }

class ExecutableChoice : public MainDialogTest, public testing::WithParamInterface<ChoiceCase> {};

TEST_P(ExecutableChoice, OffersTheArchivesProgramsAndKeepsTheChoice) {
    const ChoiceCase& c = GetParam();
    TempDir dir;
    ArchivePath = dir / "pkg.zip";
    WriteArchive(ArchivePath, c.entries);
    InstallExecutable = "OLD.EXE";

    struct Seen {
        std::vector<std::string> listed;
        LRESULT selected = LB_ERR;
        bool ownedByMain = false;
        std::string valueMeanwhile;
        bool openAfterEmptyPress = false;
    } seen;
    DialogAnswerer answer(
        Caption, IDC_EXE_SELECT,
        [&](HWND box) {
            HWND list = GetDlgItem(box, IDC_EXE_LIST);
            LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < count; ++i) {
                char text[300] = "";
                SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
                seen.listed.emplace_back(text);
            }
            seen.selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
            seen.ownedByMain = GetWindow(box, GW_OWNER) == TheShell.mainDialog;
            seen.valueMeanwhile = InstallExecutable;
            if (c.pressWithoutSelection) {
                // Neither the button without a selection nor Escape or Enter
                // nor the close request ends the dialog.
                SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDC_EXE_SELECT, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(box, IDC_EXE_SELECT)));
                SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
                SendMessageA(box, WM_COMMAND, IDOK, 0);
                SendMessageA(box, WM_CLOSE, 0, 0);
                seen.openAfterEmptyPress = IsWindowVisible(box) != FALSE;
            }
            if (c.pick >= 0) SendMessageA(list, LB_SETCURSEL, c.pick, 0);
        },
        c.shown ? 10000 : 1000);
    ShowWatch::shown = false;
    {
        ShowWatch watch;
        ChooseInstallExecutable();
    }
    answer.Join();

    EXPECT_EQ(InstallExecutable, c.chosen);
    EXPECT_EQ(ShowWatch::shown, c.shown);
    EXPECT_EQ(answer.Seen(), c.shown);
    if (c.shown) {
        EXPECT_EQ(seen.listed, c.listed);
        EXPECT_EQ(seen.selected, c.preselected);
        EXPECT_TRUE(seen.ownedByMain);
        EXPECT_EQ(seen.valueMeanwhile, "");
        EXPECT_EQ(seen.openAfterEmptyPress, c.pressWithoutSelection);
    }
}

const std::string LongProgram = std::string(250, 'p') + ".exex";         // cut to ".exe"
const std::string LongInFolder = std::string(250, 'q') + "\\setup.exe";  // cut to "\set"

INSTANTIATE_TEST_SUITE_P(
    Table, ExecutableChoice,
    testing::Values(
        ChoiceCase{"NoProgram",
                   {"readme.txt", "setup.EX_", "setup.exe.txt", "tools.exe\\", "exe", "Disk1\\"},
                   false,
                   {},
                   LB_ERR,
                   false,
                   -1,
                   ""},
        ChoiceCase{"OnlyTheFirstEntry",
                   {"setup.exe", "readme.txt"},
                   false,
                   {},
                   LB_ERR,
                   false,
                   -1,
                   "setup.exe"},
        ChoiceCase{"EmptyArchive", {}, false, {}, LB_ERR, false, -1, ""},
        ChoiceCase{"TwoInFolders",
                   {"readme.txt", "b\\Install.Exe", "a\\setup.exe"},
                   true,
                   {"a\\setup.exe", "b\\Install.Exe"},
                   0,
                   false,
                   -1,
                   "a\\setup.exe"},
        ChoiceCase{"FiveSortedIgnoringCase",
                   {"Zeta.exe", "alpha.EXE", "x.EX_", "Beta.exe", "gamma.exe", "delta.exe"},
                   true,
                   {"alpha.EXE", "Beta.exe", "delta.exe", "gamma.exe", "Zeta.exe"},
                   LB_ERR,
                   true,
                   2,
                   "delta.exe"},
        ChoiceCase{"LongNamesCutBeforeTheTest",
                   {LongInFolder, LongProgram},
                   false,
                   {},
                   LB_ERR,
                   false,
                   -1,
                   LongProgram.substr(0, 254)}),
    [](const testing::TestParamInfo<ChoiceCase>& info) { return info.param.name; });

TEST(ExesTemplate, HasNoCloseBoxAndTwoControls) {
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DialogTemplate expected{
        true,
        DS_MODALFRAME | WS_POPUP | WS_CAPTION | DS_SETFONT,
        6,
        18,
        171,
        100,
        Caption,
        8,
        "MS Sans Serif",
        {
            {child | LBS_SORT | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 3, 7, 164, 73,
             IDC_EXE_LIST, "listbox", ""},
            {child | BS_PUSHBUTTON | WS_TABSTOP, 1, 83, 165, 15, IDC_EXE_SELECT, "button",
             "&Select executable that will start the installation"},
        }};
    ExpectSameTemplate(LoadDialogTemplate("EXES"), expected);
}

}  // namespace
