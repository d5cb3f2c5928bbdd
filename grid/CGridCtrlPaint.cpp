// CGridCtrl: painting.
#include "CGridCtrl.h"

#include <algorithm>

#include "C_MemDC.h"

void CGridCtrl::OnPaint()
{
    CPaintDC dc(this);
    if (m_bDoubleBuffer) {
        C_MemDC mem(&dc);
        OnDraw(&mem);
    } else {
        OnDraw(&dc);
    }
}

LRESULT CGridCtrl::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC dc;
    if (!dc.Attach(reinterpret_cast<HDC>(wParam)))
        return 0;
    // The context covers the whole window: draw inside the client area only.
    int saved = dc.SaveDC();
    CRect client;
    GetClientRect(client);
    dc.IntersectClipRect(client);
    OnDraw(&dc);
    dc.RestoreDC(saved);
    dc.Detach();
    return 0;
}

BOOL CGridCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;  // OnDraw fills the background itself
}

void CGridCtrl::EraseBkgnd(CDC* dc)
{
    CRect clip;
    if (dc->GetClipBox(&clip) == ERROR || clip.IsRectEmpty())
        return;
    CBrush corner(m_cellFixedRowColDef.GetBackClr());
    CBrush fixedRow(m_cellFixedRowDef.GetBackClr());
    CBrush fixedCol(m_cellFixedColDef.GetBackClr());
    CBrush normal(m_cellDefault.GetBackClr());
    CBrush background(m_crGridBkColour);

    CRect extent;
    GetVisibleNonFixedCellRange(extent);
    const int w = GetFixedColumnsWidth();
    const int h = GetFixedRowsHeight();

    if (clip.left < w && clip.top < h)
        dc->FillRect(CRect(clip.left, clip.top, w, h), &corner);
    if (clip.left < w && clip.top < extent.bottom)
        dc->FillRect(CRect(clip.left, clip.top, w, extent.bottom), &fixedCol);
    if (clip.top < h && clip.right > w && clip.left < extent.right)
        dc->FillRect(CRect(w - 1, clip.top, extent.right, h), &fixedRow);
    CRect cells(std::max<int>(clip.left, w), std::max<int>(clip.top, h), std::min<int>(clip.right, extent.right),
                std::min<int>(clip.bottom, extent.bottom));
    if (!cells.IsRectEmpty())
        dc->FillRect(cells, &normal);
    if (extent.right < clip.right)
        dc->FillRect(CRect(extent.right, clip.top, clip.right, clip.bottom), &background);
    if (extent.bottom < clip.bottom && clip.left < extent.right)
        dc->FillRect(CRect(clip.left, extent.bottom, extent.right, clip.bottom), &background);
}

void CGridCtrl::OnDraw(CDC* dc)
{
    if (!m_bAllowDraw || !dc)
        return;
    CRect clip;
    if (dc->GetClipBox(&clip) == ERROR || clip.IsRectEmpty())
        return;
    EraseBkgnd(dc);

    const int fixedH = GetFixedRowsHeight();
    const int fixedW = GetFixedColumnsWidth();
    const CCellID tl = GetTopLeftNonFixedCell();
    const CCellRange vis = GetVisibleNonFixedCellRange();
    if (m_bVirtualMode)
        NotifyCacheHint(vis);

    CPen pen(PS_SOLID, 0, m_crGridLineColour);
    HGDIOBJ oldPen = dc->SelectObject(&pen);
    std::vector<CCellID> blocks;  // each merged block is drawn once per paint

    // Scrolled cells with grid lines, then the headers, which draw their own
    // edges and cover whatever a block drew under them.
    DrawCellRun(dc, clip, tl.row, vis.m_nMaxRow, fixedH, tl.col, vis.m_nMaxCol, fixedW, true, blocks);
    DrawCellRun(dc, clip, tl.row, vis.m_nMaxRow, fixedH, 0, m_nFixedCols - 1, 0, false, blocks);
    DrawCellRun(dc, clip, 0, m_nFixedRows - 1, 0, tl.col, vis.m_nMaxCol, fixedW, false, blocks);
    DrawCellRun(dc, clip, 0, m_nFixedRows - 1, 0, 0, m_nFixedCols - 1, 0, false, blocks);

    if (m_bVirtualMode)
        NotifyCacheHint(CCellRange());
    dc->SelectObject(oldPen);
}

void CGridCtrl::DrawCellRun(CDC* dc, const CRect& clip, int row0, int row1, int y0, int col0, int col1, int x0,
                            bool lines, std::vector<CCellID>& blocks)
{
    if (row0 < 0 || col0 < 0)
        return;
    int y = y0;
    for (int r = row0; r <= row1 && r < m_nRows; ++r) {
        const int h = GetRowHeight(r);
        if (h <= 0)
            continue;
        CRect rect;
        rect.top = y;
        rect.bottom = y + h - 1;
        y += h;
        if (rect.top > clip.bottom)
            break;
        if (rect.bottom < clip.top)
            continue;
        int x = x0;
        for (int c = col0; c <= col1 && c < m_nCols; ++c) {
            const int w = GetColumnWidth(c);
            if (w <= 0)
                continue;
            rect.left = x;
            rect.right = x + w - 1;
            x += w;
            if (rect.left > clip.right)
                break;
            if (rect.right < clip.left)
                continue;
            DrawOneCell(dc, r, c, rect, lines, blocks);
        }
    }
}

void CGridCtrl::DrawOneCell(CDC* dc, int nRow, int nCol, CRect rect, bool lines, std::vector<CCellID>& blocks)
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell)
        return;
    const bool vert = m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT;
    const bool horz = m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ;

    CCellID owner = GetMergeOwnerCell(nRow, nCol);
    CCellRange block = GetOwnedBlock(owner.row, owner.col);
    if (!block.IsValid() || block.Count() <= 1) {
        if (cell->IsHiddenByMerge())
            return;  // a stale member of a block that is gone
        cell->SetCoords(nRow, nCol);
        cell->Draw(dc, nRow, nCol, rect, FALSE);
        if (lines && vert) {
            dc->MoveTo(rect.right, rect.top);
            dc->LineTo(rect.right, rect.bottom);
        }
        if (lines && horz) {
            dc->MoveTo(rect.left, rect.bottom);
            dc->LineTo(rect.right, rect.bottom);
        }
        return;
    }

    // A merged block: its owner draws over the whole block, also when only a
    // covered cell is in view; once per paint.
    if (std::find(blocks.begin(), blocks.end(), owner) != blocks.end())
        return;
    blocks.push_back(owner);
    CGridCellBase* ownerCell = owner == CCellID(nRow, nCol) ? cell : GetCell(owner.row, owner.col);
    CRect blockRect;
    if (!ownerCell || !GetCellRangeRect(block, blockRect))
        return;
    blockRect.right--;
    blockRect.bottom--;
    ownerCell->SetCoords(owner.row, owner.col);
    ownerCell->Draw(dc, owner.row, owner.col, blockRect, TRUE);
    if (lines && vert) {
        dc->MoveTo(blockRect.right + 1, blockRect.top);
        dc->LineTo(blockRect.right + 1, blockRect.bottom + 1);
    }
    if (lines && horz) {
        dc->MoveTo(blockRect.left, blockRect.bottom + 1);
        dc->LineTo(blockRect.right + 1, blockRect.bottom + 1);
    }
}

BOOL CGridCtrl::RedrawCell(int nRow, int nCol, CDC* dc)
{
    if (!m_bAllowDraw || !::IsWindow(m_hWnd))
        return FALSE;
    // A covered cell is redrawn through its block's owner. An owner
    // scrolled out of view cannot draw its block in place: the part of the
    // block still in view is repainted through an invalidation.
    const CCellID owner = GetMergeOwnerCell(nRow, nCol);
    if (!IsCellVisible(owner))
        return InvalidateCell(owner.row, owner.col);
    nRow = owner.row;
    nCol = owner.col;
    CRect rect;
    if (!GetCellRect(nRow, nCol, rect))
        return FALSE;

    CClientDC* own = nullptr;
    if (!dc) {
        own = new CClientDC(this);
        if (!own->m_hDC) {
            delete own;
            rect.right++;
            rect.bottom++;
            InvalidateRect(rect, TRUE);
            return TRUE;
        }
        dc = own;
    }

    BOOL result = TRUE;
    if (CGridCellBase* cell = GetCell(nRow, nCol)) {
        cell->SetCoords(nRow, nCol);
        result = cell->Draw(dc, nRow, nCol, rect, TRUE);
    }
    if (!IsCellFixed(nRow, nCol)) {
        CPen pen(PS_SOLID, 0, m_crGridLineColour);
        HGDIOBJ old = dc->SelectObject(&pen);
        if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_HORZ) {
            dc->MoveTo(rect.left, rect.bottom);
            dc->LineTo(rect.right + 1, rect.bottom);
        }
        if (m_nGridLines == GRIDLINES_BOTH || m_nGridLines == GRIDLINES_VERT) {
            dc->MoveTo(rect.right, rect.top);
            dc->LineTo(rect.right, rect.bottom + 1);
        }
        dc->SelectObject(old);
    }
    delete own;
    return result;
}
