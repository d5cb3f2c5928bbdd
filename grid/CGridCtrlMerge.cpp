// CGridCtrl: merged blocks.
//
// Ranges come from callers' data and go stale when the grid shrinks, so every
// walk here is clipped to the grid and skips missing cells. A block's owner
// is followed only while it still exists, still owns a block and that block
// still covers the cell.
#include "CGridCtrl.h"

CCellRange CGridCtrl::ClipToGrid(const CCellRange& range) const
{
    if (!range.IsValid() || m_nRows <= 0 || m_nCols <= 0)
        return CCellRange();
    CCellRange clipped = range.Intersect(CCellRange(0, 0, m_nRows - 1, m_nCols - 1));
    return clipped.IsValid() ? clipped : CCellRange();
}

CCellRange CGridCtrl::GetOwnedBlock(int nRow, int nCol) const
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell || !cell->IsMergeOwner())
        return CCellRange();
    CCellRange block = ClipToGrid(cell->GetMergeRange());
    // A block starts at its owner; anything else is stale.
    if (!block.IsValid() || block.m_nMinRow != nRow || block.m_nMinCol != nCol)
        return CCellRange();
    return block;
}

CCellID CGridCtrl::GetMergeOwnerCell(int nRow, int nCol) const
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell || !cell->HasMergeOwner())
        return CCellID(nRow, nCol);
    CCellID owner = cell->GetMergeOwner();
    if (!IsValid(owner) || owner == CCellID(nRow, nCol))
        return CCellID(nRow, nCol);
    CCellRange block = GetOwnedBlock(owner.row, owner.col);
    if (!block.IsValid() || !block.InRange(nRow, nCol))
        return CCellID(nRow, nCol);
    return owner;
}

int CGridCtrl::GetMergedWidth(int nRow, int nCol) const
{
    CCellID owner = GetMergeOwnerCell(nRow, nCol);
    CCellRange block = GetOwnedBlock(owner.row, owner.col);
    if (!block.IsValid() || block.Count() <= 1)
        return GetColumnWidth(nCol);
    int w = 0;
    for (int c = block.m_nMinCol; c <= block.m_nMaxCol; ++c)
        w += GetColumnWidth(c);
    return w;
}

int CGridCtrl::GetMergedHeight(int nRow, int nCol) const
{
    CCellID owner = GetMergeOwnerCell(nRow, nCol);
    CCellRange block = GetOwnedBlock(owner.row, owner.col);
    if (!block.IsValid() || block.Count() <= 1)
        return GetRowHeight(nRow);
    int h = 0;
    for (int r = block.m_nMinRow; r <= block.m_nMaxRow; ++r)
        h += GetRowHeight(r);
    return h;
}

void CGridCtrl::MergeCells(int minRow, int minCol, int maxRow, int maxCol)
{
    // Empty or reversed requests are refused; the rest is clipped to the grid.
    CCellRange work = ClipToGrid(CCellRange(minRow, minCol, maxRow, maxCol));
    if (!work.IsValid() || m_bVirtualMode)
        return;

    // Widen by every block the request touches, through its owner or through
    // a covered cell, until nothing more is added: blocks never overlap.
    for (bool grown = true; grown;) {
        grown = false;
        for (int r = work.m_nMinRow; r <= work.m_nMaxRow && !grown; ++r) {
            for (int c = work.m_nMinCol; c <= work.m_nMaxCol && !grown; ++c) {
                CCellID owner = GetMergeOwnerCell(r, c);
                CCellRange block = GetOwnedBlock(owner.row, owner.col);
                if (block.IsValid() && !work.Contains(block)) {
                    work = work.Union(block);
                    grown = true;
                }
            }
        }
    }
    if (work.Count() <= 1) {
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        return;
    }

    for (int r = work.m_nMinRow; r <= work.m_nMaxRow; ++r) {
        for (int c = work.m_nMinCol; c <= work.m_nMaxCol; ++c) {
            CGridCellBase* cell = GetCell(r, c);
            if (!cell)
                continue;
            cell->SetMerged(true);
            if (r == work.m_nMinRow && c == work.m_nMinCol) {
                cell->SetMergeRange(work);
                cell->SetMergeOwner(CCellID());
            } else {
                // A former owner inside the block stops owning its old one.
                cell->SetMergeRange(CCellRange());
                cell->SetMergeOwner(CCellID(work.m_nMinRow, work.m_nMinCol));
            }
        }
    }
    // A focus that fell on a covered cell moves to the owner.
    if (IsValid(m_idCurrentCell) && work.InRange(m_idCurrentCell) && m_idCurrentCell != work.GetTopLeft()) {
        CCellID focus = m_idCurrentCell;
        SetFocusCell(-1, -1);
        SetFocusCell(focus);
    }
    if (::IsWindow(m_hWnd))
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CGridCtrl::ClearMergeFields(int nRow, int nCol)
{
    if (CGridCellBase* cell = GetCell(nRow, nCol)) {
        cell->SetMerged(false);
        cell->SetMergeRange(CCellRange());
        cell->SetMergeOwner(CCellID());
    }
}

void CGridCtrl::UnmergeCells(int minRow, int minCol, int maxRow, int maxCol)
{
    CCellRange request = ClipToGrid(CCellRange(minRow, minCol, maxRow, maxCol));
    if (!request.IsValid() || m_bVirtualMode)
        return;
    for (int r = request.m_nMinRow; r <= request.m_nMaxRow; ++r) {
        for (int c = request.m_nMinCol; c <= request.m_nMaxCol; ++c) {
            // A covered cell dissolves its whole block, like its owner would:
            // no owner is left claiming cells that no longer belong to it.
            CCellID owner = GetMergeOwnerCell(r, c);
            CCellRange block = GetOwnedBlock(owner.row, owner.col);
            if (block.IsValid()) {
                for (int br = block.m_nMaxRow; br >= block.m_nMinRow; --br)
                    for (int bc = block.m_nMaxCol; bc >= block.m_nMinCol; --bc)
                        ClearMergeFields(br, bc);
            }
            ClearMergeFields(r, c);
        }
    }
    if (::IsWindow(m_hWnd))
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}
