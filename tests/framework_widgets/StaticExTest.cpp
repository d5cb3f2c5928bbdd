#include <gtest/gtest.h>

#include "Canvas.h"
#include "Pump.h"
#include "WidgetDlg.h"
#include "resource.h"

namespace {

class StaticExTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.Create(IDD_WIDGETS));
        dlg.ShowWindow(SW_SHOWNOACTIVATE);
        PumpPending();
    }

    // A window's rectangle in the dialog's client coordinates.
    CRect InDialog(const CWnd& wnd) const
    {
        CRect rect;
        wnd.GetWindowRect(&rect);
        dlg.ScreenToClient(&rect);
        return rect;
    }
    // The move area as the label sees it: the preview's client rectangle.
    CRect AreaInDialog() const
    {
        CRect rect;
        dlg.m_area.GetClientRect(&rect);
        ::MapWindowPoints(dlg.m_area, dlg, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    // The text's extent in the font the label paints with.
    CSize Extent(const wchar_t* text) const
    {
        CClientDC dc(const_cast<CStaticEx*>(&dlg.m_label));
        HGDIOBJ old = dc.SelectObject(dlg.m_label.GetFontHandle());
        CSize size = dc.GetTextExtent(text, lstrlenW(text));
        dc.SelectObject(old);
        return size;
    }
    void Press(int x, int y) { dlg.m_label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
    void Move(int x, int y, UINT keys = MK_LBUTTON) { dlg.m_label.SendMessage(WM_MOUSEMOVE, keys, MAKELPARAM(x, y)); }
    void Release(int x, int y) { dlg.m_label.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
    void Paint()
    {
        dlg.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpPending();
    }

    CWidgetDlg dlg;
};

// A font of the given cell height.
void MakeFont(CFont& font, int height, bool italic)
{
    LOGFONTW lf = {};
    lf.lfHeight = height;
    lf.lfItalic = italic;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyW(lf.lfFaceName, L"Tahoma");
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
}

} // namespace

TEST_F(StaticExTest, FitsItselfToItsText)
{
    // A screen sets its labels up before it shows: nothing paints then,
    // and a label shrunk to nothing would never be painted again.
    dlg.ShowWindow(SW_HIDE);
    dlg.m_label.SetLabelText(L"");
    EXPECT_EQ(0, InDialog(dlg.m_label).Width());
    dlg.m_label.SetLabelText(L"Hidden");
    EXPECT_EQ(Extent(L"Hidden"), InDialog(dlg.m_label).Size());
    dlg.ShowWindow(SW_SHOWNOACTIVATE);

    dlg.m_label.SetLabelText(L"Hello");
    EXPECT_EQ(Extent(L"Hello"), InDialog(dlg.m_label).Size());

    dlg.m_label.SetLabelText(L"");
    EXPECT_EQ(0, InDialog(dlg.m_label).Width());
    // Although a label without width is never painted, it grows back.
    dlg.m_label.SetLabelText(L"Hello again");
    EXPECT_EQ(Extent(L"Hello again"), InDialog(dlg.m_label).Size());

    // Painting fits it too, from the colour request the dialog reflects.
    CRect rect = InDialog(dlg.m_label);
    dlg.m_label.MoveWindow(rect.left, rect.top, rect.Width() + 50, rect.Height() + 10);
    Paint();
    EXPECT_EQ(Extent(L"Hello again"), InDialog(dlg.m_label).Size());
}

TEST_F(StaticExTest, PaintsTransparentlyInItsOwnFont)
{
    CFont big;
    MakeFont(big, 30, false);
    dlg.m_label.SetLabelFont(&big);
    HFONT own = dlg.m_label.GetFontHandle();
    ASSERT_NE(nullptr, own);
    EXPECT_NE(static_cast<HFONT>(big), own);  // a copy
    LOGFONTW lf = {};
    ASSERT_TRUE(::GetObjectW(own, sizeof lf, &lf));
    EXPECT_EQ(30, lf.lfHeight);

    Canvas canvas(10, 10);
    LRESULT brush = dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.Dc()),
                                    reinterpret_cast<LPARAM>(dlg.m_label.m_hWnd));
    EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)), brush);
    EXPECT_EQ(TRANSPARENT, ::GetBkMode(canvas.Dc()));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), ::GetTextColor(canvas.Dc()));
    EXPECT_EQ(own, ::GetCurrentObject(canvas.Dc(), OBJ_FONT));
}

TEST_F(StaticExTest, ItalicTextGetsRoomForTheSlant)
{
    CFont italic;
    MakeFont(italic, 20, true);
    dlg.m_label.SetLabelFont(&italic);
    dlg.m_label.SetLabelText(L"Slanted");
    CSize extent = Extent(L"Slanted");
    ASSERT_EQ(20, extent.cy);
    EXPECT_EQ(CSize(extent.cx + 4, 20), InDialog(dlg.m_label).Size());
}

TEST_F(StaticExTest, MoveAreaPlacesTheLabelAndLimitsItsGrowth)
{
    CRect area = AreaInDialog();
    POINT offset = {5, 25};
    dlg.m_label.SetMoveArea(&dlg.m_area, &offset);
    EXPECT_EQ(area.TopLeft() + CSize(5, 25), InDialog(dlg.m_label).TopLeft());
    EXPECT_TRUE(dlg.m_label.GetStyle() & SS_NOTIFY);

    // Near the right edge a longer text would leave the area: the label
    // keeps its size and clips the text; a shorter one always shrinks it.
    dlg.m_label.SetLabelText(L"Hi");
    CSize small = Extent(L"Hi");
    offset = {area.Width() - small.cx - 2, 5};
    dlg.m_label.SetMoveArea(&dlg.m_area, &offset);
    EXPECT_EQ(small, InDialog(dlg.m_label).Size());
    dlg.m_label.SetLabelText(L"Hi there, a text far too long for the area");
    EXPECT_EQ(small, InDialog(dlg.m_label).Size());
    dlg.m_label.SetLabelText(L"H");
    EXPECT_EQ(Extent(L"H"), InDialog(dlg.m_label).Size());

    // Without an area the dialog is the area.
    dlg.m_label.SetMoveArea(nullptr, nullptr);
    EXPECT_EQ(CPoint(0, 0), InDialog(dlg.m_label).TopLeft());
}

TEST_F(StaticExTest, DragStaysInsideTheArea)
{
    POINT offset = {5, 5};
    dlg.m_label.SetLabelText(L"Drag me");
    dlg.m_label.SetMoveArea(&dlg.m_area, &offset);
    CRect area = AreaInDialog();
    CRect start = InDialog(dlg.m_label);

    // Grabbed at (2, 2): a move to (2 + dx, 2 + dy) asks for a shift of (dx, dy).
    Press(2, 2);
    EXPECT_EQ(dlg.m_label.m_hWnd, ::GetCapture());
    Move(12, 7);
    EXPECT_EQ(start.TopLeft() + CSize(10, 5), InDialog(dlg.m_label).TopLeft());

    // At each edge: a drag one pixel past it is ignored, one onto it moves.
    auto edge = [&](const wchar_t* name, CSize toEdge, CSize step) {
        CPoint before = InDialog(dlg.m_label).TopLeft();
        Move(2 + toEdge.cx + step.cx, 2 + toEdge.cy + step.cy);
        EXPECT_EQ(before, InDialog(dlg.m_label).TopLeft()) << name << ": one pixel out";
        Move(2 + toEdge.cx, 2 + toEdge.cy);
        EXPECT_EQ(before + toEdge, InDialog(dlg.m_label).TopLeft()) << name << ": onto the edge";
    };
    edge(L"right", {area.right - InDialog(dlg.m_label).right, 0}, {1, 0});
    edge(L"bottom", {0, area.bottom - InDialog(dlg.m_label).bottom}, {0, 1});
    edge(L"left", {area.left - InDialog(dlg.m_label).left, 0}, {-1, 0});
    edge(L"top", {0, area.top - InDialog(dlg.m_label).top}, {0, -1});
    EXPECT_EQ(area.TopLeft(), InDialog(dlg.m_label).TopLeft());

    // A drag out on one axis moves it on neither; far out, nothing either.
    Move(2 + 10, 1);
    Move(-1000, 2 + 10);
    EXPECT_EQ(area.TopLeft(), InDialog(dlg.m_label).TopLeft());
    Move(2 + 20, 2 + 30);
    EXPECT_EQ(area.TopLeft() + CSize(20, 30), InDialog(dlg.m_label).TopLeft());

    Release(22, 32);
    EXPECT_EQ(nullptr, ::GetCapture());
    Move(40, 40);
    EXPECT_EQ(area.TopLeft() + CSize(20, 30), InDialog(dlg.m_label).TopLeft());
}

TEST_F(StaticExTest, DragEndsWhenTheButtonIsNoLongerHeld)
{
    dlg.m_label.SetLabelText(L"Drag me");
    dlg.m_label.SetMoveArea(&dlg.m_area, nullptr);
    CPoint start = InDialog(dlg.m_label).TopLeft();

    // The release went elsewhere: the next move has no button down.
    Press(2, 2);
    Move(12, 12, 0);
    Move(22, 22);
    EXPECT_EQ(start, InDialog(dlg.m_label).TopLeft());
    EXPECT_NE(dlg.m_label.m_hWnd, ::GetCapture());

    // Another window took the mouse.
    Press(2, 2);
    dlg.SetCapture();
    Move(12, 12);
    EXPECT_EQ(start, InDialog(dlg.m_label).TopLeft());
    ::ReleaseCapture();
}

TEST_F(StaticExTest, LabelStickingOutMayOnlyMoveBackIn)
{
    dlg.m_label.SetLabelText(L"Wide label");
    POINT offset = {40, 10};
    dlg.m_label.SetMoveArea(&dlg.m_area, &offset);
    // A smaller logo target shrinks the preview under the label.
    CRect areaWindow = InDialog(dlg.m_area);
    dlg.m_area.MoveWindow(areaWindow.left, areaWindow.top, 60, areaWindow.Height());
    CRect area = AreaInDialog();
    CRect start = InDialog(dlg.m_label);
    ASSERT_GT(start.right, area.right);

    Press(2, 2);
    Move(7, 2);  // further out: refused
    EXPECT_EQ(start.TopLeft(), InDialog(dlg.m_label).TopLeft());
    Move(-3, 2);  // back in by 5
    EXPECT_EQ(start.TopLeft() - CSize(5, 0), InDialog(dlg.m_label).TopLeft());
    // Wider than the area, it may cover it, no further: a drag past that is ignored.
    Move(-1000, 2);
    EXPECT_EQ(start.TopLeft() - CSize(5, 0), InDialog(dlg.m_label).TopLeft());
    const int farthest = std::min(area.left, area.right - start.Width());
    Move(2 + farthest - InDialog(dlg.m_label).left - 1, 2);
    EXPECT_EQ(start.TopLeft() - CSize(5, 0), InDialog(dlg.m_label).TopLeft());
    Move(2 + farthest - InDialog(dlg.m_label).left, 2);
    EXPECT_EQ(farthest, InDialog(dlg.m_label).left);
    Release(0, 0);
}

TEST_F(StaticExTest, CursorIsTheFourHeadedArrow)
{
    LRESULT set = dlg.m_label.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(dlg.m_label.m_hWnd),
                                          MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_TRUE(set);
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_SIZEALL), ::GetCursor());
}

TEST(StaticEx, FontsAreFreed)
{
    CFont font;
    MakeFont(font, 16, false);
    auto cycle = [&font]() -> HFONT {
        CWidgetDlg dlg;
        if (!dlg.Create(IDD_WIDGETS)) {
            ADD_FAILURE() << "no dialog";
            return nullptr;
        }
        dlg.m_label.SetLabelText(L"Text");
        HFONT first = dlg.m_label.GetFontHandle();
        dlg.m_label.SetLabelFont(&font);
        EXPECT_EQ(0u, ::GetObjectType(first));
        dlg.m_label.SetLabelFont(&font);
        HFONT last = dlg.m_label.GetFontHandle();
        dlg.DestroyWindow();
        EXPECT_NE(0u, ::GetObjectType(last));  // the label still holds it
        return last;
    };
    cycle();  // the first dialog loads what the system keeps
    DWORD before = GdiObjects();
    HFONT last = nullptr;
    for (int i = 0; i < 3; ++i)
        last = cycle();
    EXPECT_EQ(0u, ::GetObjectType(last));
    EXPECT_EQ(before, GdiObjects());
    EXPECT_NE(0u, ::GetObjectType(font));
}
