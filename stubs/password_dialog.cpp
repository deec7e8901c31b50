// The password dialog: one edit field, OK and Cancel.
#include "password_dialog.h"

#include <windows.h>

#include "stub_resources.h"

namespace stub {

namespace {

struct PasswordRequest {
    char* typed;
    uint32_t room;
};

INT_PTR CALLBACK PasswordProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        PasswordRequest* request = reinterpret_cast<PasswordRequest*>(lParam);
        SendDlgItemMessageA(dialog, IDC_PASSWORD_TEXT, EM_LIMITTEXT, request->room - 1, 0);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            PasswordRequest* request =
                reinterpret_cast<PasswordRequest*>(GetWindowLongPtrA(dialog, DWLP_USER));
            GetDlgItemTextA(dialog, IDC_PASSWORD_TEXT, request->typed, int(request->room));
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

bool AskPassword(char* typed, uint32_t room) {
    typed[0] = 0;
    PasswordRequest request = {typed, room};
    return DialogBoxParamA(GetModuleHandleA(nullptr), "PASSWORD", nullptr, PasswordProc,
                           reinterpret_cast<LPARAM>(&request)) == IDOK;
}

}  // namespace stub
