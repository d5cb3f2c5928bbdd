// Keyboard navigation: moves over hidden and fixed cells, Tab, pages,
// Home and End, Shift selection and the dialog code.
#include "GridFixture.h"

using namespace gridtest;

namespace {

class GridKeyTest : public GridTest
{
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        ASSERT_TRUE(CreateGrid(grid, host, 300, 200));
        Shape(grid, 30, 8, 1, 1, 20, 60);
        grid.SetFocusCell(1, 1);
        grid.SetSelectionStartCell(CCellID(1, 1));
    }
    CCellID Key(UINT key)
    {
        grid.SendMessage(WM_KEYDOWN, key, 1);
        return grid.GetFocusCell();
    }

    CGridCtrl grid;
};

} // namespace

TEST_F(GridKeyTest, ArrowsPassHiddenRowsAndColumnsAndStopAtFixedOnes)
{
    grid.SetRowHeight(2, 0);
    grid.SetColumnWidth(2, 0);
    EXPECT_EQ(CCellID(3, 1), Key(VK_DOWN));
    EXPECT_EQ(CCellID(3, 3), Key(VK_RIGHT));
    EXPECT_EQ(CCellID(1, 3), Key(VK_UP));
    EXPECT_EQ(CCellID(1, 3), Key(VK_UP)) << "never into the fixed row";
    EXPECT_EQ(CCellID(1, 1), Key(VK_LEFT));
    EXPECT_EQ(CCellID(1, 1), Key(VK_LEFT)) << "never into the fixed column";
    grid.SetFocusCell(29, 7);
    EXPECT_EQ(CCellID(29, 7), Key(VK_DOWN));
    EXPECT_EQ(CCellID(29, 7), Key(VK_RIGHT));

    // Every later row hidden: nothing to move to, and no index outside the grid.
    for (int r = 4; r < 30; ++r)
        grid.SetRowHeight(r, 0);
    grid.SetFocusCell(3, 1);
    EXPECT_EQ(CCellID(3, 1), Key(VK_DOWN));
}

TEST_F(GridKeyTest, TabWrapsRowsAndStopsAtTheLastCell)
{
    grid.SetFocusCell(1, 7);
    EXPECT_EQ(CCellID(2, 1), Key(VK_TAB));
    {
        HeldKeys shift({VK_SHIFT});
        EXPECT_EQ(CCellID(1, 7), Key(VK_TAB));
    }
    grid.SetFocusCell(29, 7);
    EXPECT_EQ(CCellID(29, 7), Key(VK_TAB));

    for (int c = 1; c < 8; ++c)
        grid.SetColumnWidth(c, 0);  // no shown column at all
    grid.SetFocusCell(5, 3);
    EXPECT_EQ(CCellID(5, 3), Key(VK_TAB));
    EXPECT_EQ(CCellID(5, 3), Key(VK_RIGHT));
}

TEST_F(GridKeyTest, PagesHomeAndEnd)
{
    EXPECT_EQ(1, Key(VK_PRIOR).row) << "Page Up on the first page";
    const int afterPage = Key(VK_NEXT).row;
    EXPECT_GT(afterPage, 1);
    EXPECT_LT(afterPage, 29);
    grid.SetFocusCell(28, 1);
    EXPECT_EQ(29, Key(VK_NEXT).row) << "Page Down on the last page";
    EXPECT_EQ(CCellID(29, 1), Key(VK_HOME));
    EXPECT_EQ(CCellID(29, 7), Key(VK_END));
    HeldKeys ctrl({VK_CONTROL});
    EXPECT_EQ(CCellID(1, 1), Key(VK_HOME));
    EXPECT_EQ(0, grid.GetScrollPosition(SB_VERT));
    EXPECT_EQ(CCellID(29, 7), Key(VK_END));
    EXPECT_TRUE(grid.IsCellVisible(29, 7));
}

TEST_F(GridKeyTest, ShiftExtendsFromWhereShiftWasFirstHeld)
{
    Key(VK_DOWN);
    EXPECT_EQ(CCellRange(2, 1, 2, 1), grid.GetSelectedRange());
    {
        HeldKeys shift({VK_SHIFT});
        Key(VK_DOWN);
        Key(VK_RIGHT);
    }
    EXPECT_EQ(CCellRange(2, 1, 3, 2), grid.GetSelectedRange());
    EXPECT_EQ(CCellID(3, 2), grid.GetFocusCell());
    EXPECT_EQ(3, host.Count(GRIDN_SELCHANGED));
    Key(VK_UP);
    EXPECT_EQ(CCellRange(2, 2, 2, 2), grid.GetSelectedRange());
}

TEST_F(GridKeyTest, KeysWhileTheMouseSelectsMoveOnlyTheFocus)
{
    grid.SetMouseMode(CGridCtrl::MOUSE_SELECT_CELLS);
    Key(VK_DOWN);
    EXPECT_EQ(CCellID(2, 1), grid.GetFocusCell());
    EXPECT_EQ(0u, grid.GetSelectedCount());
    grid.SendMessage(WM_CHAR, 'a', 1);
    PumpPending();
    EXPECT_FALSE(Editor(grid)) << "typing while the button selects opens no editor";
    grid.SetMouseMode(CGridCtrl::MOUSE_NOTHING);
}

TEST_F(GridKeyTest, NoFocusCellLeavesKeysAlone)
{
    grid.SetFocusCell(-1, -1);
    EXPECT_EQ(CCellID(), Key(VK_DOWN));
    EXPECT_EQ(0, host.Count(GRIDN_SELCHANGING));
}

TEST_F(GridKeyTest, DialogCodeWantsTabUnlessCtrlIsHeld)
{
    EXPECT_EQ(0x83, grid.SendMessage(WM_GETDLGCODE));
    {
        HeldKeys ctrl({VK_CONTROL});
        EXPECT_EQ(0x81, grid.SendMessage(WM_GETDLGCODE));
    }
    grid.SetHandleTabKey(FALSE);
    EXPECT_EQ(0x81, grid.SendMessage(WM_GETDLGCODE));
}
