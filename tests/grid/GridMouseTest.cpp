// Mouse handling: clicks with Shift and Ctrl, header clicks, the wheel,
// editing by click, divider resizing, right clicks and capture loss.
#include "GridFixture.h"

using namespace gridtest;

namespace {

class GridMouseTest : public GridTest
{
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        ASSERT_TRUE(CreateGrid(grid, host, 380, 280));
        Shape(grid, 30, 6, 1, 1, 20, 50);
        for (int r = 1; r < 30; ++r)
            for (int c = 1; c < 6; ++c)
                grid.SetItemText(r, c, L"v");
        host.Clear();
    }
    void Click(int row, int col, UINT flags = 0)
    {
        const CPoint p = CellCentre(grid, row, col);
        Mouse(grid, WM_LBUTTONDOWN, p, MK_LBUTTON | flags);
        Mouse(grid, WM_LBUTTONUP, p, flags);
    }

    CGridCtrl grid;
};

} // namespace

TEST_F(GridMouseTest, ClicksSelectWithShiftAndCtrl)
{
    Click(2, 2);
    EXPECT_EQ(CCellID(2, 2), grid.GetFocusCell());
    EXPECT_EQ(CCellRange(2, 2, 2, 2), grid.GetSelectedRange());
    EXPECT_EQ(1, host.Count(GRIDN_SELCHANGING));
    EXPECT_EQ(1, host.Count(GRIDN_SELCHANGED));
    EXPECT_EQ(1, host.Count(GRIDN_CLICK));

    Click(4, 3, MK_SHIFT);
    EXPECT_EQ(CCellRange(2, 2, 4, 3), grid.GetSelectedRange());
    EXPECT_EQ(6u, grid.GetSelectedCount());

    Click(6, 5, MK_CONTROL);  // added to the kept selection
    EXPECT_EQ(7u, grid.GetSelectedCount());
    EXPECT_TRUE(grid.IsCellSelected(6, 5));
    EXPECT_TRUE(grid.IsCellSelected(3, 3));

    Click(3, 3, MK_CONTROL);  // Ctrl on a selected cell takes it out
    EXPECT_FALSE(grid.IsCellSelected(3, 3));
    EXPECT_EQ(6u, grid.GetSelectedCount());

    // A drag over cells extends the selection and moves the focus.
    Mouse(grid, WM_LBUTTONDOWN, CellCentre(grid, 1, 1), MK_LBUTTON);
    Mouse(grid, WM_MOUSEMOVE, CellCentre(grid, 2, 3), MK_LBUTTON);
    Mouse(grid, WM_LBUTTONUP, CellCentre(grid, 2, 3));
    EXPECT_EQ(CCellRange(1, 1, 2, 3), grid.GetSelectedRange());
    EXPECT_EQ(CCellID(2, 3), grid.GetFocusCell());
}

TEST_F(GridMouseTest, HeaderClicksSelectRowsColumnsOrAll)
{
    Click(3, 0);
    EXPECT_EQ(CCellRange(3, 1, 3, 5), grid.GetSelectedRange());
    Click(0, 2);
    EXPECT_EQ(CCellRange(1, 2, 29, 2), grid.GetSelectedRange());
    Click(0, 0);
    EXPECT_EQ(CCellRange(1, 1, 29, 5), grid.GetSelectedRange());
    grid.SetRowHeaderSelection(FALSE);
    grid.ResetSelectedRange();
    Click(5, 0);
    EXPECT_EQ(0u, grid.GetSelectedCount());
    EXPECT_EQ(CCellID(), grid.GetFocusCell()) << "a header click moves no focus into the headers";
}

TEST_F(GridMouseTest, WheelScrollsByLinesPerNotchAndAddsUpParts)
{
    const int lines = grid.GetWheelLines();
    ASSERT_GT(lines, 0);
    auto wheel = [&](int delta) {
        grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
        PumpPending();
    };
    wheel(-120);
    EXPECT_EQ(lines * 20, grid.GetScrollPosition(SB_VERT));
    wheel(120);
    EXPECT_EQ(0, grid.GetScrollPosition(SB_VERT));

    // A touch pad's small steps: nine of -40 make three notches.
    for (int i = 0; i < 9; ++i)
        wheel(-40);
    EXPECT_EQ(3 * lines * 20, grid.GetScrollPosition(SB_VERT));
    // Two half notches make one; a part left over is not lost.
    wheel(60);
    wheel(60);
    EXPECT_EQ(2 * lines * 20, grid.GetScrollPosition(SB_VERT));
}

TEST_F(GridMouseTest, PressInTheFocusCellEditsEvenAfterAOnePixelMove)
{
    Click(2, 2);
    const CPoint p = CellCentre(grid, 2, 2);
    Mouse(grid, WM_LBUTTONDOWN, p, MK_LBUTTON);
    EXPECT_EQ(CGridCtrl::MOUSE_PREPARE_EDIT, grid.GetMouseMode());
    Mouse(grid, WM_MOUSEMOVE, CPoint(p.x + 1, p.y), MK_LBUTTON);
    Mouse(grid, WM_LBUTTONUP, CPoint(p.x + 1, p.y));
    PumpPending();
    ASSERT_TRUE(Editor(grid));
    EXPECT_EQ(L"v", TextOf(Editor(grid)));
    EXPECT_EQ(CCellID(2, 2), grid.GetFocusCell());

    // A click elsewhere ends the edit with no key: the focus stays put there.
    grid.SetFocus();
    PumpPending();
    EXPECT_FALSE(Editor(grid));
}

TEST_F(GridMouseTest, DividerDragsResizeColumnsAndMergedBlocks)
{
    // The boundary between columns 2 and 3 lies at x = 150.
    Mouse(grid, WM_MOUSEMOVE, CPoint(152, 10));
    EXPECT_EQ(CGridCtrl::MOUSE_OVER_COL_DIVIDE, grid.GetMouseMode());
    Mouse(grid, WM_LBUTTONDOWN, CPoint(152, 10), MK_LBUTTON);
    EXPECT_EQ(CGridCtrl::MOUSE_SIZING_COL, grid.GetMouseMode());
    Mouse(grid, WM_MOUSEMOVE, CPoint(180, 10), MK_LBUTTON);
    Mouse(grid, WM_LBUTTONUP, CPoint(180, 10));
    EXPECT_EQ(80, grid.GetColumnWidth(2));
    EXPECT_EQ(50, grid.GetColumnWidth(3));

    // Releasing on the press point changes nothing.
    Mouse(grid, WM_MOUSEMOVE, CPoint(181, 10));
    Mouse(grid, WM_LBUTTONDOWN, CPoint(181, 10), MK_LBUTTON);
    Mouse(grid, WM_LBUTTONUP, CPoint(181, 10));
    EXPECT_EQ(80, grid.GetColumnWidth(2));

    // A block over columns 3 to 5 dragged by its right edge to 190 pixels.
    grid.MergeCells(0, 3, 0, 5);
    const int left = 50 + 50 + 80;
    const int right = left + 150;
    Mouse(grid, WM_MOUSEMOVE, CPoint(right - 1, 10));
    Mouse(grid, WM_LBUTTONDOWN, CPoint(right - 1, 10), MK_LBUTTON);
    Mouse(grid, WM_LBUTTONUP, CPoint(left + 190, 10));
    EXPECT_EQ(190, grid.GetMergedWidth(0, 3));
    EXPECT_EQ(90, grid.GetColumnWidth(3));
    EXPECT_EQ(50, grid.GetColumnWidth(4));
    EXPECT_EQ(50, grid.GetColumnWidth(5));

    // Dragging far left leaves the column at no less than zero.
    Mouse(grid, WM_MOUSEMOVE, CPoint(101, 10));
    Mouse(grid, WM_LBUTTONDOWN, CPoint(101, 10), MK_LBUTTON);
    Mouse(grid, WM_LBUTTONUP, CPoint(1, 10));
    EXPECT_EQ(0, grid.GetColumnWidth(1));
}

TEST_F(GridMouseTest, DoubleClickOnADividerAutoSizesTheColumnLeftOfIt)
{
    grid.SetItemText(0, 2, L"A much longer header text");
    grid.SetColumnWidth(3, 0);  // hidden columns are passed over
    Mouse(grid, WM_MOUSEMOVE, CPoint(151, 10));
    ASSERT_EQ(CGridCtrl::MOUSE_OVER_COL_DIVIDE, grid.GetMouseMode());
    Mouse(grid, WM_LBUTTONDBLCLK, CPoint(151, 10), MK_LBUTTON);
    EXPECT_GT(grid.GetColumnWidth(2), 50);
    EXPECT_EQ(0, grid.GetColumnWidth(3));
}

TEST_F(GridMouseTest, RightClicksOutsideAndInsideTheCells)
{
    Click(2, 2);
    host.Clear();
    CRect client;
    grid.GetClientRect(client);
    grid.SetColumnWidth(5, 20);
    Mouse(grid, WM_RBUTTONUP, CPoint(client.right - 2, client.bottom - 2));
    ASSERT_EQ(1, host.Count(GRIDN_RCLICK));
    EXPECT_EQ(-1, host.notes.back().row);
    EXPECT_EQ(-1, host.notes.back().col);
    EXPECT_EQ(CCellID(2, 2), grid.GetFocusCell());
    Mouse(grid, WM_RBUTTONUP, CellCentre(grid, 0, 3));
    EXPECT_EQ(CCellID(1, 3), grid.GetFocusCell()) << "clamped to the first non-fixed row";
    EXPECT_EQ(0, host.notes.back().row);
}

TEST_F(GridMouseTest, LosingTheCaptureMidDragResetsTheMouse)
{
    Mouse(grid, WM_LBUTTONDOWN, CellCentre(grid, 2, 2), MK_LBUTTON);
    ASSERT_EQ(CGridCtrl::MOUSE_SELECT_CELLS, grid.GetMouseMode());
    ::ReleaseCapture();
    PumpPending();
    EXPECT_EQ(CGridCtrl::MOUSE_NOTHING, grid.GetMouseMode());
    Mouse(grid, WM_MOUSEMOVE, CellCentre(grid, 5, 4), MK_LBUTTON);
    EXPECT_EQ(CCellRange(2, 2, 2, 2), grid.GetSelectedRange()) << "moves select nothing more";
    grid.SendMessage(WM_CHAR, 'z', 1);
    PumpPending();
    EXPECT_TRUE(Editor(grid)) << "typing opens the editor again";
}

TEST_F(GridMouseTest, AutoScrollFollowsThePointerBelowTheGrid)
{
    Mouse(grid, WM_LBUTTONDOWN, CellCentre(grid, 2, 2), MK_LBUTTON);
    ASSERT_EQ(CGridCtrl::MOUSE_SELECT_CELLS, grid.GetMouseMode());
    CRect client;
    grid.GetClientRect(client);
    CPoint below(CellCentre(grid, 2, 2).x, client.bottom + 30);
    grid.ClientToScreen(&below);
    ASSERT_TRUE(::SetCursorPos(below.x, below.y));
    grid.SendMessage(WM_TIMER, GRID_AUTOSCROLL_TIMER);
    grid.SendMessage(WM_TIMER, GRID_AUTOSCROLL_TIMER);
    EXPECT_EQ(CCellID(4, 2), grid.GetFocusCell()) << "one row per tick";
    EXPECT_GE(grid.GetSelectedRange().GetMaxRow(), 4);
    EXPECT_EQ(2, grid.GetSelectedRange().GetMinRow());
    Mouse(grid, WM_LBUTTONUP, CellCentre(grid, 2, 2));
    grid.SendMessage(WM_TIMER, GRID_AUTOSCROLL_TIMER);  // a late tick after the release
    EXPECT_EQ(CCellID(4, 2), grid.GetFocusCell());
}
