// CGridCtrl: rows and columns.
#include "CGridCtrl.h"

#include <iterator>
#include <new>

namespace {

bool IsOutOfMemory(const std::bad_alloc&) { return true; }

} // namespace

CGridCellBase* CGridCtrl::CreateCell(int nRow, int nCol)
{
    if (!m_pfnCellFactory)
        return nullptr;
    CGridCellBase* cell = nullptr;
    try {
        cell = m_pfnCellFactory();
    } catch (const std::bad_alloc&) {
        return nullptr;
    } catch (CException* e) {
        e->Delete();
        return nullptr;
    }
    if (!cell)
        return nullptr;
    cell->SetGrid(this);
    cell->SetCoords(nRow, nCol);
    if (nCol < m_nFixedCols)
        cell->SetState(cell->GetState() | GRIDCELL_FIXED | GRIDCELL_FIXEDCOL);
    if (nRow < m_nFixedRows)
        cell->SetState(cell->GetState() | GRIDCELL_FIXED | GRIDCELL_FIXEDROW);
    if (CGridCellBase* def = cell->GetDefaultCell())
        cell->SetFormat(def->GetFormat());
    return cell;
}

void CGridCtrl::DestroyCell(int nRow, int nCol)
{
    // Takes the cell out of the selection before it goes.
    SetItemState(nRow, nCol, 0);
    CGridCellBase** slot = nullptr;
    if (StoredCellSlot(nRow, nCol, slot)) {
        delete *slot;
        *slot = nullptr;
    }
}

BOOL CGridCtrl::SetRowCount(int nRows)
{
    if (nRows < 0)
        return FALSE;
    if (nRows == m_nRows)
        return TRUE;
    DiscardCellEdit();
    BOOL ok = TRUE;
    m_idTopLeftCell = CCellID();
    if (nRows < m_nFixedRows)
        m_nFixedRows = nRows;
    if (m_idCurrentCell.row >= nRows)
        SetFocusCell(-1, -1);

    const int oldRows = m_nRows;
    if (nRows < oldRows) {
        if (!m_bVirtualMode) {
            for (int r = nRows; r < oldRows; ++r) {
                for (int c = 0; c < m_nCols; ++c)
                    DestroyCell(r, c);
            }
            m_RowData.resize(nRows);
        }
        m_nRows = nRows;
        m_arRowHeights.resize(nRows);
        if (m_bVirtualMode)
            m_arRowOrder.resize(nRows);
    } else {
        try {
            m_arRowHeights.resize(nRows, m_cellDefault.GetHeight());
            if (m_bVirtualMode) {
                m_nRows = nRows;
                m_arRowOrder.resize(nRows);
                for (int r = 0; r < nRows; ++r)
                    m_arRowOrder[r] = r;
            } else {
                m_RowData.reserve(nRows);
                const int storedCols = static_cast<int>(m_arColWidths.size());
                for (int r = oldRows; r < nRows; ++r) {
                    m_arRowHeights[r] = m_cellDefault.GetHeight();
                    m_RowData.emplace_back(storedCols, nullptr);
                    m_nRows = r + 1;  // counted one by one: a failure keeps the rows made
                    for (int c = 0; c < m_nCols; ++c) {
                        CGridCellBase** slot = nullptr;
                        if (StoredCellSlot(r, c, slot))
                            *slot = CreateCell(r, c);
                    }
                }
            }
        } catch (const std::bad_alloc& e) {
            ok = !IsOutOfMemory(e);
            // Every array covers the rows counted, no more and no fewer.
            if (!m_bVirtualMode)
                m_RowData.resize(m_nRows);
            m_arRowHeights.resize(m_nRows);
        }
    }
    PruneSelection();
    MarkModified(-1, -1);
    ResetScrollBars();
    if (::IsWindow(m_hWnd) && m_bAllowDraw)
        Invalidate(TRUE);
    return ok;
}

void CGridCtrl::PruneSelection()
{
    for (auto* set : {&m_SelectedCells, &m_PrevSelectedCells})
        for (auto it = set->begin(); it != set->end();)
            it = IsValid(KeyCell(*it)) ? std::next(it) : set->erase(it);
}

BOOL CGridCtrl::SetColumnCount(int nCols)
{
    if (nCols < 0)
        return FALSE;
    if (nCols == m_nCols)
        return TRUE;
    DiscardCellEdit();
    BOOL ok = TRUE;
    m_idTopLeftCell = CCellID();
    if (nCols < m_nFixedCols)
        m_nFixedCols = nCols;
    if (m_idCurrentCell.col >= nCols)
        SetFocusCell(-1, -1);

    const int oldCols = m_nCols;
    int newCount = nCols;
    if (nCols < oldCols) {
        if (!m_bVirtualMode) {
            for (int r = 0; r < m_nRows; ++r)
                for (int c = nCols; c < oldCols; ++c)
                    DestroyCell(r, c);
        }
    }
    // The column order is the identity again: stored and display columns agree.
    // Before resizing, move the cells into identity order.
    if (!m_bVirtualMode && !m_arColOrder.empty()) {
        bool identity = true;
        for (size_t i = 0; i < m_arColOrder.size(); ++i)
            identity = identity && m_arColOrder[i] == static_cast<int>(i);
        if (!identity) {
            std::vector<int> widths(m_arColOrder.size());
            for (size_t i = 0; i < m_arColOrder.size(); ++i)
                widths[i] = m_arColWidths[m_arColOrder[i]];
            for (auto& row : m_RowData) {
                std::vector<CGridCellBase*> moved(row.size(), nullptr);
                for (size_t i = 0; i < m_arColOrder.size() && i < row.size(); ++i)
                    moved[i] = row[m_arColOrder[i]];
                row.swap(moved);
            }
            m_arColWidths = widths;
        }
    }
    try {
        if (nCols < oldCols) {
            m_arColWidths.resize(nCols);
            for (auto& row : m_RowData)
                row.resize(nCols);
        } else {
            m_arColWidths.resize(nCols, m_cellFixedColDef.GetWidth());
            for (int c = oldCols; c < nCols; ++c)
                m_arColWidths[c] = m_cellFixedColDef.GetWidth();
            if (!m_bVirtualMode) {
                m_arColOrder.resize(nCols);
                for (int c = 0; c < nCols; ++c)
                    m_arColOrder[c] = c;
                m_nCols = nCols;  // so that CreateCell's slots are reachable
                for (int r = 0; r < m_nRows; ++r) {
                    m_RowData[r].resize(nCols, nullptr);
                    for (int c = oldCols; c < nCols; ++c)
                        m_RowData[r][c] = CreateCell(r, c);
                }
            }
        }
    } catch (const std::bad_alloc& e) {
        ok = !IsOutOfMemory(e);
        // Roll back to what every array holds, so no access runs past one.
        size_t held = m_arColWidths.size();
        for (auto& row : m_RowData)
            if (row.size() < held)
                held = row.size();
        for (int r = 0; r < m_nRows && r < static_cast<int>(m_RowData.size()); ++r)
            for (size_t c = held; c < m_RowData[r].size(); ++c) {
                delete m_RowData[r][c];
                m_RowData[r][c] = nullptr;
            }
        for (auto& row : m_RowData)
            row.resize(held);
        m_arColWidths.resize(held);
        newCount = static_cast<int>(held);
    }
    m_arColOrder.resize(newCount);
    for (int c = 0; c < newCount; ++c)
        m_arColOrder[c] = c;
    m_nCols = newCount;
    if (m_nFixedCols > m_nCols)
        m_nFixedCols = m_nCols;
    PruneSelection();
    MarkModified(-1, -1);
    ResetScrollBars();
    if (::IsWindow(m_hWnd) && m_bAllowDraw)
        Invalidate(TRUE);
    return ok;
}

void CGridCtrl::ApplyFixedRowState(int from, int to, bool fixed)
{
    for (int r = from; r < to; ++r) {
        for (int c = 0; c < m_nCols; ++c) {
            CGridCellBase* cell = GetCell(r, c);
            if (!cell)
                continue;
            if (fixed) {
                cell->SetState(cell->GetState() | GRIDCELL_FIXED | GRIDCELL_FIXEDROW);
                cell->SetTextClr(CLR_DEFAULT);
                cell->SetBackClr(CLR_DEFAULT);
            } else if (c < m_nFixedCols) {
                cell->SetState(cell->GetState() & ~GRIDCELL_FIXEDROW);
            } else {
                cell->SetState(cell->GetState() & ~(GRIDCELL_FIXED | GRIDCELL_FIXEDROW));
                cell->SetTextClr(CLR_DEFAULT);
                cell->SetBackClr(CLR_DEFAULT);
            }
        }
    }
}

void CGridCtrl::ApplyFixedColState(int from, int to, bool fixed)
{
    for (int r = 0; r < m_nRows; ++r) {
        for (int c = from; c < to; ++c) {
            CGridCellBase* cell = GetCell(r, c);
            if (!cell)
                continue;
            if (fixed) {
                cell->SetState(cell->GetState() | GRIDCELL_FIXED | GRIDCELL_FIXEDCOL);
                cell->SetTextClr(CLR_DEFAULT);
                cell->SetBackClr(CLR_DEFAULT);
            } else if (r < m_nFixedRows) {
                cell->SetState(cell->GetState() & ~GRIDCELL_FIXEDCOL);
            } else {
                cell->SetState(cell->GetState() & ~(GRIDCELL_FIXED | GRIDCELL_FIXEDCOL));
                cell->SetTextClr(CLR_DEFAULT);
                cell->SetBackClr(CLR_DEFAULT);
            }
        }
    }
}

BOOL CGridCtrl::SetFixedRowCount(int nFixedRows)
{
    if (nFixedRows < 0)
        return FALSE;
    if (nFixedRows == m_nFixedRows)
        return TRUE;
    DiscardCellEdit();
    ResetSelectedRange();
    m_idTopLeftCell = CCellID();
    if (nFixedRows > m_nRows && !SetRowCount(nFixedRows))
        return FALSE;
    if (m_idCurrentCell.row >= 0 && m_idCurrentCell.row < nFixedRows)
        SetFocusCell(-1, -1);
    if (!m_bVirtualMode) {
        if (nFixedRows > m_nFixedRows)
            ApplyFixedRowState(m_nFixedRows, nFixedRows, true);
        else
            ApplyFixedRowState(nFixedRows, m_nFixedRows, false);
    }
    m_nFixedRows = nFixedRows;
    ResetScrollBars();
    if (::IsWindow(m_hWnd) && m_bAllowDraw)
        Invalidate(TRUE);
    return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int nFixedCols)
{
    if (nFixedCols < 0)
        return FALSE;
    if (nFixedCols == m_nFixedCols)
        return TRUE;
    DiscardCellEdit();
    if (nFixedCols > m_nCols && !SetColumnCount(nFixedCols))
        return FALSE;
    if (m_idCurrentCell.col >= 0 && m_idCurrentCell.col < nFixedCols)
        SetFocusCell(-1, -1);
    ResetSelectedRange();
    m_idTopLeftCell = CCellID();
    if (!m_bVirtualMode) {
        if (nFixedCols > m_nFixedCols)
            ApplyFixedColState(m_nFixedCols, nFixedCols, true);
        else
            ApplyFixedColState(nFixedCols, m_nFixedCols, false);
    }
    m_nFixedCols = nFixedCols;
    ResetScrollBars();
    if (::IsWindow(m_hWnd) && m_bAllowDraw)
        Invalidate(TRUE);
    return TRUE;
}

void CGridCtrl::ShiftRowOrder(int position, int delta)
{
    if (!m_bVirtualMode || position < 0 || position > static_cast<int>(m_arRowOrder.size()))
        return;
    for (int& entry : m_arRowOrder)
        if (entry > position)
            entry += delta;
    if (delta > 0)
        m_arRowOrder.insert(m_arRowOrder.begin() + position, position);
    else if (position < static_cast<int>(m_arRowOrder.size()))
        m_arRowOrder.erase(m_arRowOrder.begin() + position);
}

BOOL CGridCtrl::DeleteAllCells()
{
    // An open editor's text belongs to the cells that go now.
    DiscardCellEdit();
    ResetSelectedRange();
    if (m_bVirtualMode) {
        m_arRowOrder.clear();
    } else {
        // Through the virtual hook, so a subclass sees every cell go.
        for (int r = 0; r < m_nRows; ++r)
            for (int c = 0; c < m_nCols; ++c)
                DestroyCell(r, c);
        m_RowData.clear();
    }
    m_arColWidths.clear();
    m_arRowHeights.clear();
    m_SelectedCells.clear();
    m_PrevSelectedCells.clear();
    m_arColOrder.clear();
    m_idCurrentCell = CCellID();
    m_nRows = m_nFixedRows = m_nCols = m_nFixedCols = 0;
    m_idTopLeftCell = CCellID();
    ResetScrollBars();
    if (m_nSortColumn >= 0) {
        m_nSortColumn = -1;
        if (::IsWindow(m_hWnd) && m_bAllowDraw)
            Invalidate(TRUE);
    }
    m_bModified = TRUE;
    return TRUE;
}

// ---- Dividers and cursor ---------------------------------------------------------

BOOL CGridCtrl::IsOverColumnDivider(CPoint point)
{
    if (point.y >= GetFixedRowsHeight())
        return FALSE;
    CCellID cell = CellFromPoint(point, TRUE);
    CPoint origin;
    if (!IsValid(cell) || !GetCellOrigin(cell.row, cell.col, &origin))
        return FALSE;
    const int t = m_nResizeCaptureRange;
    if (point.x - origin.x < t && cell.col != 0)
        return TRUE;
    return origin.x + GetMergedWidth(cell.row, cell.col) - point.x < t;
}

BOOL CGridCtrl::IsOverRowDivider(CPoint point)
{
    if (point.x >= GetFixedColumnsWidth())
        return FALSE;
    CCellID cell = CellFromPoint(point, TRUE);
    CPoint origin;
    if (!IsValid(cell) || !GetCellOrigin(cell.row, cell.col, &origin))
        return FALSE;
    const int t = m_nResizeCaptureRange;
    if (point.y - origin.y < t && cell.row != 0)
        return TRUE;
    return origin.y + GetMergedHeight(cell.row, cell.col) - point.y < t;
}

BOOL CGridCtrl::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (hitTest != HTCLIENT)
        return CWnd::OnSetCursor(wnd, hitTest, message);
    switch (m_MouseMode) {
    case MOUSE_OVER_ROW_DIVIDE:
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZENS));
        return TRUE;
    case MOUSE_OVER_COL_DIVIDE:
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
        return TRUE;
    case MOUSE_DRAGGING:
        return TRUE;
    default:
        break;
    }
    if (!m_bVirtualMode) {
        DWORD pos = ::GetMessagePos();
        CPoint point(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
        ScreenToClient(&point);
        CCellID cell = CellFromPoint(point, TRUE);
        if (IsValid(cell))
            if (CGridCellBase* c = GetCell(cell.row, cell.col))
                return c->OnSetCursor();
    }
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    return TRUE;
}
