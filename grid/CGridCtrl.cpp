// CGridCtrl: model and notifications, construction and window.
#include "CGridCtrl.h"

#include <ole2.h>

#include "ole.h"

#include <cstring>
#include <new>

#include "app.h"
#include "cmdui.h"
#include "msgbox.h"

namespace {

// Process-wide guards (UI thread only): they stop nesting, not parallel use.
bool g_bSubclassing = false;
bool g_bCreating = false;
bool g_bSizing = false;

// Virtual mode's record and cell, shared by every grid of the process.
S_GRID_DISPINFO g_dispInfo;
CGridCell* g_pVirtualCell = nullptr;
LOGFONTW g_virtualFont;
bool g_virtualFontSet = false;

thread_local bool t_oleInitialised = false;

} // namespace

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_DESTROY()
    ON_WM_CAPTURECHANGED()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_SETCURSOR()
    ON_MESSAGE(WM_SETFONT, &CGridCtrl::OnSetFont)
    ON_MESSAGE(WM_GETFONT, &CGridCtrl::OnGetFont)
    ON_MESSAGE(WM_PRINTCLIENT, &CGridCtrl::OnPrintClient)
    ON_WM_GETDLGCODE()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_MESSAGE(WM_IME_CHAR, &CGridCtrl::OnImeChar)
    ON_WM_TIMER()
    ON_WM_MOUSEWHEEL()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_NOTIFY(GRIDN_ENDEDIT, GRID_INPLACE_ID, &CGridCtrl::OnEndInPlaceEditNotify)
    ON_CONTROL(GRIDN_INPLACE_COMMAND, GRID_INPLACE_ID, &CGridCtrl::OnInPlaceCommand)
    ON_COMMAND(ID_EDIT_CUT, &CGridCtrl::OnEditCutCmd)
    ON_COMMAND(ID_EDIT_COPY, &CGridCtrl::OnEditCopyCmd)
    ON_COMMAND(ID_EDIT_PASTE, &CGridCtrl::OnEditPasteCmd)
    ON_COMMAND(ID_EDIT_SELECT_ALL, &CGridCtrl::OnEditSelectAllCmd)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, &CGridCtrl::OnUpdateEditCmd)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, &CGridCtrl::OnUpdateEditCmd)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, &CGridCtrl::OnUpdateEditCmd)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, &CGridCtrl::OnUpdateEditCmd)
END_MESSAGE_MAP()

// ---- Construction ------------------------------------------------

CGridCtrl::CGridCtrl(int nRows, int nCols, int nFixedRows, int nFixedCols)
{
    // The title tip's class, with the arrow cursor.
    WNDCLASSW wc;
    HINSTANCE instance = AfxGetInstanceHandle();
    if (!::GetClassInfoW(instance, TITLETIP_CLASSNAME, &wc)) {
        wc = WNDCLASSW{};
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
        wc.lpszClassName = TITLETIP_CLASSNAME;
        if (!::RegisterClassW(&wc))
            AfxThrowResourceException();
    }
    m_rectPrint.SetRectEmpty();
    RegisterGridClass();

    // OLE serves the clipboard and drag and drop; once per thread.
    if (!t_oleInitialised) {
        HRESULT hr = ::OleInitialize(nullptr);
        if (SUCCEEDED(hr))
            t_oleInitialised = true;
        else
            AfxMessageBox(L"OLE initialization failed. Make sure that the OLE libraries are the correct version", MB_OK);
    }

    m_crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_crWindowColour = ::GetSysColor(COLOR_WINDOW);
    m_cr3DFace = ::GetSysColor(COLOR_BTNFACE);
    m_crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_nWheelLines = GetWheelScrollLines();

    CGridDefaultCell* defaults[] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef};
    for (CGridDefaultCell* def : defaults) {
        def->SetGrid(this);
        def->SetTextClr(m_crWindowText);
        def->SetBackClr(def == &m_cellDefault ? m_crWindowColour : m_cr3DFace);
    }
    m_crGridBkColour = m_crShadow;

    SetRowCount(nRows);
    SetColumnCount(nCols);
    SetFixedRowCount(nFixedRows);
    SetFixedColumnCount(nFixedCols);
}

CGridCtrl::~CGridCtrl()
{
    // A running edit ends before anything goes; from here on no editor
    // notification or virtual-mode request is acted on.
    if (!m_bDestroying)
        EndFocusCellEdit();
    m_bDestroying = true;
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    DeleteAllCells();
    m_TitleTip.DestroyWindow();
    // Copied text stays on the clipboard after the grid (and program) is gone.
    COleDataSource::FlushClipboard();
}

BOOL CGridCtrl::RegisterGridClass()
{
    WNDCLASSW wc;
    HINSTANCE instance = AfxGetInstanceHandle();
    if (::GetClassInfoW(instance, GRIDCTRL_CLASSNAME, &wc))
        return TRUE;
    wc = WNDCLASSW{};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = GRIDCTRL_CLASSNAME;
    if (!::RegisterClassW(&wc))
        AfxThrowResourceException();
    return TRUE;
}

BOOL CGridCtrl::Create(const RECT& rect, CWnd* parent, UINT id, DWORD style)
{
    g_bCreating = true;
    BOOL ok = CWnd::CreateEx(0, GRIDCTRL_CLASSNAME, nullptr, style, rect, parent, id);
    g_bCreating = false;
    if (!ok)
        return FALSE;
    try {
        m_arRowHeights.resize(m_nRows);
        m_arColWidths.resize(m_nCols);
    } catch (const std::bad_alloc&) {
        CMemoryException().ReportError();
        return FALSE;
    }
    for (int& h : m_arRowHeights)
        h = m_cellDefault.GetHeight();
    for (int& w : m_arColWidths)
        w = m_cellDefault.GetWidth();
    return TRUE;
}

void CGridCtrl::PreSubclassWindow()
{
    // Only a control made from a dialog template: Create's own window is
    // attached while it is being created and needs none of this.
    if (g_bSubclassing || g_bCreating)
        return;
    g_bSubclassing = true;
    ModifyStyleEx(0, WS_EX_CLIENTEDGE);
    CRect rect;
    GetWindowRect(rect);
    if (HWND parent = ::GetParent(m_hWnd))
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    // Grow and shrink back so that the new frame takes effect.
    rect.InflateRect(1, 1);
    MoveWindow(rect, TRUE);
    rect.DeflateRect(1, 1);
    MoveWindow(rect, TRUE);
    g_bSubclassing = false;
}

int CGridCtrl::GetWheelScrollLines()
{
    UINT lines = 3;
    if (!::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0))
        lines = 3;
    return lines == WHEEL_PAGESCROLL ? -1 : static_cast<int>(lines);
}

// ---- Window messages ------------------------------------------------

void CGridCtrl::OnSize(UINT type, int cx, int cy)
{
    if (g_bSizing || !::IsWindow(m_hWnd))
        return;
    g_bSizing = true;
    if (!m_DropTarget.IsRegistered())
        m_DropTarget.Register(this);
    EndFocusCellEdit();
    CWnd::OnSize(type, cx, cy);
    ResetScrollBars();
    g_bSizing = false;
}

void CGridCtrl::OnDestroy()
{
    m_DropTarget.Revoke();
    m_TitleTip.HideTip();
    CWnd::OnDestroy();
}

void CGridCtrl::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    CGridDefaultCell* defaults[] = {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef};
    for (CGridDefaultCell* def : defaults) {
        if (def->GetTextClr() == m_crWindowText)
            def->SetTextClr(text);
        // Both stored background colours follow the system: the window colour
        // and the button face of the headers.
        if (def->GetBackClr() == m_crWindowColour)
            def->SetBackClr(window);
        else if (def->GetBackClr() == m_cr3DFace)
            def->SetBackClr(face);
    }
    if (m_crGridBkColour == m_crShadow)
        m_crGridBkColour = ::GetSysColor(COLOR_BTNSHADOW);
    m_crWindowText = text;
    m_crWindowColour = window;
    m_cr3DFace = face;
    m_crShadow = ::GetSysColor(COLOR_BTNSHADOW);
}

void CGridCtrl::OnCaptureChanged(CWnd* wnd)
{
    if (wnd == this || (wnd && wnd->m_hWnd == m_hWnd))
        return;
    if (m_nTimerID) {
        KillTimer(m_nTimerID);
        m_nTimerID = 0;
    }
    // Losing the capture ends whatever the button was doing, so later moves
    // select nothing and typing may open the editor again.
    if (m_MouseMode == MOUSE_SIZING_COL || m_MouseMode == MOUSE_SIZING_ROW)
        InvertSizingLine(m_MouseMode == MOUSE_SIZING_COL,
                         m_MouseMode == MOUSE_SIZING_COL ? m_LastMousePoint.x : m_LastMousePoint.y);
    m_bLMouseButtonDown = FALSE;
    ::ClipCursor(nullptr);
    m_MouseMode = MOUSE_NOTHING;
}

void CGridCtrl::OnInPlaceCommand()
{
    NotifyParent(m_idCurrentCell.row, m_idCurrentCell.col, GRIDN_INPLACE_COMMAND);
}

void CGridCtrl::OnEndInPlaceEditNotify(NMHDR* header, LRESULT* result)
{
    *result = 0;
    if (m_bDestroying || m_bDiscardingEdit)
        return;
    // An edit that ends on a hidden grid ends because the window, or the one
    // holding it, is going (windows are hidden first when destroyed, which
    // takes the focus from the editor). Its text is dropped and the dying
    // parent hears nothing.
    if (!IsWindowVisible())
        return;
    OnEndInPlaceEdit(header, result);
}

// ---- Model and notifications ---------------------------------------

LRESULT CGridCtrl::NotifyParent(int nRow, int nCol, UINT code)
{
    if (!::IsWindow(m_hWnd))
        return 0;
    S_GRID_NOTIFY nm;
    nm.iRow = nRow;
    nm.iColumn = nCol;
    return SendNotify(nm.hdr, code);
}

LRESULT CGridCtrl::NotifyCacheHint(const CCellRange& range)
{
    if (!::IsWindow(m_hWnd))
        return 0;
    S_GRID_CACHEHINT nm;
    nm.range = range;
    return SendNotify(nm.hdr, GRIDN_CACHEHINT);
}

LRESULT CGridCtrl::SendNotify(NMHDR& header, UINT code)
{
    header.hwndFrom = m_hWnd;
    header.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    header.code = code;
    // The owner hears first; a grid without one tells its parent.
    HWND receiver = ::GetWindow(m_hWnd, GW_OWNER);
    if (!receiver)
        receiver = ::GetParent(m_hWnd);
    if (!receiver || !::IsWindow(receiver))
        return 0;
    return ::SendMessageW(receiver, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

CGridDefaultCell* CGridCtrl::PickDefaultCell(BOOL fixedRow, BOOL fixedCol) const
{
    auto* self = const_cast<CGridCtrl*>(this);
    if (fixedRow && fixedCol)
        return &self->m_cellFixedRowColDef;
    if (fixedRow)
        return &self->m_cellFixedRowDef;
    if (fixedCol)
        return &self->m_cellFixedColDef;
    return &self->m_cellDefault;
}

bool CGridCtrl::StoredCellSlot(int nRow, int nCol, CGridCellBase**& slot) const
{
    if (nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols)
        return false;
    if (nRow >= static_cast<int>(m_RowData.size()) || nCol >= static_cast<int>(m_arColOrder.size()))
        return false;
    int stored = m_arColOrder[nCol];
    auto& row = const_cast<std::vector<CGridCellBase*>&>(m_RowData[nRow]);
    if (stored < 0 || stored >= static_cast<int>(row.size()))
        return false;
    slot = &row[stored];
    return true;
}

CGridCellBase* CGridCtrl::GetCell(int nRow, int nCol) const
{
    if (nRow < 0 || nRow >= m_nRows || nCol < 0 || nCol >= m_nCols)
        return nullptr;
    if (!m_bVirtualMode) {
        CGridCellBase** slot = nullptr;
        return StoredCellSlot(nRow, nCol, slot) ? *slot : nullptr;
    }

    auto* self = const_cast<CGridCtrl*>(this);
    const bool fixedRow = nRow < m_nFixedRows;
    const bool fixedCol = nCol < m_nFixedCols;
    CGridDefaultCell* def = PickDefaultCell(fixedRow, fixedCol);
    S_GRID_ITEM& item = g_dispInfo.item;
    item.row = nRow;
    item.col = nCol;
    item.mask = 0xFFFFFFFF;
    item.nState = 0;
    item.nFormat = def->GetFormat();
    item.iImage = def->GetImage();
    item.crBkClr = def->GetBackClr();
    item.crFgClr = def->GetTextClr();
    item.lParam = def->GetData();
    if (const LOGFONTW* lf = def->GetFont())
        item.lfFont = *lf;
    else
        std::memset(&item.lfFont, 0, sizeof item.lfFont);
    item.nMargin = def->GetMargin();
    item.strText.Empty();
    item.nMaxLength = 0;
    if (IsCellSelected(nRow, nCol))
        item.nState |= GRIDCELL_SELECTED;
    if (fixedRow)
        item.nState |= GRIDCELL_FIXED | GRIDCELL_FIXEDROW;
    if (fixedCol)
        item.nState |= GRIDCELL_FIXED | GRIDCELL_FIXEDCOL;
    if (CCellID(nRow, nCol) == m_idCurrentCell)
        item.nState |= GRIDCELL_FOCUSED;

    if (!m_bDestroying) {
        item.row = GetRowOrder(nRow) >= 0 ? GetRowOrder(nRow) : nRow;
        item.col = GetColumnOrder(nCol) >= 0 ? GetColumnOrder(nCol) : nCol;
        if (m_pfnCallback) {
            m_pfnCallback(&g_dispInfo, m_lParamCallback);
        } else if (::IsWindow(m_hWnd)) {
            g_dispInfo.hdr.hwndFrom = m_hWnd;
            g_dispInfo.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
            g_dispInfo.hdr.code = GRIDN_GETDISPINFO;
            HWND receiver = ::GetWindow(m_hWnd, GW_OWNER);
            if (!receiver)
                receiver = ::GetParent(m_hWnd);
            if (receiver && ::IsWindow(receiver))
                ::SendMessageW(receiver, WM_NOTIFY, g_dispInfo.hdr.idFrom, reinterpret_cast<LPARAM>(&g_dispInfo));
        }
        item.row = nRow;
        item.col = nCol;
    }

    if (!g_pVirtualCell)
        g_pVirtualCell = new CGridCell;
    CGridCell* cell = g_pVirtualCell;
    cell->SetState(item.nState);
    cell->SetTextClr(item.crFgClr);
    cell->SetBackClr(item.crBkClr);
    cell->SetFormat(item.nFormat);
    cell->SetImage(item.iImage);
    cell->SetData(item.lParam);
    cell->SetMargin(item.nMargin);
    cell->SetText(item.strText);
    // Recreating the font on every call would cost a GDI object per cell:
    // only a changed description makes a new one.
    if (!g_virtualFontSet || std::memcmp(&g_virtualFont, &item.lfFont, sizeof g_virtualFont) != 0) {
        g_virtualFont = item.lfFont;
        g_virtualFontSet = true;
        cell->SetFont(&item.lfFont);
    }
    cell->SetGrid(self);
    return cell;
}

void CGridCtrl::SetVirtualMode(BOOL on)
{
    if ((on != FALSE) == (m_bVirtualMode != FALSE))
        return;
    DeleteAllCells();
    m_bVirtualMode = on;
}

void CGridCtrl::EnableSelection(BOOL enable)
{
    // The flag counts: FALSE deselects everything and turns selecting off.
    ResetSelectedRange();
    m_bEnableSelection = enable;
    ResetSelectedRange();
}

void CGridCtrl::SetGridLines(int mode)
{
    m_nGridLines = mode;
    Refresh();
}

void CGridCtrl::SetListMode(BOOL on)
{
    // Either way the switch starts afresh: no selection, no sort mark, and
    // no column selection from the column headers (set it again afterwards
    // where it is wanted).
    ResetSelectedRange();
    SetSortColumn(-1);
    m_bListMode = on;
    m_bColHeaderSelection = FALSE;
    Refresh();
}

void CGridCtrl::SetRedraw(BOOL allow, BOOL resetScrollBars)
{
    if (allow && !m_bAllowDraw) {
        m_bAllowDraw = TRUE;
        if (resetScrollBars)
            ResetScrollBars();
        Refresh();
    }
    m_bAllowDraw = allow;
}
