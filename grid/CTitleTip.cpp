#include "CTitleTip.h"

#include "GridDefs.h"
#include "gdi.h"

BEGIN_MESSAGE_MAP(CTitleTip, CWnd)
    ON_WM_MOUSEMOVE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CTitleTip::CTitleTip() : m_dwDblClickMsecs(::GetDoubleClickTime())
{
    m_rectHover.SetRectEmpty();
}

BOOL CTitleTip::Create(CWnd* parent)
{
    if (::IsWindow(m_hWnd))
        return TRUE;
    m_pParentWnd = parent;
    m_bCreated = CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TITLETIP_CLASSNAME, nullptr, WS_BORDER | WS_POPUP,
                          CRect(0, 0, 0, 0), nullptr, 0);
    return m_bCreated;
}

BOOL CTitleTip::DestroyWindow()
{
    m_bCreated = FALSE;
    return CWnd::DestroyWindow();
}

HFONT CTitleTip::MakeFont(bool& owned) const
{
    owned = false;
    if (m_bHasFont)
        if (HFONT font = ::CreateFontIndirectW(&m_lf)) {
            owned = true;
            return font;
        }
    return m_pParentWnd ? m_pParentWnd->GetFontHandle() : nullptr;
}

void CTitleTip::ShowTip(LPCWSTR text, LPCRECT hover, const LOGFONTW* font, COLORREF textColour,
                        COLORREF backColour, CRect cellTextRect)
{
    if (!m_pParentWnd || (!::IsWindow(m_hWnd) && !Create(m_pParentWnd)))
        return;
    if (cellTextRect.IsRectEmpty() || IsWindowVisible())
        return;
    if (!::GetFocus())
        return;

    CRect hoverRect = hover ? CRect(*hover) : cellTextRect;
    hoverRect.right++;
    hoverRect.bottom++;
    CRect screenRect = cellTextRect;
    m_pParentWnd->ClientToScreen(screenRect);

    m_strText = L" ";
    m_strText += text ? text : L"";
    m_strText += L" ";
    m_bHasFont = font != nullptr;
    if (font)
        m_lf = *font;
    m_crText = textColour;
    m_crBack = backColour;

    HDC dc = ::GetDC(m_hWnd);
    if (!dc)
        return;
    bool owned = false;
    HFONT hFont = MakeFont(owned);
    HGDIOBJ old = hFont ? ::SelectObject(dc, hFont) : nullptr;
    SIZE size = {0, 0};
    TEXTMETRICW tm = {};
    const bool measured = ::GetTextExtentPoint32W(dc, m_strText.GetString(), m_strText.GetLength(), &size) &&
                          ::GetTextMetricsW(dc, &tm);
    if (old)
        ::SelectObject(dc, old);
    if (owned)
        ::DeleteObject(hFont);
    ::ReleaseDC(m_hWnd, dc);
    const int width = size.cx + tm.tmOverhang;
    if (!measured || screenRect.left + width <= screenRect.right)
        return;  // the text fits: no tip

    ::SetWindowPos(m_hWnd, HWND_TOPMOST, screenRect.left, screenRect.top, width, screenRect.Height(),
                   SWP_SHOWWINDOW | SWP_NOACTIVATE);
    // The hover area in the tip's own coordinates, now that it stands where it shows.
    ::MapWindowPoints(m_pParentWnd->m_hWnd, m_hWnd, reinterpret_cast<POINT*>(&hoverRect), 2);
    m_rectHover = hoverRect;
    UpdateWindow();
    SetCapture();
}

void CTitleTip::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    if (!dc)
        return;
    if (m_crBack != CLR_DEFAULT) {
        RECT clip;
        ::GetClipBox(dc, &clip);
        HBRUSH brush = ::CreateSolidBrush(m_crBack);
        if (brush) {
            ::FillRect(dc, &clip, brush);
            ::DeleteObject(brush);
        }
    }
    if (m_crText != CLR_DEFAULT)
        ::SetTextColor(dc, m_crText);
    ::SetBkMode(dc, TRANSPARENT);
    bool owned = false;
    HFONT hFont = MakeFont(owned);
    HGDIOBJ old = hFont ? ::SelectObject(dc, hFont) : nullptr;
    ::TextOutW(dc, 0, 0, m_strText.GetString(), m_strText.GetLength());
    if (old)
        ::SelectObject(dc, old);
    if (owned)
        ::DeleteObject(hFont);
    ::EndPaint(m_hWnd, &ps);
}

void CTitleTip::HideTip()
{
    if (!::IsWindow(m_hWnd))
        return;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ShowWindow(SW_HIDE);
}

HWND CTitleTip::TargetAt(POINT screen) const
{
    HWND target = ::WindowFromPoint(screen);
    if (target == m_hWnd)
        target = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    return target;
}

void CTitleTip::OnMouseMove(UINT flags, CPoint point)
{
    if (m_rectHover.PtInRect(point))
        return;
    HideTip();
    POINT screen = point;
    ClientToScreen(&screen);
    HWND target = TargetAt(screen);
    if (!target)
        return;
    const LRESULT hit = ::SendMessageW(target, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (hit == HTCLIENT) {
        POINT client = screen;
        ::ScreenToClient(target, &client);
        ::PostMessageW(target, WM_MOUSEMOVE, flags, MAKELPARAM(client.x, client.y));
    } else {
        ::PostMessageW(target, WM_NCMOUSEMOVE, static_cast<WPARAM>(hit), MAKELPARAM(screen.x, screen.y));
    }
}

BOOL CTitleTip::PreTranslateMessage(MSG* msg)
{
    switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        HideTip();
        if (m_pParentWnd)
            m_pParentWnd->PostMessage(msg->message, msg->wParam, msg->lParam);
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        bool doubleClick = false;
        if (msg->message == WM_LBUTTONDOWN) {
            const DWORD now = ::GetTickCount();
            doubleClick = now - m_dwLastLButtonDown <= m_dwDblClickMsecs;
            m_dwLastLButtonDown = now;
        }
        POINT pt = {static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam))};
        ::ClientToScreen(msg->hwnd, &pt);
        HideTip();
        HWND target = TargetAt(pt);
        if (!target)
            return CWnd::PreTranslateMessage(msg);
        UINT message = msg->message;
        WPARAM wParam = msg->wParam;
        const LRESULT hit = ::SendMessageW(target, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        if (hit == HTCLIENT) {
            ::ScreenToClient(target, &pt);
            if (doubleClick)
                message = WM_LBUTTONDBLCLK;
        } else {
            message = message == WM_LBUTTONDOWN   ? WM_NCLBUTTONDOWN
                      : message == WM_RBUTTONDOWN ? WM_NCRBUTTONDOWN
                                                  : WM_NCMBUTTONDOWN;
            wParam = static_cast<WPARAM>(hit);
        }
        ::PostMessageW(target, message, wParam, MAKELPARAM(pt.x, pt.y));
        return TRUE;
    }
    default:
        if (!::GetFocus()) {
            HideTip();
            return TRUE;
        }
        return CWnd::PreTranslateMessage(msg);
    }
}
