// The title tip over cells whose text does not fit, and the grid as a drop
// target: refusals, highlights, pasted drops and column moves.
#include "GridFixture.h"

#include <cstring>
#include <string>

#include "app.h"
#include "ole.h"

using namespace gridtest;

namespace {

HWND Tip()
{
    return ::FindWindowW(TITLETIP_CLASSNAME, nullptr);
}

// A data object offering text, as another program's drag would.
class TextData
{
public:
    explicit TextData(const wchar_t* text)
    {
        const size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
        std::memcpy(::GlobalLock(block), text, bytes);
        ::GlobalUnlock(block);
        auto* source = new COleDataSource;
        source->CacheGlobalData(CF_UNICODETEXT, block);
        data.Attach(source);
        source->Release();
    }
    COleDataObject data;
};

class GridTipTest : public GridTest
{
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        ASSERT_TRUE(CreateGrid(grid, host, 380, 280));
        Shape(grid, 6, 4, 1, 1, 20, 60);
        grid.SetItemText(1, 1, L"ok");
        grid.SetItemText(2, 1, L"A text far too long for its cell");
        grid.SetFocus();
    }
    CGridCtrl grid;
};

} // namespace

TEST_F(GridTipTest, TipShowsOnlyWhereTheTextDoesNotFit)
{
    Mouse(grid, WM_MOUSEMOVE, CellCentre(grid, 1, 1));
    EXPECT_FALSE(Tip() && ::IsWindowVisible(Tip()));

    Mouse(grid, WM_MOUSEMOVE, CellCentre(grid, 2, 1));
    HWND tip = Tip();
    ASSERT_TRUE(tip);
    ASSERT_TRUE(::IsWindowVisible(tip));
    CRect tipRect, cell;
    ::GetWindowRect(tip, tipRect);
    grid.GetCellRect(2, 1, cell);
    grid.ClientToScreen(cell);
    EXPECT_EQ(cell.left, tipRect.left);
    EXPECT_EQ(cell.top, tipRect.top);
    EXPECT_GT(tipRect.Width(), cell.Width()) << "as wide as the text, past the cell";
    EXPECT_EQ(tip, ::GetCapture());

    // Leaving the cell hides it and hands the move to the window below.
    CPoint away = CellCentre(grid, 4, 2);
    grid.ClientToScreen(&away);
    ::ScreenToClient(tip, &away);
    ::SendMessageW(tip, WM_MOUSEMOVE, 0, MAKELPARAM(away.x, away.y));
    EXPECT_FALSE(::IsWindowVisible(tip));
    EXPECT_NE(tip, ::GetCapture());
}

TEST_F(GridTipTest, KeysAndClicksOnTheTipReachTheGrid)
{
    // An application, so the loop pre-translates as the program's does.
    CWinApp app(L"grid test");
    Mouse(grid, WM_MOUSEMOVE, CellCentre(grid, 2, 1));
    HWND tip = Tip();
    ASSERT_TRUE(tip && ::IsWindowVisible(tip));
    ASSERT_EQ(tip, ::GetCapture());

    // A press comes to the tip, which holds the mouse; it hides and hands
    // the press to the cell below.
    ::PostMessageW(tip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PumpPending();
    EXPECT_FALSE(::IsWindowVisible(tip));
    Mouse(grid, WM_LBUTTONUP, CellCentre(grid, 2, 1));
    EXPECT_EQ(CCellID(2, 1), grid.GetFocusCell()) << "the click went to the cell below";

    // A key comes to the focus window, the grid: the tip goes all the same.
    Mouse(grid, WM_MOUSEMOVE, CellCentre(grid, 1, 2));
    Mouse(grid, WM_MOUSEMOVE, CellCentre(grid, 2, 1));
    ASSERT_TRUE(::IsWindowVisible(tip));
    ASSERT_EQ(grid.m_hWnd, ::GetFocus());
    ::PostMessageW(grid.m_hWnd, WM_KEYDOWN, VK_DOWN, 1);
    PumpPending();
    EXPECT_FALSE(::IsWindowVisible(tip)) << "a key hides the tip";
    EXPECT_NE(tip, ::GetCapture());
    EXPECT_EQ(CCellID(3, 1), grid.GetFocusCell()) << "the key went to the grid";
}

TEST_F(GridTipTest, DropsAreRefusedWhileDragAndDropIsOff)
{
    // The grid registered itself as a drop target when it was first sized.
    COleDropTarget other;
    EXPECT_EQ(DRAGDROP_E_ALREADYREGISTERED, ::RegisterDragDrop(grid.m_hWnd, &other));

    TextData text(L"foreign");
    EXPECT_EQ(DROPEFFECT_NONE, grid.OnDragEnter(&text.data, 0, CellCentre(grid, 3, 2)));
    EXPECT_EQ(DROPEFFECT_NONE, grid.OnDragOver(&text.data, 0, CellCentre(grid, 3, 2)));
    EXPECT_FALSE(grid.GetItemState(3, 2) & GRIDCELL_DROPHILITED);
    EXPECT_FALSE(grid.OnDrop(&text.data, DROPEFFECT_MOVE, CellCentre(grid, 3, 2)));
    EXPECT_EQ(L"", std::wstring(grid.GetItemText(3, 2)));
}

TEST_F(GridTipTest, DroppedTextIsPastedAndTheHighlightAlwaysGoes)
{
    grid.EnableDragAndDrop(TRUE);
    grid.SetDropMovesRows(FALSE);
    TextData text(L"p\tq");
    EXPECT_EQ(DROPEFFECT_MOVE, grid.OnDragEnter(&text.data, 0, CellCentre(grid, 3, 1)));
    EXPECT_TRUE(grid.GetItemState(3, 1) & GRIDCELL_DROPHILITED);
    EXPECT_EQ(DROPEFFECT_COPY, grid.OnDragOver(&text.data, MK_CONTROL, CellCentre(grid, 4, 2)));
    EXPECT_FALSE(grid.GetItemState(3, 1) & GRIDCELL_DROPHILITED);
    EXPECT_TRUE(grid.GetItemState(4, 2) & GRIDCELL_DROPHILITED);
    EXPECT_TRUE(grid.OnDrop(&text.data, DROPEFFECT_COPY, CellCentre(grid, 4, 2)));
    EXPECT_EQ(L"p", std::wstring(grid.GetItemText(4, 2)));
    EXPECT_EQ(L"q", std::wstring(grid.GetItemText(4, 3)));
    EXPECT_FALSE(grid.GetItemState(4, 2) & GRIDCELL_DROPHILITED);

    grid.SetItemState(5, 1, grid.GetItemState(5, 1) | GRIDCELL_READONLY);
    grid.SetItemState(5, 2, grid.GetItemState(5, 2) | GRIDCELL_READONLY);
    grid.OnDragOver(&text.data, 0, CellCentre(grid, 4, 1));
    EXPECT_EQ(DROPEFFECT_NONE, grid.OnDragOver(&text.data, 0, CellCentre(grid, 5, 1)));
    EXPECT_FALSE(grid.OnDrop(&text.data, DROPEFFECT_MOVE, CellCentre(grid, 5, 1)));
    for (int c = 1; c < 4; ++c)
        EXPECT_FALSE(grid.GetItemState(4, c) & GRIDCELL_DROPHILITED);

    // With drop moves rows on, text from outside the grid moves no row.
    grid.SetDropMovesRows(TRUE);
    EXPECT_EQ(DROPEFFECT_NONE, grid.OnDragOver(&text.data, 0, CellCentre(grid, 3, 1)));
}

TEST_F(GridTipTest, AColumnDraggedByItsHeaderMoves)
{
    grid.EnableColumnDrag(TRUE);
    grid.SetItemText(0, 2, L"second");
    grid.SetItemText(0, 3, L"third");
    Mouse(grid, WM_LBUTTONDOWN, CellCentre(grid, 0, 2), MK_LBUTTON);
    EXPECT_EQ(CGridCtrl::MOUSE_PREPARE_DRAG, grid.GetMouseMode());
    TextData none(L"");
    grid.OnDragEnter(&none.data, 0, CellCentre(grid, 0, 2));
    EXPECT_NE(DROPEFFECT_NONE, grid.OnDragOver(&none.data, 0, CellCentre(grid, 0, 3)));
    EXPECT_EQ(DROPEFFECT_NONE, grid.OnDragOver(&none.data, 0, CellCentre(grid, 3, 3))) << "only over the headers";
    grid.OnDragOver(&none.data, 0, CellCentre(grid, 0, 3));
    EXPECT_TRUE(grid.OnDrop(&none.data, DROPEFFECT_MOVE, CellCentre(grid, 0, 3)));
    EXPECT_EQ(L"third", std::wstring(grid.GetItemText(0, 2)));
    EXPECT_EQ(L"second", std::wstring(grid.GetItemText(0, 3)));
    ::ReleaseCapture();
}
