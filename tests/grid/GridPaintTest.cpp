// painting into a memory context, sampled at a few
// pixels; GDI objects per paint; a picture of a grid for a person to check.
#include <cstdio>
#include <functional>

#include "GridFixture.h"
#include "WindowPicture.h"

using namespace gridtest;

namespace {

const COLORREF kLine = RGB(0xC0, 0xC0, 0xC0);

} // namespace

TEST_F(GridTest, PaintingFillsCellsHeadersLinesAndBackground)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 10, 6, 1, 1);  // cells end at x = 300, y = 200
    grid.SetSelectedRange(2, 2, 2, 2);
    grid.SetFocusCell(3, 3);
    Snapshot shot(grid);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), shot.At(75, 30));       // cell (1, 1)
    EXPECT_EQ(kLine, shot.At(99, 30));                              // its right line
    EXPECT_EQ(kLine, shot.At(75, 39));                              // its bottom line
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), shot.At(75, 10));       // column header
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), shot.At(25, 30));       // row header
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), shot.At(350, 100));   // right of the cells
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), shot.At(100, 250));   // below the cells
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), shot.At(125, 50));    // the selected cell
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), shot.At(150, 70));   // the focus frame
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), shot.At(175, 70));       // inside it, not erased
}

TEST_F(GridTest, LineModeNoneDrawsNoLines)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 10, 6, 1, 1);
    grid.SetGridLines(GRIDLINES_HORZ);
    {
        Snapshot shot(grid);
        EXPECT_EQ(::GetSysColor(COLOR_WINDOW), shot.At(99, 30));
        EXPECT_EQ(kLine, shot.At(75, 39));
    }
    grid.SetGridLines(GRIDLINES_NONE);
    Snapshot shot(grid);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), shot.At(99, 30));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), shot.At(75, 39));
}

TEST_F(GridTest, AllowDrawOffDrawsNothing)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 10, 6, 1, 1);
    grid.SetRedraw(FALSE);
    EXPECT_FALSE(grid.RedrawCell(1, 1));
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 400, 300);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(mem, bitmap);
    RECT all = {0, 0, 400, 300};
    ::FillRect(mem, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    CDC dc;
    dc.Attach(mem);
    grid.OnDraw(&dc);
    dc.Detach();
    EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(mem, 75, 30));
    ::SelectObject(mem, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(mem);
    grid.SetRedraw(TRUE);
    EXPECT_TRUE(grid.RedrawCell(1, 1));
}

TEST_F(GridTest, AnEmptyGridShowsOnlyItsBackground)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 200, 100));
    Snapshot shot(grid);
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), shot.At(0, 0));
    EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), shot.At(150, 80));
}

TEST_F(GridTest, MergedBlockIsDrawnWholeFromItsOwner)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 60, 6, 1, 1);
    grid.SetItemBkColour(4, 1, RGB(255, 0, 0));
    grid.MergeCells(4, 1, 5, 2);
    {
        Snapshot shot(grid);
        EXPECT_EQ(RGB(255, 0, 0), shot.At(110, 95));   // cell (4, 2), covered
        EXPECT_EQ(RGB(255, 0, 0), shot.At(99, 90));    // no line inside the block
        EXPECT_EQ(RGB(255, 0, 0), shot.At(75, 99));
        EXPECT_EQ(kLine, shot.At(149, 110));           // the block's right edge
        EXPECT_EQ(kLine, shot.At(120, 119));           // and bottom edge
    }
    // Scrolled so that only the covered row (5) is in view below the header.
    grid.SetScrollPosition(SB_VERT, 80);
    ASSERT_EQ(5, grid.GetTopLeftNonFixedCell().row);
    Snapshot shot(grid);
    EXPECT_EQ(RGB(255, 0, 0), shot.At(110, 30));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), shot.At(110, 10));  // the header stays on top
    // With the owner scrolled away, redrawing or invalidating the owner or
    // a covered cell repaints the part of the block in view, and no header.
    const std::function<BOOL()> repaints[] = {
        [&] { return grid.RedrawCell(4, 1); },
        [&] { return grid.RedrawCell(5, 2); },
        [&] { return grid.InvalidateCell(4, 1); },
        [&] { return grid.InvalidateCell(5, 2); },
    };
    for (const auto& repaint : repaints) {
        ::ValidateRect(grid.m_hWnd, nullptr);
        EXPECT_TRUE(repaint());
        CRect update;
        ::GetUpdateRect(grid.m_hWnd, update, FALSE);
        EXPECT_EQ(CRect(50, 20, 150, 40), update);
    }
    // Scrolled on, nothing of the block is left to repaint.
    grid.SetScrollPosition(SB_VERT, 200);
    ::ValidateRect(grid.m_hWnd, nullptr);
    EXPECT_FALSE(grid.RedrawCell(4, 1));
    EXPECT_FALSE(grid.InvalidateCell(5, 2));
    EXPECT_FALSE(::GetUpdateRect(grid.m_hWnd, nullptr, FALSE));
}

TEST_F(GridTest, HeadersOfTheFocusCellAreSunken)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 10, 6, 1, 1);
    grid.SetFocusCell(3, 3);
    Snapshot shot(grid);
    // Raised header: light top edge; sunken (BDR_SUNKENINNER): dark top edge.
    EXPECT_EQ(::GetSysColor(COLOR_3DHIGHLIGHT), shot.At(75, 0));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), shot.At(175, 0));
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), shot.At(0, 60));   // row header of row 3
    EXPECT_EQ(::GetSysColor(COLOR_3DHIGHLIGHT), shot.At(0, 30));
}

TEST_F(GridTest, PaintingLeaksNoGdiObjects)
{
    CGridCtrl grid;
    ASSERT_TRUE(CreateGrid(grid, host, 400, 300));
    Shape(grid, 200, 12, 1, 1);
    for (int r = 0; r < 200; ++r)
        for (int c = 0; c < 12; ++c)
            grid.SetItemText(r, c, L"text");
    grid.SetItemBkColour(2, 2, RGB(0, 128, 0));
    LOGFONTW lf = *grid.PickDefaultCell(TRUE, FALSE)->GetFont();
    lf.lfEscapement = lf.lfOrientation = 900;
    grid.SetItemFont(0, 2, &lf);
    grid.MergeCells(3, 3, 4, 5);
    grid.SetSelectedRange(5, 1, 7, 4);
    grid.SetFocusCell(6, 2);
    grid.SetSortColumn(1);
    grid.UpdateWindow();
    PumpPending();
    const int before = CountGdiObjects();
    {
        CBrush probe(RGB(1, 2, 3));  // the count sees a single new object
        EXPECT_EQ(before + 1, CountGdiObjects());
    }
    for (int i = 0; i < 300; ++i) {
        grid.Invalidate();
        grid.UpdateWindow();
        grid.RedrawCell(6, 2);
        if (i % 50 == 0)
            grid.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    }
    grid.SetDoubleBuffering(FALSE);
    for (int i = 0; i < 100; ++i) {
        grid.Invalidate();
        grid.UpdateWindow();
    }
    PumpPending();
    EXPECT_EQ(before, CountGdiObjects());
}

TEST_F(GridTest, PictureOfAGridWithHeadersMergedCellsAndVerticalCaptions)
{
    CGridCtrl grid;
    ASSERT_TRUE(grid.Create(CRect(0, 0, 400, 300), &host, 100, WS_CHILD | WS_VISIBLE | WS_BORDER));
    Shape(grid, 30, 7, 1, 1, 22, 56);
    const wchar_t* captions[] = {L"", L"Department", L"Price", L"Tax group", L"Status", L"Quantity", L"Link"};
    LOGFONTW lf = *grid.PickDefaultCell(TRUE, FALSE)->GetFont();
    lf.lfEscapement = lf.lfOrientation = 900;
    for (int c = 1; c < 7; ++c) {
        grid.SetItemText(0, c, captions[c]);
        grid.SetItemFont(0, c, &lf);
        grid.SetItemFormat(0, c, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
    }
    for (int r = 1; r < 30; ++r) {
        wchar_t text[32];
        swprintf(text, 32, L"%d", r);
        grid.SetItemText(r, 0, text);
        for (int c = 1; c < 7; ++c) {
            swprintf(text, 32, L"R%dC%d", r, c);
            grid.SetItemText(r, c, text);
        }
    }
    grid.AutoSizeRow(0);
    grid.SetItemText(2, 2, L"merged 2 x 3");
    grid.SetItemFormat(2, 2, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    grid.SetItemBkColour(2, 2, RGB(255, 255, 200));
    grid.MergeCells(2, 2, 3, 4);
    grid.SetItemText(6, 1, L"merged row");
    grid.MergeCells(6, 1, 6, 3);
    grid.SetSortColumn(5);
    grid.SetSelectedRange(8, 2, 9, 3);
    grid.SetFocusCell(9, 3);
    grid.UpdateWindow();
    PumpPending();

    EXPECT_TRUE(grid.IsVScrollBarShown());
    CRect window, client;
    grid.GetWindowRect(window);
    grid.GetClientRect(client);

    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, window.Width(), window.Height());
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(mem, bitmap);
    ASSERT_TRUE(::PrintWindow(grid.m_hWnd, mem, 0));
    // The picture shows the grid: its header colour at the top left, within the border.
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), ::GetPixel(mem, 20, 20));
    ::SelectObject(mem, old);
    EXPECT_FALSE(SaveBitmapPicture(bitmap, L"grid-part1").empty());
    // The same window as the screen shows it, frame and scroll bars included
    // (Wine's PrintWindow leaves the non-client area out).
    old = ::SelectObject(mem, bitmap);
    HDC windowDC = ::GetWindowDC(grid.m_hWnd);
    ::BitBlt(mem, 0, 0, window.Width(), window.Height(), windowDC, 0, 0, SRCCOPY);
    ::ReleaseDC(grid.m_hWnd, windowDC);
    ::SelectObject(mem, old);
    EXPECT_FALSE(SaveBitmapPicture(bitmap, L"grid-part1-screen").empty());
    ::DeleteObject(bitmap);
    ::DeleteDC(mem);
}
