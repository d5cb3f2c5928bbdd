// CGridCtrl: the keyboard, the auto-scroll timer and the in-place-edit flow.
#include "CGridCtrl.h"

#include <algorithm>

namespace {

bool KeyHeld(int key)
{
    return ::GetKeyState(key) < 0;
}

} // namespace

BOOL CGridCtrl::PreTranslateMessage(MSG* msg)
{
    // Keys go to the focus window, never to the tip that holds the mouse:
    // a shown tip sees the grid's own key presses first, hides and hands
    // them back.
    if (msg->hwnd == m_hWnd && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) &&
        m_TitleTip.IsWindow() && m_TitleTip.IsWindowVisible())
        return m_TitleTip.PreTranslateMessage(msg);
    return CWnd::PreTranslateMessage(msg);
}

UINT CGridCtrl::OnGetDlgCode()
{
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    // Ctrl+Tab still leaves the grid in a dialog.
    if (m_bHandleTabKey && !KeyHeld(VK_CONTROL))
        code |= DLGC_WANTTAB;
    return code;
}

int CGridCtrl::NextVisibleRow(int from, int step, int stop) const
{
    for (int r = from; step > 0 ? r <= stop : r >= stop; r += step)
        if (GetRowHeight(r) > 0)
            return r;
    return -1;
}

int CGridCtrl::NextVisibleColumn(int from, int step, int stop) const
{
    for (int c = from; step > 0 ? c <= stop : c >= stop; c += step)
        if (GetColumnWidth(c) > 0)
            return c;
    return -1;
}

bool CGridCtrl::HandleEditKey(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Delete clears in place; nothing else sees it.
    if (nChar == VK_DELETE) {
        ClearSelectedCells();
        return true;
    }
    bool handled = false;
    if (KeyHeld(VK_CONTROL)) {
        handled = true;
        switch (nChar) {
        case 'C':
        case VK_INSERT:
            OnEditCopy();
            break;
        case 'X':
            OnEditCut();
            break;
        case 'V':
            OnEditPaste();
            break;
        case 'A':
            OnEditSelectAll();
            break;
        case VK_ADD:
            for (int c = 0; c < m_nCols; ++c)
                if (GetColumnWidth(c) > 0)
                    AutoSizeColumn(c, m_nAutoSizeStyle);
            Invalidate(TRUE);
            break;
        default:
            handled = false;
            break;
        }
    }
    if (KeyHeld(VK_SHIFT) && nChar == VK_INSERT) {
        OnEditPaste();
        handled = true;
    }
    if (handled)
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
    return handled;
}

void CGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // A click on a row or column header selects without a current cell:
    // the edit keys act on the selection all the same, the moving keys wait
    // for a current cell.
    if (HandleEditKey(nChar, nRepCnt, nFlags))
        return;
    if (!IsValid(m_idCurrentCell)) {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    const bool ctrl = KeyHeld(VK_CONTROL);
    const bool shift = KeyHeld(VK_SHIFT);

    const int lastRow = m_nRows - 1;
    const int lastCol = m_nCols - 1;
    CCellID next = m_idCurrentCell;
    bool rowChanged = false;
    bool hSent = false;
    bool vSent = false;
    auto scrollH = [&](UINT code) { SendScroll(WM_HSCROLL, code); hSent = true; };
    auto scrollV = [&](UINT code) { SendScroll(WM_VSCROLL, code); vSent = true; };

    switch (nChar) {
    case VK_DOWN:
        if (int r = NextVisibleRow(next.row + 1, 1, lastRow); r >= 0)
            next.row = r;
        break;
    case VK_UP:
        if (int r = NextVisibleRow(next.row - 1, -1, m_nFixedRows); r >= 0)
            next.row = r;
        break;
    case VK_RIGHT:
        if (int c = NextVisibleColumn(next.col + 1, 1, lastCol); c >= 0)
            next.col = c;
        break;
    case VK_LEFT:
        if (int c = NextVisibleColumn(next.col - 1, -1, m_nFixedCols); c >= 0)
            next.col = c;
        break;
    case VK_TAB:
        if (!shift) {
            if (m_bTabToNextControl) {
                if (HWND parent = ::GetParent(m_hWnd))
                    ::SendMessageW(parent, WM_NEXTDLGCTL, 0, 0);
                return;
            }
            if (int c = NextVisibleColumn(next.col + 1, 1, lastCol); c >= 0) {
                next.col = c;
            } else {
                // On to the first shown cell of the next shown row; none: stay.
                const int r = NextVisibleRow(next.row + 1, 1, lastRow);
                const int first = NextVisibleColumn(m_nFixedCols, 1, lastCol);
                if (r >= 0 && first >= 0) {
                    next = CCellID(r, first);
                    rowChanged = true;
                }
            }
        } else {
            if (int c = NextVisibleColumn(next.col - 1, -1, m_nFixedCols); c >= 0) {
                next.col = c;
            } else if (next.row > m_nFixedRows) {
                int r = NextVisibleRow(next.row - 1, -1, m_nFixedRows);
                if (r < 0)
                    r = m_nFixedRows;
                const int last = NextVisibleColumn(lastCol, -1, m_nFixedCols);
                if (last >= 0) {
                    next = CCellID(r, last);
                    rowChanged = true;
                }
            }
        }
        if (!rowChanged)
            CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        break;
    case VK_NEXT: {
        const CCellID before = GetTopLeftNonFixedCell();
        scrollV(SB_PAGEDOWN);
        const int moved = GetTopLeftNonFixedCell().row - before.row;
        next.row = moved == 0 || next.row + moved > lastRow ? lastRow : next.row + moved;
        break;
    }
    case VK_PRIOR: {
        const CCellID before = GetTopLeftNonFixedCell();
        scrollV(SB_PAGEUP);
        const int moved = GetTopLeftNonFixedCell().row - before.row;
        next.row = moved == 0 || next.row + moved < m_nFixedRows ? m_nFixedRows : next.row + moved;
        break;
    }
    case VK_HOME:
        if (ctrl) {
            scrollV(SB_TOP);
            next.row = m_nFixedRows;
        }
        scrollH(SB_LEFT);
        next.col = m_nFixedCols;
        while (next.col < lastCol && GetColumnWidth(next.col) < 1)
            ++next.col;
        while (next.row < lastRow && GetRowHeight(next.row) < 1)
            ++next.row;
        break;
    case VK_END:
        if (ctrl) {
            scrollV(SB_BOTTOM);
            next.row = lastRow;
        }
        scrollH(SB_RIGHT);
        next.col = lastCol;
        while (next.col > m_nFixedCols && GetColumnWidth(next.col) < 1)
            --next.col;
        while (next.row > m_nFixedRows && GetRowHeight(next.row) < 1)
            --next.row;
        break;
    case VK_F2:
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), VK_LBUTTON);
        return;
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }

    if (next != m_idCurrentCell && IsValid(next)) {
        // The keyboard borrows the mouse mode for one selection step; while
        // the mouse is selecting, keys move the focus only.
        if (m_MouseMode == MOUSE_NOTHING) {
            m_PrevSelectedCells.clear();
            m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
            if (!shift || nChar == VK_TAB)
                m_SelectionStartCell = next;
            NotifyParent(next.row, next.col, GRIDN_SELCHANGING);
            OnSelecting(next);
            NotifyParent(next.row, next.col, GRIDN_SELCHANGED);
            m_MouseMode = MOUSE_NOTHING;
        }
        SetFocusCell(next);
        if (!IsCellVisible(next)) {
            switch (nChar) {
            case VK_LEFT:
                scrollH(SB_LINELEFT);
                break;
            case VK_RIGHT:
                scrollH(SB_LINERIGHT);
                break;
            case VK_UP:
                scrollV(SB_LINEUP);
                break;
            case VK_DOWN:
                scrollV(SB_LINEDOWN);
                break;
            case VK_TAB:
                if (!rowChanged) {
                    scrollH(shift ? SB_LINELEFT : SB_LINERIGHT);
                } else {
                    scrollV(shift ? SB_LINEUP : SB_LINEDOWN);
                    SetScrollPosition(SB_HORZ, shift ? GetScrollLimit(SB_HORZ) : 0);
                }
                break;
            default:
                break;
            }
            EnsureVisible(next);
            Invalidate(TRUE);
        }
        EnsureVisible(next);
        if (hSent)
            SendMessage(WM_HSCROLL, SB_ENDSCROLL);
        if (vSent)
            SendMessage(WM_VSCROLL, SB_ENDSCROLL);
    }
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!KeyHeld(VK_CONTROL) && m_MouseMode == MOUSE_NOTHING && nChar != VK_ESCAPE &&
        !(nChar == VK_TAB && m_bHandleTabKey))
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nChar | GRID_TYPED_CHAR);
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

LRESULT CGridCtrl::OnImeChar(WPARAM wParam, LPARAM)
{
    // Not passed on: the composed character reaches the editor only here.
    const UINT ch = static_cast<UINT>(wParam) & 0xFFFF;
    if (!KeyHeld(VK_CONTROL) && m_MouseMode == MOUSE_NOTHING && ch != VK_ESCAPE)
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), ch | GRID_TYPED_CHAR);
    return 0;
}

void CGridCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != GRID_AUTOSCROLL_TIMER) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    if (!m_bLMouseButtonDown) {
        // A tick left over from a press that has ended selects nothing.
        KillTimer(nIDEvent);
        m_nTimerID = 0;
        return;
    }
    CPoint pt;
    if (!::GetCursorPos(&pt))
        return;
    ScreenToClient(&pt);
    CRect client;
    GetClientRect(client);
    const int fixedH = GetFixedRowsHeight();
    const int fixedW = GetFixedColumnsWidth();
    const int x = std::clamp<int>(pt.x, client.left, client.right);
    const int y = std::clamp<int>(pt.y, client.top, client.bottom);
    if (pt.y > client.bottom) {
        SendMessage(WM_KEYDOWN, VK_DOWN);
        OnSelecting(CellFromPoint(CPoint(x, client.bottom), TRUE));
    } else if (pt.y < fixedH) {
        SendMessage(WM_KEYDOWN, VK_UP);
        OnSelecting(CellFromPoint(CPoint(x, fixedH + 1), TRUE));
    }
    if (pt.x > client.right) {
        SendMessage(WM_KEYDOWN, VK_RIGHT);
        OnSelecting(CellFromPoint(CPoint(client.right, y), TRUE));
    } else if (pt.x < fixedW) {
        SendMessage(WM_KEYDOWN, VK_LEFT);
        OnSelecting(CellFromPoint(CPoint(fixedW + 1, y), TRUE));
    }
}

// ---- The in-place-edit flow ---------------------------------------------

void CGridCtrl::OnEditCell(int nRow, int nCol, CPoint point, UINT ch)
{
    m_TitleTip.HideTip();
    if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol))
        return;
    EnsureVisible(nRow, nCol);
    if (!IsCellVisible(nRow, nCol))
        return;
    CRect rect;
    if (!GetCellRect(nRow, nCol, rect))
        return;
    if (static_cast<int>(NotifyParent(nRow, nCol, GRIDN_BEGINEDIT)) < 0)
        return;
    if (CGridCellBase* cell = GetCell(nRow, nCol))
        cell->Edit(nRow, nCol, rect, point, GRID_INPLACE_ID, ch);
}

void CGridCtrl::OnEndInPlaceEdit(NMHDR* header, LRESULT* result)
{
    if (result)
        *result = 0;
    if (!::IsWindow(m_hWnd) || !header)
        return;
    const auto* info = reinterpret_cast<const S_GRID_DISPINFO*>(header);
    OnEndEditCell(info->item.row, info->item.col, info->item.strText);
    // A moving key moves the focus as it would in the grid, and the editor
    // opens again where it landed.
    const UINT key = static_cast<UINT>(info->item.lParam);
    if (key == VK_TAB || (key >= VK_PRIOR && key <= VK_DOWN)) {
        SendMessage(WM_KEYDOWN, key);
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), key);
    }
}

void CGridCtrl::EndFocusCellEdit()
{
    if (!IsValid(m_idCurrentCell))
        return;
    if (CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
        cell->EndEdit();
}

void CGridCtrl::DiscardCellEdit()
{
    const bool discarding = m_bDiscardingEdit;
    m_bDiscardingEdit = true;
    EndFocusCellEdit();
    m_bDiscardingEdit = discarding;
}

BOOL CGridCtrl::ValidateCellEdit(int nRow, int nCol, LPCWSTR text)
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    return cell ? cell->ValidateEdit(text) : TRUE;
}

void CGridCtrl::OnEndEditCell(int nRow, int nCol, CString text)
{
    CGridCellBase* cell = GetCell(nRow, nCol);
    if (!cell)
        return;
    CString old = GetItemText(nRow, nCol);
    if (old != text) {
        SetItemText(nRow, nCol, text);
        if (ValidateCellEdit(nRow, nCol, text) && static_cast<int>(NotifyParent(nRow, nCol, GRIDN_ENDEDIT)) >= 0) {
            MarkModified(nRow, nCol);
            RedrawCell(nRow, nCol);
        } else {
            SetItemText(nRow, nCol, old);
        }
    }
    // The cell may have gone with a handler's changes: look it up again.
    if (CGridCellBase* again = GetCell(nRow, nCol))
        again->OnEndEdit();
}
