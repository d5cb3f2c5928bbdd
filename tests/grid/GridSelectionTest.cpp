// selection and focus.
#include "GridFixture.h"

using namespace gridtest;

TEST_F(GridTest, FocusMovesOffFixedCellsAndOntoOwners)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 10, 6, 2, 1);
    EXPECT_EQ(CCellID(), grid.SetFocusCell(0, 3));
    EXPECT_EQ(CCellID(2, 3), grid.GetFocusCell());
    EXPECT_TRUE(grid.GetItemState(2, 3) & GRIDCELL_FOCUSED);
    grid.SetFocusCell(4, 0);
    EXPECT_EQ(CCellID(4, 1), grid.GetFocusCell());
    EXPECT_FALSE(grid.GetItemState(2, 3) & GRIDCELL_FOCUSED);
    grid.MergeCells(5, 2, 6, 3);
    grid.SetFocusCell(6, 3);
    EXPECT_EQ(CCellID(5, 2), grid.GetFocusCell());
    grid.SetFocusCell(-1, -1);
    EXPECT_EQ(CCellID(), grid.GetFocusCell());
    EXPECT_FALSE(grid.GetItemState(5, 2) & GRIDCELL_FOCUSED);

    CGridCtrl allFixed;  // a clamp that lands outside the grid clears the focus
    Shape(allFixed, 3, 3, 3, 0);
    allFixed.SetFocusCell(1, 1);
    EXPECT_EQ(CCellID(), allFixed.GetFocusCell());
}

TEST_F(GridTest, SelectedRangesReplaceClampAndDeselect)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 10, 6, 2, 1);
    grid.SetSelectedRange(0, 0, 3, 2);  // reaches into the headers
    EXPECT_EQ(CCellRange(2, 1, 3, 2), grid.GetSelectedRange());
    EXPECT_FALSE(grid.IsCellSelected(1, 1));
    grid.SetSelectedRange(3, 2, 5, 3);  // replaces; (3, 2) is in both
    EXPECT_EQ(6u, grid.GetSelectedCount());
    EXPECT_TRUE(grid.IsCellSelected(3, 2));
    EXPECT_FALSE(grid.IsCellSelected(2, 1));
    grid.SetSelectedRange(4, 3, 5, 3, FALSE, FALSE);  // deselects only these
    EXPECT_EQ(4u, grid.GetSelectedCount());
    EXPECT_TRUE(grid.IsCellSelected(3, 2));
    EXPECT_FALSE(grid.IsCellSelected(5, 3));
    // The state bits and the selection agree everywhere.
    for (int r = 0; r < 10; ++r)
        for (int c = 0; c < 6; ++c)
            EXPECT_EQ(grid.IsCellSelected(r, c) != FALSE, (grid.GetItemState(r, c) & GRIDCELL_SELECTED) != 0);
    grid.SetSelectedRange(1, 1, 100, 100);  // outside the grid: nothing selected
    EXPECT_EQ(0u, grid.GetSelectedCount());
    EXPECT_FALSE(grid.GetSelectedRange().IsValid());
    EXPECT_EQ(CCellRange(10, 6, -1, -1), grid.GetSelectedRange());
    grid.SetSelectedRange(2, 1, 3, 2, TRUE);  // forced repaint through one context
    EXPECT_EQ(4u, grid.GetSelectedCount());
    grid.ResetSelectedRange();
    EXPECT_EQ(0u, grid.GetSelectedCount());
}

TEST_F(GridTest, SelectionWorksBeyondSixteenBitRows)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 100001, 3, 1, 1);
    ASSERT_EQ(100001, grid.GetRowCount());
    grid.SetSelectedRange(70000, 1, 70001, 2);
    EXPECT_EQ(4u, grid.GetSelectedCount());
    EXPECT_EQ(CCellRange(70000, 1, 70001, 2), grid.GetSelectedRange());
    EXPECT_FALSE(grid.IsCellSelected(70000 - 65536, 1));
    grid.SetSelectedRange(4464, 1, 4464, 1);
    EXPECT_FALSE(grid.IsCellSelected(70000, 1));
    EXPECT_EQ(1u, grid.GetSelectedCount());
    grid.EnsureVisible(100000, 2);
    EXPECT_TRUE(grid.IsCellVisible(100000, 2));

    CGridCtrl virt;  // in virtual mode the selection alone carries the state
    virt.SetVirtualMode(TRUE);
    Shape(virt, 140000, 3, 1, 1);
    virt.SetSelectedRange(70000, 1, 70000, 1);
    EXPECT_TRUE(virt.IsCellSelected(70000, 1));
    EXPECT_FALSE(virt.IsCellSelected(4464, 1));
    EXPECT_FALSE(virt.IsCellSelected(70000 + 65536, 1));
    virt.SetRowCount(50000);  // the selection shrinks with the grid
    EXPECT_EQ(0u, virt.GetSelectedCount());
    EXPECT_FALSE(virt.GetSelectedRange().IsValid());
}

TEST_F(GridTest, ARangeRepaintsTheChangedCellsInViewAtOnce)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 20001, 6, 1, 1);  // rows 20 high from y = 20, columns 50 wide from x = 50
    auto updateArea = [&] {
        CRect area;
        return ::GetUpdateRect(grid.m_hWnd, &area, FALSE) ? area : CRect();
    };
    ::UpdateWindow(grid.m_hWnd);

    // A column down to the last row: the part in view, and only it, is invalid.
    grid.SetSelectedRange(2, 2, 20000, 2);
    EXPECT_EQ(20000u - 1, grid.GetSelectedCount());
    CRect area = updateArea();
    EXPECT_TRUE(area.PtInRect(CPoint(125, 50)));    // (2, 2)
    EXPECT_TRUE(area.PtInRect(CPoint(125, 290)));   // the last row in view
    EXPECT_FALSE(area.PtInRect(CPoint(125, 30)));   // (1, 2), not selected
    EXPECT_FALSE(area.PtInRect(CPoint(175, 50)));   // column 3
    EXPECT_FALSE(area.PtInRect(CPoint(75, 50)));    // column 1
    ::UpdateWindow(grid.m_hWnd);

    // Moving the selection out of view repaints the cells it left.
    grid.SetSelectedRange(19990, 2, 20000, 2);
    area = updateArea();
    EXPECT_TRUE(area.PtInRect(CPoint(125, 50)));
    EXPECT_FALSE(area.PtInRect(CPoint(175, 50)));
    ::UpdateWindow(grid.m_hWnd);
    grid.SetSelectedRange(19995, 2, 20000, 2);  // changes out of view only
    EXPECT_TRUE(updateArea().IsRectEmpty());

    // A forced repaint leaves nothing to paint later, and shows the selection.
    grid.SetSelectedRange(3, 3, 4, 4, TRUE);
    EXPECT_TRUE(updateArea().IsRectEmpty());
    EXPECT_TRUE(grid.IsCellSelected(4, 4));
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), Snapshot(grid).At(225, 90));  // (4, 4)
}

TEST_F(GridTest, HeaderClicksSelectRowsColumnsOrAll)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 6, 5, 1, 1);
    CCellID corner(0, 0);
    grid.OnFixedRowClick(corner);
    EXPECT_EQ(CCellRange(1, 1, 5, 4), grid.GetSelectedRange());
    EXPECT_EQ(20u, grid.GetSelectedCount());

    grid.SetSelectionStartCell(CCellID(2, 1));
    CCellID rowHeader(3, 0);
    grid.OnFixedColumnClick(rowHeader);
    EXPECT_EQ(CCellRange(2, 1, 3, 4), grid.GetSelectedRange());

    grid.SetSelectionStartCell(CCellID(1, 2));
    CCellID colHeader(0, 3);
    grid.OnFixedRowClick(colHeader);
    EXPECT_EQ(CCellRange(1, 2, 5, 3), grid.GetSelectedRange());

    grid.SetColumnHeaderSelection(FALSE);
    grid.ResetSelectedRange();
    grid.OnFixedRowClick(colHeader);
    EXPECT_EQ(0u, grid.GetSelectedCount());

    grid.SetMouseMode(CGridCtrl::MOUSE_SELECT_CELLS);
    grid.SetSelectionStartCell(CCellID(4, 4));
    grid.OnSelecting(CCellID(2, 3));
    EXPECT_EQ(CCellRange(2, 3, 4, 4), grid.GetSelectedRange());
}

TEST_F(GridTest, SelectAllTellsTheParentBeforeAndAfter)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 6, 5, 1, 1);
    grid.SetFocusCell(2, 2);
    host.Clear();
    grid.SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    ASSERT_EQ(2u, host.notes.size());
    EXPECT_EQ(GRIDN_SELCHANGING, host.notes[0].code);
    EXPECT_EQ(GRIDN_SELCHANGED, host.notes[1].code);
    EXPECT_EQ(2, host.notes[1].row);
    EXPECT_EQ(2, host.notes[1].col);
    EXPECT_EQ(20u, grid.GetSelectedCount());
}

TEST_F(GridTest, ParentVetoKeepsAUserEdit)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 4, 4, 1, 1);
    grid.SetItemText(1, 1, L"old");
    host.replies[GRIDN_BEGINEDIT] = -1;
    grid.SetItemTextByUser(1, 1, L"new");
    EXPECT_STREQ(L"old", grid.GetItemText(1, 1));
    host.replies[GRIDN_BEGINEDIT] = 0;
    host.replies[GRIDN_ENDEDIT] = -1;
    grid.SetItemTextByUser(1, 1, L"new");
    EXPECT_STREQ(L"old", grid.GetItemText(1, 1));
    host.replies[GRIDN_ENDEDIT] = 0;
    grid.SetItemTextByUser(1, 1, L"new");
    EXPECT_STREQ(L"new", grid.GetItemText(1, 1));
    EXPECT_EQ(3, host.Count(GRIDN_BEGINEDIT));
    EXPECT_EQ(2, host.Count(GRIDN_ENDEDIT));
}

TEST_F(GridTest, TheListModeSwitchStartsAfreshWithoutHeaderColumnSelection)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 6, 5, 1, 1);
    for (BOOL on : {TRUE, FALSE}) {
        grid.SetColumnHeaderSelection(TRUE);
        grid.SetSelectedRange(1, 1, 2, 2);
        grid.SetSortColumn(2);
        grid.SetListMode(on);
        EXPECT_EQ(on, grid.GetListMode());
        EXPECT_EQ(0u, grid.GetSelectedCount()) << on;
        EXPECT_EQ(-1, grid.GetSortColumn()) << on;
        EXPECT_FALSE(grid.GetColumnHeaderSelection()) << on;
        CCellID colHeader(0, 3);
        grid.OnFixedRowClick(colHeader);
        EXPECT_EQ(0u, grid.GetSelectedCount()) << "a column header click selects nothing";
    }
    // A caller that wants it back sets it after the switch.
    grid.SetColumnHeaderSelection(TRUE);
    CCellID colHeader(0, 3);
    grid.OnFixedRowClick(colHeader);
    EXPECT_EQ(CCellRange(1, 3, 5, 3), grid.GetSelectedRange());
}
