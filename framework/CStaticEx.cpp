#include "CStaticEx.h"

#include <algorithm>

namespace {

// Whether the label may go to `wanted` on one axis: anywhere inside
// [areaMin, areaMax] when it fits there. A label that does not fit, or
// already sticks out (a smaller logo under it), may also move towards the
// area, never further out. A drag that would leave the area is ignored, not
// cut short: the label stops where the last accepted move put it.
bool MayMoveOnAxis(int current, int wanted, int areaMin, int areaMax, int size)
{
    int lo = std::min(areaMin, areaMax - size);
    int hi = std::max(areaMin, areaMax - size);
    return wanted >= std::min(lo, current) && wanted <= std::max(hi, current);
}

} // namespace

BEGIN_MESSAGE_MAP(CStaticEx, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CStaticEx::CStaticEx()
    : m_crText(::GetSysColor(COLOR_WINDOWTEXT)), m_hBrush(static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)))
{
    LOGFONTW lf = {};
    if (!::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf) || !m_font.CreateFontIndirect(&lf))
        AfxThrowResourceException();
}

void CStaticEx::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    m_pMoveArea = nullptr;  // the parent
    // The static control paints with its WM_SETFONT font, whatever the
    // colour request selected: give it the font the label is sized for.
    SetFont(&m_font, FALSE);
}

void CStaticEx::SetLabelText(const wchar_t* text)
{
    InvalidateInParent();
    SetWindowText(text);
    FitInOwnFont();
}

void CStaticEx::SetLabelFont(CFont* font)
{
    LOGFONTW lf = {};
    if (!font || !font->GetLogFont(&lf))
        return;
    HFONT copy = ::CreateFontIndirectW(&lf);
    if (!copy)
        return;
    // The control drops the old font before it is deleted.
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(copy), TRUE);
    m_font.Attach(copy);
    FitInOwnFont();
}

void CStaticEx::SetMoveArea(CWnd* area, const POINT* offset)
{
    m_pMoveArea = area;
    m_ptOffset = offset ? CPoint(*offset) : CPoint();
    ModifyStyle(0, SS_NOTIFY);  // static controls ignore the mouse without it
    MoveTo(MoveAreaRect().TopLeft() + CSize(m_ptOffset.x, m_ptOffset.y));
}

void CStaticEx::MoveTo(CPoint topLeft)
{
    InvalidateInParent();
    // The label has no background of its own: bits copied from the old
    // place would show the picture that lies there, not the one below.
    SetWindowPos(nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

CRect CStaticEx::MoveAreaRect() const
{
    HWND parent = ::GetParent(m_hWnd);
    HWND area = m_pMoveArea ? m_pMoveArea->m_hWnd : parent;
    CRect rect;
    ::GetClientRect(area, &rect);
    if (area != parent)
        ::MapWindowPoints(area, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

CRect CStaticEx::RectInParent() const
{
    CRect rect;
    GetWindowRect(&rect);
    ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void CStaticEx::InvalidateInParent() const
{
    CRect rect = RectInParent();
    ::InvalidateRect(::GetParent(m_hWnd), &rect, TRUE);
}

void CStaticEx::FitToText(CDC* dc)
{
    CString text = GetWindowText();
    CSize extent = dc->GetTextExtent(text, text.GetLength());
    LOGFONTW lf = {};
    if (m_font.GetLogFont(&lf) && lf.lfItalic)
        extent.cx += (extent.cy / 10) * 2;  // room for the slant

    CRect client;
    GetClientRect(&client);
    CRect rect = RectInParent();
    bool shrinks = client.Width() >= extent.cx && client.Height() >= extent.cy;
    if (!shrinks) {
        CRect area = MoveAreaRect();
        if (rect.left + extent.cx > area.right || rect.top + extent.cy > area.bottom)
            return;  // growing would leave the area: the text is clipped instead
    }
    if (rect.Size() != extent)
        SetWindowPos(nullptr, 0, 0, extent.cx, extent.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CStaticEx::FitInOwnFont()
{
    CClientDC dc(this);
    HGDIOBJ oldFont = dc.SelectObject(&m_font);
    FitToText(&dc);
    dc.SelectObject(oldFont);
}

HBRUSH CStaticEx::CtlColor(CDC* dc, UINT type)
{
    if (type == CTLCOLOR_STATIC) {
        dc->SelectObject(&m_font);
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(m_crText);
        FitToText(dc);
    }
    // Nothing paints the background: the parent shows through.
    return m_hBrush;
}

BOOL CStaticEx::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
    return TRUE;
}

void CStaticEx::OnLButtonDown(UINT, CPoint point)
{
    SetCapture();
    m_bDragging = true;
    m_ptGrab = point;
    Default();
}

void CStaticEx::OnMouseMove(UINT flags, CPoint point)
{
    // A release we never saw (capture taken away) ends the drag here.
    if (m_bDragging && !(flags & MK_LBUTTON))
        EndDrag();
    if (m_bDragging) {
        CRect rect = RectInParent();
        CRect area = MoveAreaRect();
        int x = rect.left + point.x - m_ptGrab.x;
        int y = rect.top + point.y - m_ptGrab.y;
        if ((x != rect.left || y != rect.top) &&
            MayMoveOnAxis(rect.left, x, area.left, area.right, rect.Width()) &&
            MayMoveOnAxis(rect.top, y, area.top, area.bottom, rect.Height()))
            MoveTo(CPoint(x, y));
    }
    Default();
}

void CStaticEx::OnLButtonUp(UINT, CPoint)
{
    EndDrag();
    Default();
}

void CStaticEx::OnCaptureChanged(CWnd*)
{
    m_bDragging = false;
    m_ptGrab = CPoint();
    Default();
}

void CStaticEx::EndDrag()
{
    if (!m_bDragging)
        return;
    m_bDragging = false;
    m_ptGrab = CPoint();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}
