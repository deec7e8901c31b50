#include "executable_choice.h"

#include <windows.h>

#include "executable_entries.h"
#include "resource.h"
#include "shell.h"
#include "working_values.h"

namespace {

std::string ListItem(HWND list, LRESULT index) {
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return "";
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

void OnInitDialog(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_EXE_LIST);
    for (const std::string& name : ExecutableEntries())
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count <= 1) {
        InstallExecutable = count == 1 ? ListItem(list, 0) : "";
        EndDialog(dialog, 0);
    } else if (count == 2) {
        SendMessageA(list, LB_SETCURSEL, 0, 0);
    }
}

// With nothing selected the dialog stays open: closing it would start the
// package with no program at all.
void OnSelect(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_EXE_LIST);
    LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR) return;
    InstallExecutable = ListItem(list, selected);
    EndDialog(dialog, 0);
}

INT_PTR CALLBACK ExecutableChoiceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(dialog); break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_EXE_SELECT) OnSelect(dialog);
        break;
    }
    return 0;
}

}  // namespace

void ChooseInstallExecutable() {
    // Nothing of an earlier Create may reach this package, whatever happens
    // to the dialog.
    InstallExecutable.clear();
    DialogBoxParamA(TheShell.instance, "EXES", TheShell.mainDialog, ExecutableChoiceProc, 0);
}
