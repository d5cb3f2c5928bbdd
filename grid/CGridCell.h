// The concrete cell the grid creates for each position.
//
// Kept small: a grid of 400,000 cells holds one of these per cell. The own
// font and its description live out of line, made only for cells that have
// a font of their own.
#pragma once

#include <memory>

#include "CGridCellBase.h"
#include "strings.h"

class CGridCell : public CGridCellBase
{
public:
    CGridCell() = default;
    ~CGridCell() override;

    static CGridCellBase* CreateObject() { return new CGridCell; }

    void SetText(LPCWSTR text) override { m_strText = text ? text : L""; }
    void SetImage(int image) override { m_nImage = image; }
    void SetData(LPARAM data) override { m_lParam = data; }
    void SetFormat(DWORD format) override { m_nFormat = format; }
    void SetTextClr(COLORREF colour) override { m_crFgClr = colour; }
    void SetBackClr(COLORREF colour) override { m_crBkClr = colour; }
    void SetFont(const LOGFONTW* font) override;
    void SetMargin(UINT margin) override { m_nMargin = margin; }
    void SetMaxLength(UINT length) override { m_nMaxLength = length; }
    void SetGrid(CGridCtrl* grid) override { m_pGrid = grid; }
    void SetCoords(int, int) override {}

    LPCWSTR GetText() const override { return m_strText.GetString(); }
    int GetImage() const override { return m_nImage; }
    LPARAM GetData() const override { return m_lParam; }
    DWORD GetFormat() const override;
    COLORREF GetTextClr() const override;
    COLORREF GetBackClr() const override;
    LOGFONTW* GetFont() const override;
    CFont* GetFontObject() const override;
    CGridCtrl* GetGrid() const override { return m_pGrid; }
    CWnd* GetEditWnd() const override { return m_pEditWnd; }
    UINT GetMargin() const override;
    UINT GetMaxLength() const override { return m_nMaxLength; }

    BOOL IsDefaultFont() const override { return !HasOwnFont(); }
    BOOL IsEditing() const override { return m_bEditing; }

    void ResetCell() override;
    // Opens the in-place editor over rect, or types ch into the running one.
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT ch) override;
    void EndEdit() override;
    void OnEndEdit() override { m_bEditing = false; m_pEditWnd = nullptr; }

protected:
    bool HasOwnFont() const { return m_pFont && m_pFont->font.GetSafeHandle(); }

    struct FontData
    {
        CFont font;
        LOGFONTW lf = {};
    };

    bool m_bEditing = false;
    CString m_strText;
    LPARAM m_lParam = 0;
    int m_nImage = -1;
    DWORD m_nFormat = static_cast<DWORD>(-1);
    COLORREF m_crFgClr = CLR_DEFAULT;
    COLORREF m_crBkClr = CLR_DEFAULT;
    std::unique_ptr<FontData> m_pFont;  // own font and its description cache
    int m_nMargin = -1;
    UINT m_nMaxLength = 0;
    CGridCtrl* m_pGrid = nullptr;
    CWnd* m_pEditWnd = nullptr;  // the running editor
};
