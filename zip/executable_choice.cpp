#include "executable_choice.h"

#include <windows.h>

#include <cstdint>

#include "mvwrap.h"
#include "path_helpers.h"
#include "resource.h"
#include "shell.h"
#include "upper_case.h"
#include "working_values.h"
#include "zip_component.h"

namespace {

// Leading blanks and folder parts cannot change what follows the last ".".
bool IsExecutableEntry(const std::string& name) { return UpperCased(ExtensionPart(name)) == "EXE"; }

std::string ListItem(HWND list, LRESULT index) {
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return "";
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

void ListCandidates(HWND list) {
    int32_t count = ZipCount(ArchivePath.c_str());
    // The component numbers its entries from 0.
    for (int32_t index = 0; index < count; ++index) {
        std::string name = CutTo(TakeComponentText(Zipped(&index)), MaxPathText);
        if (IsExecutableEntry(name))
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}

void OnInitDialog(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_EXE_LIST);
    ListCandidates(list);
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
