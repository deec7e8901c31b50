// The main dialog's layout: the arithmetic on fixed rectangles, then the
// real dialog being sized.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <map>
#include <vector>

#include "layout.h"
#include "main_dialog_fixture.h"

namespace {

TEST(LayoutArithmetic, PlacesTheControlsForEachSize) {
    // Client 360 x 260; the list's right edge at 280 and Remove 72 wide
    // leave a margin of (360 - 280 - 72) / 2 = 4; Remove's top at 28 gives a
    // vertical offset of 23, so every top comes out 23 higher.
    std::array<RECT, LaidOutControls.size()> rects = {{
        {8, 40, 280, 200},   // setup list
        {290, 28, 362, 51},  // Remove
        {290, 46, 360, 69},  // Create
        {290, 62, 362, 85},
        {290, 80, 362, 103},
        {290, 98, 360, 115},
        {290, 120, 362, 133},
        {290, 135, 362, 156},
        {290, 250, 362, 273},  // Help
    }};
    LayoutReference reference = TakeLayoutReference({0, 0, 360, 260}, rects);
    EXPECT_EQ(reference.columnMargin, 4);
    EXPECT_EQ(reference.verticalOffset, 23);

    struct Case {
        const char* name;
        RECT client;
        ControlPlacement list, remove, create, help;  // x, y, width, height
    } cases[] = {
        {"FirstSize",
         {0, 0, 360, 260},
         {103, 8, 17, 272, 160},
         {112, 284, 5, 72, 23},
         {106, 290, 23, 70, 23},
         {113, 290, 227, 72, 23}},
        {"WiderBy100",
         {0, 0, 460, 260},
         {103, 8, 17, 372, 160},
         {112, 384, 5, 72, 23},
         {106, 390, 23, 70, 23},
         {113, 390, 227, 72, 23}},
        {"TallerBy40",
         {0, 0, 360, 300},
         {103, 8, 17, 272, 200},
         {112, 284, 5, 72, 23},
         {106, 290, 23, 70, 23},
         {113, 290, 227, 72, 23}},
        {"BelowTheFirstSize",
         {0, 0, 60, 60},
         {103, 8, 17, -28, -40},
         {112, -16, 5, 72, 23},
         {106, -10, 23, 70, 23},
         {113, -10, 227, 72, 23}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MainDialogPlacements placements = PlaceMainDialogControls(reference, c.client);
        for (size_t i = 0; i < placements.size(); ++i)
            EXPECT_EQ(placements[i].id, LaidOutControls[i]);
        for (const ControlPlacement& e : {c.list, c.remove, c.create, c.help}) {
            for (const ControlPlacement& p : placements) {
                if (p.id != e.id) continue;
                EXPECT_EQ(std::vector<int>({p.x, p.y, p.width, p.height}),
                          std::vector<int>({e.x, e.y, e.width, e.height}))
                    << e.id;
            }
        }
    }
}

TEST(LayoutArithmetic, MarginIsHalfRoundedToTheEvenNeighbour) {
    const std::pair<int, int> cases[] = {{8, 4}, {5, 2},  {7, 4},   {9, 4},   {11, 6},
                                         {0, 0}, {-1, 0}, {-3, -2}, {-5, -2}, {-6, -3}};
    for (auto [value, half] : cases) EXPECT_EQ(HalfRoundedToEven(value), half) << value;
}

// Positions in the dialog's client area, as the user sees them.
std::map<int, RECT> Controls(HWND dialog) {
    std::map<int, RECT> rects;
    for (int id : {101, 102, 103, 104, 105, 106, 107, 108, 111, 112, 113}) {
        RECT& r = rects[id];
        GetWindowRect(GetDlgItem(dialog, id), &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    }
    return rects;
}

void SizeBy(HWND dialog, const RECT& outer, int dx, int dy) {
    SetWindowPos(dialog, nullptr, 0, 0, outer.right - outer.left + dx,
                 outer.bottom - outer.top + dy, SWP_NOMOVE | SWP_NOZORDER);
}

int FrameLeft(HWND dialog, const RECT& outer) {
    POINT origin = {0, 0};
    ClientToScreen(dialog, &origin);
    return origin.x - outer.left;
}

constexpr int Column[] = {102, 104, 105, 106, 107, 108, 112, 113};

TEST_F(MainDialogTest, LayoutFollowsTheWindowSize) {
    RECT outer, client;
    GetWindowRect(dialog, &outer);
    GetClientRect(dialog, &client);
    const int frameLeft = FrameLeft(dialog, outer);
    ASSERT_GT(frameLeft, 0);
    std::map<int, RECT> asTemplate = Controls(dialog);

    // The first layout, at the template size: everything but Remove moves
    // right by the left frame; Remove stands centred right of the list's
    // (window-relative) right edge; the label and the progress bar stay.
    SendMessageA(dialog, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    std::map<int, RECT> first = Controls(dialog);
    for (int id : {102, 103, 104, 105, 106, 107, 108, 113})
        EXPECT_EQ(first[id].left, asTemplate[id].left + frameLeft) << id;
    const int leftGap = first[112].left - (asTemplate[103].right + frameLeft);
    EXPECT_LE(std::abs(leftGap - (client.right - first[112].right)), 1);
    EXPECT_EQ(first[112].top, 5);

    // Wider by 100 and taller by 40: the column moves 100 to the right, the
    // list grows (its height cut to whole lines by the list box itself).
    SizeBy(dialog, outer, 100, 40);
    std::map<int, RECT> moved = Controls(dialog);
    for (int id : Column) {
        RECT expected = first[id];
        OffsetRect(&expected, 100, 0);
        EXPECT_TRUE(EqualRect(&moved[id], &expected)) << id;
    }
    for (int id : {101, 111}) EXPECT_TRUE(EqualRect(&moved[id], &asTemplate[id])) << id;
    const int line = SendMessageA(TheShell.setupList, LB_GETITEMHEIGHT, 0, 0);
    EXPECT_EQ(moved[103].right, first[103].right + 100);
    EXPECT_NEAR(moved[103].bottom, first[103].bottom + 40, line);

    // Back to the first size, everything stands where the first run put it.
    SizeBy(dialog, outer, 0, 0);
    std::map<int, RECT> back = Controls(dialog);
    for (int id : Column) EXPECT_TRUE(EqualRect(&back[id], &first[id])) << id;
    EXPECT_EQ(back[103].right, first[103].right);
    EXPECT_NEAR(back[103].bottom, first[103].bottom, line);
}

// A dialog from the MAIN template whose procedure lays it out while the
// template's controls are still being made: the font message comes before
// any control exists, as a size message may.
MainDialogLayout* EarlyLayout = nullptr;
int LayoutsBeforeControls = 0;

INT_PTR CALLBACK EarlyLayoutProc(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_SETFONT || message == WM_SIZE) {
        if (!GetDlgItem(window, IDC_SETUP_LIST)) ++LayoutsBeforeControls;
        EarlyLayout->Apply(window);
    }
    return 0;
}

TEST(MainDialogLayout, ReferenceWaitsUntilTheControlsExist) {
    MainDialogLayout layout;
    EarlyLayout = &layout;
    HWND dialog =
        CreateDialogParamA(GetModuleHandleA(nullptr), "MAIN", nullptr, EarlyLayoutProc, 0);
    ASSERT_NE(dialog, nullptr);
    ASSERT_GT(LayoutsBeforeControls, 0);
    RECT outer;
    GetWindowRect(dialog, &outer);
    std::map<int, RECT> asTemplate = Controls(dialog);

    // Taken at the first size message after the controls exist, the
    // reference keeps the list as wide as the template made it.
    SizeBy(dialog, outer, 100, 0);
    std::map<int, RECT> moved = Controls(dialog);
    const int frameLeft = FrameLeft(dialog, outer);
    EXPECT_EQ(moved[IDC_SETUP_LIST].left, asTemplate[IDC_SETUP_LIST].left + frameLeft);
    EXPECT_EQ(moved[IDC_SETUP_LIST].right, asTemplate[IDC_SETUP_LIST].right + frameLeft);
    EXPECT_EQ(moved[IDC_CREATE].left, asTemplate[IDC_CREATE].left + frameLeft);
    DestroyWindow(dialog);
    EarlyLayout = nullptr;
}

}  // namespace
