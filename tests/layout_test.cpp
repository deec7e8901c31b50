// The main dialog's layout: the arithmetic on fixed rectangles, then the
// real dialog being sized.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <map>

#include "layout.h"
#include "main_dialog_fixture.h"

namespace {

// A reference in round numbers: client 360 x 260; the setup list's right
// edge at 280 and Remove 72 wide leave a margin of (360 - 280 - 72) / 2 = 4;
// Remove's top at 28 gives a vertical offset of 23.
LayoutReference Reference() {
    std::array<RECT, LaidOutControls.size()> controls = {{
        {8, 40, 280, 200},   // setup list
        {290, 28, 362, 51},  // Remove
        {290, 46, 360, 69},  // Create
        {290, 62, 362, 85},  // About
        {290, 80, 362, 103},
        {290, 98, 360, 115},
        {290, 120, 362, 133},
        {290, 135, 362, 156},
        {290, 250, 362, 273},  // Help
    }};
    return TakeLayoutReference({0, 0, 360, 260}, controls);
}

TEST(LayoutArithmetic, MarginIsHalfRoundedToTheEvenNeighbour) {
    const std::pair<int, int> cases[] = {{8, 4}, {5, 2},  {7, 4},   {9, 4},   {11, 6},
                                         {0, 0}, {-1, 0}, {-3, -2}, {-5, -2}, {-6, -3}};
    for (auto [value, half] : cases) EXPECT_EQ(HalfRoundedToEven(value), half) << value;

    LayoutReference reference = Reference();
    EXPECT_EQ(reference.columnMargin, 4);
    EXPECT_EQ(reference.verticalOffset, 23);
    // 361 - 280 - 72 = 9, and 4.5 goes to 4.
    reference = TakeLayoutReference({0, 0, 361, 260}, reference.controls);
    EXPECT_EQ(reference.columnMargin, 4);
}

struct SizeCase {
    const char* name;
    RECT client;
    ControlPlacement list, remove, create, help;
};

void PrintTo(const SizeCase& c, std::ostream* out) { *out << c.name; }

class LayoutSizes : public testing::TestWithParam<SizeCase> {};

TEST_P(LayoutSizes, PlaceTheControls) {
    const SizeCase& c = GetParam();
    MainDialogPlacements placements = PlaceMainDialogControls(Reference(), c.client);
    for (size_t i = 0; i < placements.size(); ++i) EXPECT_EQ(placements[i].id, LaidOutControls[i]);

    std::map<int, ControlPlacement> expected = {
        {103, c.list}, {112, c.remove}, {106, c.create}, {113, c.help}};
    for (const ControlPlacement& p : placements) {
        auto found = expected.find(p.id);
        if (found == expected.end()) continue;
        const ControlPlacement& e = found->second;
        SCOPED_TRACE(p.id);
        EXPECT_EQ(p.x, e.x);
        EXPECT_EQ(p.y, e.y);
        EXPECT_EQ(p.width, e.width);
        EXPECT_EQ(p.height, e.height);
    }
}

// Tops come out 23 higher than the window-relative reference; Remove is
// placed from the right edge, the others keep their left plus dx.
INSTANTIATE_TEST_SUITE_P(Table, LayoutSizes,
                         testing::Values(SizeCase{"FirstSize",
                                                  {0, 0, 360, 260},
                                                  {103, 8, 17, 272, 160},
                                                  {112, 284, 5, 72, 23},
                                                  {106, 290, 23, 70, 23},
                                                  {113, 290, 227, 72, 23}},
                                         SizeCase{"WiderBy100",
                                                  {0, 0, 460, 260},
                                                  {103, 8, 17, 372, 160},
                                                  {112, 384, 5, 72, 23},
                                                  {106, 390, 23, 70, 23},
                                                  {113, 390, 227, 72, 23}},
                                         SizeCase{"TallerBy40",
                                                  {0, 0, 360, 300},
                                                  {103, 8, 17, 272, 200},
                                                  {112, 284, 5, 72, 23},
                                                  {106, 290, 23, 70, 23},
                                                  {113, 290, 227, 72, 23}},
                                         SizeCase{"BelowTheFirstSize",
                                                  {0, 0, 60, 60},
                                                  {103, 8, 17, -28, -40},
                                                  {112, -16, 5, 72, 23},
                                                  {106, -10, 23, 70, 23},
                                                  {113, -10, 227, 72, 23}}),
                         [](const testing::TestParamInfo<SizeCase>& info) {
                             return info.param.name;
                         });

// Positions in the dialog's client area, as the user sees them.
RECT ClientRectOf(HWND dialog, int id) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::map<int, RECT> AllControls(HWND dialog) {
    std::map<int, RECT> rects;
    for (int id : {101, 102, 103, 104, 105, 106, 107, 108, 111, 112, 113})
        rects[id] = ClientRectOf(dialog, id);
    return rects;
}

void SizeBy(HWND dialog, const RECT& outer, int dx, int dy) {
    SetWindowPos(dialog, nullptr, 0, 0, outer.right - outer.left + dx,
                 outer.bottom - outer.top + dy, SWP_NOMOVE | SWP_NOZORDER);
}

class MainDialogLayoutTest : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        GetWindowRect(dialog, &outer);
        GetClientRect(dialog, &client);
        POINT origin = {0, 0};
        ClientToScreen(dialog, &origin);
        frameLeft = origin.x - outer.left;
        asTemplate = AllControls(dialog);
        // The first layout, at the template size.
        SendMessageA(dialog, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
        firstRun = AllControls(dialog);
    }

    RECT outer{}, client{};
    int frameLeft = 0;
    std::map<int, RECT> asTemplate, firstRun;
};

TEST_F(MainDialogLayoutTest, FirstRunShiftsByTheLeftFrameAndCentresRemove) {
    ASSERT_GT(frameLeft, 0);
    for (int id : {102, 103, 104, 105, 106, 107, 108, 113}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(firstRun[id].left, asTemplate[id].left + frameLeft);
        EXPECT_EQ(firstRun[id].right, asTemplate[id].right + frameLeft);
    }
    for (int id : {101, 111}) EXPECT_TRUE(EqualRect(&firstRun[id], &asTemplate[id])) << id;
    // Remove stands in the middle of the space right of the list's reference
    // right edge (window-relative, so one frame further right).
    int leftGap = firstRun[112].left - (asTemplate[103].right + frameLeft);
    int rightGap = client.right - firstRun[112].right;
    EXPECT_LE(abs(leftGap - rightGap), 1) << leftGap << " " << rightGap;
    EXPECT_EQ(firstRun[112].top, 5);
}

struct ResizeCase {
    const char* name;
    int dx, dy;
};

void PrintTo(const ResizeCase& c, std::ostream* out) { *out << c.name; }

class MainDialogResize : public MainDialogLayoutTest,
                         public testing::WithParamInterface<ResizeCase> {};

TEST_P(MainDialogResize, StretchesTheListAndMovesTheColumn) {
    const ResizeCase& c = GetParam();
    SizeBy(dialog, outer, c.dx, c.dy);
    RECT now;
    GetClientRect(dialog, &now);
    const int dx = now.right - client.right, dy = now.bottom - client.bottom;
    ASSERT_EQ(dx, c.dx);
    ASSERT_EQ(dy, c.dy);

    std::map<int, RECT> moved = AllControls(dialog);
    for (int id : {102, 104, 105, 106, 107, 108, 112, 113}) {
        SCOPED_TRACE(id);
        RECT expected = firstRun[id];
        OffsetRect(&expected, dx, 0);
        EXPECT_TRUE(EqualRect(&moved[id], &expected));
    }
    for (int id : {101, 111}) EXPECT_TRUE(EqualRect(&moved[id], &asTemplate[id])) << id;

    const RECT& list = moved[103];
    EXPECT_EQ(list.left, firstRun[103].left);
    EXPECT_EQ(list.top, firstRun[103].top);
    EXPECT_EQ(list.right, std::max(firstRun[103].right + dx, list.left));
    // The list box cuts its height to whole lines.
    const int expectedBottom = firstRun[103].bottom + dy;
    const int line = SendMessageA(GetDlgItem(dialog, 103), LB_GETITEMHEIGHT, 0, 0);
    if (expectedBottom > list.top) {
        EXPECT_LE(list.bottom, expectedBottom);
        EXPECT_GT(list.bottom, expectedBottom - line);
    }

    // Back to the first size, everything stands where the first run put it
    // (the list box again choosing its own whole-line height).
    SizeBy(dialog, outer, 0, 0);
    std::map<int, RECT> back = AllControls(dialog);
    for (int id : {101, 102, 104, 105, 106, 107, 108, 111, 112, 113})
        EXPECT_TRUE(EqualRect(&back[id], &firstRun[id])) << id;
    EXPECT_EQ(back[103].left, firstRun[103].left);
    EXPECT_EQ(back[103].top, firstRun[103].top);
    EXPECT_EQ(back[103].right, firstRun[103].right);
    EXPECT_NEAR(back[103].bottom, firstRun[103].bottom, line);
}

INSTANTIATE_TEST_SUITE_P(Table, MainDialogResize,
                         testing::Values(ResizeCase{"WiderBy100", 100, 0},
                                         ResizeCase{"TallerBy40", 0, 40},
                                         ResizeCase{"WiderAndTaller", 100, 40},
                                         ResizeCase{"BelowTheFirstSize", -150, -80}),
                         [](const testing::TestParamInfo<ResizeCase>& info) {
                             return info.param.name;
                         });

// A dialog from the MAIN template whose procedure lays it out while the
// template's controls are still being made: the font message comes before
// any control exists, as a size message may.
struct EarlyLayout {
    MainDialogLayout layout;
    int beforeControls = 0;
};

EarlyLayout* CurrentEarlyLayout = nullptr;

INT_PTR CALLBACK EarlyLayoutProc(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_SETFONT || message == WM_SIZE) {
        if (!GetDlgItem(window, IDC_SETUP_LIST)) CurrentEarlyLayout->beforeControls++;
        CurrentEarlyLayout->layout.Apply(window);
    }
    return 0;
}

TEST(MainDialogLayoutEarly, ReferenceWaitsUntilTheControlsExist) {
    EarlyLayout early;
    CurrentEarlyLayout = &early;
    HWND dialog =
        CreateDialogParamA(GetModuleHandleA(nullptr), "MAIN", nullptr, EarlyLayoutProc, 0);
    ASSERT_NE(dialog, nullptr);
    ASSERT_GT(early.beforeControls, 0);
    RECT outer;
    GetWindowRect(dialog, &outer);
    POINT origin = {0, 0};
    ClientToScreen(dialog, &origin);
    std::map<int, RECT> asTemplate = AllControls(dialog);

    SizeBy(dialog, outer, 100, 0);
    std::map<int, RECT> moved = AllControls(dialog);
    // Taken at this first size message after the controls exist, the
    // reference leaves the list as wide as the template made it.
    const int frameLeft = origin.x - outer.left;
    EXPECT_EQ(moved[IDC_SETUP_LIST].left, asTemplate[IDC_SETUP_LIST].left + frameLeft);
    EXPECT_EQ(moved[IDC_SETUP_LIST].right, asTemplate[IDC_SETUP_LIST].right + frameLeft);
    EXPECT_EQ(moved[IDC_CREATE].left, asTemplate[IDC_CREATE].left + frameLeft);
    EXPECT_EQ(moved[IDC_REMOVE].top, 5);
    DestroyWindow(dialog);
    CurrentEarlyLayout = nullptr;
}

}  // namespace
