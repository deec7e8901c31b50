#include "progress.h"

#include <windows.h>

#include <commctrl.h>

#include "shell.h"

void ProgressStart(uint32_t count) {
    SendMessageA(TheShell.progressBar, PBM_SETRANGE, 0, MAKELPARAM(0, LOWORD(count)));
    SendMessageA(TheShell.progressBar, PBM_SETSTEP, 1, 0);
    ShowWindow(TheShell.progressBar, SW_SHOW);
}

void ProgressStep() {
    SendMessageA(TheShell.progressBar, PBM_STEPIT, 0, 0);
    PumpOneMessage();
}

void PumpOneMessage() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) return;
    if (message.message == WM_QUIT) return;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return;
    // The message taken may differ from the one looked at (sent messages and
    // priorities); a quit request taken that way goes back for the main loop.
    if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));
        return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

bool QuitRequested() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}
