// The record list's shortcuts: the marked row header, the record card and
// the caption editor asked for, and the search of a code column.
#include "RecordGridFixture.h"

namespace {

class RecordGridMouseTest : public BoundShopGridTest
{
protected:
    void DoubleClick(int row, int col)
    {
        gridtest::Mouse(grid, WM_LBUTTONDOWN, Centre(row, col), MK_LBUTTON);
        gridtest::Mouse(grid, WM_LBUTTONUP, Centre(row, col));
        gridtest::Mouse(grid, WM_LBUTTONDBLCLK, Centre(row, col), MK_LBUTTON);
        gridtest::Mouse(grid, WM_LBUTTONUP, Centre(row, col));
        PumpPending();
    }
};

} // namespace

TEST_F(RecordGridMouseTest, RowHeaderClicksMarkSelectAndOpenTheCard)
{
    gridtest::Mouse(grid, WM_LBUTTONDOWN, Centre(3, 0), MK_LBUTTON);
    gridtest::Mouse(grid, WM_LBUTTONUP, Centre(3, 0));
    EXPECT_EQ(grid.GetItemBkColour(3, 0), CEcrGrid::MarkedHeaderBack);
    gridtest::Mouse(grid, WM_LBUTTONDOWN, Centre(2, 2), MK_LBUTTON);
    gridtest::Mouse(grid, WM_LBUTTONUP, Centre(2, 2));
    EXPECT_EQ(grid.GetItemBkColour(3, 0), grid.GetItemBkColour(0, 0)) << "the mark goes with the next click";

    // A right click on a row header selects the row like a left click.
    gridtest::Mouse(grid, WM_RBUTTONDOWN, Centre(4, 0), MK_RBUTTON);
    gridtest::Mouse(grid, WM_RBUTTONUP, Centre(4, 0));
    EXPECT_TRUE(grid.IsCellSelected(4, 1));
    EXPECT_TRUE(grid.IsCellSelected(4, 5));
    EXPECT_FALSE(grid.IsCellSelected(3, 1));
    EXPECT_EQ(grid.GetItemBkColour(4, 0), CEcrGrid::MarkedHeaderBack);
    EXPECT_EQ(host.Count(GRIDN_RCLICK), 1);
    EXPECT_TRUE(host.posted.empty());

    // A double click asks for the record card of that record, once.
    DoubleClick(5, 0);
    PumpPending();
    ASSERT_EQ(host.posted.size(), 1u);
    EXPECT_EQ(host.posted[0].message, WM_ECR_OPEN_CARD);
    EXPECT_EQ(host.posted[0].wParam, reinterpret_cast<WPARAM>(table.Table()));
    EXPECT_EQ(host.posted[0].lParam, 5);
    EXPECT_TRUE(grid.IsCellSelected(5, 2));
}

TEST_F(RecordGridMouseTest, RightClickOnAColumnHeaderAsksForItsCaption)
{
    gridtest::Mouse(grid, WM_RBUTTONDOWN, Centre(0, 3), MK_RBUTTON);
    gridtest::Mouse(grid, WM_RBUTTONUP, Centre(0, 3));
    PumpPending();
    ASSERT_EQ(host.posted.size(), 1u);
    EXPECT_EQ(host.posted[0].message, WM_ECR_EDIT_COLUMN_CAPTION);
    EXPECT_EQ(host.posted[0].wParam, reinterpret_cast<WPARAM>(table.Table()));
    EXPECT_EQ(host.posted[0].lParam, 3);
    EXPECT_EQ(grid.GetSelectedCount(), 0u) << "column headers do not select";
}

TEST_F(RecordGridMouseTest, SearchFindsTheCodeAndSelectsItsCell)
{
    {
        InputScript script(L"4900000000033");
        DoubleClick(0, 1);
        ASSERT_TRUE(script.ran);
        EXPECT_EQ(script.title, L"検索");
        EXPECT_EQ(script.limit, 14);
    }
    EXPECT_EQ(grid.GetFocusCell(), CCellID(4, 1));
    EXPECT_TRUE(grid.IsCellSelected(4, 1));
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_FALSE(Editor());

    {
        InputScript script(L"123");
        DoubleClick(0, 1);
        ASSERT_TRUE(script.ran);
    }
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, L"データが見つかりません");

    {
        InputScript script(L"49x");
        DoubleClick(0, 1);
        ASSERT_TRUE(script.ran);
    }
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[1].text, L"Range is 1 - 99999999999999");
}

TEST_F(RecordGridMouseTest, OnlyASearchableCodeColumnSearches)
{
    {
        InputScript script(L"1");
        DoubleClick(0, 3);  // maximum is not the code maximum
        EXPECT_FALSE(script.ran);
    }
    table.Table()->SortKey = -1;
    {
        InputScript script(L"1");
        DoubleClick(0, 1);  // the table cannot be sorted, so not searched
        EXPECT_FALSE(script.ran);
    }
    EXPECT_TRUE(host.posted.empty());
}
