// Layout of the main dialog on resize. The arithmetic is a pure function over
// rectangles (PlaceMainDialogControls); MainDialogLayout and LayoutMainDialog
// apply it to the real controls.
#ifndef APP_LAYOUT_H
#define APP_LAYOUT_H

#include <windows.h>

#include <array>

#include "resource.h"

// The controls the layout moves, in the order it moves them: the setup list,
// Remove, then the column that keeps its distance from the right edge. The
// label "Setup diskettes:" and the progress bar never move.
constexpr std::array<int, 9> LaidOutControls = {IDC_SETUP_LIST,     IDC_REMOVE,   IDC_CREATE,
                                                IDC_ABOUT,          IDC_EXIT,     IDC_SPAN,
                                                IDC_PASSWORD_LABEL, IDC_PASSWORD, IDC_HELP_BUTTON};

struct LayoutReference {
    RECT client = {};  // client rectangle when the reference was taken
    // Window-relative rectangles, in the order of LaidOutControls.
    std::array<RECT, LaidOutControls.size()> controls = {};
    int columnMargin = 0;
    int verticalOffset = 0;
};

struct ControlPlacement {
    int id;
    int x, y, width, height;
};

using MainDialogPlacements = std::array<ControlPlacement, LaidOutControls.size()>;

// Half of a whole number, rounded to the nearest integer, halves to the even
// neighbour (5 gives 2, 7 gives 4, -1 gives 0).
int HalfRoundedToEven(int value);

// The reference geometry from the client rectangle and the controls'
// window-relative rectangles at the first layout.
LayoutReference TakeLayoutReference(const RECT& client,
                                    const std::array<RECT, LaidOutControls.size()>& controls);

// Where each control goes for the current client rectangle.
MainDialogPlacements PlaceMainDialogControls(const LayoutReference& reference,
                                             const RECT& currentClient);

// A control's window rectangle measured from the dialog's outer top-left
// corner (frame and caption included), not from its client area.
RECT WindowRelativeRect(HWND dialog, HWND control);

// Keeps the reference geometry of one dialog. It is taken at the first
// layout at which all the controls exist: a size message that comes while
// the dialog is still being built must not record rectangles of missing
// controls.
class MainDialogLayout {
public:
    void Apply(HWND dialog);

private:
    HWND recordedFor_ = nullptr;
    LayoutReference reference_;
};

// Lays out the program's main dialog for its current size. It takes the
// dialog from its size message: the first one comes before the dialog
// handle is kept anywhere else.
void LayoutMainDialog(HWND mainDialog);

#endif
