// The main dialog's procedure: each message goes to a small handler.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "about_box.h"
#include "create_package.h"
#include "help.h"
#include "layout.h"
#include "resource.h"
#include "setup_list.h"
#include "shell.h"
#include "tooltips.h"
#include "window_front.h"
#include "zip_component.h"

namespace {

// Bit 0x10 has no name in the headers; it is part of the status bar's look.
constexpr DWORD StatusBarStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | 0x10;

void OnInitDialog(HWND window) {
    InitCommonControls();
    TheShell.statusBar = CreateStatusWindowA(StatusBarStyle, "", window, IDC_STATUS_BAR);
    TheShell.progressBar = GetDlgItem(window, IDC_PROGRESS);
    TheShell.setupList = GetDlgItem(window, IDC_SETUP_LIST);
    TheShell.passwordField = GetDlgItem(window, IDC_PASSWORD);
    TheShell.spanCheckBox = GetDlgItem(window, IDC_SPAN);
    UseCreateFront(WindowFront());
    ShowWindow(TheShell.progressBar, SW_HIDE);
    CreateButtonTooltips(window);
    DragAcceptFiles(window, TRUE);
    StartZipComponent();
}

// A Create hands waiting messages on while it works, so a second Create, a
// Remove or a drop can arrive in the middle of it. They would change the
// working values or the list under its feet: while it runs, they are ignored.
bool CreateRunning = false;

void RunCreate() {
    if (CreateRunning) return;
    CreateRunning = true;
    CreatePackage();
    CreateRunning = false;
}

void OnDropFiles(HDROP drop) {
    if (!CreateRunning) AddSetupFolders(TheShell.setupList, DroppedNames(drop));
    DragFinish(drop);
}

void OnSize(HWND window, WPARAM wParam, LPARAM lParam) {
    LayoutMainDialog(window);
    // The status bar places itself along the bottom edge.
    SendMessageA(TheShell.statusBar, WM_SIZE, wParam, lParam);
}

void OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDC_CREATE: RunCreate(); break;
    case IDC_ABOUT: ShowAboutBox(window); break;
    case IDC_EXIT: SendMessageA(window, WM_DESTROY, wParam, lParam); break;
    case IDC_REMOVE:
        if (!CreateRunning) RemoveSelectedSetup(TheShell.setupList);
        break;
    case IDC_HELP_BUTTON: ShowHelp(window); break;
    }
}

void OnDestroy() {
    StopZipComponent();
    PostQuitMessage(0);
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(window); break;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); break;
    case WM_SIZE: OnSize(window, wParam, lParam); break;
    case WM_COMMAND: OnCommand(window, wParam, lParam); break;
    case WM_NOTIFY: OnTooltipTextRequest(reinterpret_cast<NMHDR*>(lParam)); break;
    case WM_CLOSE: SendMessageA(window, WM_DESTROY, wParam, lParam); break;
    case WM_DESTROY: OnDestroy(); break;
    }
    return 0;
}
