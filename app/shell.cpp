#include "shell.h"

Shell TheShell;

HWND CreateMainDialog(HINSTANCE instance) {
    TheShell.instance = instance;
    TheShell.mainDialog = CreateDialogParamA(instance, "MAIN", nullptr, MainDialogProc, 0);
    // The program's other dialogs share this window class, and so the icon.
    SetClassLongPtrA(TheShell.mainDialog, GCLP_HICON,
                     reinterpret_cast<LONG_PTR>(LoadIconA(instance, "PROGRAM")));
    SetWindowTextA(TheShell.mainDialog, MainDialogTitle);
    return TheShell.mainDialog;
}

WPARAM RunMessageLoop() {
    // No IsDialogMessage: the main dialog is worked with the mouse, and keys
    // act only in the modal dialogs, which run loops of their own.
    MSG message;
    for (;;) {
        BOOL result = GetMessageA(&message, nullptr, 0, 0);
        if (result == 0) return message.wParam;
        if (result == -1) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
