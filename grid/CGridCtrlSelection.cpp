// CGridCtrl: selection and focus.
#include "CGridCtrl.h"

namespace {

// The wait cursor for the time of a selection change.
class WaitCursor
{
public:
    WaitCursor() : m_old(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(m_old); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_old;
};

} // namespace

BOOL CGridCtrl::IsValid(const CCellRange& range) const
{
    return range.IsValid() && range.m_nMaxRow < m_nRows && range.m_nMaxCol < m_nCols;
}

CCellID CGridCtrl::SetFocusCell(int nRow, int nCol)
{
    const CCellID previous = m_idCurrentCell;
    if (CCellID(nRow, nCol) == previous)
        return previous;

    if (nRow != -1 && nRow < m_nFixedRows)
        nRow = m_nFixedRows;
    if (nCol != -1 && nCol < m_nFixedCols)
        nCol = m_nFixedCols;
    CCellID cell(nRow, nCol);
    if (IsValid(cell))
        cell = GetMergeOwnerCell(nRow, nCol);
    else
        cell = CCellID();  // a clamp that lands outside the grid clears the focus
    if (cell == previous)
        return previous;
    m_idCurrentCell = cell;

    if (IsValid(previous)) {
        SetItemState(previous.row, previous.col, GetItemState(previous.row, previous.col) & ~GRIDCELL_FOCUSED);
        RedrawCell(previous);
        if (m_bMarkFocusHeaders) {
            if (previous.col != cell.col)
                for (int r = 0; r < m_nFixedRows; ++r)
                    RedrawCell(r, previous.col);
            if (previous.row != cell.row)
                for (int c = 0; c < m_nFixedCols; ++c)
                    RedrawCell(previous.row, c);
        }
    }
    if (IsValid(cell)) {
        SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GRIDCELL_FOCUSED);
        RedrawCell(cell);
        if (m_bMarkFocusHeaders) {
            if (previous.col != cell.col)
                for (int r = 0; r < m_nFixedRows; ++r)
                    RedrawCell(r, cell.col);
            if (previous.row != cell.row)
                for (int c = 0; c < m_nFixedCols; ++c)
                    RedrawCell(cell.row, c);
        }
    }
    return previous;
}

CCellRange CGridCtrl::GetSelectedRange() const
{
    CCellRange range(m_nRows, m_nCols, -1, -1);
    for (unsigned long long key : m_SelectedCells) {
        CCellID cell = KeyCell(key);
        if (cell.row < range.m_nMinRow)
            range.m_nMinRow = cell.row;
        if (cell.col < range.m_nMinCol)
            range.m_nMinCol = cell.col;
        if (cell.row > range.m_nMaxRow)
            range.m_nMaxRow = cell.row;
        if (cell.col > range.m_nMaxCol)
            range.m_nMaxCol = cell.col;
    }
    return range;
}

std::vector<CCellID> CGridCtrl::GetSelectedCells() const
{
    std::vector<CCellID> cells;
    cells.reserve(m_SelectedCells.size());
    for (unsigned long long key : m_SelectedCells)
        cells.push_back(KeyCell(key));
    return cells;
}

void CGridCtrl::ResetSelectedRange()
{
    m_PrevSelectedCells.clear();
    SetSelectedRange(-1, -1, -1, -1, FALSE, TRUE);
    SetFocusCell(-1, -1);
}

CCellRange CGridCtrl::GetVisibleRowHeaderRange()
{
    CRect client;
    GetClientRect(client);
    CCellID tl = GetTopLeftNonFixedCell();
    int maxRow = m_nRows - 1;
    int y = GetFixedRowsHeight();
    for (int r = tl.row; r >= 0 && r < m_nRows; ++r) {
        y += GetRowHeight(r);
        if (y >= client.bottom) {
            maxRow = r;
            break;
        }
    }
    int maxCol = m_nFixedCols < m_nCols ? m_nFixedCols : m_nCols - 1;
    int x = 0;
    for (int c = 0; c < m_nFixedCols; ++c) {
        x += GetColumnWidth(c);
        if (x >= client.right) {
            maxCol = c;
            break;
        }
    }
    return CCellRange(tl.row, 0, maxRow, maxCol);
}

void CGridCtrl::SetSelectedRange(const CCellRange& range, BOOL forceRepaint, BOOL select)
{
    SetSelectedRange(range.m_nMinRow, range.m_nMinCol, range.m_nMaxRow, range.m_nMaxCol, forceRepaint, select);
}

void CGridCtrl::SetSelectedRange(int minRow, int minCol, int maxRow, int maxCol, BOOL forceRepaint, BOOL select)
{
    if (!m_bEnableSelection)
        return;
    WaitCursor wait;
    CCellRange visible, headers;
    if (::IsWindow(m_hWnd)) {
        visible = GetVisibleNonFixedCellRange();
        headers = GetVisibleRowHeaderRange();
    }
    // The changed cells in view add up to one area, repainted once at the
    // end: a large range costs one paint, not one per cell.
    CRect dirty;
    auto repaint = [&](int r, int c) {
        if (visible.InRange(r, c) || headers.InRange(r, c)) {
            const CRect shown = CellRectInView(r, c);
            dirty.UnionRect(&dirty, &shown);
        }
    };

    const int firstCol = m_bFixedColumnsInSelection ? 0 : m_nFixedCols;
    auto clampRow = [&](int& r) { if (r >= 0 && r < m_nFixedRows) r = m_nFixedRows; };
    auto clampCol = [&](int& c) { if (c >= 0 && c < firstCol) c = firstCol; };
    clampRow(minRow);
    clampRow(maxRow);
    clampCol(minCol);
    clampCol(maxCol);
    const CCellRange block(minRow, minCol, maxRow, maxCol);

    if (select) {
        // Deselect everything first; the walk goes over a copy, since each
        // change goes through the state setter, which edits the set.
        const std::vector<unsigned long long> current(m_SelectedCells.begin(), m_SelectedCells.end());
        for (unsigned long long key : current) {
            CCellID cell = KeyCell(key);
            if (!IsValid(cell)) {
                m_SelectedCells.erase(key);
                continue;
            }
            SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) & ~GRIDCELL_SELECTED);
            m_SelectedCells.erase(key);  // also when the position holds no cell
            if (!block.InRange(cell))
                repaint(cell.row, cell.col);
        }
        // The Ctrl-extended selection of the mouse stays.
        if (!(m_bListMode && m_bSingleRowSelection) && minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0) {
            const std::vector<unsigned long long> previous(m_PrevSelectedCells.begin(), m_PrevSelectedCells.end());
            for (unsigned long long key : previous) {
                CCellID cell = KeyCell(key);
                if (!IsValid(cell))
                    continue;
                SetItemState(cell.row, cell.col, GetItemState(cell.row, cell.col) | GRIDCELL_SELECTED);
                if (m_bVirtualMode || GetCell(cell.row, cell.col))
                    m_SelectedCells.insert(key);
                repaint(cell.row, cell.col);
            }
        }
    }

    if (IsValid(block)) {
        if (select)
            m_SelectedCells.reserve(m_SelectedCells.size() + static_cast<size_t>(block.Count()));
        for (int r = minRow; r <= maxRow; ++r) {
            for (int c = minCol; c <= maxCol; ++c) {
                const bool selected = IsCellSelected(r, c) != FALSE;
                if (selected == (select != FALSE))
                    continue;
                const UINT state = GetItemState(r, c);
                SetItemState(r, c, select ? state | GRIDCELL_SELECTED : state & ~GRIDCELL_SELECTED);
                repaint(r, c);
            }
        }
    }
    if (m_bAllowDraw && !dirty.IsRectEmpty()) {
        InvalidateRect(dirty, TRUE);
        if (forceRepaint)
            UpdateWindow();
    }
}

void CGridCtrl::SelectAllCells()
{
    if (!m_bEnableSelection)
        return;
    SetSelectedRange(m_nFixedRows, m_nFixedCols, m_nRows - 1, m_nCols - 1, FALSE, TRUE);
}

void CGridCtrl::SelectRows(CCellID cell, BOOL forceRepaint, BOOL select)
{
    if (!m_bEnableSelection || cell.row < m_nFixedRows || !IsValid(cell))
        return;
    int r0 = m_SelectionStartCell.row, r1 = cell.row;
    if (m_bListMode && m_bSingleRowSelection)
        r0 = cell.row;
    if (r0 < 0 || r0 >= m_nRows)
        r0 = cell.row;
    if (r0 > r1)
        std::swap(r0, r1);
    SetSelectedRange(r0, m_bFixedColumnsInSelection ? 0 : m_nFixedCols, r1, m_nCols - 1, forceRepaint, select);
}

void CGridCtrl::SelectColumns(CCellID cell, BOOL forceRepaint, BOOL select)
{
    if (!m_bEnableSelection || cell.col < m_nFixedCols || !IsValid(cell))
        return;
    int c0 = m_SelectionStartCell.col, c1 = cell.col;
    if (m_bSingleColSelection || c0 < 0 || c0 >= m_nCols)
        c0 = cell.col;
    if (c0 > c1)
        std::swap(c0, c1);
    SetSelectedRange(m_nFixedRows, c0, m_nRows - 1, c1, forceRepaint, select);
}

void CGridCtrl::SelectCells(CCellID cell, BOOL forceRepaint, BOOL select)
{
    if (!m_bEnableSelection || !IsValid(cell) || cell.row < m_nFixedRows || cell.col < m_nFixedCols)
        return;
    CCellID start = IsValid(m_SelectionStartCell) ? m_SelectionStartCell : cell;
    SetSelectedRange(std::min(start.row, cell.row), std::min(start.col, cell.col), std::max(start.row, cell.row),
                     std::max(start.col, cell.col), forceRepaint, select);
}

void CGridCtrl::OnSelecting(const CCellID& cell)
{
    if (!m_bEnableSelection)
        return;
    switch (m_MouseMode) {
    case MOUSE_SELECT_ALL:
        SelectAllCells();
        break;
    case MOUSE_SELECT_COL:
        SelectColumns(cell, FALSE, TRUE);
        break;
    case MOUSE_SELECT_ROW:
        SelectRows(cell, FALSE, TRUE);
        break;
    case MOUSE_SELECT_CELLS:
        SelectCells(cell, FALSE, TRUE);
        break;
    default:
        break;
    }
}

void CGridCtrl::OnFixedRowClick(CCellID& cell)
{
    if (!IsValid(cell))
        return;
    if (m_bSortOnClick) {
        WaitCursor wait;
        SortByColumn(cell.col, cell.col == m_nSortColumn ? !m_bAscending : TRUE);
        Invalidate(TRUE);
    }
    if (m_bColHeaderSelection) {
        m_MouseMode = cell.col < m_nFixedCols ? MOUSE_SELECT_ALL : MOUSE_SELECT_COL;
        OnSelecting(cell);
    }
}

void CGridCtrl::OnFixedColumnClick(CCellID& cell)
{
    if (!m_bRowHeaderSelection || !IsValid(cell))
        return;
    m_MouseMode = cell.row < m_nFixedRows ? MOUSE_SELECT_ALL : MOUSE_SELECT_ROW;
    OnSelecting(cell);
}

void CGridCtrl::OnEditSelectAll()
{
    NotifyParent(m_LeftClickDownCell.row, m_LeftClickDownCell.col, GRIDN_SELCHANGING);
    if (m_bEnableSelection)
        SelectAllCells();
    NotifyParent(m_idCurrentCell.row, m_idCurrentCell.col, GRIDN_SELCHANGED);
}
