#include "CGridCellBase.h"

#include <algorithm>
#include <cstdlib>

#include "CGridCtrl.h"
#include "CGridDefaultCell.h"

namespace {

// Fills a rectangle with a solid brush made for the call; a brush that
// cannot be made leaves the area unfilled.
void FillWith(CDC* dc, const CRect& rect, COLORREF colour)
{
    CBrush brush;
    if (brush.CreateSolidBrush(colour))
        dc->FillRect(rect, &brush);
}

bool IsTurned(const LOGFONTW* lf)
{
    return lf && (lf->lfEscapement == 900 || lf->lfEscapement == -900);
}

} // namespace

CGridCellBase* CGridCellBase::GetDefaultCell() const
{
    CGridCtrl* grid = GetGrid();
    if (!grid)
        return nullptr;
    DWORD state = GetState();
    return grid->PickDefaultCell((state & GRIDCELL_FIXEDROW) != 0, (state & GRIDCELL_FIXEDCOL) != 0);
}

void CGridCellBase::CopyFrom(const CGridCellBase& source)
{
    if (&source == this)
        return;
    SetGrid(source.GetGrid());
    SetText(source.GetText());
    SetImage(source.GetImage());
    SetData(source.GetData());
    SetState(source.GetState());
    SetFormat(source.GetFormat());
    SetTextClr(source.GetTextClr());
    SetBackClr(source.GetBackClr());
    SetFont(source.IsDefaultFont() ? nullptr : source.GetFont());
    SetMargin(source.GetMargin());
    SetMaxLength(source.GetMaxLength());
    SetMergeOwner(source.GetMergeOwner());
    SetMergeRange(source.GetMergeRange());
    SetMerged(!source.IsUnmerged());
}

void CGridCellBase::DropMergeIfUnset()
{
    const MergeFields* merge = MergeData();
    if (merge && !merge->merged && !merge->hasOwner && merge->owner == CCellID() && merge->range == CCellRange())
        DropMergeData();
}

void CGridCellBase::SetMergeOwner(CCellID owner)
{
    MergeFields& merge = MakeMergeData();
    merge.owner = owner;
    merge.hasOwner = owner.row != -1;
    DropMergeIfUnset();
}

void CGridCellBase::SetMergeRange(const CCellRange& range)
{
    MakeMergeData().range = range;
    DropMergeIfUnset();
}

void CGridCellBase::SetMerged(bool merged)
{
    MakeMergeData().merged = merged;
    DropMergeIfUnset();
}

BOOL CGridCellBase::OnSetCursor()
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    return TRUE;
}


// A raised header edge, light top-left and dark bottom-right, inside rect,
// which then shrinks by the edge.
static void DrawRaisedEdge(CDC* dc, CRect& rect)
{
    CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_3DHIGHLIGHT));
    CPen dark(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
    HGDIOBJ old = dc->SelectObject(&light);
    dc->MoveTo(rect.right, rect.top);
    dc->LineTo(rect.left, rect.top);
    dc->LineTo(rect.left, rect.bottom);
    dc->SelectObject(&dark);
    dc->MoveTo(rect.right, rect.top);
    dc->LineTo(rect.right, rect.bottom);
    dc->LineTo(rect.left, rect.bottom);
    dc->SelectObject(old);
    rect.DeflateRect(1, 1);
}

// ---- Drawing -------------------------------------------------

BOOL CGridCellBase::Draw(CDC* dc, int nRow, int nCol, CRect rect, BOOL eraseBkgnd)
{
    if (IsHiddenByMerge())
        return TRUE;
    CGridCtrl* grid = GetGrid();
    if (!grid || !dc || !dc->m_hDC || rect.Width() <= 0 || rect.Height() <= 0)
        return FALSE;
    CGridCellBase* def = GetDefaultCell();
    if (!def)
        return FALSE;

    int saved = dc->SaveDC();
    dc->SetBkMode(TRANSPARENT);

    COLORREF textClr = GetTextClr();
    if (textClr == CLR_DEFAULT)
        textClr = def->GetTextClr();
    COLORREF backClr = GetBackClr();
    if (backClr != CLR_DEFAULT)
        eraseBkgnd = TRUE;
    else
        backClr = def->GetBackClr();

    const DWORD state = GetState();
    const int lines = grid->GetGridLines();
    if (state & (GRIDCELL_FOCUSED | GRIDCELL_DROPHILITED)) {
        if (state & GRIDCELL_SELECTED) {
            backClr = ::GetSysColor(COLOR_HIGHLIGHT);
            textClr = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
            eraseBkgnd = TRUE;
        }
        rect.right++;
        rect.bottom++;
        if (eraseBkgnd)
            FillWith(dc, rect, backClr);
        if (lines != GRIDLINES_NONE) {
            rect.right--;
            rect.bottom--;
        }
        if (grid->GetFrameFocusCell()) {
            CBrush frame;
            if (frame.CreateSolidBrush(textClr))
                dc->FrameRect(rect, &frame);
        }
        if (lines == GRIDLINES_NONE) {
            rect.right--;
            rect.bottom--;
        }
        dc->SetTextColor(textClr);
    } else if (state & GRIDCELL_SELECTED) {
        rect.right++;
        rect.bottom++;
        FillWith(dc, rect, ::GetSysColor(COLOR_HIGHLIGHT));
        rect.right--;
        rect.bottom--;
        dc->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        if (eraseBkgnd) {
            rect.right++;
            rect.bottom++;
            FillWith(dc, rect, backClr);
            rect.right--;
            rect.bottom--;
        }
        dc->SetTextColor(textClr);
    }

    // Header cells: sunken in the focus cell's row and column, else raised.
    if ((state & GRIDCELL_FIXED) && lines != GRIDLINES_NONE) {
        CCellID focus = grid->GetFocusCell();
        if (grid->GetMarkFocusHeaders() && grid->IsValid(focus) && (focus.row == nRow || focus.col == nCol)) {
            rect.right++;
            rect.bottom++;
            dc->DrawEdge(rect, BDR_SUNKENINNER, BF_RECT);
            rect.DeflateRect(1, 1);
        } else {
            DrawRaisedEdge(dc, rect);
        }
    }

    if (!dc->IsPrinting()) {
        CFont* font = GetFontObject();
        if (font && font->GetSafeHandle())
            dc->SelectObject(font);
    }

    const int margin = static_cast<int>(GetMargin());
    rect.DeflateRect(margin, margin);
    rect.right++;
    rect.bottom++;

    CImageList* images = grid->GetImageList();
    IMAGEINFO info;
    if (images && GetImage() >= 0 && images->GetImageInfo(GetImage(), &info)) {
        int w = info.rcImage.right - info.rcImage.left;
        int h = info.rcImage.bottom - info.rcImage.top;
        if (rect.left + w <= rect.right && rect.top + h <= rect.bottom)
            images->Draw(dc, GetImage(), rect.TopLeft(), ILD_NORMAL);
    }

    const LOGFONTW* lf = GetFont();
    const bool turned = lf && lf->lfEscapement == 900;

    // The sort arrow in row 0 of the sort column.
    if (nRow == 0 && nCol == grid->GetSortColumn()) {
        CSize m = dc->GetTextExtent(L"M", 1);
        int n = m.cy - 4;
        if (n >= rect.Height())
            n = rect.Height() - 4;
        if (rect.left + n < rect.right) {
            int t = rect.bottom - n - 2;
            int x = turned ? (rect.right + rect.left - n) / 2 : rect.right - n;
            CPen light(PS_SOLID, 0, ::GetSysColor(COLOR_3DHIGHLIGHT));
            CPen shadow(PS_SOLID, 0, ::GetSysColor(COLOR_3DSHADOW));
            HGDIOBJ old = dc->SelectObject(&light);
            if (grid->GetSortAscending()) {
                dc->MoveTo(x + 1, t + n + 1);
                dc->LineTo(x + n / 2 + 1, t + 1);
                dc->LineTo(x + n + 1, t + n + 1);
                dc->LineTo(x + 1, t + n + 1);
                dc->SelectObject(&shadow);
                dc->MoveTo(x, t + n);
                dc->LineTo(x + n / 2, t);
                dc->LineTo(x + n, t + n);
                dc->LineTo(x, t + n);
            } else {
                dc->MoveTo(x + 1, t + 1);
                dc->LineTo(x + n / 2 + 1, t + n + 1);
                dc->LineTo(x + n + 1, t + 1);
                dc->LineTo(x + 1, t + 1);
                dc->SelectObject(&shadow);
                dc->MoveTo(x, t);
                dc->LineTo(x + n / 2, t + n);
                dc->LineTo(x + n, t);
                dc->LineTo(x, t);
            }
            dc->SelectObject(old);
            if (!turned)
                rect.right -= n;
        }
    }

    GetTextRect(rect);
    rect.right++;
    rect.bottom++;
    // A cell that fits its text to the room draws it in a font made for
    // this call (released after the DC is restored).
    CFont fitted;
    LOGFONTW fittedFont;
    if (!dc->IsPrinting() && FitFont(dc, rect, fittedFont) && fitted.CreateFontIndirect(&fittedFont))
        dc->SelectObject(&fitted);
    DWORD format = GetFormat();
    if (turned && (format & DT_RIGHT)) {
        // Turned text runs upwards from its origin: start one text height
        // from the right edge (the height's size, whatever its sign).
        rect.left = rect.right - std::abs(lf->lfHeight);
        format &= ~static_cast<DWORD>(DT_RIGHT);
    }
    dc->DrawText(GetText(), -1, rect, format | DT_NOPREFIX);

    dc->RestoreDC(saved);
    return TRUE;
}

BOOL CGridCellBase::GetTextRect(LPRECT rect)
{
    CGridCtrl* grid = GetGrid();
    CImageList* images = grid ? grid->GetImageList() : nullptr;
    IMAGEINFO info;
    if (GetImage() >= 0 && images && images->GetImageInfo(GetImage(), &info))
        rect->left += (info.rcImage.right - info.rcImage.left) + 1 + static_cast<int>(GetMargin());
    return TRUE;
}

CSize CGridCellBase::GetTextExtent(LPCWSTR text, CDC* dc, int wrapWidth)
{
    CGridCtrl* grid = GetGrid();
    CClientDC* borrowed = nullptr;
    if (!dc && text && grid && grid->GetSafeHwnd()) {
        borrowed = new CClientDC(grid);
        dc = borrowed->m_hDC ? borrowed : nullptr;
    }

    CSize size;
    auto* def = static_cast<CGridDefaultCell*>(GetDefaultCell());
    if (!dc || !text) {
        if (def)
            size = CSize(def->GetWidth(), def->GetHeight());
        delete borrowed;
        return size;
    }

    HGDIOBJ oldFont = nullptr;
    CFont* font = GetFontObject();
    if (font && font->GetSafeHandle())
        oldFont = dc->SelectObject(font);

    const DWORD format = GetFormat();
    if ((format & (DT_WORDBREAK | DT_SINGLELINE)) == DT_WORDBREAK) {
        // The widest line sets the width DrawText wraps to.
        int widest = 0;
        const wchar_t* line = text;
        while (true) {
            const wchar_t* end = line;
            while (*end && *end != L'\n')
                ++end;
            CSize piece = dc->GetTextExtent(line, static_cast<int>(end - line));
            if (piece.cx > widest)
                widest = piece.cx;
            if (!*end)
                break;
            line = end + 1;
        }
        // Narrower room wraps the text into more lines.
        CRect calc(0, 0, wrapWidth > 0 && wrapWidth < widest + 1 ? wrapWidth : widest + 1, 0);
        dc->DrawText(text, -1, calc, format | DT_CALCRECT);
        size = CSize(calc.Width(), calc.Height());
    } else {
        size = dc->GetTextExtent(text, lstrlenW(text));
    }
    // An empty text is one line high, as any one-line text: auto-sizing
    // never shrinks a row of empty cells to its margins.
    if (!*text)
        size = CSize(0, dc->GetTextExtent(L" ", 1).cy);

    if (oldFont)
        dc->SelectObject(oldFont);
    const int margin = static_cast<int>(GetMargin());
    size.cx += 2 * margin;
    size.cy += 2 * margin;

    if (IsTurned(GetFont()))
        size = CSize(size.cy, size.cx + 4 * margin);
    delete borrowed;
    return size;
}

CSize CGridCellBase::GetCellExtent(CDC* dc, int width)
{
    return GetExtentFor(GetText(), dc, width);
}

CSize CGridCellBase::GetExtentFor(LPCWSTR text, CDC* dc, int width)
{
    const int margin = static_cast<int>(GetMargin());
    const int frame = IsFixed() ? 2 : 1;  // the line, and a header's edge
    CGridCtrl* grid = GetGrid();
    CImageList* images = grid ? grid->GetImageList() : nullptr;
    IMAGEINFO info;
    const bool image = GetImage() >= 0 && images && images->GetImageInfo(GetImage(), &info);
    const int imageWidth = image ? (info.rcImage.right - info.rcImage.left) + margin : 0;
    // The room the text wraps in is what the width leaves beside the margins and the image.
    const int wrapWidth = width > 0 ? std::max(1, width - frame - imageWidth - 2 * margin) : 0;
    const CSize extent = GetTextExtent(text, dc, wrapWidth);
    CSize picture(0, 0);
    if (image) {
        picture.cy = (info.rcImage.bottom - info.rcImage.top) + 2 * margin;
        picture.cx = extent.cx > 2 * margin ? imageWidth : 0;
    }
    return CSize(extent.cx + picture.cx + frame, std::max(extent.cy, picture.cy) + frame);
}

// ---- Printing --------------------------------------------------

BOOL CGridCellBase::PrintCell(CDC* dc, int /*nRow*/, int /*nCol*/, CRect rect)
{
    if (IsHiddenByMerge())
        return TRUE;
    CGridCtrl* grid = GetGrid();
    if (!grid || !dc || !dc->m_hDC || rect.IsRectEmpty())
        return FALSE;

    int saved = dc->SaveDC();
    dc->SetBkMode(TRANSPARENT);

    rect.InflateRect(1, 1);
    dc->Rectangle(rect);
    rect.DeflateRect(1, 1);

    COLORREF textClr = RGB(0, 0, 0);
    if (grid->GetPrintColour()) {
        CGridCellBase* def = GetDefaultCell();
        if (!def) {
            dc->RestoreDC(saved);
            return FALSE;
        }
        bool hasBack = false;
        COLORREF back = GetBackClr();
        if (IsFixed()) {
            if (back == CLR_DEFAULT)
                back = def->GetBackClr();
            hasBack = true;
        } else {
            hasBack = back != CLR_DEFAULT && back != def->GetBackClr();
        }
        // The text colour comes from the text colour, never from the back colour's test.
        textClr = GetTextClr();
        if (textClr == CLR_DEFAULT)
            textClr = def->GetTextClr();
        if (dc->GetDeviceCaps(NUMCOLORS) == 2 && !hasBack)
            textClr = RGB(static_cast<int>(GetRValue(textClr) * 0.30), static_cast<int>(GetGValue(textClr) * 0.59),
                          static_cast<int>(GetBValue(textClr) * 0.11));
        if (hasBack) {
            FillWith(dc, rect, back);
            rect.right--;
            rect.bottom--;
        }
    }
    dc->SetTextColor(textClr);
    CFont* font = GetFontObject();
    if (font && font->GetSafeHandle())
        dc->SelectObject(font);

    if (IsFixed() && grid->GetGridLines() != GRIDLINES_NONE) {
        DrawRaisedEdge(dc, rect);
    }

    const int margin = static_cast<int>(GetMargin());
    rect.DeflateRect(margin, 0);
    CImageList* images = grid->GetImageList();
    IMAGEINFO info;
    if (GetImage() >= 0 && images && images->GetImageInfo(GetImage(), &info)) {
        images->Draw(dc, GetImage(), rect.TopLeft(), ILD_NORMAL);
        rect.left += (info.rcImage.right - info.rcImage.left) + margin;
    }
    dc->DrawText(GetText(), -1, rect, GetFormat() | DT_NOPREFIX);
    dc->RestoreDC(saved);
    return TRUE;
}
