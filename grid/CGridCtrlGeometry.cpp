// CGridCtrl: geometry, scrolling and visibility, font, and the
// scroll messages that move one row or column per line.
#include "CGridCtrl.h"

// ---- Sizes ------------------------------------------------------------------

int CGridCtrl::GetRowHeight(int nRow) const
{
    if (nRow < 0 || nRow >= m_nRows || nRow >= static_cast<int>(m_arRowHeights.size()))
        return -1;
    return m_arRowHeights[nRow];
}

int CGridCtrl::GetColumnWidth(int nCol) const
{
    if (nCol < 0 || nCol >= m_nCols || nCol >= static_cast<int>(m_arColOrder.size()))
        return -1;
    int stored = m_arColOrder[nCol];
    if (stored < 0 || stored >= static_cast<int>(m_arColWidths.size()))
        return -1;
    return m_arColWidths[stored];
}

int CGridCtrl::GetFixedRowsHeight() const
{
    int h = 0;
    for (int r = 0; r < m_nFixedRows; ++r)
        h += GetRowHeight(r);
    return h;
}

int CGridCtrl::GetFixedColumnsWidth() const
{
    int w = 0;
    for (int c = 0; c < m_nFixedCols; ++c)
        w += GetColumnWidth(c);
    return w;
}

int CGridCtrl::GetTotalHeight() const
{
    int h = 0;
    for (int r = 0; r < m_nRows; ++r)
        h += GetRowHeight(r);
    return h;
}

int CGridCtrl::GetTotalWidth() const
{
    int w = 0;
    for (int c = 0; c < m_nCols; ++c)
        w += GetColumnWidth(c);
    return w;
}

// ---- Cells in view ----------------------------------------------------------

CCellID CGridCtrl::GetTopLeftNonFixedCell(bool force)
{
    if (!force && m_idTopLeftCell.row >= 0 && m_idTopLeftCell.col >= 0)
        return m_idTopLeftCell;

    const int vPos = GetScrollPosition(SB_VERT);
    const int hPos = GetScrollPosition(SB_HORZ);

    // Hidden rows and columns at the top-left are passed over, so the cell
    // is the first one a person sees.
    int col = m_nFixedCols;
    if (hPos > 0) {
        int sum = 0;
        while (col < m_nCols - 1 && sum < hPos) {
            sum += GetColumnWidth(col);
            ++col;
        }
        while (col < m_nCols - 1 && GetColumnWidth(col) == 0)
            ++col;
    }
    int row = m_nFixedRows;
    if (vPos > 0) {
        int sum = 0;
        while (row < m_nRows - 1 && sum < vPos) {
            sum += GetRowHeight(row);
            ++row;
        }
        while (row < m_nRows - 1 && GetRowHeight(row) == 0)
            ++row;
    }
    m_idTopLeftCell = CCellID(row, col);
    return m_idTopLeftCell;
}

CCellRange CGridCtrl::GetVisibleNonFixedCellRange(LPRECT rect, bool force)
{
    CRect client(0, 0, 0, 0);
    if (::IsWindow(m_hWnd))
        GetClientRect(client);
    CCellID tl = GetTopLeftNonFixedCell(force);

    int y = GetFixedRowsHeight();
    int maxRow = m_nRows - 1;
    for (int r = tl.row; r < m_nRows; ++r) {
        y += GetRowHeight(r);
        if (y >= client.bottom) {
            y = client.bottom;
            maxRow = r;
            break;
        }
    }
    if (maxRow > m_nRows - 1)
        maxRow = m_nRows - 1;

    int x = GetFixedColumnsWidth();
    int maxCol = m_nCols - 1;
    for (int c = tl.col; c < m_nCols; ++c) {
        x += GetColumnWidth(c);
        if (x >= client.right) {
            x = client.right;
            maxCol = c;
            break;
        }
    }
    if (maxCol > m_nCols - 1)
        maxCol = m_nCols - 1;

    if (rect)
        ::SetRect(rect, 0, 0, x, y);
    return CCellRange(tl.row, tl.col, maxRow, maxCol);
}

CCellID CGridCtrl::CellFromPoint(CPoint point, BOOL allowFixed)
{
    CCellID tl = GetTopLeftNonFixedCell();
    if (!allowFixed && !IsValid(tl))
        return CCellID();

    int col = -1;
    const int fixedW = GetFixedColumnsWidth();
    if (point.x >= 0) {
        if (point.x < fixedW) {
            if (allowFixed) {
                int x = 0;
                for (int c = 0; c < m_nFixedCols; ++c) {
                    x += GetColumnWidth(c);
                    if (x > point.x) {
                        col = c;
                        break;
                    }
                }
            }
        } else {
            int x = fixedW;
            for (int c = tl.col; c >= 0 && c < m_nCols; ++c) {
                x += GetColumnWidth(c);
                if (x > point.x) {
                    col = c;
                    break;
                }
            }
        }
    }

    int row = -1;
    const int fixedH = GetFixedRowsHeight();
    if (point.y >= 0) {
        if (point.y < fixedH) {
            if (allowFixed) {
                int y = 0;
                for (int r = 0; r < m_nFixedRows; ++r) {
                    y += GetRowHeight(r);
                    if (y > point.y) {
                        row = r;
                        break;
                    }
                }
            }
        } else {
            int y = fixedH;
            for (int r = tl.row; r >= 0 && r < m_nRows; ++r) {
                y += GetRowHeight(r);
                if (y > point.y) {
                    row = r;
                    break;
                }
            }
        }
    }

    // A half-found cell is no cell.
    if (row < 0 || col < 0)
        return CCellID();
    CCellID owner = GetMergeOwnerCell(row, col);
    return owner;
}

BOOL CGridCtrl::GetCellOrigin(int nRow, int nCol, LPPOINT p)
{
    if (!IsValid(nRow, nCol) || !p)
        return FALSE;
    CCellID tl(-1, -1);
    if (nRow >= m_nFixedRows || nCol >= m_nFixedCols)
        tl = GetTopLeftNonFixedCell();

    if (nCol < m_nFixedCols) {
        p->x = 0;
        for (int c = 0; c < nCol; ++c)
            p->x += GetColumnWidth(c);
    } else if (nCol >= tl.col) {
        p->x = GetFixedColumnsWidth();
        for (int c = tl.col; c < nCol; ++c)
            p->x += GetColumnWidth(c);
    } else {
        p->x = GetFixedColumnsWidth();
        for (int c = nCol; c < tl.col; ++c)
            p->x -= GetColumnWidth(c);
    }

    if (nRow < m_nFixedRows) {
        p->y = 0;
        for (int r = 0; r < nRow; ++r)
            p->y += GetRowHeight(r);
    } else if (nRow >= tl.row) {
        p->y = GetFixedRowsHeight();
        for (int r = tl.row; r < nRow; ++r)
            p->y += GetRowHeight(r);
    } else {
        p->y = GetFixedRowsHeight();
        for (int r = nRow; r < tl.row; ++r)
            p->y -= GetRowHeight(r);
    }
    return TRUE;
}

BOOL CGridCtrl::GetCellRect(int nRow, int nCol, LPRECT rect)
{
    CPoint origin;
    if (!rect || !GetCellOrigin(nRow, nCol, &origin))
        return FALSE;
    CCellRange block = GetOwnedBlock(nRow, nCol);
    if (block.IsValid() && block.Count() > 1)
        return GetCellRangeRect(block, rect);
    rect->left = origin.x;
    rect->top = origin.y;
    rect->right = origin.x + GetColumnWidth(nCol) - 1;
    rect->bottom = origin.y + GetRowHeight(nRow) - 1;
    return TRUE;
}

BOOL CGridCtrl::GetCellRangeRect(const CCellRange& range, LPRECT rect)
{
    CPoint first, last;
    if (!rect || !GetCellOrigin(range.m_nMinRow, range.m_nMinCol, &first) ||
        !GetCellOrigin(range.m_nMaxRow, range.m_nMaxCol, &last))
        return FALSE;
    rect->left = first.x;
    rect->top = first.y;
    rect->right = last.x + GetColumnWidth(range.m_nMaxCol) - 1;
    rect->bottom = last.y + GetRowHeight(range.m_nMaxRow) - 1;
    return TRUE;
}

BOOL CGridCtrl::IsCellVisible(int nRow, int nCol)
{
    if (!::IsWindow(m_hWnd) || !IsValid(nRow, nCol))
        return FALSE;
    CCellID tl = GetTopLeftNonFixedCell();
    if ((nCol >= m_nFixedCols && nCol < tl.col) || (nRow >= m_nFixedRows && nRow < tl.row))
        return FALSE;
    CRect client;
    GetClientRect(client);

    int x = 0;
    if (nCol < m_nFixedCols) {
        for (int c = 0; c < nCol; ++c)
            x += GetColumnWidth(c);
    } else {
        x = GetFixedColumnsWidth();
        for (int c = tl.col; c < nCol; ++c)
            x += GetColumnWidth(c);
        }
    if (x >= client.right)
        return FALSE;

    int y = 0;
    if (nRow < m_nFixedRows) {
        for (int r = 0; r < nRow; ++r)
            y += GetRowHeight(r);
    } else {
        y = GetFixedRowsHeight();
        for (int r = tl.row; r < nRow; ++r)
            y += GetRowHeight(r);
    }
    return y < client.bottom;
}

CRect CGridCtrl::CellRectInView(int nRow, int nCol)
{
    CRect rect;
    const CCellID owner = GetMergeOwnerCell(nRow, nCol);
    if (!::IsWindow(m_hWnd) || !IsValid(owner) || !GetCellRect(owner.row, owner.col, rect))
        return CRect();
    rect.right++;
    rect.bottom++;
    // Scrolled cells show only beside and below the headers.
    CRect view;
    GetClientRect(view);
    if (owner.row >= m_nFixedRows)
        view.top = GetFixedRowsHeight();
    if (owner.col >= m_nFixedCols)
        view.left = GetFixedColumnsWidth();
    CRect shown;
    if (!shown.IntersectRect(&rect, &view))
        return CRect();
    return shown;
}

BOOL CGridCtrl::InvalidateCell(int nRow, int nCol)
{
    if (!m_bAllowDraw || !IsValid(nRow, nCol))
        return FALSE;
    // The whole block of a merged cell, even when its owner is scrolled away.
    const CRect shown = CellRectInView(nRow, nCol);
    if (shown.IsRectEmpty())
        return FALSE;
    InvalidateRect(shown, TRUE);
    return TRUE;
}

// ---- Scroll bars --------------------------------------------------------------

int CGridCtrl::GetScrollPosition(int bar, BOOL trackPos) const
{
    if (!::IsWindow(m_hWnd))
        return 0;
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = trackPos ? SIF_TRACKPOS : SIF_POS;
    if (!::GetScrollInfo(m_hWnd, bar, &si))
        return 0;
    return trackPos ? si.nTrackPos : si.nPos;
}

int CGridCtrl::GetScrollLimit(int bar) const
{
    if (!::IsWindow(m_hWnd))
        return 0;
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    if (!::GetScrollInfo(m_hWnd, bar, &si))
        return 0;
    int limit = si.nMax - (si.nPage > 0 ? static_cast<int>(si.nPage) - 1 : 0);
    return limit > si.nMin ? limit : si.nMin;
}

void CGridCtrl::SetScrollPosition(int bar, int pos)
{
    m_idTopLeftCell = CCellID();
    if (!::IsWindow(m_hWnd))
        return;
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    si.nPos = pos;
    ::SetScrollInfo(m_hWnd, bar, &si, TRUE);
}

void CGridCtrl::ResetScrollBars()
{
    m_idTopLeftCell = CCellID();
    if (!m_bAllowDraw || !::IsWindow(m_hWnd) || m_bInResetScrollBars)
        return;
    CRect client;
    GetClientRect(client);
    if (client.Width() <= 0 || client.Height() <= 0)
        return;
    m_bInResetScrollBars = true;

    // The client size as if no bar were shown.
    const int cxV = ::GetSystemMetrics(SM_CXVSCROLL);
    const int cyH = ::GetSystemMetrics(SM_CYHSCROLL);
    int w = client.Width() + (IsVScrollBarShown() ? cxV : 0);
    int h = client.Height() + (IsHScrollBarShown() ? cyH : 0);

    const int fixedW = GetFixedColumnsWidth();
    const int fixedH = GetFixedRowsHeight();
    if (w <= fixedW || h <= fixedH) {
        ::ShowScrollBar(m_hWnd, SB_BOTH, FALSE);
        m_nBarState = 0;  // the bars are gone: the next pass must not add their sizes
        m_nVScrollMax = m_nHScrollMax = 0;
        m_bInResetScrollBars = false;
        return;
    }

    const int scrollH = GetTotalHeight() - fixedH;
    const int scrollW = GetTotalWidth() - fixedW;
    bool needV = h - fixedH < scrollH;
    int visW = w - (needV ? cxV : 0) - fixedW;
    const bool needH = visW < scrollW;
    if (needH)
        h -= cyH;
    needV = h - fixedH < scrollH;
    visW = w - (needV ? cxV : 0) - fixedW;  // the page follows the final decision

    m_nVScrollMax = needV ? scrollH - 1 : 0;
    m_nHScrollMax = needH ? scrollW - 1 : 0;

    // A bar is set only when its range or page changes. Drawing a bar costs
    // nearly as much as painting the cells under Wine, so a bar that keeps
    // its state is drawn at once only when no frame change follows: showing
    // or hiding a bar draws the frame afresh, with every range already set.
    const bool changeH = needH != (IsHScrollBarShown() != FALSE);
    const bool changeV = needV != (IsVScrollBarShown() != FALSE);
    auto apply = [&](int bar, int maximum, UINT page, bool redraw) {
        SCROLLINFO cur = {};
        cur.cbSize = sizeof cur;
        cur.fMask = SIF_RANGE | SIF_PAGE;
        if (::GetScrollInfo(m_hWnd, bar, &cur) && cur.nMin == 0 && cur.nMax == maximum && cur.nPage == page)
            return;
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE;
        si.nMin = 0;
        si.nMax = maximum;
        si.nPage = page;
        ::SetScrollInfo(m_hWnd, bar, &si, redraw);
    };
    const UINT pageH = m_nHScrollMax > 0 ? static_cast<UINT>(visW) : 0;
    const UINT pageV = m_nVScrollMax > 0 ? static_cast<UINT>(h - fixedH) : 0;
    const bool frameChanges = changeH || changeV;
    // Each bar shown or hidden is a frame change that Wine draws at once;
    // with drawing held, the window is drawn once when both bars are set.
    const bool holdDrawing = frameChanges && (GetStyle() & WS_VISIBLE);
    if (holdDrawing)
        DefWindowProc(WM_SETREDRAW, FALSE, 0);
    if (!changeH)
        apply(SB_HORZ, m_nHScrollMax, pageH, !frameChanges);
    if (!changeV)
        apply(SB_VERT, m_nVScrollMax, pageV, !frameChanges);
    if (changeH)
        apply(SB_HORZ, m_nHScrollMax, pageH, false);
    if (changeV)
        apply(SB_VERT, m_nVScrollMax, pageV, false);

    // Show or hide explicitly (setting a range may already have done it);
    // the state word follows what was done. Both bars changing alike change
    // the frame once, so the window is resized once.
    const bool showH = needH != (IsHScrollBarShown() != FALSE);
    const bool showV = needV != (IsVScrollBarShown() != FALSE);
    if (showH && showV && needH == needV) {
        ::ShowScrollBar(m_hWnd, SB_BOTH, needH);
    } else {
        if (showH)
            ::ShowScrollBar(m_hWnd, SB_HORZ, needH);
        if (showV)
            ::ShowScrollBar(m_hWnd, SB_VERT, needV);
    }
    if (holdDrawing) {
        // The frame is drawn now, as a shown bar would have drawn it; the
        // cells are painted at the next paint.
        DefWindowProc(WM_SETREDRAW, TRUE, 0);
        RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
    }
    m_nBarState = (needH ? 0x1u : 0u) | (needV ? 0x2u : 0u);
    m_idTopLeftCell = CCellID();
    m_bInResetScrollBars = false;
}

bool CGridCtrl::SendScroll(UINT message, UINT code)
{
    const int bar = message == WM_HSCROLL ? SB_HORZ : SB_VERT;
    const int before = GetScrollPosition(bar);
    SendMessage(message, MAKEWPARAM(code, 0), 0);
    return GetScrollPosition(bar) != before;
}

void CGridCtrl::OnHScroll(UINT code, UINT, CScrollBar*)
{
    Scroll(SB_HORZ, code);
}

void CGridCtrl::OnVScroll(UINT code, UINT, CScrollBar*)
{
    Scroll(SB_VERT, code);
}

bool CGridCtrl::Scroll(int bar, UINT code)
{
    EndFocusCellEdit();
    m_TitleTip.HideTip();
    if (code > SB_ENDSCROLL)
        return false;
    const bool horz = bar == SB_HORZ;
    const int pos = GetScrollPosition(bar);
    const CCellID tl = GetTopLeftNonFixedCell();
    CRect client;
    GetClientRect(client);
    const int fixed = horz ? GetFixedColumnsWidth() : GetFixedRowsHeight();
    CRect area = client;
    if (horz)
        area.left = fixed;
    else
        area.top = fixed;
    const int limit = GetScrollLimit(bar);
    const int count = horz ? m_nCols : m_nRows;
    const int first = horz ? m_nFixedCols : m_nFixedRows;
    const int page = horz ? client.Width() - fixed : client.Height() - fixed;
    auto size = [&](int i) { return horz ? GetColumnWidth(i) : GetRowHeight(i); };
    const int tlIndex = horz ? tl.col : tl.row;

    int newPos = pos;
    bool repaintAll = false;
    switch (code) {
    case SB_LINEDOWN:
        if (pos < limit) {
            int i = tlIndex;
            while (i < count - 1 && size(i) < 1)
                ++i;
            if (i >= 0 && i < count)
                newPos = pos + (size(i) > 0 ? size(i) : 0);
        }
        break;
    case SB_LINEUP:
        if (pos > 0 && tlIndex > first) {
            int i = tlIndex - 1;
            while (i > first && size(i) < 1)
                --i;
            newPos = pos - (size(i) > 0 ? size(i) : 0);
            if (newPos < 0)
                newPos = 0;
        }
        break;
    case SB_PAGEDOWN:
        if (pos < limit)
            newPos = pos + page < limit ? pos + page : limit;
        break;
    case SB_PAGEUP:
        if (pos > 0)
            newPos = pos - page > 0 ? pos - page : 0;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        newPos = GetScrollPosition(bar, TRUE);
        break;
    case SB_TOP:
        if (pos > 0)
            newPos = 0;
        repaintAll = true;
        break;
    case SB_BOTTOM:
        if (pos < limit)
            newPos = limit;
        repaintAll = true;
        break;
    default:
        return false;
    }
    if (newPos != pos)
        SetScrollPosition(bar, newPos);
    const bool moved = GetScrollPosition(bar) != pos;
    if (moved)
        m_idTopLeftCell = CCellID();
    if (m_bAllowDraw) {
        if (repaintAll)
            Invalidate(TRUE);
        else if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) {
            if (GetTopLeftNonFixedCell() != tl)
                InvalidateRect(area, TRUE);
        } else if (moved || code == SB_PAGEDOWN || code == SB_PAGEUP || code == SB_LINEUP) {
            InvalidateRect(area, TRUE);
        }
    }
    return moved;
}

void CGridCtrl::EnsureVisible(int nRow, int nCol)
{
    if (!m_bAllowDraw || !::IsWindow(m_hWnd) || !IsValid(nRow, nCol))
        return;
    HWND focus = ::GetFocus();

    // One line message per visible row or column between the view and the
    // cell; every loop stops as soon as a message moves nothing. A long way
    // (thousands of rows) is taken in one step to the same position.
    CCellRange vis = GetVisibleNonFixedCellRange();
    if (nCol >= m_nFixedCols) {
        if (nCol > vis.m_nMaxCol)
            LineSteps(SB_HORZ, vis.m_nMaxCol + 1, nCol, true);
        else if (nCol < vis.m_nMinCol)
            LineSteps(SB_HORZ, nCol, vis.m_nMinCol - 1, false);
    }
    if (nRow >= m_nFixedRows) {
        if (nRow > vis.m_nMaxRow)
            LineSteps(SB_VERT, vis.m_nMaxRow + 1, nRow, true);
        else if (nRow < vis.m_nMinRow)
            LineSteps(SB_VERT, nRow, vis.m_nMinRow - 1, false);
    }

    CRect rect, client;
    if (GetCellRect(nRow, nCol, rect)) {
        GetClientRect(client);
        const int fixedW = GetFixedColumnsWidth();
        while (rect.right > client.right && rect.left > fixedW && IsHScrollBarShown()) {
            if (!SendScroll(WM_HSCROLL, SB_LINERIGHT) || !GetCellRect(nRow, nCol, rect))
                break;
        }
        const int fixedH = GetFixedRowsHeight();
        while (rect.bottom > client.bottom && rect.top > fixedH && IsVScrollBarShown()) {
            if (!SendScroll(WM_VSCROLL, SB_LINEDOWN) || !GetCellRect(nRow, nCol, rect))
                break;
        }
    }
    // Scrolling ends a running edit, whose window may have had the focus.
    if (focus && ::IsWindow(focus) && ::GetFocus() != focus)
        ::SetFocus(focus);
}

void CGridCtrl::LineSteps(int bar, int from, int to, bool forward)
{
    const bool horz = bar == SB_HORZ;
    auto size = [&](int i) { return horz ? GetColumnWidth(i) : GetRowHeight(i); };
    int steps = 0;
    for (int i = from; i <= to; ++i)
        steps += size(i) > 0;
    const UINT message = horz ? WM_HSCROLL : WM_VSCROLL;
    if (steps <= kMaxLineMessages) {
        for (int i = 0; i < steps; ++i)
            if (!SendScroll(message, forward ? SB_LINEDOWN : SB_LINEUP))
                break;
        return;
    }
    // The position the line messages would reach, computed in one pass.
    const int count = horz ? m_nCols : m_nRows;
    const int first = horz ? m_nFixedCols : m_nFixedRows;
    const int limit = GetScrollLimit(bar);
    int pos = GetScrollPosition(bar);
    CCellID tl = GetTopLeftNonFixedCell();
    int i = horz ? tl.col : tl.row;
    for (int step = 0; step < steps; ++step) {
        if (forward) {
            if (pos >= limit)
                break;
            while (i < count - 1 && size(i) < 1)
                ++i;
            pos += size(i) > 0 ? size(i) : 0;
            ++i;
        } else {
            if (pos <= 0 || i <= first)
                break;
            --i;
            while (i > first && size(i) < 1)
                --i;
            pos -= size(i) > 0 ? size(i) : 0;
        }
    }
    if (pos > limit)
        pos = limit;
    if (pos < 0)
        pos = 0;
    SetScrollPosition(bar, pos);
    if (m_bAllowDraw)
        Invalidate(TRUE);
}

// ---- Font ----------------------------------------------------------------

LRESULT CGridCtrl::OnSetFont(WPARAM wParam, LPARAM)
{
    LRESULT result = Default();
    LOGFONTW lf;
    if (!wParam || ::GetObjectW(reinterpret_cast<HGDIOBJ>(wParam), sizeof lf, &lf) != sizeof lf)
        return result;
    m_cellDefault.SetFont(&lf);
    m_cellFixedColDef.SetFont(&lf);
    m_cellFixedRowDef.SetFont(&lf);
    m_cellFixedRowColDef.SetFont(&lf);
    if (::IsWindow(m_hWnd) && m_bAllowDraw)
        Invalidate(TRUE);
    return result;
}

LRESULT CGridCtrl::OnGetFont(WPARAM, LPARAM)
{
    CFont* font = m_cellDefault.GetFontObject();
    return font ? reinterpret_cast<LRESULT>(font->GetSafeHandle()) : 0;
}
