#include "CGridDefaultCell.h"

CGridDefaultCell::CGridDefaultCell()
{
    SetFormat(GRID_DEFAULT_FORMAT);
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
    FontData& own = MakeFontData();
    own.font.DeleteObject();
    own.font.CreateFontIndirect(font);
    own.lf = *font;

    HDC screen = ::GetDC(nullptr);
    if (!screen) {
        SetMargin(3);
        m_Size = CSize(40, 16);
        return;
    }
    HGDIOBJ old = own.font.GetSafeHandle() ? ::SelectObject(screen, own.font.GetSafeHandle()) : nullptr;
    SIZE blank = {0, 0};
    ::GetTextExtentPoint32W(screen, L" ", 1, &blank);
    SetMargin(static_cast<UINT>(blank.cx));
    SIZE sample = {0, 0};
    ::GetTextExtentPoint32W(screen, L" XXXXXXXXXXXX ", 14, &sample);
    m_Size = CSize(sample.cx, sample.cy * 3 / 2);
    if (old)
        ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
}

LOGFONTW* CGridDefaultCell::GetFont() const
{
    FontData* own = OwnFontData();
    return own ? &own->lf : nullptr;
}

CFont* CGridDefaultCell::GetFontObject() const
{
    FontData* own = OwnFontData();
    return own ? &own->font : nullptr;
}

DWORD CGridDefaultCell::GetFormat() const
{
    return OwnFormat() == static_cast<DWORD>(-1) ? GRID_DEFAULT_FORMAT : OwnFormat();
}

COLORREF CGridDefaultCell::GetTextClr() const
{
    return OwnTextClr() == CLR_DEFAULT ? ::GetSysColor(COLOR_WINDOWTEXT) : OwnTextClr();
}

COLORREF CGridDefaultCell::GetBackClr() const
{
    return OwnBackClr() == CLR_DEFAULT ? ::GetSysColor(COLOR_WINDOW) : OwnBackClr();
}

UINT CGridDefaultCell::GetMargin() const
{
    return OwnMargin() == -1 ? 0 : static_cast<UINT>(OwnMargin());
}
