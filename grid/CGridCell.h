// The concrete cell the grid creates for each position.
//
// Kept small: a grid of 400,000 cells holds one of these per cell. What few
// cells set (data, image, margin, own font, the running editor) lives out of
// line, made on first use; text, format, colours and the length limit, which
// the record grid sets on every cell, stay inline.
#pragma once

#include <memory>

#include "CCellText.h"
#include "CGridCellBase.h"
#include "strings.h"

class CGridCell : public CGridCellBase
{
public:
    CGridCell() = default;
    ~CGridCell() override;

    static CGridCellBase* CreateObject() { return new CGridCell; }

    // Cells of this size come from one pool of equal blocks (no heap call
    // and no heap header per cell); other sizes, such as classes derived
    // with fields of their own, from the heap.
    static void* operator new(size_t size);
    static void operator delete(void* block, size_t size);

    void SetText(LPCWSTR text) override { m_text.Assign(text); }
    void SetImage(int image) override;
    void SetData(LPARAM data) override;
    void SetFormat(DWORD format) override { m_nFormat = format; }
    void SetTextClr(COLORREF colour) override { m_crFgClr = colour; }
    void SetBackClr(COLORREF colour) override { m_crBkClr = colour; }
    void SetFont(const LOGFONTW* font) override;
    void SetMargin(UINT margin) override;
    void SetMaxLength(UINT length) override { m_nMaxLength = length; }
    void SetGrid(CGridCtrl* grid) override { m_pGrid = grid; }
    void SetCoords(int, int) override {}

    LPCWSTR GetText() const override { return m_text.Get(); }
    int GetImage() const override { return m_pMore ? m_pMore->image : -1; }
    LPARAM GetData() const override { return m_pMore ? m_pMore->data : 0; }
    DWORD GetFormat() const override;
    COLORREF GetTextClr() const override;
    COLORREF GetBackClr() const override;
    LOGFONTW* GetFont() const override;
    CFont* GetFontObject() const override;
    CGridCtrl* GetGrid() const override { return m_pGrid; }
    CWnd* GetEditWnd() const override { return m_pMore ? m_pMore->editor : nullptr; }
    UINT GetMargin() const override;
    UINT GetMaxLength() const override { return m_nMaxLength; }

    BOOL IsDefaultFont() const override { return !HasOwnFont(); }
    BOOL IsEditing() const override { return m_pMore && m_pMore->editing; }

    void ResetCell() override;
    // Opens the in-place editor over rect, or types ch into the running one.
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT ch) override;
    void EndEdit() override;
    void OnEndEdit() override;

protected:
    struct FontData
    {
        CFont font;
        LOGFONTW lf = {};
    };

    // The cell's own values as stored, unset ones included (for the default
    // cell, which resolves them itself).
    DWORD OwnFormat() const { return m_nFormat; }
    COLORREF OwnTextClr() const { return m_crFgClr; }
    COLORREF OwnBackClr() const { return m_crBkClr; }
    int OwnMargin() const { return m_pMore ? m_pMore->margin : -1; }
    FontData* OwnFontData() const { return m_pMore ? m_pMore->font.get() : nullptr; }
    // The own font's record, made on first use.
    FontData& MakeFontData();
    bool HasOwnFont() const
    {
        FontData* font = OwnFontData();
        return font && font->font.GetSafeHandle();
    }

private:
    struct More
    {
        LPARAM data = 0;
        int image = -1;
        int margin = -1;
        bool editing = false;
        CWnd* editor = nullptr;  // the running editor
        std::unique_ptr<FontData> font;  // own font and its description cache
    };
    More& MakeMore();

    CCellText m_text;
    DWORD m_nFormat = static_cast<DWORD>(-1);
    COLORREF m_crFgClr = CLR_DEFAULT;
    COLORREF m_crBkClr = CLR_DEFAULT;
    UINT m_nMaxLength = 0;
    CGridCtrl* m_pGrid = nullptr;
    std::unique_ptr<More> m_pMore;
};
