// Sorting rows by a column's text: order, heights travelling with rows,
// header clicks and large inputs.
#include "GridFixture.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace gridtest;

namespace {

std::vector<std::wstring> Column(CGridCtrl& grid, int col)
{
    std::vector<std::wstring> texts;
    for (int r = grid.GetFixedRowCount(); r < grid.GetRowCount(); ++r)
        texts.push_back(std::wstring(grid.GetItemText(r, col)));
    return texts;
}

} // namespace

TEST_F(GridTest, SortOrdersByUnitsAndRowsKeepTheirHeights)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 300, 200));
    Shape(grid, 4, 3, 1, 1);
    grid.SetItemText(0, 1, L"head");
    const wchar_t* texts[] = {L"10", L"9", L"100"};
    for (int i = 0; i < 3; ++i) {
        grid.SetItemText(1 + i, 1, texts[i]);
        grid.SetItemText(1 + i, 2, texts[i]);
        grid.SetRowHeight(1 + i, 21 + i);
    }
    grid.SortByColumn(1, TRUE);
    EXPECT_EQ((std::vector<std::wstring>{L"10", L"100", L"9"}), Column(grid, 1));
    EXPECT_EQ((std::vector<std::wstring>{L"10", L"100", L"9"}), Column(grid, 2)) << "whole rows move";
    EXPECT_EQ(21, grid.GetRowHeight(1));
    EXPECT_EQ(23, grid.GetRowHeight(2));
    EXPECT_EQ(22, grid.GetRowHeight(3));
    EXPECT_EQ(L"head", std::wstring(grid.GetItemText(0, 1))) << "fixed rows never move";
    EXPECT_EQ(1, grid.GetSortColumn());

    grid.SortByColumn(1, FALSE);
    EXPECT_EQ((std::vector<std::wstring>{L"9", L"100", L"10"}), Column(grid, 1));
    EXPECT_FALSE(grid.GetSortAscending());

    // Upper case sorts before lower case: no folding.
    grid.SetItemText(1, 1, L"b");
    grid.SetItemText(2, 1, L"B");
    grid.SetItemText(3, 1, L"a");
    grid.SortByColumn(1, TRUE);
    EXPECT_EQ((std::vector<std::wstring>{L"B", L"a", L"b"}), Column(grid, 1));

    EXPECT_FALSE(grid.SortRows(&CGridCtrl::CompareCellText, 7, TRUE, 0, 1, -1));
    CGridCtrl single;
    Shape(single, 2, 2, 1, 1);
    EXPECT_FALSE(single.SortByColumnWith(&CGridCtrl::CompareCellText, 1, TRUE));
}

TEST_F(GridTest, SortHandlesManyRowsAndEqualTexts)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 300, 200));
    Shape(grid, 2001, 2, 1, 1);
    unsigned seed = 12345;
    for (int r = 1; r < 2001; ++r) {
        seed = seed * 1103515245u + 12345u;
        grid.SetItemText(r, 1, std::to_wstring((seed >> 16) % 300).c_str());  // many equal texts
    }
    std::vector<std::wstring> expected = Column(grid, 1);
    std::sort(expected.begin(), expected.end());
    grid.SortByColumn(1, TRUE);
    EXPECT_EQ(expected, Column(grid, 1));
    grid.SortByColumn(1, FALSE);
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(expected, Column(grid, 1));
}

TEST_F(GridTest, HeaderClicksSortAndReverse)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 300, 200));
    Shape(grid, 4, 2, 1, 1);
    grid.SetSortOnHeaderClick(TRUE);
    grid.SetItemText(1, 1, L"b");
    grid.SetItemText(2, 1, L"c");
    grid.SetItemText(3, 1, L"a");
    auto click = [&] {
        Mouse(grid, WM_LBUTTONDOWN, CellCentre(grid, 0, 1), MK_LBUTTON);
        Mouse(grid, WM_LBUTTONUP, CellCentre(grid, 0, 1));
    };
    click();
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"b", L"c"}), Column(grid, 1));
    click();
    EXPECT_EQ((std::vector<std::wstring>{L"c", L"b", L"a"}), Column(grid, 1));
    // An edit in the sort column clears it, so no arrow is drawn any more.
    grid.SetFocusCell(1, 1);
    grid.SetFocus();
    grid.SendMessage(WM_CHAR, 'z', 1);
    PumpPending();
    ASSERT_TRUE(Editor(grid));
    ::SendMessageW(Editor(grid), WM_CHAR, VK_RETURN, 1);
    PumpPending();
    EXPECT_EQ(-1, grid.GetSortColumn());
}
