#include "CGridDefaultCell.h"

CGridDefaultCell::CGridDefaultCell()
{
    m_nFormat = GRID_DEFAULT_FORMAT;
    m_crFgClr = CLR_DEFAULT;
    m_crBkClr = CLR_DEFAULT;
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = sizeof ncm - sizeof ncm.iPaddedBorderWidth;  // 500: the record without the padded border
    static_assert(sizeof(NONCLIENTMETRICSW) - sizeof(int) == 500, "NONCLIENTMETRICS without the padded border");
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0))
        SetFont(&ncm.lfMessageFont);
}

void CGridDefaultCell::SetFont(const LOGFONTW* font)
{
    if (!font)
        return;
    if (!m_pFont)
        m_pFont = std::make_unique<FontData>();
    m_pFont->font.DeleteObject();
    m_pFont->font.CreateFontIndirect(font);
    m_pFont->lf = *font;

    HDC screen = ::GetDC(nullptr);
    if (!screen) {
        m_nMargin = 3;
        m_Size = CSize(40, 16);
        return;
    }
    HGDIOBJ old = m_pFont->font.GetSafeHandle() ? ::SelectObject(screen, m_pFont->font.GetSafeHandle()) : nullptr;
    SIZE blank = {0, 0};
    ::GetTextExtentPoint32W(screen, L" ", 1, &blank);
    m_nMargin = blank.cx;
    SIZE sample = {0, 0};
    ::GetTextExtentPoint32W(screen, L" XXXXXXXXXXXX ", 14, &sample);
    m_Size = CSize(sample.cx, sample.cy * 3 / 2);
    if (old)
        ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
}

LOGFONTW* CGridDefaultCell::GetFont() const
{
    return m_pFont ? &m_pFont->lf : nullptr;
}

CFont* CGridDefaultCell::GetFontObject() const
{
    return m_pFont ? &m_pFont->font : nullptr;
}

DWORD CGridDefaultCell::GetFormat() const
{
    return m_nFormat == static_cast<DWORD>(-1) ? GRID_DEFAULT_FORMAT : m_nFormat;
}

COLORREF CGridDefaultCell::GetTextClr() const
{
    return m_crFgClr == CLR_DEFAULT ? ::GetSysColor(COLOR_WINDOWTEXT) : m_crFgClr;
}

COLORREF CGridDefaultCell::GetBackClr() const
{
    return m_crBkClr == CLR_DEFAULT ? ::GetSysColor(COLOR_WINDOW) : m_crBkClr;
}

UINT CGridDefaultCell::GetMargin() const
{
    return m_nMargin == -1 ? 0 : static_cast<UINT>(m_nMargin);
}
