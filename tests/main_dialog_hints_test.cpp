// The main dialog takes files dropped from the file manager, and its Create,
// About and Exit buttons show their hints from the string table.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "main_dialog_fixture.h"

namespace {

// The shell hands dropped files only to windows with this style.
TEST_F(MainDialogTest, AcceptsFilesDroppedFromTheFileManager) {
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

BOOL CALLBACK FindTooltip(HWND window, LPARAM found) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    auto* result = reinterpret_cast<std::pair<HWND, HWND>*>(found);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 && GetWindow(window, GW_OWNER) == result->first)
        result->second = window;
    return TRUE;
}

// The text the dialog gives for a tooltip's request, made as the control
// makes it: by the tool's id, or by its window for a tool that is a window.
std::string RequestText(HWND dialog, UINT_PTR idFrom, UINT flags) {
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = nullptr;
    info.hdr.idFrom = idFrom;
    info.hdr.code = TTN_NEEDTEXTA;
    info.uFlags = flags;
    SendMessageA(dialog, WM_NOTIFY, idFrom, reinterpret_cast<LPARAM>(&info));
    return info.lpszText ? info.lpszText : "<none>";
}

TEST_F(MainDialogTest, HintsCreateAboutAndExit) {
    std::pair<HWND, HWND> search{dialog, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&search));
    HWND tooltip = search.second;
    ASSERT_NE(tooltip, nullptr) << "no tooltip control owned by the dialog";
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 3);
    const struct {
        int id;
        const char* hint;
    } cases[] = {
        {IDC_CREATE, "Creates Vornaly Installation executable"},
        {IDC_ABOUT, "About Vornaly Installer"},
        {IDC_EXIT, "Terminates Vornaly"},
        {IDC_REMOVE, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        HWND button = GetDlgItem(dialog, c.id);
        EXPECT_EQ(RequestText(dialog, static_cast<UINT_PTR>(c.id), 0), c.hint);
        EXPECT_EQ(RequestText(dialog, reinterpret_cast<UINT_PTR>(button), TTF_IDISHWND), c.hint);
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(button);
        bool registered =
            SendMessageA(tooltip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(registered, *c.hint != '\0');
    }
}

}  // namespace
