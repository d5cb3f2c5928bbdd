// The clipboard: the copied format, paste parsing and placement, cut,
// read-only and vetoed cells, and text from other programs.
#include "GridFixture.h"

#include <cstring>
#include <string>

#include "ClipboardText.h"
#include "menu.h"
#include "ole.h"

using namespace gridtest;

namespace {

class GridClipTest : public GridTest
{
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        ASSERT_TRUE(CreateGrid(grid, host, 380, 280));
        Shape(grid, 8, 6, 1, 1, 20, 50);
        const wchar_t* texts[] = {L"a", L"b", L"c", L"d", L"e", L"f"};
        for (int i = 0; i < 6; ++i)
            grid.SetItemText(1 + i / 3, 1 + i % 3, texts[i]);
        host.Clear();
    }
    void Paste(int row, int col, const std::wstring& text)
    {
        ASSERT_TRUE(PutText(host.m_hWnd, text));
        grid.ResetSelectedRange();
        grid.SetFocusCell(row, col);
        grid.OnEditPaste();
    }
    std::wstring Text(int row, int col) const { return std::wstring(grid.GetItemText(row, col)); }

    CGridCtrl grid;
};

} // namespace

TEST_F(GridClipTest, CopyLeavesOutHiddenColumnsAndRowsAndUnselectedCells)
{
    grid.SetColumnWidth(2, 0);
    grid.SetSelectedRange(1, 1, 2, 3);
    grid.OnEditCopy();
    EXPECT_EQ(L"a\tc\r\nd\tf", ClipboardText());

    grid.SetColumnWidth(2, 50);
    grid.SetRowHeight(1, 0);
    grid.SetSelectedRange(1, 1, 2, 3);
    grid.OnEditCopy();
    EXPECT_EQ(L"d\te\tf", ClipboardText());

    // Two cells that do not touch copy their bounding block, gaps empty.
    grid.SetRowHeight(1, 20);
    grid.ResetSelectedRange();
    for (CCellID cell : {CCellID(1, 1), CCellID(2, 3)}) {
        Mouse(grid, WM_LBUTTONDOWN, CellCentre(grid, cell.row, cell.col), MK_LBUTTON | MK_CONTROL);
        Mouse(grid, WM_LBUTTONUP, CellCentre(grid, cell.row, cell.col), MK_CONTROL);
    }
    ASSERT_EQ(2u, grid.GetSelectedCount());
    COleDataSource* source = grid.CopySelectionText();
    ASSERT_TRUE(source);
    COleDataObject data;
    data.Attach(source);
    source->Release();
    EXPECT_EQ(L"a\t\t\r\n\t\tf", DataText(data));

    // Ctrl+C copies and the key goes on; the focus stays.
    grid.ResetSelectedRange();
    grid.SetFocusCell(2, 2);
    grid.SetSelectedRange(2, 2, 2, 2);
    {
        HeldKeys ctrl({VK_CONTROL});
        grid.SendMessage(WM_KEYDOWN, 'C', 1);
    }
    EXPECT_EQ(L"e", ClipboardText());
    EXPECT_EQ(CCellID(2, 2), grid.GetFocusCell());
}

TEST_F(GridClipTest, PasteSplitsLinesAndFieldsAndSelectsTheBlock)
{
    Paste(1, 1, L"1,2\r\n3\t4\r\n");
    EXPECT_EQ(L"1", Text(1, 1));
    EXPECT_EQ(L"2", Text(1, 2));
    EXPECT_EQ(L"3", Text(2, 1));
    EXPECT_EQ(L"4", Text(2, 2));
    EXPECT_EQ(L"c", Text(1, 3));
    EXPECT_EQ(CCellRange(1, 1, 2, 2), grid.GetSelectedRange());
    EXPECT_EQ(4u, grid.GetSelectedCount());

    Paste(3, 1, L"x,,y");
    EXPECT_EQ(L"x", Text(3, 1));
    EXPECT_EQ(L"", Text(3, 2));
    EXPECT_EQ(L"y", Text(3, 3));
    grid.SetItemText(4, 3, L"keep");
    Paste(4, 1, L"x,y,");
    EXPECT_EQ(L"keep", Text(4, 3)) << "a trailing separator adds no cell";

    // Tab-separated text keeps the commas inside its fields.
    Paste(5, 1, L" 1,000 \tTea, green\r\n");
    EXPECT_EQ(L"1,000", Text(5, 1));
    EXPECT_EQ(L"Tea, green", Text(5, 2));
}

TEST_F(GridClipTest, ACopiedColumnPastesBackIntoTheSameCells)
{
    // One column carries no TAB: only the grid's mark keeps its commas in.
    grid.SetItemText(1, 1, L"Tea, green");
    grid.SetItemText(2, 1, L"1,000");
    grid.SetSelectedRange(1, 1, 2, 1);
    grid.OnEditCopy();
    ASSERT_EQ(L"Tea, green\r\n1,000", ClipboardText());
    grid.ResetSelectedRange();
    grid.SetFocusCell(4, 2);
    grid.OnEditPaste();
    EXPECT_EQ(L"Tea, green", Text(4, 2));
    EXPECT_EQ(L"1,000", Text(5, 2));
    EXPECT_EQ(L"", Text(4, 3)) << "nothing spills into the next field";
    EXPECT_EQ(L"", Text(5, 3));

    // The same text from another program is comma-separated values.
    Paste(6, 1, L"Tea, green");
    EXPECT_EQ(L"Tea", Text(6, 1));
    EXPECT_EQ(L"green", Text(6, 2));
}

TEST_F(GridClipTest, PastePassesHiddenCellsAndDropsWhatRunsPastTheGrid)
{
    grid.SetRowHeight(2, 0);
    grid.SetColumnWidth(2, 0);
    Paste(1, 1, L"p\tq\nr\ts");
    EXPECT_EQ(L"p", Text(1, 1));
    EXPECT_EQ(L"b", Text(1, 2));
    EXPECT_EQ(L"q", Text(1, 3));
    EXPECT_EQ(L"d", Text(2, 1));
    EXPECT_EQ(L"r", Text(3, 1));
    EXPECT_EQ(L"s", Text(3, 3));

    Paste(7, 5, L"1\t2\t3\n4\t5\n6");
    EXPECT_EQ(L"1", Text(7, 5));
    EXPECT_EQ(CCellRange(7, 5, 7, 5), grid.GetSelectedRange());
}

TEST_F(GridClipTest, PasteReadsNoFurtherThanTheDataBlock)
{
    // Two characters and no terminating zero, followed by whatever memory holds.
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, 2 * sizeof(wchar_t));
    ASSERT_TRUE(block);
    std::memcpy(::GlobalLock(block), L"zz", 2 * sizeof(wchar_t));
    ::GlobalUnlock(block);
    auto* source = new COleDataSource;
    source->CacheGlobalData(CF_UNICODETEXT, block);
    COleDataObject data;
    data.Attach(source);
    source->Release();
    EXPECT_TRUE(grid.PasteText(1, 1, &data, FALSE));
    EXPECT_EQ(L"zz", Text(1, 1));
    EXPECT_EQ(0u, grid.GetSelectedCount());
}

TEST_F(GridClipTest, ReadOnlyAndVetoedCellsKeepTheirText)
{
    grid.SetItemState(1, 2, grid.GetItemState(1, 2) | GRIDCELL_READONLY);
    Paste(1, 1, L"1\t2\t3");
    EXPECT_EQ(L"1", Text(1, 1));
    EXPECT_EQ(L"b", Text(1, 2));
    EXPECT_EQ(L"3", Text(1, 3));

    Paste(1, 2, L"9");  // a read-only target takes nothing at all
    EXPECT_EQ(L"b", Text(1, 2));

    host.replies[GRIDN_ENDEDIT] = -1;
    Paste(2, 1, L"7\t8");
    EXPECT_EQ(L"d", Text(2, 1));
    EXPECT_EQ(L"e", Text(2, 2));

    host.replies[GRIDN_ENDEDIT] = 0;
    grid.SetEditable(FALSE);
    Paste(2, 1, L"7");
    EXPECT_EQ(L"d", Text(2, 1));
}

TEST_F(GridClipTest, CutClearsOnlyWhatReachedTheClipboard)
{
    grid.SetSelectedRange(1, 1, 1, 2);
    grid.OnEditCut();
    EXPECT_EQ(L"a\tb", ClipboardText());
    EXPECT_EQ(L"", Text(1, 1));
    EXPECT_EQ(L"", Text(1, 2));
    EXPECT_EQ(L"c", Text(1, 3));

    // Another window holds the clipboard open: the cut text stays put.
    grid.SetSelectedRange(2, 1, 2, 1);
    ASSERT_TRUE(::OpenClipboard(host.m_hWnd));
    grid.OnEditCut();
    ::CloseClipboard();
    EXPECT_EQ(L"d", Text(2, 1));

    grid.SetEditable(FALSE);
    grid.OnEditCut();
    EXPECT_EQ(L"d", Text(2, 1));
}

TEST_F(GridClipTest, ClearAndCutPassHiddenCellsAsCopyDoes)
{
    // A whole row selected: the hidden column is neither copied nor cleared.
    grid.SetColumnWidth(2, 0);
    grid.SetSelectedRange(1, 1, 1, 3);
    grid.OnEditCut();
    EXPECT_EQ(L"a\tc", ClipboardText());
    EXPECT_EQ(L"", Text(1, 1));
    EXPECT_EQ(L"b", Text(1, 2));
    EXPECT_EQ(L"", Text(1, 3));
    grid.SetFocusCell(2, 1);
    grid.SetSelectedRange(2, 1, 2, 3);
    grid.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(L"", Text(2, 1));
    EXPECT_EQ(L"e", Text(2, 2));
}

// A row-header click selects the row and leaves no current cell: Delete and
// Ctrl+X act on the row as Cut from the menu does, with the same checks.
TEST_F(GridClipTest, DeleteAndCtrlXActOnRowsSelectedFromTheirHeaders)
{
    auto clickHeader = [&](int row) {
        Mouse(grid, WM_LBUTTONDOWN, CellCentre(grid, row, 0), MK_LBUTTON);
        Mouse(grid, WM_LBUTTONUP, CellCentre(grid, row, 0));
    };
    clickHeader(1);
    ASSERT_EQ(CCellID(), grid.GetFocusCell());
    ASSERT_TRUE(grid.IsCellSelected(1, 3));
    host.Clear();
    grid.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(L"", Text(1, 1));
    EXPECT_EQ(L"", Text(1, 3));
    EXPECT_EQ(L"d", Text(2, 1));
    EXPECT_EQ(3, host.Count(GRIDN_ENDEDIT)) << "the row's three texts";

    clickHeader(2);
    ASSERT_EQ(CCellID(), grid.GetFocusCell());
    {
        HeldKeys ctrl({VK_CONTROL});
        grid.SendMessage(WM_KEYDOWN, 'X', 1);
    }
    EXPECT_EQ(L"d\te\tf\t\t", ClipboardText());
    EXPECT_EQ(L"", Text(2, 1));
    EXPECT_EQ(L"", Text(2, 3));

    // A clipboard held elsewhere keeps the cells, as for Cut from the menu.
    grid.SetItemText(2, 1, L"g");
    clickHeader(2);
    ASSERT_TRUE(::OpenClipboard(host.m_hWnd));
    {
        HeldKeys ctrl({VK_CONTROL});
        grid.SendMessage(WM_KEYDOWN, 'X', 1);
    }
    ::CloseClipboard();
    EXPECT_EQ(L"g", Text(2, 1));

    // A grid that may not be written keeps them too; other keys still do nothing.
    grid.SetEditable(FALSE);
    clickHeader(2);
    grid.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(L"g", Text(2, 1));
    grid.SetEditable(TRUE);
    grid.SendMessage(WM_KEYDOWN, 'X', 1);
    grid.SendMessage(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(L"g", Text(2, 1));
    EXPECT_EQ(CCellID(), grid.GetFocusCell());
}

TEST_F(GridClipTest, PasteIntoAnOpenEditorGoesToTheEditor)
{
    grid.SetFocusCell(2, 2);
    grid.SetFocus();
    grid.SendMessage(WM_CHAR, 'q', 1);
    PumpPending();
    HWND editor = Editor(grid);
    ASSERT_TRUE(editor);
    ASSERT_TRUE(PutText(host.m_hWnd, L"pasted"));
    grid.OnEditPaste();
    EXPECT_EQ(L"qpasted", TextOf(editor));
    EXPECT_EQ(L"e", Text(2, 2));
}

TEST_F(GridClipTest, APopupMenuShowsTheEditCommandsEnabledByState)
{
    // The grid as a popup's owner: the menu asks it before it shows.
    constexpr UINT kOther = 0x9000;
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    for (UINT id : {UINT(ID_EDIT_CUT), UINT(ID_EDIT_COPY), UINT(ID_EDIT_PASTE), 0u, UINT(ID_EDIT_SELECT_ALL), kOther})
        ASSERT_TRUE(menu.AppendMenu(id ? MF_STRING : MF_SEPARATOR, id, id ? L"item" : nullptr));
    auto enabled = [&](UINT id) {
        grid.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.m_hMenu), 0);
        return !(::GetMenuState(menu.m_hMenu, id, MF_BYCOMMAND) & MF_GRAYED);
    };

    ASSERT_TRUE(PutText(host.m_hWnd, L"x"));
    EXPECT_FALSE(enabled(ID_EDIT_COPY)) << "nothing selected";
    EXPECT_FALSE(enabled(ID_EDIT_CUT));
    EXPECT_FALSE(enabled(ID_EDIT_PASTE)) << "no focus cell";
    EXPECT_TRUE(enabled(ID_EDIT_SELECT_ALL));
    EXPECT_TRUE(enabled(kOther)) << "a command the grid does not know stays as it is";

    grid.SetFocusCell(1, 1);
    grid.SetSelectedRange(1, 1, 1, 1);
    EXPECT_TRUE(enabled(ID_EDIT_COPY));
    EXPECT_TRUE(enabled(ID_EDIT_CUT));
    EXPECT_TRUE(enabled(ID_EDIT_PASTE));

    grid.SetItemState(1, 1, grid.GetItemState(1, 1) | GRIDCELL_READONLY);
    EXPECT_FALSE(enabled(ID_EDIT_PASTE)) << "a read-only focus cell";
    grid.SetItemState(1, 1, grid.GetItemState(1, 1) & ~GRIDCELL_READONLY);
    ASSERT_TRUE(::OpenClipboard(host.m_hWnd));
    ::EmptyClipboard();
    ::CloseClipboard();
    EXPECT_FALSE(enabled(ID_EDIT_PASTE)) << "no text to paste";

    ASSERT_TRUE(PutText(host.m_hWnd, L"x"));
    grid.SetEditable(FALSE);
    EXPECT_FALSE(enabled(ID_EDIT_CUT));
    EXPECT_FALSE(enabled(ID_EDIT_PASTE));
    EXPECT_TRUE(enabled(ID_EDIT_COPY));
    grid.EnableSelection(FALSE);
    EXPECT_FALSE(enabled(ID_EDIT_SELECT_ALL));
}
