#include "CTillpad.h"

#include <cstdlib>
#include <iterator>

#include "CBoardSetDlg.h"
#include "CKeyCell.h"
#include "EcrWndNo.h"
#include "KeyboardResources.h"

namespace {

// The default cell's font: "MS UI Gothic", 11 pixels.
LOGFONTW KeyMapFont()
{
    LOGFONTW font = {};
    font.lfHeight = -11;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = ANSI_CHARSET;
    font.lfOutPrecision = OUT_STROKE_PRECIS;
    font.lfClipPrecision = CLIP_STROKE_PRECIS;
    font.lfQuality = DRAFT_QUALITY;
    font.lfPitchAndFamily = 0x32;  // variable pitch, modern family
    ::lstrcpynW(font.lfFaceName, L"MS UI Gothic", LF_FACESIZE);
    return font;
}

// A font with its height taken from one zoom to another.
LOGFONTW ZoomFont(const LOGFONTW& font, int from, int to)
{
    LOGFONTW zoomed = font;
    zoomed.lfHeight = CTillpad::ZoomSize(font.lfHeight, from, to);
    return zoomed;
}

} // namespace

BEGIN_MESSAGE_MAP(CTillpad, CEcrDialog)
    ON_BN_CLICKED(IDC_KB_PRINT, &CTillpad::OnPrint)
    ON_BN_CLICKED(IDC_KB_JOIN, &CTillpad::OnJoin)
    ON_BN_CLICKED(IDC_KB_SEPARATION, &CTillpad::OnSeparation)
    ON_BN_CLICKED(IDC_KB_CLOSE, &CTillpad::OnClose)
    ON_NOTIFY(KEYLISTN_CLICK, IDC_KB_LIST, &CTillpad::OnKeyListClick)
    ON_BN_CLICKED(IDC_KB_SETTING, &CTillpad::OnSetting)
    ON_BN_CLICKED(IDC_KB_SAVE, &CTillpad::OnSave)
    ON_BN_CLICKED(IDC_KB_LOAD, &CTillpad::OnLoad)
    ON_COMMAND_RANGE(ID_KB_FORECOLOR, ID_KB_FONT, &CTillpad::OnCellColorFont)
    ON_CBN_SELCHANGE(IDC_KB_ZOOM, &CTillpad::OnZoomChange)
END_MESSAGE_MAP()

CTillpad::CTillpad() : CEcrDialog(IDD_KEYBOARD_DIALOG, WNDNO_KEYBOARD, nullptr)
{
    SetUpKeyMap(KeyMap);
}

int CTillpad::ZoomSize(int size, int from, int to)
{
    if (from <= 0)
        return size;
    const int at100 = static_cast<int>(std::abs(size) / static_cast<double>(from) * 100 + 0.5);
    const int zoomed = static_cast<int>(at100 / 100.0 * to + 0.5);
    return size < 0 ? -zoomed : zoomed;
}

void CTillpad::SetUpKeyMap(CGridCtrl& grid)
{
    grid.SetListMode(FALSE);
    grid.SetSingleRowSelection(TRUE);
    grid.EnableSelection(TRUE);
    grid.EnableDragAndDrop(FALSE);
    grid.SetRowResize(FALSE);
    grid.SetColumnResize(FALSE);
    grid.SetSortOnHeaderClick(FALSE);
    grid.SetHandleTabKey(TRUE);
    grid.SetDoubleBuffering(FALSE);
    grid.EnableTitleTips(FALSE);
    grid.SetEditable(FALSE);
    grid.SetCellType<CKeyCell>();

    CGridCellBase* cell = grid.GetDefaultCell(FALSE, FALSE);
    cell->SetBackClr(RGB(255, 255, 224));
    cell->SetFormat(DT_WORDBREAK | DT_EDITCONTROL);
    const LOGFONTW font = KeyMapFont();
    cell->SetFont(&font);
}

void CTillpad::DoDataExchange(CDataExchange* dx)
{
    CEcrDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_KB_LIST, KeyList);
    DDX_Control(dx, IDC_KB_MAP, KeyMap);
    DDX_Control(dx, IDC_KB_JOIN, JoinButton);
    DDX_Control(dx, IDC_KB_SEPARATION, SeparationButton);
    DDX_Control(dx, IDC_KB_PRINT, PrintButton);
    DDX_Control(dx, IDC_KB_SAVE, SaveButton);
    DDX_Control(dx, IDC_KB_CLOSE, CloseButton);
    DDX_Control(dx, IDC_KB_SETTING, SettingButton);
    DDX_Control(dx, IDC_KB_LOAD, LoadButton);
    DDX_Control(dx, IDC_KB_ZOOM, ZoomBox);
    DDX_Control(dx, IDC_KB_ZOOM_LABEL, ZoomLabel);
}

BOOL CTillpad::OnInitDialog()
{
    CEcrDialog::OnInitDialog();
    // A template cannot list a combo box's entries: they follow the steps.
    ZoomBox.ResetContent();
    for (int step : kZoomSteps) {
        CString text;
        text.Format(L"%d%%", step);
        ZoomBox.AddString(text);
    }
    ZoomBox.SetCurSel(0);
    Zoom = kZoomSteps[0];
    return TRUE;
}

BOOL CTillpad::LayoutChild(CWnd* child, const int delta[2])
{
    // The controls of the top right keep to the right edge, at their height.
    const HWND hWnd = child->m_hWnd;
    if (hWnd != SettingButton.m_hWnd && hWnd != ZoomBox.m_hWnd && hWnd != ZoomLabel.m_hWnd)
        return FALSE;
    CRect rect;
    child->GetWindowRect(&rect);
    ScreenToClient(&rect);
    rect.OffsetRect(delta[0], 0);
    child->MoveWindow(&rect, FALSE);
    return TRUE;
}

BOOL CTillpad::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
        // The dialog manager never sees these keys: they neither press the
        // default button nor close the screen.
        ::TranslateMessage(msg);
        ::DispatchMessageW(msg);
        return TRUE;
    }
    if (msg->message == WM_RBUTTONDOWN && CellPopup) {
        ShowCellPopup(*msg);
        // Past the caption editor's right click.
        return CDialog::PreTranslateMessage(msg);
    }
    return CEcrDialog::PreTranslateMessage(msg);
}

void CTillpad::ShowCellPopup(const MSG& msg)
{
    if (KeyMap.GetSelectedCount() == 0)
        return;
    CPoint point = msg.pt;
    KeyMap.ScreenToClient(&point);
    const CCellID cell = KeyMap.GetCellFromPt(point, TRUE);
    RClickRow = cell.row;
    RClickCol = cell.col;
    if (cell.row < 0 || cell.col < 0)
        return;
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    ::AppendMenuW(menu, MF_STRING, ID_KB_FORECOLOR, L"ForeColor Setting");
    ::AppendMenuW(menu, MF_STRING, ID_KB_BACKCOLOR, L"BackColor Setting");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, ID_KB_FONT, L"Font Setting");
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, msg.pt.x, msg.pt.y, 0, m_hWnd, nullptr);
}

void CTillpad::AssignKey(int*)
{
}

void CTillpad::OnKeyListClick(NMHDR* header, LRESULT* result)
{
    auto* notify = reinterpret_cast<S_GRID_NOTIFY*>(header);
    int row = notify->iRow;
    if (row >= 0)
        AssignKey(&row);
    *result = 0;
}

void CTillpad::OnClose()
{
    PostEcrMessage(WM_ECR_SHOW_WINDOW, WNDNO_SELECT, 0);
}

void CTillpad::OnJoin()
{
    const CCellRange range = KeyMap.GetSelectedRange();
    if (range.IsValid() && (range.m_nMaxCol > range.m_nMinCol || range.m_nMaxRow > range.m_nMinRow))
        KeyMap.MergeCells(range.m_nMinRow, range.m_nMinCol, range.m_nMaxRow, range.m_nMaxCol);
}

void CTillpad::OnSeparation()
{
    const CCellRange range = KeyMap.GetSelectedRange();
    if (range.IsValid())
        KeyMap.UnmergeCells(range.m_nMinRow, range.m_nMinCol, range.m_nMaxRow, range.m_nMaxCol);
}

void CTillpad::OnZoomChange()
{
    const int selected = ZoomBox.GetCurSel();
    const int zoom = selected >= 0 && selected < static_cast<int>(std::size(kZoomSteps)) ? kZoomSteps[selected]
                                                                                          : kZoomSteps[0];
    const int rows = KeyMap.GetRowCount();
    const int cols = KeyMap.GetColumnCount();
    // One scroll-bar update and one repaint at the end, not one per size.
    KeyMap.SetRedraw(FALSE);
    for (int c = 0; c < cols; ++c) {
        const int width = ZoomSize(KeyMap.GetColumnWidth(c), Zoom, zoom);
        if (width >= 0)
            KeyMap.SetColumnWidth(c, width);
        if (c == 0)
            for (int r = 0; r < rows; ++r) {
                const int height = ZoomSize(KeyMap.GetRowHeight(r), Zoom, zoom);
                if (height >= 0)
                    KeyMap.SetRowHeight(r, height);
            }
    }
    // Cells on the default font follow the default cell; only cells with a
    // font of their own get one back. A font for every cell would take one
    // GDI object per key (10,000 on a full board, the per-process limit).
    if (!KeyMap.GetVirtualMode()) {
        CGridCellBase* def = KeyMap.GetDefaultCell(FALSE, FALSE);
        const LOGFONTW defFont = ZoomFont(*def->GetFont(), Zoom, zoom);
        def->SetFont(&defFont);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                CGridCellBase* cell = KeyMap.GetCell(r, c);
                if (cell && !cell->IsDefaultFont()) {
                    const LOGFONTW font = ZoomFont(*cell->GetFont(), Zoom, zoom);
                    cell->SetFont(&font);
                }
            }
    }
    Zoom = zoom;
    KeyMap.SetRedraw(TRUE, TRUE);
}

void CTillpad::OnSetting()
{
    CBoardSetDlg dialog;
    dialog.ColumnCount = KeyMap.GetColumnCount();
    dialog.RowCount = KeyMap.GetRowCount();
    dialog.CellWidth = dialog.ColumnCount > 0 ? ZoomSize(KeyMap.GetColumnWidth(0), Zoom, 100) : -1;
    dialog.CellHeight = dialog.RowCount > 0 ? ZoomSize(KeyMap.GetRowHeight(0), Zoom, 100) : -1;
    dialog.Header = KeyMap.GetPrintHeaderText();
    dialog.Footer = KeyMap.GetPrintFooterText();
    KeyMap.GetPrintMargins(dialog.TopMargin, dialog.BottomMargin, dialog.LeftMargin, dialog.RightMargin);
    if (dialog.DoModal() != IDOK)
        return;

    KeyMap.SetPrintHeaderText(dialog.Header);
    KeyMap.SetPrintFooterText(dialog.Footer);
    KeyMap.SetPrintMargins(dialog.TopMargin, dialog.BottomMargin, dialog.LeftMargin, dialog.RightMargin);
    KeyMap.SetRedraw(FALSE);
    KeyMap.SetColumnCount(dialog.ColumnCount);
    KeyMap.SetRowCount(dialog.RowCount);
    const int width = ZoomSize(dialog.CellWidth, 100, Zoom);
    const int height = ZoomSize(dialog.CellHeight, 100, Zoom);
    if (width >= 0)
        for (int c = 0; c < KeyMap.GetColumnCount(); ++c)
            KeyMap.SetColumnWidth(c, width);
    if (height >= 0)
        for (int r = 0; r < KeyMap.GetRowCount(); ++r)
            KeyMap.SetRowHeight(r, height);
    KeyMap.SetRedraw(TRUE, TRUE);
}

void CTillpad::OnCellColorFont(UINT id)
{
    const CCellRange range = KeyMap.GetSelectedRange();
    CGridCellBase* first = range.IsValid() ? KeyMap.GetCell(range.m_nMinRow, range.m_nMinCol) : nullptr;
    if (!first)
        return;
    COLORREF colour = 0;
    LOGFONTW font = {};
    if (id == ID_KB_FONT) {
        font = ZoomFont(*first->GetFont(), Zoom, 100);
        CFontDialog dialog(&font, CF_SCREENFONTS | CF_EFFECTS, nullptr, this);
        if (dialog.DoModal() != IDOK)
            return;
        dialog.GetCurrentFont(&font);
        font = ZoomFont(font, 100, Zoom);
    } else {
        CColorDialog dialog(id == ID_KB_FORECOLOR ? first->GetTextClr() : first->GetBackClr(), 0, this);
        if (dialog.DoModal() != IDOK)
            return;
        colour = dialog.GetColor();
    }
    if (KeyMap.GetVirtualMode())
        return;
    for (int c = range.m_nMinCol; c <= range.m_nMaxCol; ++c)
        for (int r = range.m_nMinRow; r <= range.m_nMaxRow; ++r) {
            if (!(KeyMap.GetItemState(r, c) & GRIDCELL_SELECTED))
                continue;
            if (id == ID_KB_FORECOLOR)
                KeyMap.SetItemFgColour(r, c, colour);
            else if (id == ID_KB_BACKCOLOR)
                KeyMap.SetItemBkColour(r, c, colour);
            else
                KeyMap.SetItemFont(r, c, &font);
            KeyMap.RedrawCell(r, c);
        }
}

void CTillpad::PrintKeyboard()
{
    CGridCtrl print;
    SetUpKeyMap(print);
    if (!print.Create(CRect(0, 0, 0, 0), this))
        return;
    const int rows = KeyMap.GetRowCount();
    const int cols = KeyMap.GetColumnCount();
    print.SetColumnCount(cols);
    print.SetRowCount(rows);
    print.SetFixedRowCount(0);
    print.SetFixedColumnCount(0);
    for (int c = 0; c < cols; ++c)
        print.SetColumnWidth(c, ZoomSize(KeyMap.GetColumnWidth(c), Zoom, 100));
    for (int r = 0; r < rows; ++r)
        print.SetRowHeight(r, ZoomSize(KeyMap.GetRowHeight(r), Zoom, 100));

    // Cells on the key map's default font print on the printing grid's
    // default font; only their own fonts are copied.
    const LOGFONTW defFont = ZoomFont(*KeyMap.GetDefaultCell(FALSE, FALSE)->GetFont(), Zoom, 100);
    print.GetDefaultCell(FALSE, FALSE)->SetFont(&defFont);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            CGridCellBase* cell = KeyMap.GetCell(r, c);
            if (!cell)
                continue;
            S_GRID_ITEM item{};
            item.row = r;
            item.col = c;
            item.mask = GRIDITEM_TEXT | GRIDITEM_BKCLR | GRIDITEM_FGCLR;
            item.strText = cell->GetText();
            item.crBkClr = cell->GetBackClr();
            item.crFgClr = cell->GetTextClr();
            if (!cell->IsDefaultFont()) {
                item.mask |= GRIDITEM_FONT;
                item.lfFont = ZoomFont(*cell->GetFont(), Zoom, 100);
            }
            print.SetItem(&item);
        }
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const CCellRange block = KeyMap.GetOwnedBlock(r, c);
            if (block.IsValid() && block.Count() > 1)
                print.MergeCells(block);
        }

    print.SetPrintHeaderText(KeyMap.GetPrintHeaderText());
    print.SetPrintFooterText(KeyMap.GetPrintFooterText());
    int top, bottom, left, right;
    KeyMap.GetPrintMargins(top, bottom, left, right);
    print.SetPrintMargins(top, bottom, left, right);
    print.SetWysiwygPrinting(TRUE);
    print.Print();
    print.DestroyWindow();
}
