// CGridCtrl: the mouse — wheel, moving, pressing and releasing the left
// button, double clicks, the right button and the click notifications.
#include "CGridCtrl.h"

#include <algorithm>
#include <cstdlib>

namespace {

void SetCursorTo(LPCWSTR cursor)
{
    ::SetCursor(::LoadCursorW(nullptr, cursor));
}

// Cell rectangles include their right and bottom edges.
bool InsideInclusive(const CRect& rect, CPoint point)
{
    return point.x >= rect.left && point.x <= rect.right && point.y >= rect.top && point.y <= rect.bottom;
}

} // namespace

CPoint CGridCtrl::GetPointInCell(const CCellID& cell, CPoint point)
{
    CPoint origin;
    if (!GetCellOrigin(cell.row, cell.col, &origin))
        return CPoint(0, 0);
    return CPoint(point.x - origin.x, point.y - origin.y);
}

void CGridCtrl::InvertSizingLine(bool vertical, int pos)
{
    CRect client;
    GetClientRect(client);
    HDC dc = ::GetDC(m_hWnd);
    if (!dc)
        return;
    if (vertical)
        ::PatBlt(dc, pos, client.top, 2, client.Height(), DSTINVERT);
    else
        ::PatBlt(dc, client.left, pos, client.Width(), 2, DSTINVERT);
    ::ReleaseDC(m_hWnd, dc);
}

BOOL CGridCtrl::OnMouseWheel(UINT flags, short delta, CPoint point)
{
    // Posted to the grid itself. A notch (WHEEL_DELTA) scrolls the wheel
    // lines (or a page); fine-step wheels and touch pads send parts of a
    // notch, which add up until they make a line (or a page). A turn the
    // other way starts afresh.
    const bool pages = m_nWheelLines == -1;
    const UINT up = pages ? SB_PAGEUP : SB_LINEUP;
    const UINT down = pages ? SB_PAGEDOWN : SB_LINEDOWN;
    if ((m_nWheelRest > 0 && delta < 0) || (m_nWheelRest < 0 && delta > 0))
        m_nWheelRest = 0;
    m_nWheelRest += delta * (pages ? 1 : m_nWheelLines);
    const int steps = m_nWheelRest / WHEEL_DELTA;
    m_nWheelRest -= steps * WHEEL_DELTA;
    for (int i = 0; i < std::abs(steps); ++i)
        PostMessage(WM_VSCROLL, MAKEWPARAM(steps > 0 ? up : down, 0), 0);
    return CWnd::OnMouseWheel(flags, delta, point);
}

void CGridCtrl::OnMouseMove(UINT, CPoint point)
{
    CRect client;
    GetClientRect(client);
    if (m_MouseMode != MOUSE_DRAGGING && !client.PtInRect(point))
        return;

    if (!m_bLMouseButtonDown || m_MouseMode == MOUSE_NOTHING) {
        if (m_bAllowColResize && IsOverColumnDivider(point)) {
            if (m_MouseMode != MOUSE_OVER_COL_DIVIDE) {
                SetCursorTo(IDC_SIZEWE);
                m_MouseMode = MOUSE_OVER_COL_DIVIDE;
            }
        } else if (m_bAllowRowResize && IsOverRowDivider(point)) {
            if (m_MouseMode != MOUSE_OVER_ROW_DIVIDE) {
                SetCursorTo(IDC_SIZENS);
                m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
            }
        } else {
            if (m_MouseMode != MOUSE_NOTHING) {
                SetCursorTo(IDC_ARROW);
                m_MouseMode = MOUSE_NOTHING;
            }
            if (!m_bVirtualMode || m_bTitleTips)
                ShowTipOver(CellFromPoint(point, TRUE));
        }
    } else if (IsValid(m_LeftClickDownCell)) {
        switch (m_MouseMode) {
        case MOUSE_SELECT_COL:
        case MOUSE_SELECT_ROW:
        case MOUSE_SELECT_CELLS: {
            const CCellID cell = CellFromPoint(point, TRUE);
            if (!IsValid(cell) || cell == m_idCurrentCell)
                break;
            OnSelecting(cell);
            if ((cell.row >= m_nFixedRows && cell.col >= m_nFixedCols) || m_MouseMode != MOUSE_SELECT_CELLS)
                SetFocusCell(cell);
            break;
        }
        case MOUSE_SIZING_ROW:
            InvertSizingLine(false, m_LastMousePoint.y);
            InvertSizingLine(false, point.y);
            break;
        case MOUSE_SIZING_COL:
            InvertSizingLine(true, m_LastMousePoint.x);
            InvertSizingLine(true, point.x);
            break;
        case MOUSE_PREPARE_EDIT:
            // No drag can start without drag and drop: the press stays an edit.
            if (!m_bAllowDragAndDrop)
                break;
            [[fallthrough]];
        case MOUSE_PREPARE_DRAG:
            m_MouseMode = MOUSE_PREPARE_DRAG;
            BeginDrag();
            break;
        default:
            break;
        }
    }
    m_LastMousePoint = point;
}

void CGridCtrl::ShowTipOver(const CCellID& id)
{
    if (!IsValid(id))
        return;
    CGridCellBase* cell = GetCell(id.row, id.col);
    if (!cell)
        return;
    cell->OnMouseOver();
    if (!m_bTitleTips || m_bRMouseButtonDown || cell->IsEditing())
        return;
    LPCWSTR tip = cell->GetTipText();
    CRect rect;
    if (!tip || !*tip || !GetCellRect(id, rect))
        return;
    CRect textRect = rect;
    if (!cell->GetTipTextRect(textRect))
        return;
    m_TitleTip.Create(this);
    m_TitleTip.ShowTip(tip, rect, cell->GetFont(), m_crTTipFgClr, m_crTTipBkClr, textRect);
}

bool CGridCtrl::StartSizingColumn(CPoint point)
{
    const int t = m_nResizeCaptureRange;
    int col = m_LeftClickDownCell.col;
    CRect visible;
    GetVisibleNonFixedCellRange(visible);
    if (GetColumnWidth(m_nCols - 1) < t && std::abs(point.x - visible.right) < t)
        col = m_nCols - 1;
    CPoint origin;
    if (!GetCellOrigin(0, col, &origin))
        return false;
    const bool nearLeft = point.x - origin.x < t;
    if (!m_bHiddenColUnhide && (nearLeft || col != m_nCols - 1)) {
        int c = nearLeft ? col - 1 : col;
        while (c >= 0 && GetColumnWidth(c) < 1)
            --c;
        if (c < 0)
            return false;
        col = c;
    } else if (nearLeft && (col != m_nCols - 1 || GetColumnWidth(m_nCols - 1) >= t)) {
        // The divider at the left edge sizes the column on the left.
        if (col == 0)
            return false;
        --col;
    }
    if (!GetCellOrigin(0, col, &origin))
        return false;
    m_MouseMode = MOUSE_SIZING_COL;
    m_LeftClickDownCell.col = col;
    InvertSizingLine(true, point.x);
    CRect client;
    GetClientRect(client);
    CRect clip(origin.x + (m_bAllowZeroColWidth ? 0 : 1), client.top, 0, client.bottom);
    clip.right = clip.left + client.Width() - GetFixedColumnsWidth();
    ClientToScreen(clip);
    ::ClipCursor(clip);
    return true;
}

bool CGridCtrl::StartSizingRow(CPoint point)
{
    const int t = m_nResizeCaptureRange;
    int row = m_LeftClickDownCell.row;
    CRect visible;
    GetVisibleNonFixedCellRange(visible);
    if (GetRowHeight(m_nRows - 1) < t && std::abs(point.y - visible.bottom) < t)
        row = m_nRows - 1;
    CPoint origin;
    if (!GetCellOrigin(row, m_LeftClickDownCell.col, &origin))
        return false;
    const bool nearTop = point.y - origin.y < t;
    if (!m_bHiddenRowUnhide && (nearTop || row != m_nRows - 1)) {
        int r = nearTop ? row - 1 : row;
        while (r >= 0 && GetRowHeight(r) < 1)
            --r;
        if (r < 0)
            return false;
        row = r;
    } else if (nearTop && (row != m_nRows - 1 || GetRowHeight(m_nRows - 1) >= t)) {
        if (row == 0)
            return false;
        --row;
    }
    if (!GetCellOrigin(row, m_LeftClickDownCell.col, &origin))
        return false;
    m_MouseMode = MOUSE_SIZING_ROW;
    m_LeftClickDownCell.row = row;
    InvertSizingLine(false, point.y);
    CRect client;
    GetClientRect(client);
    CRect clip(client.left, origin.y + (m_bAllowZeroRowHeight ? 0 : 1), client.right, 0);
    clip.bottom = clip.top + client.Height() - GetFixedRowsHeight();
    ClientToScreen(clip);
    ::ClipCursor(clip);
    return true;
}

void CGridCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    SetFocus();
    m_LeftClickDownPoint = point;
    m_nDragHeaderCol = -1;
    m_bLMouseButtonDown = TRUE;
    m_LeftClickDownCell = CellFromPoint(point, TRUE);
    if (!IsValid(m_LeftClickDownCell))
        return;
    const CCellID click = m_LeftClickDownCell;
    const bool ctrl = (flags & MK_CONTROL) != 0;
    m_nDragRow = click.row;
    if (!(flags & MK_SHIFT))
        m_SelectionStartCell = click;
    else if (!IsValid(m_SelectionStartCell))
        m_SelectionStartCell = m_idCurrentCell;

    EndFocusCellEdit();
    CGridCellBase* cell = GetCell(click.row, click.col);
    if (cell)
        cell->OnClickDown(GetPointInCell(click, point));

    bool inText = false;
    CRect rect;
    if (cell && GetCellRect(click, rect) && cell->GetTextRect(rect))
        inText = InsideInclusive(rect, point);
    if (click == m_idCurrentCell && !ctrl && inText && IsCellEditable(click)) {
        m_MouseMode = MOUSE_PREPARE_EDIT;
        return;
    }

    if (!IsCellSelected(click)) {
        if (m_MouseMode != MOUSE_OVER_COL_DIVIDE && m_MouseMode != MOUSE_OVER_ROW_DIVIDE)
            SetFocusCell(IsCellFixed(click.row, click.col) ? CCellID() : click);
    } else {
        SetFocusCell(click);
        if (ctrl) {
            // Ctrl on a selected cell takes the range back out of the selection.
            SetFocusCell(click);
            if (m_bListMode)
                SelectRows(click, FALSE, FALSE);
            else
                SelectCells(click, FALSE, FALSE);
            return;
        }
        if (m_bAllowDragAndDrop)
            m_MouseMode = MOUSE_PREPARE_DRAG;
    }

    SetCapture();
    if (m_MouseMode == MOUSE_NOTHING) {
        if (m_bAllowColResize && IsOverColumnDivider(point)) {
            SetCursorTo(IDC_SIZEWE);
            m_MouseMode = MOUSE_OVER_COL_DIVIDE;
        } else if (m_bAllowRowResize && IsOverRowDivider(point)) {
            SetCursorTo(IDC_SIZENS);
            m_MouseMode = MOUSE_OVER_ROW_DIVIDE;
        }
    }

    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE || m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        const bool started = m_MouseMode == MOUSE_OVER_COL_DIVIDE ? StartSizingColumn(point) : StartSizingRow(point);
        if (!started) {
            // Nothing can be sized here: leave no mode or capture behind.
            m_MouseMode = MOUSE_NOTHING;
            ::ReleaseCapture();
        }
    } else if (m_MouseMode != MOUSE_PREPARE_DRAG) {
        NotifyParent(click.row, click.col, GRIDN_SELCHANGING);
        m_PrevSelectedCells.clear();
        if (ctrl)
            KeepSelectionAsPrevious();
        CCellID clicked = click;
        if (click.row < m_nFixedRows) {
            OnFixedRowClick(clicked);
            if (m_bAllowColumnDrag && click.col >= m_nFixedCols) {
                ResetSelectedRange();
                m_MouseMode = MOUSE_PREPARE_DRAG;
                m_nDragHeaderCol = click.col;
            }
        } else if (click.col < m_nFixedCols) {
            OnFixedColumnClick(clicked);
        } else {
            m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
            OnSelecting(click);
            m_nTimerID = SetTimer(GRID_AUTOSCROLL_TIMER, m_nAutoScrollPeriod);
        }
    }
    m_LastMousePoint = point;
}

void CGridCtrl::OnLButtonUp(UINT flags, CPoint point)
{
    CWnd::OnLButtonUp(flags, point);
    m_bLMouseButtonDown = FALSE;
    ::ClipCursor(nullptr);
    // Our own release is no capture loss: the mode is finished here.
    const int mode = m_MouseMode;
    m_MouseMode = MOUSE_NOTHING;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    // The auto-scroll ends with the press, whoever holds the capture now.
    if (m_nTimerID) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }

    const CCellID click = m_LeftClickDownCell;
    const CPoint inFocusCell = GetPointInCell(m_idCurrentCell, point);
    switch (mode) {
    case MOUSE_PREPARE_EDIT:
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, inFocusCell, VK_LBUTTON);
        break;
    case MOUSE_PREPARE_DRAG:
        if (CGridCellBase* cell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
            cell->OnClick(inFocusCell);
        if (IsValid(click)) {
            NotifyParent(click.row, click.col, GRIDN_CLICK);
            NotifyParent(click.row, click.col, GRIDN_SELCHANGING);
        }
        ResetSelectedRange();
        SetFocusCell(-1, -1);
        NotifyParent(m_idCurrentCell.row, m_idCurrentCell.col, GRIDN_SELCHANGED);
        break;
    case MOUSE_SIZING_COL:
    case MOUSE_SIZING_ROW: {
        const bool col = mode == MOUSE_SIZING_COL;
        InvertSizingLine(col, col ? m_LastMousePoint.x : m_LastMousePoint.y);
        if (point == m_LeftClickDownPoint || (point.x == 0 && point.y == 0))
            break;
        CCellID owner = GetMergeOwnerCell(click.row, click.col);
        if (!IsValid(owner))
            owner = click;
        CPoint origin;
        if (!GetCellOrigin(owner.row, owner.col, &origin))
            break;
        // The whole merged block takes the dragged size; only the owner's
        // column (row) changes, and never below the smallest allowed size.
        const int least = (col ? m_bAllowZeroColWidth : m_bAllowZeroRowHeight) ? 0 : 1;
        if (col) {
            const int block = std::max<int>(point.x - origin.x, least);
            SetColumnWidth(owner.col, std::max(block - (GetMergedWidth(owner.row, owner.col) - GetColumnWidth(owner.col)), least));
        } else {
            const int block = std::max<int>(point.y - origin.y, least);
            SetRowHeight(owner.row, std::max(block - (GetMergedHeight(owner.row, owner.col) - GetRowHeight(owner.row)), least));
        }
        ResetScrollBars();
        Invalidate(TRUE);
        break;
    }
    default:
        if (!IsValid(click))
            break;
        NotifyParent(click.row, click.col, GRIDN_SELCHANGED);
        if (CGridCellBase* cell = GetCell(click.row, click.col))
            cell->OnClick(GetPointInCell(click, point));
        NotifyParent(click.row, click.col, GRIDN_CLICK);
        break;
    }

    SetCursorTo(IDC_ARROW);
    if (IsValid(click)) {
        HWND receiver = ::GetWindow(m_hWnd, GW_OWNER);
        if (!receiver)
            receiver = ::GetParent(m_hWnd);
        if (receiver)
            ::PostMessageW(receiver, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), reinterpret_cast<LPARAM>(m_hWnd));
    }
}

void CGridCtrl::OnLButtonDblClk(UINT flags, CPoint point)
{
    const CCellID id = CellFromPoint(point, TRUE);
    if (!IsValid(id))
        return;
    const int t = m_nResizeCaptureRange;
    CPoint origin;
    if (m_MouseMode == MOUSE_OVER_COL_DIVIDE) {
        if (GetCellOrigin(0, id.col, &origin)) {
            int c = point.x - origin.x < t ? id.col - 1 : id.col;
            while (c > 0 && GetColumnWidth(c) <= 0)
                --c;
            if (c >= 0)
                AutoSizeColumn(c, m_nAutoSizeStyle, TRUE);
            Invalidate(TRUE);
        }
    } else if (m_MouseMode == MOUSE_OVER_ROW_DIVIDE) {
        if (GetCellOrigin(id.row, 0, &origin)) {
            int r = point.y - origin.y < t ? id.row - 1 : id.row;
            while (r > 0 && GetRowHeight(r) <= 0)
                --r;
            if (r >= 0)
                AutoSizeRow(r, TRUE);
            Invalidate(TRUE);
        }
    } else if (m_MouseMode == MOUSE_NOTHING) {
        CGridCellBase* cell = GetCell(id.row, id.col);
        CRect rect;
        if (cell && !IsCellFixed(id.row, id.col) && GetCellRect(id, rect) && cell->GetTextRect(rect) &&
            InsideInclusive(rect, point))
            OnEditCell(id.row, id.col, point, VK_LBUTTON);
        if (CGridCellBase* again = GetCell(id.row, id.col))
            again->OnDblClick(GetPointInCell(id, point));
        NotifyParent(id.row, id.col, GRIDN_DBLCLK);
    }
    CWnd::OnLButtonDblClk(flags, point);
}

void CGridCtrl::OnRButtonUp(UINT flags, CPoint point)
{
    CWnd::OnRButtonUp(flags, point);
    m_bRMouseButtonDown = FALSE;
    EndFocusCellEdit();
    const CCellID id = CellFromPoint(point, TRUE);
    if (!IsValid(id)) {
        NotifyParent(-1, -1, GRIDN_RCLICK);
        return;
    }
    SetFocusCell(-1, -1);
    SetFocusCell(std::max<int>(id.row, m_nFixedRows), std::max<int>(id.col, m_nFixedCols));
    if (CGridCellBase* cell = GetCell(id.row, id.col))
        cell->OnRClick(GetPointInCell(id, point));
    NotifyParent(id.row, id.col, GRIDN_RCLICK);
}
