// cell merging.
#include "GridFixture.h"

using namespace gridtest;

namespace {

void ExpectBlock(CGridCtrl& grid, const CCellRange& block)
{
    for (int r = block.m_nMinRow; r <= block.m_nMaxRow; ++r)
        for (int c = block.m_nMinCol; c <= block.m_nMaxCol; ++c) {
            CGridCellBase* cell = grid.GetCell(r, c);
            ASSERT_NE(nullptr, cell);
            EXPECT_FALSE(cell->IsUnmerged()) << r << "," << c;
            if (r == block.m_nMinRow && c == block.m_nMinCol) {
                EXPECT_EQ(block, cell->GetMergeRange());
                EXPECT_FALSE(cell->HasMergeOwner());
            } else {
                EXPECT_EQ(block.GetTopLeft(), cell->GetMergeOwner()) << r << "," << c;
                EXPECT_EQ(1, cell->GetMergeRange().Count()) << "a covered cell owns nothing";
            }
        }
}

} // namespace

TEST_F(GridTest, MergingMakesOneBlockWithItsOwner)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 6, 6, 1, 1);
    grid.SetColumnWidth(3, 70);
    grid.MergeCells(1, 1, 2, 3);
    ExpectBlock(grid, CCellRange(1, 1, 2, 3));
    EXPECT_EQ(50 + 50 + 70, grid.GetMergedWidth(1, 2));
    EXPECT_EQ(40, grid.GetMergedHeight(2, 3));
    EXPECT_EQ(20, grid.GetMergedHeight(4, 4));
    EXPECT_EQ(CCellID(1, 1), grid.GetMergeOwnerCell(2, 3));
    CRect rect;
    ASSERT_TRUE(grid.GetCellRect(1, 1, rect));
    EXPECT_EQ(CRect(50, 20, 50 + 170 - 1, 59), rect);
    ASSERT_TRUE(grid.GetCellRect(2, 2, rect));  // a covered cell keeps its own rectangle
    EXPECT_EQ(CRect(100, 40, 149, 59), rect);
    // Hit testing and focus land on the owner.
    EXPECT_EQ(CCellID(1, 1), grid.CellFromPoint(CPoint(160, 45)));
    grid.SetFocusCell(2, 3);
    EXPECT_EQ(CCellID(1, 1), grid.GetFocusCell());
}

TEST_F(GridTest, MergingWidensByTheBlocksItTouches)
{
    CGridCtrl grid;
    Shape(grid, 6, 6, 0, 0);
    grid.MergeCells(1, 1, 2, 2);
    grid.MergeCells(1, 0, 1, 1);  // holds the owner (1, 1): the block grows
    ExpectBlock(grid, CCellRange(1, 0, 2, 2));
    // Touching a block only through a covered cell widens it too: blocks never overlap.
    grid.MergeCells(2, 2, 2, 3);
    ExpectBlock(grid, CCellRange(1, 0, 2, 3));
    EXPECT_EQ(CCellID(1, 0), grid.GetMergeOwnerCell(2, 3));
}

TEST_F(GridTest, UnmergingClearsWholeBlocks)
{
    CGridCtrl grid;
    Shape(grid, 6, 6, 0, 0);
    grid.MergeCells(1, 1, 3, 3);
    grid.UnmergeCells(3, 3, 4, 4);  // only a covered corner of the block
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) {
            EXPECT_TRUE(grid.GetCell(r, c)->IsUnmerged());
            EXPECT_EQ(CCellID(r, c), grid.GetMergeOwnerCell(r, c));
        }
    grid.MergeCells(0, 0, 1, 1);
    grid.UnmergeCells(0, 0, 0, 0);
    EXPECT_TRUE(grid.GetCell(1, 1)->IsUnmerged());
    EXPECT_EQ(20, grid.GetMergedHeight(0, 0));
}

TEST_F(GridTest, BadAndStaleRangesAreNeverFollowed)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 6, 6, 1, 1);
    grid.MergeCells(3, 3, 1, 1);       // reversed: refused
    grid.MergeCells(-5, -5, -1, -1);   // outside: refused
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c)
            EXPECT_TRUE(grid.GetCell(r, c)->IsUnmerged());
    grid.MergeCells(4, 4, 100, 100);   // clipped to the grid
    ExpectBlock(grid, CCellRange(4, 4, 5, 5));
    grid.UnmergeCells(4, 4, 5000, 5000);
    EXPECT_TRUE(grid.GetCell(5, 5)->IsUnmerged());

    // A block cut by shrinking the grid: nothing reaches the cells that went.
    grid.MergeCells(2, 2, 5, 5);
    ASSERT_TRUE(grid.SetRowCount(4));
    ASSERT_TRUE(grid.SetColumnCount(4));
    EXPECT_EQ(CCellRange(2, 2, 3, 3), grid.GetOwnedBlock(2, 2));
    EXPECT_EQ(100, grid.GetMergedWidth(3, 3));
    CRect rect;
    ASSERT_TRUE(grid.GetCellRect(2, 2, rect));
    EXPECT_EQ(CRect(100, 40, 199, 79), rect);
    Snapshot paint(grid);  // paints without touching missing cells
    grid.MergeCells(1, 1, 2, 2);
    ExpectBlock(grid, CCellRange(1, 1, 3, 3));
    grid.UnmergeCells(0, 0, 10, 10);
    EXPECT_TRUE(grid.GetCell(3, 3)->IsUnmerged());
}
