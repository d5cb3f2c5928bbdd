// rows and columns.
#include "GridFixture.h"

using namespace gridtest;

namespace {

// Counts the cells that go through the grid's hook.
class CountingGrid : public CGridCtrl
{
public:
    int destroyed = 0;
    void DestroyCell(int nRow, int nCol) override
    {
        ++destroyed;
        CGridCtrl::DestroyCell(nRow, nCol);
    }
};

} // namespace

TEST_F(GridTest, CountsAndFixedCountsKeepTheirInvariants)
{
    CGridCtrl grid;
    Shape(grid, 5, 4, 1, 1);
    EXPECT_EQ(0x30u, grid.GetItemState(0, 2) & 0x70u);
    EXPECT_EQ(0x50u, grid.GetItemState(3, 0) & 0x70u);
    EXPECT_EQ(0x70u, grid.GetItemState(0, 0) & 0x70u);
    EXPECT_EQ(0u, grid.GetItemState(2, 2) & 0x70u);

    // Fixed counts beyond the counts add rows and columns first.
    EXPECT_TRUE(grid.SetFixedRowCount(7));
    EXPECT_EQ(7, grid.GetRowCount());
    EXPECT_EQ(0x30u, grid.GetItemState(6, 2) & 0x30u);
    EXPECT_TRUE(grid.SetFixedRowCount(1));
    EXPECT_EQ(0u, grid.GetItemState(6, 2) & 0x70u);
    EXPECT_EQ(0x50u, grid.GetItemState(6, 0) & 0x70u);  // still a row header

    // Lowering a count below the fixed count lowers the fixed count.
    EXPECT_TRUE(grid.SetFixedColumnCount(3));
    EXPECT_TRUE(grid.SetColumnCount(2));
    EXPECT_EQ(2, grid.GetFixedColumnCount());
    EXPECT_TRUE(grid.SetRowCount(0));
    EXPECT_EQ(0, grid.GetFixedRowCount());
    EXPECT_EQ(nullptr, grid.GetCell(0, 0));
}

TEST_F(GridTest, ShrinkingKeepsSelectionAndFocusConsistent)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 10, 6, 1, 1);
    grid.SetSelectedRange(5, 1, 8, 3);
    grid.SetFocusCell(8, 2);
    EXPECT_EQ(12u, grid.GetSelectedCount());
    ASSERT_TRUE(grid.SetRowCount(6));
    EXPECT_EQ(CCellID(), grid.GetFocusCell());
    EXPECT_EQ(3u, grid.GetSelectedCount());
    EXPECT_EQ(CCellRange(5, 1, 5, 3), grid.GetSelectedRange());
    ASSERT_TRUE(grid.SetColumnCount(3));
    EXPECT_EQ(2u, grid.GetSelectedCount());
    EXPECT_EQ(CCellRange(5, 1, 5, 2), grid.GetSelectedRange());
    // Growing again makes fresh, unselected cells.
    ASSERT_TRUE(grid.SetRowCount(10));
    EXPECT_FALSE(grid.IsCellSelected(8, 2));
    EXPECT_STREQ(L"", grid.GetItemText(8, 2));

    // The same count changes nothing, the selection included.
    grid.SetFocusCell(5, 1);
    EXPECT_TRUE(grid.SetRowCount(10));
    EXPECT_EQ(2u, grid.GetSelectedCount());
    EXPECT_EQ(CCellID(5, 1), grid.GetFocusCell());

    EXPECT_TRUE(grid.DeleteAllCells());
    EXPECT_EQ(0, grid.GetRowCount());
    EXPECT_EQ(0u, grid.GetSelectedCount());
    EXPECT_EQ(CCellID(), grid.GetFocusCell());
    EXPECT_TRUE(grid.GetModified());
}

TEST_F(GridTest, ChangingFixedCountsResetsTheSelection)
{
    CGridCtrl grid;
    Shape(grid, 10, 6, 1, 1);
    grid.SetSelectedRange(2, 2, 3, 3);
    grid.SetFocusCell(2, 2);
    EXPECT_TRUE(grid.SetFixedRowCount(3));
    EXPECT_EQ(0u, grid.GetSelectedCount());
    EXPECT_EQ(CCellID(), grid.GetFocusCell());
}

TEST_F(GridTest, NewCellsTakeTheirDefaultCellsFormatAndSizes)
{
    CGridCtrl grid;
    grid.PickDefaultCell(TRUE, FALSE)->SetFormat(DT_CENTER | DT_SINGLELINE);
    grid.PickDefaultCell(FALSE, FALSE)->SetHeight(17);
    grid.PickDefaultCell(FALSE, TRUE)->SetWidth(33);
    grid.SetRowCount(1);  // before any fixed row: a plain cell
    grid.SetFixedRowCount(1);
    grid.SetRowCount(2);
    grid.SetColumnCount(2);
    EXPECT_EQ(17, grid.GetRowHeight(1));
    EXPECT_EQ(33, grid.GetColumnWidth(1));
    EXPECT_EQ(static_cast<UINT>(DT_CENTER | DT_SINGLELINE), grid.GetItemFormat(0, 1));
    EXPECT_EQ(grid.PickDefaultCell(FALSE, FALSE)->GetFormat(), grid.GetItemFormat(1, 1));
    EXPECT_EQ(0, grid.GetColumnOrder(0));
    EXPECT_EQ(1, grid.GetColumnOrder(1));
}

TEST_F(GridTest, DividersAreFoundOnlyOverTheHeaders)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 10, 6, 1, 1);
    EXPECT_FALSE(grid.IsOverColumnDivider(CPoint(2, 10)));    // left edge of column 0
    EXPECT_TRUE(grid.IsOverColumnDivider(CPoint(52, 10)));    // 2 pixels right of column 1's edge
    EXPECT_TRUE(grid.IsOverColumnDivider(CPoint(98, 10)));    // its right edge
    EXPECT_FALSE(grid.IsOverColumnDivider(CPoint(75, 10)));
    EXPECT_FALSE(grid.IsOverColumnDivider(CPoint(52, 30)));   // not over the header row
    EXPECT_TRUE(grid.IsOverRowDivider(CPoint(10, 41)));
    EXPECT_FALSE(grid.IsOverRowDivider(CPoint(10, 1)));
    EXPECT_FALSE(grid.IsOverRowDivider(CPoint(60, 41)));      // not over the row headers
}

TEST_F(GridTest, CustomCellTypesAreUsed)
{
    struct CTaggedCell : CGridCell
    {
        CTaggedCell() { SetData(7); }
    };
    CGridCtrl grid;
    grid.SetCellType<CTaggedCell>();
    Shape(grid, 2, 2, 0, 0);
    EXPECT_EQ(7, grid.GetItemData(1, 1));
}

TEST_F(GridTest, DeletingAllCellsGoesThroughTheCellHook)
{
    CountingGrid grid;
    Shape(grid, 4, 3, 1, 1);
    grid.SetSelectedRange(1, 1, 2, 2);
    grid.DeleteAllCells();
    EXPECT_EQ(12, grid.destroyed);
    EXPECT_EQ(0, grid.GetRowCount());
    EXPECT_EQ(0u, grid.GetSelectedCount());
    EXPECT_EQ(nullptr, grid.GetCell(0, 0));
}
