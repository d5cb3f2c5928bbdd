// The abstract cell the grid talks to, with the drawing,
// measuring and printing that every cell shares.
//
// It holds no fields: the concrete cell keeps every value, so that it can
// lay them out densely (a grid holds one cell per position).
#pragma once

#include "GridDefs.h"
#include "gdi.h"
#include "object.h"
#include "types.h"

class CGridCtrl;
class CWnd;

class CGridCellBase : public CObject
{
public:
    CGridCellBase() = default;
    ~CGridCellBase() override = default;

    // Setters.
    virtual void SetText(LPCWSTR text) = 0;
    virtual void SetImage(int image) = 0;
    virtual void SetData(LPARAM data) = 0;
    virtual void SetState(DWORD state) = 0;
    virtual void SetFormat(DWORD format) = 0;
    virtual void SetTextClr(COLORREF colour) = 0;
    virtual void SetBackClr(COLORREF colour) = 0;
    virtual void SetFont(const LOGFONTW* font) = 0;
    virtual void SetMargin(UINT margin) = 0;
    virtual void SetMaxLength(UINT length) = 0;
    virtual void SetGrid(CGridCtrl* grid) = 0;
    virtual void SetCoords(int row, int col) = 0;

    // Getters; unset values resolve through the default cell.
    virtual LPCWSTR GetText() const = 0;
    virtual LPCWSTR GetTipText() const { return GetText(); }
    virtual int GetImage() const = 0;
    virtual LPARAM GetData() const = 0;
    virtual DWORD GetState() const = 0;
    virtual DWORD GetFormat() const = 0;
    virtual COLORREF GetTextClr() const = 0;
    virtual COLORREF GetBackClr() const = 0;
    virtual LOGFONTW* GetFont() const = 0;
    virtual CFont* GetFontObject() const = 0;
    virtual CGridCtrl* GetGrid() const = 0;
    virtual CWnd* GetEditWnd() const = 0;
    virtual UINT GetMargin() const = 0;
    virtual UINT GetMaxLength() const = 0;
    // The grid's default cell for this cell's position; null without a grid.
    virtual CGridCellBase* GetDefaultCell() const;

    virtual BOOL IsDefaultFont() const = 0;
    virtual BOOL IsEditing() const = 0;
    // Each answers the state bit itself (0x40 for a fixed column), not 1.
    BOOL IsFocused() const { return GetState() & GRIDCELL_FOCUSED; }
    BOOL IsFixed() const { return GetState() & GRIDCELL_FIXED; }
    BOOL IsFixedCol() const { return GetState() & GRIDCELL_FIXEDCOL; }
    BOOL IsFixedRow() const { return GetState() & GRIDCELL_FIXEDROW; }
    BOOL IsSelected() const { return GetState() & GRIDCELL_SELECTED; }
    BOOL IsReadOnly() const { return GetState() & GRIDCELL_READONLY; }
    BOOL IsModified() const { return GetState() & GRIDCELL_MODIFIED; }
    BOOL IsDropHilited() const { return GetState() & GRIDCELL_DROPHILITED; }

    virtual void CopyFrom(const CGridCellBase& source);
    virtual void ResetCell() = 0;

    // Drawing, measuring and printing.
    virtual BOOL Draw(CDC* dc, int row, int col, CRect rect, BOOL eraseBkgnd = TRUE);
    virtual BOOL GetTextRect(LPRECT rect);
    virtual BOOL GetTipTextRect(LPRECT rect) { return GetTextRect(rect); }
    // A text that wraps is laid out in `wrapWidth` pixels when given, so
    // that its height counts every line it is drawn in; else at its widest line.
    virtual CSize GetTextExtent(LPCWSTR text, CDC* dc = nullptr, int wrapWidth = 0);
    // The cell's size; a text that wraps is laid out to fit `width` (the
    // width the cell is drawn in) when given.
    virtual CSize GetCellExtent(CDC* dc, int width = 0);
    // The size the cell would need to show `text`, measured as GetCellExtent
    // measures its own.
    CSize GetExtentFor(LPCWSTR text, CDC* dc, int width = 0);
    // The font the text is drawn in within textRect (the rectangle Draw
    // gives DrawText), when it is not the cell's own: a cell that fits its
    // text to the room fills `font` and answers TRUE. What measures the
    // text as it shows must measure in this font.
    virtual BOOL FitFont(CDC* /*dc*/, const CRect& /*textRect*/, LOGFONTW& /*font*/) const { return FALSE; }
    virtual BOOL PrintCell(CDC* dc, int row, int col, CRect rect);

    // Editing; the base cell starts no editor.
    virtual BOOL Edit(int /*row*/, int /*col*/, CRect /*rect*/, CPoint /*point*/, UINT /*id*/, UINT /*ch*/) { return FALSE; }
    virtual BOOL ValidateEdit(LPCWSTR /*text*/) { return TRUE; }
    virtual void EndEdit() {}
    virtual void OnEndEdit() {}

    // Mouse hooks, called by the grid's mouse handling.
    virtual void OnMouseEnter() {}
    virtual void OnMouseOver() {}
    virtual void OnMouseLeave() {}
    virtual void OnClick(CPoint) {}
    virtual void OnClickDown(CPoint) {}
    virtual void OnRClick(CPoint) {}
    virtual void OnDblClick(CPoint) {}
    virtual BOOL OnSetCursor();

    // Merged blocks.
    bool IsUnmerged() const { return !MergeData() || !MergeData()->merged; }
    CCellRange GetMergeRange() const { return MergeData() ? MergeData()->range : CCellRange(); }
    bool HasMergeOwner() const { return MergeData() && MergeData()->hasOwner; }
    CCellID GetMergeOwner() const { return MergeData() ? MergeData()->owner : CCellID(); }
    void SetMergeOwner(CCellID owner);
    // The top-left owner of a block: its range covers more than one cell.
    bool IsMergeOwner() const { return GetMergeRange().Count() > 1; }
    // Covered cells (and stale one-cell members) draw and print nothing.
    bool IsHiddenByMerge() const { return !IsUnmerged() && GetMergeRange().Count() <= 1; }
    // Written by the grid's merging only (they have no virtual setter);
    // CopyFrom copies them.
    void SetMergeRange(const CCellRange& range);
    void SetMerged(bool merged);

protected:
    // Few cells belong to a merged block: the concrete cell keeps the fields
    // out of line, made on the first merge and let go when they hold the
    // unmerged values again.
    struct MergeFields
    {
        CCellRange range;
        CCellID owner;
        bool hasOwner = false;
        bool merged = false;
    };
    // Null when the cell has none.
    virtual const MergeFields* MergeData() const = 0;
    virtual MergeFields& MakeMergeData() = 0;
    virtual void DropMergeData() = 0;

private:
    void DropMergeIfUnset();
};
