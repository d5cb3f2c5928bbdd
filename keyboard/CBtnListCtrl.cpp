#include "CBtnListCtrl.h"

#include <string>

#include "AtomicFile.h"
#include "CaptionText.h"
#include "KeyboardResources.h"

namespace {

// One flag for all key lists: sizing re-enters through the scroll bars.
bool g_bListSizing = false;

// "r/g/b" of a colour.
CString ColourText(COLORREF colour)
{
    CString text;
    text.Format(L"%d/%d/%d", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CBtnListCtrl, CGridCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_SIZE()
    ON_WM_RBUTTONDOWN()
    ON_COMMAND_RANGE(ID_KL_FORECOLOR, ID_KL_BACKCOLOR, &CBtnListCtrl::OnColourCommand)
    ON_COMMAND(ID_KL_SAVELIST, &CBtnListCtrl::OnSaveListCommand)
END_MESSAGE_MAP()

CBtnListCtrl::CBtnListCtrl()
{
    // Grid lines, drawing and selection stay as the grid starts them.
    SetEditable(FALSE);
    SetRowResize(FALSE);
    SetColumnResize(FALSE);
    SetHandleTabKey(FALSE);
    EnableTitleTips(FALSE);
    SetGridBkColor(RGB(255, 255, 255));
}

BOOL CBtnListCtrl::InitList()
{
    try {
        if (!SetColumnCount(2) || !SetFixedRowCount(0) || !SetFixedColumnCount(1))
            return FALSE;
    } catch (CMemoryException* e) {
        e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
        return FALSE;
    }
    if (GetColumnCount() > 1) {
        SetColumnWidth(1, 0);
        ResetScrollBars();
    }
    return TRUE;
}

int CBtnListCtrl::FillList(const CStringArray& names)
{
    const int count = static_cast<int>(names.GetSize());
    if (count == 0)
        return 0;
    try {
        if (!SetRowCount(count))
            return 0;
        for (int i = 0; i < count; ++i) {
            S_GRID_ITEM item{};
            item.mask = GRIDITEM_TEXT | GRIDITEM_BKCLR | GRIDITEM_FGCLR | GRIDITEM_FORMAT;
            item.row = i;
            item.col = 0;
            item.strText = names[i];
            item.crBkClr = RGB(255, 255, 255);
            item.crFgClr = RGB(0, 0, 0);
            item.nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
            SetItem(&item);
        }
    } catch (CMemoryException* e) {
        e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
        return 0;
    }
    AutoSizeRows();
    FitListColumn();
    ResetListScrollBars();
    // The vertical bar, when it came, took room from the names: fit again,
    // keeping the name column 2 pixels inside the client area as before.
    if (IsVScrollBarShown())
        FitListColumn();
    return GetRowCount();
}

void CBtnListCtrl::FitListColumn()
{
    FitColumnsToWidth();
    const int total = GetTotalWidth();
    SetColumnWidth(0, total < 3 ? 1 : total - 2);
    ResetScrollBars();
}

void CBtnListCtrl::ResetListScrollBars()
{
    if (!GetAllowDraw() || !::IsWindow(m_hWnd))
        return;
    CRect client;
    GetClientRect(client);
    client.left += GetFixedColumnsWidth();
    client.top += GetFixedRowsHeight();
    if (client.IsRectEmpty())
        return;

    SCROLLINFO page = {};
    page.cbSize = sizeof page;
    page.fMask = SIF_PAGE;
    page.nPage = static_cast<UINT>(client.Height());
    ::SetScrollInfo(m_hWnd, SB_VERT, &page, FALSE);

    const int body = GetTotalHeight() - GetFixedRowsHeight();
    m_nVScrollMax = body > client.Height() ? body - 1 : 0;
    m_nHScrollMax = 0;
    ::SetScrollRange(m_hWnd, SB_VERT, 0, m_nVScrollMax, TRUE);
    ::SetScrollRange(m_hWnd, SB_HORZ, 0, 0, TRUE);
    // Keep the grid's own record of which bars show in step with the window.
    m_nBarState = (m_nVScrollMax > 0 ? 0x2u : 0u);
}

void CBtnListCtrl::OnLButtonDown(UINT flags, CPoint point)
{
    CGridCtrl::OnLButtonDown(flags, point);
    SetFocusCell(CellFromPoint(point, TRUE));
}

void CBtnListCtrl::OnLButtonUp(UINT flags, CPoint point)
{
    CGridCtrl::OnLButtonUp(flags, point);
    NotifyParent(GetFocusCell().row, 0, KEYLISTN_CLICK);
    // The list keeps no selection: every click starts from a clear list.
    ResetSelectedRange();
    SetFocusCell(-1, -1);
}

void CBtnListCtrl::OnSize(UINT type, int cx, int cy)
{
    if (g_bListSizing || !::IsWindow(m_hWnd))
        return;
    g_bListSizing = true;
    SetFocus();
    CGridCtrl::OnSize(type, cx, cy);
    ResetListScrollBars();
    FitListColumn();
    g_bListSizing = false;
}

void CBtnListCtrl::OnRButtonDown(UINT flags, CPoint point)
{
    if (ListPopup) {
        CCellID cell = CellFromPoint(point, TRUE);
        RClickRow = cell.row;
        RClickCol = cell.col;
        if (cell.row >= 0 && cell.col >= 0) {
            CMenu menu;
            if (menu.CreatePopupMenu()) {
                ::AppendMenuW(menu, MF_STRING, ID_KL_FORECOLOR, L"ForeColor Setting");
                ::AppendMenuW(menu, MF_STRING, ID_KL_BACKCOLOR, L"BackColor Setting");
                if (!ListFilePath.IsEmpty()) {
                    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
                    ::AppendMenuW(menu, MF_STRING, ID_KL_SAVELIST, L"Save List");
                }
                CPoint screen = point;
                ClientToScreen(&screen);
                ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, m_hWnd, nullptr);
            }
        }
    }
    CWnd::OnRButtonDown(flags, point);
    m_bRMouseButtonDown = TRUE;
}

void CBtnListCtrl::OnColourCommand(UINT id)
{
    CGridCellBase* cell = GetCell(RClickRow, RClickCol);
    if (!cell || GetVirtualMode())
        return;
    const bool text = id == ID_KL_FORECOLOR;
    CColorDialog dialog(text ? cell->GetTextClr() : cell->GetBackClr(), 0, this);
    if (dialog.DoModal() != IDOK)
        return;
    if (text)
        cell->SetTextClr(dialog.GetColor());
    else
        cell->SetBackClr(dialog.GetColor());
    RedrawCell(RClickRow, RClickCol);
}

void CBtnListCtrl::OnSaveListCommand()
{
    if (AfxMessageBox(L"Is it good though overwrites?", MB_OKCANCEL) == IDOK)
        SaveList(ListFilePath);
}

BOOL CBtnListCtrl::SaveList(LPCWSTR path)
{
    std::wstring text = L"\xFEFF";
    for (int r = 0; r < GetRowCount(); ++r) {
        CGridCellBase* cell = GetCell(r, 0);
        CString line;
        line.Format(L"\"%s\",%s,%s\r\n", GetItemText(r, 0).GetString(),
                    ColourText(cell ? cell->GetTextClr() : 0).GetString(),
                    ColourText(cell ? cell->GetBackClr() : 0).GetString());
        text += line.GetString();
    }
    // A failed write leaves the old list whole and is told, naming the file.
    if (AtomicFile::Write(path, text.data(), text.size() * sizeof(wchar_t)))
        return TRUE;
    AfxMessageBox(WriteFailureText(path, ::GetLastError()), MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}
