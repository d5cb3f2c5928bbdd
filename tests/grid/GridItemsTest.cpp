// items and sizing's measuring.
#include <cstring>

#include "GridFixture.h"
#include "ScreenCheck.h"

using namespace gridtest;

TEST_F(GridTest, ItemSettersAndGetters)
{
    CGridCtrl grid;
    Shape(grid, 4, 4, 1, 1);
    S_GRID_ITEM item = {};
    item.row = 2;
    item.col = 2;
    item.mask = GRIDITEM_TEXT | GRIDITEM_DATA | GRIDITEM_BKCLR | GRIDITEM_FORMAT | GRIDITEM_MAXLEN | GRIDITEM_STATE;
    item.strText = L"seven chars";
    item.lParam = 99;
    item.crBkClr = RGB(10, 20, 30);
    item.nFormat = DT_RIGHT;
    item.nMaxLength = 5;
    item.nState = GRIDCELL_READONLY;
    ASSERT_TRUE(grid.SetItem(&item));
    EXPECT_STREQ(L"seven chars", grid.GetItemText(2, 2));  // SetItem does not cut
    // The state was applied after the modified mark, so it replaced it.
    EXPECT_EQ(static_cast<UINT>(GRIDCELL_READONLY), grid.GetItemState(2, 2));
    EXPECT_FALSE(grid.IsCellEditable(2, 2));

    S_GRID_ITEM back = {};
    back.row = 2;
    back.col = 2;
    back.mask = GRIDITEM_TEXT | GRIDITEM_DATA | GRIDITEM_BKCLR | GRIDITEM_FORMAT | GRIDITEM_MAXLEN | GRIDITEM_FONT;
    ASSERT_TRUE(grid.GetItem(&back));
    EXPECT_STREQ(L"seven chars", back.strText);
    EXPECT_EQ(99, back.lParam);
    EXPECT_EQ(RGB(10, 20, 30), back.crBkClr);
    EXPECT_EQ(static_cast<UINT>(DT_RIGHT), back.nFormat);
    EXPECT_EQ(5, back.nMaxLength);
    EXPECT_EQ(0, std::memcmp(grid.PickDefaultCell(FALSE, FALSE)->GetFont(), &back.lfFont, sizeof back.lfFont));

    // SetItemText cuts to the maximum length; shorter texts stay whole.
    EXPECT_TRUE(grid.SetItemText(2, 2, L"abcdefg"));
    EXPECT_STREQ(L"abcde", grid.GetItemText(2, 2));
    EXPECT_TRUE(grid.SetItemText(2, 2, L"abc"));
    EXPECT_STREQ(L"abc", grid.GetItemText(2, 2));
    EXPECT_TRUE(grid.GetItemState(2, 2) & GRIDCELL_MODIFIED);
    EXPECT_TRUE(grid.SetItemText(1, 1, L"abcdefg"));  // no maximum: nothing cut
    EXPECT_STREQ(L"abcdefg", grid.GetItemText(1, 1));

    EXPECT_FALSE(grid.SetItem(nullptr));
    item.row = 9;
    EXPECT_FALSE(grid.SetItem(&item));
}

TEST_F(GridTest, ModifiedMarkClearsTheSortColumnOnlyForItsColumn)
{
    CGridCtrl grid;
    Shape(grid, 4, 4, 1, 1);
    grid.SetSortColumn(2);
    grid.SetItemText(1, 3, L"other column");
    EXPECT_EQ(2, grid.GetSortColumn());
    grid.SetItemText(1, 2, L"sort column");
    EXPECT_EQ(-1, grid.GetSortColumn());
}

TEST_F(GridTest, SizesAreCheckedAndHideAtZero)
{
    CGridCtrl grid;
    Shape(grid, 4, 4, 1, 1);
    EXPECT_FALSE(grid.SetRowHeight(1, -1));
    EXPECT_EQ(20, grid.GetRowHeight(1));
    EXPECT_TRUE(grid.SetRowHeight(1, 0));
    EXPECT_EQ(0, grid.GetRowHeight(1));
    EXPECT_TRUE(grid.SetColumnWidth(2, 0));
    EXPECT_FALSE(grid.AutoSizeColumn(2));  // a hidden column stays hidden
    EXPECT_EQ(0, grid.GetColumnWidth(2));
    EXPECT_FALSE(grid.AutoSizeRow(1));
}

TEST_F(GridTest, AutoSizingTakesTheWidestAndTallestCell)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 4, 3, 1, 1);
    grid.SetItemText(0, 1, L"Head");
    grid.SetItemText(1, 1, L"a much longer text");
    grid.SetItemText(2, 1, L"short");
    CClientDC dc(&grid);
    int widest = 0;
    for (int r = 0; r < 4; ++r)
        widest = std::max<int>(widest, grid.GetCell(r, 1)->GetCellExtent(&dc).cx);
    ASSERT_TRUE(grid.AutoSizeColumn(1));
    EXPECT_EQ(widest, grid.GetColumnWidth(1));

    // The extent is text + 2 margins + 1; a fixed cell one more pixel.
    const int margin = static_cast<int>(grid.GetCell(1, 1)->GetMargin());
    HGDIOBJ old = dc.SelectObject(grid.GetCell(1, 1)->GetFontObject());
    CSize text = dc.GetTextExtent(L"a much longer text", 18);
    dc.SelectObject(old);
    EXPECT_EQ(text.cx + 2 * margin + 1, grid.GetCell(1, 1)->GetCellExtent(&dc).cx);
    EXPECT_EQ(text.cy + 2 * margin + 1, grid.GetCell(1, 1)->GetCellExtent(&dc).cy);

    // Only the fixed rows: the header's width.
    ASSERT_TRUE(grid.AutoSizeColumn(1, GRID_AUTOSIZE_FIXED));
    EXPECT_EQ(grid.GetCell(0, 1)->GetCellExtent(&dc).cx, grid.GetColumnWidth(1));

    // A merged owner does not count for the column; its covered cells do.
    grid.MergeCells(1, 1, 1, 2);
    ASSERT_TRUE(grid.AutoSizeColumn(1, GRID_AUTOSIZE_DATA));
    EXPECT_EQ(grid.GetCell(2, 1)->GetCellExtent(&dc).cx, grid.GetColumnWidth(1));
}

// A text that wraps is as high as the lines it takes in its column, so
// auto-sizing its row shows every line; the check of what shows agrees.
TEST_F(GridTest, AWrappingTextSizesItsRowForTheLinesItTakesInItsColumn)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 3, 3, 1, 1);
    const wchar_t* text = L"one two three four five six";
    grid.SetItemText(1, 1, text);
    grid.SetItemFormat(1, 1, DT_WORDBREAK | DT_EDITCONTROL);
    grid.SetColumnWidth(1, 50);
    ASSERT_TRUE(grid.AutoSizeRow(1));

    CClientDC dc(&grid);
    CGridCellBase* cell = grid.GetCell(1, 1);
    HGDIOBJ old = dc.SelectObject(cell->GetFontObject());
    const int line = dc.GetTextExtent(L"o", 1).cy;
    dc.SelectObject(old);
    EXPECT_GE(grid.GetRowHeight(1), 3 * line) << "several lines, not one";
    EXPECT_TRUE(ClippedCells(grid).empty()) << JoinFindings(ClippedCells(grid));
    // Its natural size, one line, when the column is not given.
    EXPECT_LT(cell->GetCellExtent(&dc).cy, 2 * line);

    // The check finds the lines a shorter row leaves out, and a number cut
    // at its left.
    grid.SetRowHeight(1, line + 4);
    grid.SetItemText(2, 2, L"123456789");
    grid.SetItemFormat(2, 2, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
    grid.SetColumnWidth(2, 20);
    const std::vector<std::wstring> clipped = ClippedCells(grid);
    ASSERT_EQ(2u, clipped.size()) << JoinFindings(clipped);
    EXPECT_EQ(0u, clipped[0].find(L"cell (1, 1)")) << clipped[0];
    EXPECT_EQ(0u, clipped[1].find(L"cell (2, 2)")) << clipped[1];
}

TEST_F(GridTest, VerticalCaptionsMeasureTurned)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 3, 3, 1, 1);
    LOGFONTW lf = *grid.PickDefaultCell(TRUE, FALSE)->GetFont();
    lf.lfEscapement = lf.lfOrientation = 900;
    grid.SetItemFont(0, 1, &lf);
    grid.SetItemText(0, 1, L"Department");
    CClientDC dc(&grid);
    CGridCellBase* cell = grid.GetCell(0, 1);
    const int margin = static_cast<int>(cell->GetMargin());
    HGDIOBJ old = dc.SelectObject(cell->GetFontObject());
    CSize text = dc.GetTextExtent(L"Department", 10);
    dc.SelectObject(old);
    CSize turned = cell->GetTextExtent(L"Department", &dc);
    EXPECT_EQ(text.cy + 2 * margin, turned.cx);
    EXPECT_EQ(text.cx + 6 * margin, turned.cy);
    ASSERT_TRUE(grid.AutoSizeRow(0));
    EXPECT_EQ(text.cx + 6 * margin + 2, grid.GetRowHeight(0));  // +1, and +1 for a fixed cell
}

TEST_F(GridTest, FitColumnsToWidthSharesTheDifference)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 157, 100));
    Shape(grid, 2, 3, 0, 0);  // 150 pixels of columns in 157
    grid.FitColumnsToWidth();
    EXPECT_EQ(53, grid.GetColumnWidth(0));
    EXPECT_EQ(52, grid.GetColumnWidth(1));
    EXPECT_EQ(52, grid.GetColumnWidth(2));

    CGridCtrl narrow;
    ASSERT_TRUE(CreateGrid(narrow, host, 143, 100, 101));
    Shape(narrow, 2, 3, 0, 0);
    narrow.FitColumnsToWidth();
    EXPECT_EQ(47, narrow.GetColumnWidth(0));
    EXPECT_EQ(48, narrow.GetColumnWidth(1));
    EXPECT_EQ(48, narrow.GetColumnWidth(2));

    // Far narrower than its columns: every column stays shown (0 would
    // hide it), and widening the window brings the widths back.
    CGridCtrl tiny;
    ASSERT_TRUE(CreateGrid(tiny, host, 10, 100, 102));
    Shape(tiny, 2, 3, 0, 0);
    tiny.SetColumnWidth(0, 2);
    tiny.FitColumnsToWidth();
    for (int c = 0; c < 3; ++c)
        EXPECT_GE(tiny.GetColumnWidth(c), 1) << c;
    EXPECT_EQ(CCellID(), tiny.CellFromPoint(CPoint(-1, 5)));
    tiny.MoveWindow(0, 0, 150, 100);
    tiny.FitColumnsToWidth();
    EXPECT_EQ(150, tiny.GetTotalWidth());
    for (int c = 0; c < 3; ++c)
        EXPECT_GE(tiny.GetColumnWidth(c), 38) << c;
}
