// CGridCtrl: items and sizing.
#include "CGridCtrl.h"

#include <cstring>

BOOL CGridCtrl::SetItem(const S_GRID_ITEM* item)
{
    if (!item || m_bVirtualMode)
        return FALSE;
    CGridCellBase* cell = GetCell(item->row, item->col);
    if (!cell)
        return FALSE;
    MarkModified(item->row, item->col);
    if (item->mask & GRIDITEM_TEXT)
        cell->SetText(item->strText);  // not cut to the maximum length
    if (item->mask & GRIDITEM_DATA)
        cell->SetData(item->lParam);
    if (item->mask & GRIDITEM_IMAGE)
        cell->SetImage(item->iImage);
    if (item->mask & GRIDITEM_STATE)
        SetItemState(item->row, item->col, item->nState);
    if (item->mask & GRIDITEM_FORMAT)
        cell->SetFormat(item->nFormat);
    if (item->mask & GRIDITEM_BKCLR)
        cell->SetBackClr(item->crBkClr);
    if (item->mask & GRIDITEM_FGCLR)
        cell->SetTextClr(item->crFgClr);
    if (item->mask & GRIDITEM_FONT)
        cell->SetFont(&item->lfFont);
    if (item->mask & GRIDITEM_MARGIN)
        cell->SetMargin(item->nMargin);
    if (item->mask & GRIDITEM_MAXLEN)
        cell->SetMaxLength(static_cast<UINT>(item->nMaxLength));
    return TRUE;
}

BOOL CGridCtrl::GetItem(S_GRID_ITEM* item)
{
    if (!item)
        return FALSE;
    CGridCellBase* cell = GetCell(item->row, item->col);
    if (!cell)
        return FALSE;
    if (item->mask & GRIDITEM_TEXT)
        item->strText = GetItemText(item->row, item->col);
    if (item->mask & GRIDITEM_DATA)
        item->lParam = cell->GetData();
    if (item->mask & GRIDITEM_IMAGE)
        item->iImage = cell->GetImage();
    if (item->mask & GRIDITEM_STATE)
        item->nState = cell->GetState();
    if (item->mask & GRIDITEM_FORMAT)
        item->nFormat = cell->GetFormat();
    if (item->mask & GRIDITEM_BKCLR)
        item->crBkClr = cell->GetBackClr();
    if (item->mask & GRIDITEM_FGCLR)
        item->crFgClr = cell->GetTextClr();
    if (item->mask & GRIDITEM_FONT) {
        if (const LOGFONTW* lf = cell->GetFont())
            item->lfFont = *lf;
        else
            std::memset(&item->lfFont, 0, sizeof item->lfFont);
    }
    if (item->mask & GRIDITEM_MARGIN)
        item->nMargin = cell->GetMargin();
    if (item->mask & GRIDITEM_MAXLEN)
        item->nMaxLength = static_cast<int>(cell->GetMaxLength());
    return TRUE;
}

BOOL CGridCtrl::SetItemText(int nRow, int nCol, LPCWSTR text)
{
    if (m_bVirtualMode)
        return FALSE;
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    const UINT maxLen = cell->GetMaxLength();
    if (maxLen && text && static_cast<UINT>(lstrlenW(text)) > maxLen)
        cell->SetText(CString(text, static_cast<int>(maxLen)));
    else
        cell->SetText(text);
    MarkModified(nRow, nCol);
    return TRUE;
}

CString CGridCtrl::GetItemText(int nRow, int nCol) const
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? CString(cell->GetText()) : CString();
}

BOOL CGridCtrl::SetItemState(int nRow, int nCol, UINT state)
{
    if (!IsValid(nRow, nCol))
        return FALSE;
    // The set itself says whether the cell is in it, whatever the selection
    // setting: set and state bits stay in step.
    const bool selected = m_SelectedCells.count(CellKey(nRow, nCol)) != 0;
    if (selected && !(state & GRIDCELL_SELECTED))
        m_SelectedCells.erase(CellKey(nRow, nCol));
    else if (!selected && (state & GRIDCELL_SELECTED))
        m_SelectedCells.insert(CellKey(nRow, nCol));
    if (m_bVirtualMode)
        return FALSE;
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->SetState(state);
    return TRUE;
}

UINT CGridCtrl::GetItemState(int nRow, int nCol) const
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetState() : 0;
}

BOOL CGridCtrl::SetItemData(int nRow, int nCol, LPARAM data)
{
    CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->SetData(data);
    return TRUE;
}

LPARAM CGridCtrl::GetItemData(int nRow, int nCol) const
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetData() : 0;
}

BOOL CGridCtrl::SetItemImage(int nRow, int nCol, int image)
{
    CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->SetImage(image);
    return TRUE;
}

int CGridCtrl::GetItemImage(int nRow, int nCol) const
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetImage() : -1;
}

BOOL CGridCtrl::SetItemFormat(int nRow, int nCol, UINT format)
{
    CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->SetFormat(format);
    return TRUE;
}

UINT CGridCtrl::GetItemFormat(int nRow, int nCol) const
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetFormat() : PickDefaultCell(nRow < m_nFixedRows, nCol < m_nFixedCols)->GetFormat();
}

BOOL CGridCtrl::SetItemBkColour(int nRow, int nCol, COLORREF colour)
{
    CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->SetBackClr(colour);
    return TRUE;
}

COLORREF CGridCtrl::GetItemBkColour(int nRow, int nCol) const
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetBackClr() : CLR_DEFAULT;
}

BOOL CGridCtrl::SetItemFgColour(int nRow, int nCol, COLORREF colour)
{
    CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->SetTextClr(colour);
    return TRUE;
}

COLORREF CGridCtrl::GetItemFgColour(int nRow, int nCol) const
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->GetTextClr() : CLR_DEFAULT;
}

BOOL CGridCtrl::SetItemFont(int nRow, int nCol, const LOGFONTW* font)
{
    CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->SetFont(font);
    return TRUE;
}

const LOGFONTW* CGridCtrl::GetItemFont(int nRow, int nCol)
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (cell)
        return cell->GetFont();
    return PickDefaultCell(nRow >= 0 && nRow < m_nFixedRows, nCol >= 0 && nCol < m_nFixedCols)->GetFont();
}

BOOL CGridCtrl::SetItemMaxLength(int nRow, int nCol, UINT length)
{
    CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol);
    if (!cell)
        return FALSE;
    cell->SetMaxLength(length);
    return TRUE;
}

// ---- Modified mark and sort indicator ----------------------------------------------

void CGridCtrl::MarkModified(int nRow, int nCol)
{
    if (nCol < 0 || nCol == m_nSortColumn) {
        if (m_nSortColumn >= 0) {
            int old = m_nSortColumn;
            m_nSortColumn = -1;
            InvalidateCell(0, old);
        }
    }
    if (nRow >= 0 && nCol >= 0) {
        // Only the modified bit changes: a cell that holds its state needs
        // no look into the selection (set and selected bits agree).
        if (CGridCellBase* cell = m_bVirtualMode ? nullptr : GetCell(nRow, nCol))
            cell->SetState(cell->GetState() | GRIDCELL_MODIFIED);
        else
            SetItemState(nRow, nCol, GetItemState(nRow, nCol) | GRIDCELL_MODIFIED);
    }
    m_bModified = TRUE;
}

void CGridCtrl::SetSortColumn(int nCol)
{
    if (m_nSortColumn >= 0)
        InvalidateCell(0, m_nSortColumn);
    m_nSortColumn = nCol;
    if (nCol >= 0)
        InvalidateCell(0, nCol);
}

void CGridCtrl::Refresh()
{
    if (::IsWindow(m_hWnd) && m_bAllowDraw)
        Invalidate(TRUE);
}

BOOL CGridCtrl::IsCellEditable(int nRow, int nCol) const
{
    return m_bEditable && !(GetItemState(nRow, nCol) & GRIDCELL_READONLY);
}

BOOL CGridCtrl::IsCellSelected(int nRow, int nCol) const
{
    if (!m_bEnableSelection)
        return FALSE;
    if (m_bVirtualMode)
        return m_SelectedCells.count(CellKey(nRow, nCol)) != 0;
    CGridCellBase** slot = nullptr;
    if (!StoredCellSlot(nRow, nCol, slot) || !*slot)
        return FALSE;
    return ((*slot)->GetState() & GRIDCELL_SELECTED) != 0;
}

// ---- Row and column sizes -------------------------------------------------------

BOOL CGridCtrl::SetRowHeight(int nRow, int height)
{
    if (nRow < 0 || nRow >= m_nRows || height < 0 || nRow >= static_cast<int>(m_arRowHeights.size()))
        return FALSE;
    m_arRowHeights[nRow] = height;
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int nCol, int width)
{
    if (nCol < 0 || nCol >= m_nCols || width < 0 || GetColumnWidth(nCol) < 0)
        return FALSE;
    m_arColWidths[m_arColOrder[nCol]] = width;
    ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::AutoSizeColumn(int nCol, UINT style, BOOL resetScroll)
{
    if (nCol < 0 || nCol >= m_nCols || GetColumnWidth(nCol) <= 0)
        return FALSE;
    CClientDC dc(::IsWindow(m_hWnd) ? this : nullptr);
    if (!dc.m_hDC)
        return FALSE;
    if (style == 0)
        style = m_nAutoSizeStyle;
    const int first = (style & GRID_AUTOSIZE_FIXED) ? 0 : m_nFixedRows;
    const int last = (style & GRID_AUTOSIZE_DATA) ? m_nRows - 1 : m_nFixedRows - 1;
    if (m_bVirtualMode)
        NotifyCacheHint(CCellRange(first, nCol, last, nCol));
    int width = 0;
    for (int r = first; r <= last; ++r) {
        CGridCellBase* cell = GetCell(r, nCol);
        if (!cell || cell->IsMergeOwner())
            continue;
        CSize size = cell->GetCellExtent(&dc);
        if (size.cx > width)
            width = size.cx;
    }
    if (m_bVirtualMode)
        NotifyCacheHint(CCellRange());
    m_arColWidths[m_arColOrder[nCol]] = width;
    if (resetScroll)
        ResetScrollBars();
    return TRUE;
}

BOOL CGridCtrl::AutoSizeRow(int nRow, BOOL resetScroll)
{
    if (nRow < 0 || nRow >= m_nRows || GetRowHeight(nRow) <= 0)
        return FALSE;
    CClientDC dc(::IsWindow(m_hWnd) ? this : nullptr);
    if (!dc.m_hDC)
        return FALSE;
    if (m_bVirtualMode)
        NotifyCacheHint(CCellRange(nRow, 0, nRow, m_nCols));
    int height = 0;
    for (int c = 0; c < m_nCols; ++c) {
        CGridCellBase* cell = GetCell(nRow, c);
        if (!cell)
            continue;
        // A wrapping text is as high as the lines it takes in its column.
        CSize size = cell->GetCellExtent(&dc, GetColumnWidth(c));
        if (size.cy > height)
            height = size.cy;
    }
    if (m_bVirtualMode)
        NotifyCacheHint(CCellRange());
    m_arRowHeights[nRow] = height;
    if (resetScroll)
        ResetScrollBars();
    return TRUE;
}

void CGridCtrl::AutoSizeColumns()
{
    for (int c = 0; c < m_nCols; ++c)
        if (GetColumnWidth(c) > 0)
            AutoSizeColumn(c, 0, FALSE);
    ResetScrollBars();
}

void CGridCtrl::AutoSizeRows()
{
    for (int r = 0; r < m_nRows; ++r)
        if (GetRowHeight(r) > 0)
            AutoSizeRow(r, FALSE);
    ResetScrollBars();
}

void CGridCtrl::FitColumnsToWidth()
{
    if (m_nCols <= 0)
        return;
    if (::IsWindow(m_hWnd) && IsHScrollBarShown()) {
        ::ShowScrollBar(m_hWnd, SB_HORZ, FALSE);
        m_nBarState &= ~0x1u;
    }
    int visible = 0;
    for (int c = 0; c < m_nCols; ++c)
        if (GetColumnWidth(c) != 0)
            ++visible;
    if (visible == 0)
        return;
    CRect client(0, 0, 0, 0);
    if (::IsWindow(m_hWnd))
        GetClientRect(client);
    const int d = client.Width() - GetTotalWidth();
    const int share = d / visible;
    std::vector<bool> shown(m_arColWidths.size());
    for (size_t i = 0; i < m_arColWidths.size(); ++i)
        shown[i] = m_arColWidths[i] != 0;
    // The widths live in the stored-column array. A narrow client never
    // drives a shown column below one pixel: 0 would hide it for good.
    auto adjust = [&](int stored, int delta) {
        int w = m_arColWidths[stored] + delta;
        m_arColWidths[stored] = w < 1 ? 1 : w;
    };
    for (size_t i = 0; i < shown.size(); ++i)
        if (shown[i])
            adjust(static_cast<int>(i), share);
    // The remainder goes to the first columns; hidden ones among them lose their share.
    const int rest = d >= 1 ? d % visible : (-d) % visible;
    for (int i = 0; i < rest && i < static_cast<int>(shown.size()); ++i)
        if (shown[i])
            adjust(i, d >= 1 ? 1 : -1);
    Refresh();
    ResetScrollBars();
}
