// The concrete cell the grid creates for each position.
//
// Kept small: a grid of 400,000 cells holds one of these per cell. What few
// cells set (data, image, margin, own font, the running editor, merged-block
// fields) lives out of line, made on first use; text, state, format, colours
// and the length limit, which the record grid sets on every cell, stay
// inline. One word holds the grid, or the out-of-line record, which then
// holds the grid.
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
    CGridCell(const CGridCell&) = delete;
    CGridCell& operator=(const CGridCell&) = delete;

    static CGridCellBase* CreateObject() { return new CGridCell; }

    // Cells of this size come from one pool of equal blocks (no heap call
    // and no heap header per cell); other sizes, such as classes derived
    // with fields of their own, from the heap.
    static void* operator new(size_t size);
    static void operator delete(void* block, size_t size);

    void SetText(LPCWSTR text) override { m_text.Assign(text); }
    void SetImage(int image) override;
    void SetData(LPARAM data) override;
    void SetState(DWORD state) override { m_nState = state; }
    void SetFormat(DWORD format) override { m_nFormat = format; }
    void SetTextClr(COLORREF colour) override { m_crFgClr = colour; }
    void SetBackClr(COLORREF colour) override { m_crBkClr = colour; }
    void SetFont(const LOGFONTW* font) override;
    void SetMargin(UINT margin) override;
    void SetMaxLength(UINT length) override { m_nMaxLength = length; }
    void SetGrid(CGridCtrl* grid) override;
    void SetCoords(int, int) override {}

    LPCWSTR GetText() const override { return m_text.Get(); }
    int GetImage() const override { return m_bHasMore ? m_link.more->image : -1; }
    LPARAM GetData() const override { return m_bHasMore ? m_link.more->data : 0; }
    DWORD GetState() const override { return m_nState; }
    DWORD GetFormat() const override;
    COLORREF GetTextClr() const override;
    COLORREF GetBackClr() const override;
    LOGFONTW* GetFont() const override;
    CFont* GetFontObject() const override;
    CGridCtrl* GetGrid() const override { return m_bHasMore ? m_link.more->grid : m_link.grid; }
    CWnd* GetEditWnd() const override { return m_bHasMore ? m_link.more->editor : nullptr; }
    UINT GetMargin() const override;
    UINT GetMaxLength() const override { return m_nMaxLength; }

    BOOL IsDefaultFont() const override { return !HasOwnFont(); }
    BOOL IsEditing() const override { return m_bHasMore && m_link.more->editing; }

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
    int OwnMargin() const { return m_bHasMore ? m_link.more->margin : -1; }
    FontData* OwnFontData() const { return m_bHasMore ? m_link.more->font.get() : nullptr; }
    // The own font's record, made on first use.
    FontData& MakeFontData();
    bool HasOwnFont() const
    {
        FontData* font = OwnFontData();
        return font && font->font.GetSafeHandle();
    }

    const MergeFields* MergeData() const override;
    MergeFields& MakeMergeData() override;
    void DropMergeData() override;

private:
    struct More
    {
        CGridCtrl* grid = nullptr;
        LPARAM data = 0;
        int image = -1;
        int margin = -1;
        bool editing = false;
        CWnd* editor = nullptr;  // the running editor
        std::unique_ptr<FontData> font;  // own font and its description cache
        std::unique_ptr<MergeFields> merge;
    };
    More& MakeMore();
    // Back to the grid alone, when nothing in the record is set any more.
    void DropMoreIfUnset() noexcept;
    void DropMore() noexcept;

    // Ordered so that no field needs padding before it: 48 bytes in the
    // 64-bit build, 36 in the 32-bit one.
    CCellText m_text;
    union Link {
        CGridCtrl* grid;
        More* more;  // owned, when m_bHasMore
    } m_link = {nullptr};
    DWORD m_nState = 0;
    DWORD m_nFormat = static_cast<DWORD>(-1);
    COLORREF m_crFgClr = CLR_DEFAULT;
    COLORREF m_crBkClr = CLR_DEFAULT;
    UINT m_nMaxLength = 0;
    bool m_bHasMore = false;
};
