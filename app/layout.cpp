// The main dialog's layout arithmetic: rectangles in, placements out.
#include "layout.h"

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// Positions of the reference rectangles of the setup list and Remove.
constexpr size_t SetupListSlot = 0;
constexpr size_t RemoveSlot = 1;

// The reference takes tops from window-relative rectangles; Remove is taken
// to stand this far below the top of the client area.
constexpr int RemoveClientTop = 5;

}  // namespace

int HalfRoundedToEven(int value) {
    int half = value >= 0 ? value / 2 : -((-value + 1) / 2);  // rounded down
    bool odd = value - 2 * half != 0;
    return odd && half % 2 != 0 ? half + 1 : half;
}

LayoutReference TakeLayoutReference(const RECT& client,
                                    const std::array<RECT, LaidOutControls.size()>& controls) {
    LayoutReference reference;
    reference.client = client;
    reference.controls = controls;
    const RECT& list = controls[SetupListSlot];
    const RECT& remove = controls[RemoveSlot];
    reference.columnMargin = HalfRoundedToEven(Width(client) - list.right - Width(remove));
    reference.verticalOffset = remove.top - client.top - RemoveClientTop;
    return reference;
}

MainDialogPlacements PlaceMainDialogControls(const LayoutReference& reference,
                                             const RECT& currentClient) {
    const int dx = Width(currentClient) - Width(reference.client);
    const int dy = Height(currentClient) - Height(reference.client);
    MainDialogPlacements placements;
    for (size_t i = 0; i < LaidOutControls.size(); ++i) {
        const RECT& r = reference.controls[i];
        ControlPlacement& p = placements[i];
        p = {LaidOutControls[i], r.left + dx, r.top - reference.verticalOffset, Width(r),
             Height(r)};
        if (i == SetupListSlot) {
            p.x = r.left;
            p.width += dx;
            p.height += dy;
        } else if (i == RemoveSlot) {
            p.x = currentClient.right - reference.columnMargin - Width(r);
        }
    }
    return placements;
}
