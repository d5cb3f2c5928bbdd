// The concrete cell the grid creates for each position.
//
// Kept small: a grid of 400,000 cells holds one of these per cell. What few
// cells set (data, image, margin, own font, the running editor, merged-block
// fields) lives out of line, made on first use. A short text is kept in the
// cell itself, and format, colours and length limit, which the record grid
// sets on every cell, as the id of a look the cells share, in one word with
// the grid's eight state bits. One word holds the grid, or the out-of-line
// record, which then holds the grid.
#pragma once

#include <cstdint>
#include <memory>

#include "CCellLooks.h"
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
    // Keeps the grid's state bits (GRIDCELL_*), no others.
    void SetState(DWORD state) override { m_lookAndState = (m_lookAndState & ~kStateBits) | (state & kStateBits); }
    void SetFormat(DWORD format) override { SetLook(&CCellLooks::Look::format, format); }
    void SetTextClr(COLORREF colour) override { SetLook(&CCellLooks::Look::textClr, colour); }
    void SetBackClr(COLORREF colour) override { SetLook(&CCellLooks::Look::backClr, colour); }
    void SetFont(const LOGFONTW* font) override;
    void SetMargin(UINT margin) override;
    void SetMaxLength(UINT length) override { SetLook(&CCellLooks::Look::maxLength, length); }
    void SetGrid(CGridCtrl* grid) override;
    void SetCoords(int, int) override {}

    LPCWSTR GetText() const override { return m_text.Get(); }
    int GetImage() const override { return HasMore() ? MoreRecord()->image : -1; }
    LPARAM GetData() const override { return HasMore() ? MoreRecord()->data : 0; }
    DWORD GetState() const override { return m_lookAndState & kStateBits; }
    DWORD GetFormat() const override;
    COLORREF GetTextClr() const override;
    COLORREF GetBackClr() const override;
    LOGFONTW* GetFont() const override;
    CFont* GetFontObject() const override;
    CGridCtrl* GetGrid() const override { return HasMore() ? MoreRecord()->grid : LinkedGrid(); }
    CWnd* GetEditWnd() const override { return HasMore() ? MoreRecord()->editor : nullptr; }
    UINT GetMargin() const override;
    UINT GetMaxLength() const override { return Look().maxLength; }

    BOOL IsDefaultFont() const override { return !HasOwnFont(); }
    BOOL IsEditing() const override { return HasMore() && MoreRecord()->editing; }

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
    DWORD OwnFormat() const { return Look().format; }
    COLORREF OwnTextClr() const { return Look().textClr; }
    COLORREF OwnBackClr() const { return Look().backClr; }
    int OwnMargin() const { return HasMore() ? MoreRecord()->margin : -1; }
    FontData* OwnFontData() const { return HasMore() ? MoreRecord()->font.get() : nullptr; }
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

    // The link's lowest bit tells which it holds (both are aligned).
    bool HasMore() const { return (m_link & kMoreBit) != 0; }
    More* MoreRecord() const { return reinterpret_cast<More*>(m_link & ~kMoreBit); }
    CGridCtrl* LinkedGrid() const { return reinterpret_cast<CGridCtrl*>(m_link); }
    void LinkGrid(CGridCtrl* grid) { m_link = reinterpret_cast<std::uintptr_t>(grid); }

    const CCellLooks::Look& Look() const { return CCellLooks::Get(m_lookAndState >> kLookShift); }
    template <typename T> void SetLook(T CCellLooks::Look::*value, T to)
    {
        if (Look().*value == to)
            return;
        CCellLooks::Look look = Look();
        look.*value = to;
        m_lookAndState = (CCellLooks::Of(look) << kLookShift) | (m_lookAndState & kStateBits);
    }

    static constexpr std::uintptr_t kMoreBit = 1;
    static constexpr std::uint32_t kStateBits = 0xFF;
    static constexpr int kLookShift = 8;

    // 40 bytes in the 64-bit build, 32 in the 32-bit one.
    CCellText m_text;
    std::uint32_t m_lookAndState = CCellLooks::kUnset << kLookShift;  // the look's id above the state bits
    std::uintptr_t m_link = 0;  // the grid, or the owned record with kMoreBit
};
