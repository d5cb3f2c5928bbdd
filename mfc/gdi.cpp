#include "gdi.h"

#include <commctrl.h>

#include "window.h"

BOOL CGdiObject::Attach(HGDIOBJ handle)
{
    if (!handle)
        return FALSE;
    DeleteObject();
    m_hObject = handle;
    return TRUE;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    BOOL ok = ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    return ok;
}

BOOL CFont::CreatePointFont(int pointTenths, LPCWSTR face, HDC dc)
{
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, face ? face : L"", LF_FACESIZE);
    HDC screen = dc ? dc : ::GetDC(nullptr);
    lf.lfHeight = -MulDiv(pointTenths, ::GetDeviceCaps(screen, LOGPIXELSY), 720);
    if (!dc)
        ::ReleaseDC(nullptr, screen);
    return CreateFontIndirect(&lf);
}

BOOL CDC::CreateCompatibleDC(CDC* other)
{
    HDC dc = ::CreateCompatibleDC(other ? other->m_hDC : nullptr);
    if (!dc)
        return FALSE;
    DeleteDC();
    m_hDC = m_hAttribDC = dc;
    m_bOwned = true;
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    BOOL ok = m_bOwned ? ::DeleteDC(m_hDC) : TRUE;
    m_hDC = m_hAttribDC = nullptr;
    m_bOwned = false;
    return ok;
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

CSize CDC::GetTextExtent(LPCWSTR text, int count) const
{
    SIZE s = {0, 0};
    ::GetTextExtentPoint32W(m_hDC, text, count, &s);
    return CSize(s);
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd)
{
    m_hDC = m_hAttribDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    m_hDC = nullptr;
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    m_hDC = m_hAttribDC = ::GetDC(m_hWnd);
}

CClientDC::~CClientDC()
{
    if (m_hDC)
        ::ReleaseDC(m_hWnd, m_hDC);
    m_hDC = nullptr;
}

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr)
{
    m_hDC = m_hAttribDC = ::GetWindowDC(m_hWnd);
}

CWindowDC::~CWindowDC()
{
    if (m_hDC)
        ::ReleaseDC(m_hWnd, m_hDC);
    m_hDC = nullptr;
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow)
{
    DeleteImageList();
    m_hImageList = ::ImageList_Create(cx, cy, flags, initial, grow);
    return m_hImageList != nullptr;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    BOOL ok = ::ImageList_Destroy(m_hImageList);
    m_hImageList = nullptr;
    return ok;
}

int CImageList::Add(CBitmap* image, COLORREF mask)
{
    return m_hImageList && image ? ::ImageList_AddMasked(m_hImageList, *image, mask) : -1;
}

int CImageList::GetImageCount() const
{
    return m_hImageList ? ::ImageList_GetImageCount(m_hImageList) : 0;
}

BOOL CImageList::GetImageInfo(int image, IMAGEINFO* info) const
{
    return m_hImageList && image >= 0 && ::ImageList_GetImageInfo(m_hImageList, image, info);
}

BOOL CImageList::Draw(CDC* dc, int image, POINT at, UINT style)
{
    return m_hImageList && dc && ::ImageList_Draw(m_hImageList, image, dc->m_hDC, at.x, at.y, style);
}
