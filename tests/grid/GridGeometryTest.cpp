// geometry, scrolling and visibility.
#include "GridFixture.h"

using namespace gridtest;

namespace {

// Counts the scroll messages the grid gets.
class CCountingGrid : public CGridCtrl
{
public:
    int hscrolls = 0;
    int vscrolls = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_HSCROLL)
            ++hscrolls;
        if (message == WM_VSCROLL)
            ++vscrolls;
        return CGridCtrl::WindowProc(message, wParam, lParam);
    }
};

SCROLLINFO Info(CWnd& wnd, int bar)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ::GetScrollInfo(wnd.m_hWnd, bar, &si);
    return si;
}

} // namespace

TEST_F(GridTest, HitTestingOnBoundaries)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 10, 6, 1, 1);  // 20-pixel rows, 50-pixel columns
    EXPECT_EQ(CCellID(0, 0), grid.CellFromPoint(CPoint(0, 0), TRUE));
    EXPECT_EQ(CCellID(), grid.CellFromPoint(CPoint(0, 0), FALSE));
    EXPECT_EQ(CCellID(1, 0), grid.CellFromPoint(CPoint(49, 25), TRUE));
    // A point on a boundary belongs to the cell right of (below) it.
    EXPECT_EQ(CCellID(1, 1), grid.CellFromPoint(CPoint(50, 20)));
    EXPECT_EQ(CCellID(1, 1), grid.CellFromPoint(CPoint(99, 39)));
    EXPECT_EQ(CCellID(2, 2), grid.CellFromPoint(CPoint(100, 40)));
    EXPECT_EQ(CCellID(9, 5), grid.CellFromPoint(CPoint(299, 199)));
    EXPECT_EQ(CCellID(), grid.CellFromPoint(CPoint(300, 100)));  // past the last column
    EXPECT_EQ(CCellID(), grid.CellFromPoint(CPoint(100, 200)));  // past the last row
    EXPECT_EQ(CCellID(), grid.CellFromPoint(CPoint(-1, 30)));
    EXPECT_EQ(CCellID(), grid.CellFromPoint(CPoint(60, -1), TRUE));

    CRect rect;
    ASSERT_TRUE(grid.GetCellRect(1, 1, rect));
    EXPECT_EQ(CRect(50, 20, 99, 39), rect);
    ASSERT_TRUE(grid.GetCellRect(0, 0, rect));
    EXPECT_EQ(CRect(0, 0, 49, 19), rect);
    EXPECT_FALSE(grid.GetCellRect(10, 0, rect));
}

TEST_F(GridTest, HitTestingSkipsHiddenRowsAndColumns)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 10, 6, 1, 1);
    grid.SetColumnWidth(2, 0);
    grid.SetRowHeight(3, 0);
    EXPECT_EQ(CCellID(1, 3), grid.CellFromPoint(CPoint(100, 20)));
    EXPECT_EQ(CCellID(4, 1), grid.CellFromPoint(CPoint(60, 60)));
    EXPECT_EQ(CCellID(2, 1), grid.CellFromPoint(CPoint(60, 59)));
    CRect rect;
    ASSERT_TRUE(grid.GetCellRect(1, 3, rect));
    EXPECT_EQ(100, rect.left);
}

TEST_F(GridTest, EmptyGridHasNoCellsAnywhere)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    EXPECT_EQ(CCellID(), grid.CellFromPoint(CPoint(10, 10)));
    EXPECT_EQ(CCellID(), grid.CellFromPoint(CPoint(10, 10), TRUE));
    CCellRange vis = grid.GetVisibleNonFixedCellRange();
    EXPECT_EQ(-1, vis.m_nMaxRow);
    EXPECT_EQ(-1, vis.m_nMaxCol);
    EXPECT_FALSE(grid.IsHScrollBarShown());
    EXPECT_FALSE(grid.IsVScrollBarShown());
}

TEST_F(GridTest, ScrollBarRangesFollowTheContent)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 15, 6, 1, 1);  // exactly 300 pixels high
    EXPECT_FALSE(grid.IsVScrollBarShown());
    EXPECT_FALSE(grid.IsHScrollBarShown());

    grid.SetRowHeight(14, 21);  // one pixel more
    EXPECT_TRUE(grid.IsVScrollBarShown());
    SCROLLINFO si = Info(grid, SB_VERT);
    EXPECT_EQ(281 - 1, si.nMax);   // scrolled height - 1
    EXPECT_EQ(280u, si.nPage);      // visible scrolled height
    EXPECT_FALSE(grid.IsHScrollBarShown());

    grid.SetRowHeight(14, 20);
    EXPECT_FALSE(grid.IsVScrollBarShown());

    // Wider than the window: both bars, the horizontal one taking height.
    grid.SetColumnCount(20);
    for (int c = 0; c < 20; ++c)
        grid.SetColumnWidth(c, 50);
    EXPECT_TRUE(grid.IsHScrollBarShown());
    EXPECT_TRUE(grid.IsVScrollBarShown());
    CRect client;
    grid.GetClientRect(client);
    si = Info(grid, SB_HORZ);
    EXPECT_EQ(950 - 1, si.nMax);
    EXPECT_EQ(static_cast<UINT>(client.Width() - 50), si.nPage);
    si = Info(grid, SB_VERT);
    EXPECT_EQ(static_cast<UINT>(client.Height() - 20), si.nPage);
}

TEST_F(GridTest, ClientNoLargerThanTheFixedAreaHidesBothBars)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 50, 20, 1, 1);
    EXPECT_TRUE(grid.IsVScrollBarShown());
    grid.SetColumnWidth(0, 400);  // the fixed column fills the window
    EXPECT_FALSE(grid.IsVScrollBarShown());
    EXPECT_FALSE(grid.IsHScrollBarShown());
    grid.SetColumnWidth(0, 50);   // and the bars come back
    EXPECT_TRUE(grid.IsVScrollBarShown());
    EXPECT_TRUE(grid.IsHScrollBarShown());
}

TEST_F(GridTest, APixelOfScrollShowsTheNextColumn)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 5, 20, 1, 1);
    grid.SetScrollPosition(SB_HORZ, 1);
    EXPECT_EQ(2, grid.GetTopLeftNonFixedCell().col);
    CRect rect;
    ASSERT_TRUE(grid.GetCellRect(1, 1, rect));
    EXPECT_EQ(0, rect.left);  // scrolled left of the fixed area
    EXPECT_FALSE(grid.IsCellVisible(1, 1));
    EXPECT_TRUE(grid.IsCellVisible(1, 2));
    EXPECT_TRUE(grid.IsCellVisible(1, 0));
    EXPECT_EQ(CCellID(1, 2), grid.CellFromPoint(CPoint(50, 20)));
}

TEST_F(GridTest, LineScrollsMoveOneVisibleRowOrColumn)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 100, 20, 1, 1);
    grid.SetRowHeight(2, 0);  // hidden rows cost nothing
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(20, grid.GetScrollPosition(SB_VERT));
    EXPECT_EQ(3, grid.GetTopLeftNonFixedCell().row);
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(4, grid.GetTopLeftNonFixedCell().row);
    grid.SendMessage(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(3, grid.GetTopLeftNonFixedCell().row);
    grid.SendMessage(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(grid.GetScrollLimit(SB_VERT), grid.GetScrollPosition(SB_VERT));
    const int atEnd = grid.GetScrollPosition(SB_VERT);
    grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);  // clamped: nothing moves
    EXPECT_EQ(atEnd, grid.GetScrollPosition(SB_VERT));
    grid.SendMessage(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(0, grid.GetScrollPosition(SB_VERT));
    grid.SendMessage(WM_HSCROLL, SB_PAGERIGHT);
    EXPECT_GT(grid.GetScrollPosition(SB_HORZ), 0);
}

TEST_F(GridTest, EnsureVisibleBringsCellsIntoView)
{
    CCountingGrid grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 1000, 20, 1, 1);
    grid.EnsureVisible(999, 19);
    EXPECT_TRUE(grid.IsCellVisible(999, 19));
    CRect rect, client;
    grid.GetCellRect(999, 19, rect);
    grid.GetClientRect(client);
    EXPECT_LE(rect.bottom, client.bottom);
    EXPECT_LE(rect.right, client.right);
    grid.EnsureVisible(1, 1);
    EXPECT_EQ(CCellID(1, 1), grid.GetTopLeftNonFixedCell());
    grid.EnsureVisible(5000, 1);  // outside the grid: ignored
    EXPECT_EQ(CCellID(1, 1), grid.GetTopLeftNonFixedCell());
}

TEST_F(GridTest, EnsureVisibleSendsNothingForHiddenColumns)
{
    CCountingGrid grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 5, 20, 1, 1);
    for (int c = 8; c <= 15; ++c)
        grid.SetColumnWidth(c, 0);
    grid.hscrolls = 0;
    grid.EnsureVisible(1, 16);
    EXPECT_EQ(1, grid.hscrolls);
    EXPECT_TRUE(grid.IsCellVisible(1, 16));
}

TEST_F(GridTest, EnsureVisibleEndsWhereTheBarCannotMove)
{
    CCountingGrid grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 40, 7, 1, 1);
    grid.SetColumnWidth(6, 700);  // wider than the window: never fully in view
    grid.SetRowHeight(39, 500);
    grid.EnsureVisible(39, 6);
    EXPECT_LT(grid.hscrolls, 20);
    EXPECT_LT(grid.vscrolls, 60);
    // Its left and top edges reach the fixed area, as far as the cell can come.
    CRect rect;
    ASSERT_TRUE(grid.GetCellRect(39, 6, rect));
    EXPECT_EQ(50, rect.left);
    EXPECT_EQ(20, rect.top);
}

TEST_F(GridTest, VisibleRangeIncludesAPartlyVisibleLastRow)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 100, 5, 1, 1);
    grid.SetRowHeight(0, 30);  // rows 1.. start at y = 30: row 14 is cut at 300
    CRect extent;
    CCellRange vis = grid.GetVisibleNonFixedCellRange(extent);
    EXPECT_EQ(1, vis.m_nMinRow);
    EXPECT_EQ(14, vis.m_nMaxRow);
    EXPECT_EQ(4, vis.m_nMaxCol);
    EXPECT_EQ(CRect(0, 0, 250, 300), extent);
}
