// The per-grid template cell: the values a cell uses wherever it
// has none of its own, and the size of new rows and columns.
//
// Default cells never fall back on another cell: an unset value resolves to
// the system colour, the default format or 0.
#pragma once

#include "CGridCell.h"

class CGridDefaultCell : public CGridCell
{
public:
    CGridDefaultCell();

    static CGridCellBase* CreateObject() { return new CGridDefaultCell; }

    void SetData(LPARAM) override {}
    void SetState(DWORD) override {}
    DWORD GetState() const override { return CGridCell::GetState() | GRIDCELL_READONLY; }
    // Creates the font and measures margin, width and height with it.
    void SetFont(const LOGFONTW* font) override;
    LOGFONTW* GetFont() const override;
    CFont* GetFontObject() const override;
    DWORD GetFormat() const override;
    COLORREF GetTextClr() const override;
    COLORREF GetBackClr() const override;
    UINT GetMargin() const override;

    int GetDefaultStyle() const { return m_dwStyle; }
    void SetDefaultStyle(int style) { m_dwStyle = style; }
    int GetWidth() const { return m_Size.cx; }
    int GetHeight() const { return m_Size.cy; }
    void SetWidth(int width) { m_Size.cx = width; }
    void SetHeight(int height) { m_Size.cy = height; }

private:
    CSize m_Size{30, 10};
    int m_dwStyle = 0;
};
