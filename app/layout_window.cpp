// Applies the layout arithmetic to the main dialog's controls.
#include "layout.h"

RECT WindowRelativeRect(HWND dialog, HWND control) {
    RECT outer, r;
    GetWindowRect(dialog, &outer);
    GetWindowRect(control, &r);
    return {r.left - outer.left, r.top - outer.top, r.right - outer.left, r.bottom - outer.top};
}

void MainDialogLayout::Apply(HWND dialog) {
    if (recordedFor_ != dialog) {
        std::array<RECT, LaidOutControls.size()> controls;
        for (size_t i = 0; i < LaidOutControls.size(); ++i) {
            HWND control = GetDlgItem(dialog, LaidOutControls[i]);
            if (!control) return;  // still being built: wait for a later size message
            controls[i] = WindowRelativeRect(dialog, control);
        }
        RECT client;
        GetClientRect(dialog, &client);
        reference_ = TakeLayoutReference(client, controls);
        recordedFor_ = dialog;
    }
    RECT client;
    GetClientRect(dialog, &client);
    for (const ControlPlacement& p : PlaceMainDialogControls(reference_, client)) {
        MoveWindow(GetDlgItem(dialog, p.id), p.x, p.y, p.width, p.height, TRUE);
    }
}

void LayoutMainDialog(HWND mainDialog) {
    static MainDialogLayout layout;
    layout.Apply(mainDialog);
}
