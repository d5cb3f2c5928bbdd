#include "CFlexListDlg.h"

#include <cstdio>
#include <cwchar>

#include "CCaptionEditer.h"
#include "CCaptionManagerBase.h"
#include "CCardDlg.h"
#include "CEcrData.h"
#include "EcrDllEntries.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FieldRules.h"
#include "FrameworkResources.h"
#include "FullPathName.h"
#include "ProgramFolder.h"
#include "S_ECR_SETTING.h"
#include "TablesResources.h"

namespace {

constexpr int kPictureLevel = 99;
constexpr int kImportLevel = 98;
constexpr int kSingleTableGridX = 10;  // pixels from the left edge

// The record groups the jump menu offers, in menu order.
struct JumpGroup
{
    int wndNo;
    int titleCaption;  // caption of the function menu (window 16)
    const wchar_t* defaultTitle;
};
const JumpGroup kJumpGroups[] = {
    {WNDNO_DEPT, 1, L"DEPT"},
    {WNDNO_PLU, 2, L"PLU"},
    {WNDNO_CLERK, 3, L"CLERK"},
    {WNDNO_S_MODE, 6, L"S_MODE"},
    {WNDNO_PROG_MODE, 7, L"PROG_MODE"},
};

// Levels are compared without sign: a table of level -1 is seen by everyone.
bool ListedAt(const S_ECR_TABLE& table, int userLevel)
{
    return static_cast<unsigned>(table.Level) >= static_cast<unsigned>(userLevel);
}

bool AutoPopup()
{
    return g_pEcrSetting && g_pEcrSetting->AutoPopup == 1;
}

} // namespace

BEGIN_MESSAGE_MAP(CFlexListDlg, CEcrDialog)
    ON_BN_CLICKED(IDC_FLEX_BACK, &CFlexListDlg::OnBack)
    ON_BN_CLICKED(IDC_FLEX_UPDATE, &CFlexListDlg::CommitTable)
    ON_LBN_SELCHANGE(IDC_FLEX_TABLES, &CFlexListDlg::ShowTable)
    ON_LBN_DBLCLK(IDC_FLEX_TABLES, &CFlexListDlg::OnTableListDblClk)
    ON_BN_CLICKED(IDC_FLEX_SORT, &CFlexListDlg::SortCurrentTable)
    ON_BN_CLICKED(IDC_FLEX_EXPORT, &CFlexListDlg::ExportTableCsv)
    ON_BN_CLICKED(IDC_FLEX_IMPORT, &CFlexListDlg::ImportTableCsv)
    ON_BN_CLICKED(IDC_FLEX_MENU, &CFlexListDlg::ShowJumpMenu)
    ON_COMMAND_RANGE(CFlexListDlg::kJumpBase, CFlexListDlg::kJumpLast, &CFlexListDlg::OnJumpMenuCommand)
    ON_MESSAGE(WM_ECR_OPEN_CARD, &CFlexListDlg::OpenRecordCard)
    ON_MESSAGE(WM_ECR_EDIT_COLUMN_CAPTION, &CFlexListDlg::EditColumnCaption)
    ON_NOTIFY(GRIDN_SELCHANGED, IDC_FLEX_GRID, &CFlexListDlg::OnGridSelChanged)
    ON_NOTIFY(TTN_GETDISPINFOW, 0, &CFlexListDlg::OnColumnToolTipText)
    ON_WM_SIZE()
    ON_CONTROL_RANGE(BN_CLICKED, IDC_FLEX_RADIO_FIRST, IDC_FLEX_RADIO_FIRST + CFlexListDlg::kPictureCount - 1, &CFlexListDlg::OnRadio)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_FLEX_PICTURE_FIRST, IDC_FLEX_PICTURE_FIRST + CFlexListDlg::kPictureCount - 1, &CFlexListDlg::OnPicture)
END_MESSAGE_MAP()

CFlexListDlg::CFlexListDlg(int wndNo) : CEcrDialog(IDD_FLEXLIST_DIALOG, wndNo)
{
    Icon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

void CFlexListDlg::DoDataExchange(CDataExchange* dx)
{
    CEcrDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_FLEX_GRID, m_grid);
    DDX_Control(dx, IDC_FLEX_TABLES, m_tableList);
    DDX_Control(dx, IDC_FLEX_SORT, m_sortButton);
    DDX_Control(dx, IDC_FLEX_UPDATE, m_updateButton);
    DDX_Control(dx, IDC_FLEX_BACK, m_backButton);
    DDX_Control(dx, IDC_FLEX_EXPORT, m_exportButton);
    DDX_Control(dx, IDC_FLEX_IMPORT, m_importButton);
    DDX_Control(dx, IDC_FLEX_MENU, m_menuButton);
    DDX_Control(dx, IDC_FLEX_NAME, m_nameLine);
    for (int i = 0; i < kPictureCount; ++i)
        DDX_Control(dx, IDC_FLEX_PICTURE_FIRST + i, m_pictures[i]);
}

// ---- opening ---------------------------------------------------------------------

BOOL CFlexListDlg::OnInitDialog()
{
    CEcrDialog::OnInitDialog();
    CString title;
    title.Format(L"%s - %s", g_pEcrSetting->EcrName.GetString(), g_pEcrSetting->DataPath.GetString());
    SetWindowText(title);

    BindCaption(&m_sortButton, 1);
    BindCaption(&m_importButton, 9);
    BindCaption(&m_updateButton, 2);
    BindCaption(&m_backButton, 3);
    BindCaption(&m_exportButton, 4);
    BindCaption(&m_menuButton, 10);

    m_exportButton.ShowWindow(SW_HIDE);

    if (m_columnTip.Create(this)) {
        m_columnTip.SetMaxTipWidth(256);
        m_columnTip.AddTool(&m_grid, LPSTR_TEXTCALLBACKW);
        m_columnTip.Activate(FALSE);
    }

    m_pData = GetEcrDataFromWndNo(WndNo);
    if (!m_pData) {
        ShowMessage(5, L"There is no pertinent data", MB_OK);
        PostEcrMessage(WM_ECR_SHOW_WINDOW, WNDNO_SELECT, 0);
        return TRUE;
    }
    if (!m_pData->Loaded) {
        const BOOL read = m_pData->LoadData(nullptr);
        // A file that could not be read whole stays unloaded: say so, and
        // Update stays off so the file is never written over.
        if (!m_pData->Loaded)
            ShowMessage(11, L"The data file could not be read completely.\nUpdate is disabled so that the file is kept as it is.",
                        MB_OK | MB_ICONEXCLAMATION);
        else if (!read)
            TellIfFileMissing();
    }
    if (!BuildTableList()) {
        ShowMessage(8, L"There is no data that can be displayed at the current level", MB_OK);
        PostEcrMessage(WM_ECR_SHOW_WINDOW, WNDNO_SELECT, 0);
        return TRUE;
    }

    // The first table shows in the grid whatever its level: picture mode
    // starts with the next selection or Update.
    BOOL bound = m_grid.BindTable(CurrentTable(), EffectiveDisplayLevel());
    ApplyLayout(bound != FALSE);
    if (AutoPopup() && g_nShowListPos == 0)
        PostMessage(WM_ECR_OPEN_CARD, reinterpret_cast<WPARAM>(CurrentTable()), 1);
    BuildJumpMenu();
    CString name;
    m_tableList.GetText(m_tableList.GetCurSel(), name);
    m_nameLine.SetWindowText(name);
    CreateStatusBar();
    LookUpPictures();
    return TRUE;
}

bool CFlexListDlg::BuildTableList()
{
    m_tableIndex.clear();
    m_tableList.ResetContent();
    CClientDC dc(&m_tableList);
    HGDIOBJ oldFont = ::SelectObject(dc.GetSafeHdc(), m_tableList.GetFontHandle());
    int widest = 0;
    for (int i = 0; i < m_pData->GetTableCount(); ++i) {
        const S_ECR_TABLE* table = m_pData->GetTable(i);
        if (!table || !ListedAt(*table, EffectiveDisplayLevel()))
            continue;
        m_tableIndex.push_back(i);
        CString name = LabelText(table->Label);
        m_tableList.AddString(name);
        CSize size = dc.GetTextExtent(name, name.GetLength());
        if (size.cx > widest)
            widest = size.cx;
    }
    ::SelectObject(dc.GetSafeHdc(), oldFont);
    if (m_tableIndex.empty())
        return false;
    m_tableList.SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest));
    m_tableList.SetCurSel(0);
    return true;
}

void CFlexListDlg::ApplyLayout(bool bound)
{
    if (!bound) {
        m_updateButton.EnableWindow(FALSE);
        m_sortButton.ShowWindow(SW_HIDE);
        m_importButton.ShowWindow(SW_HIDE);
        m_exportButton.ShowWindow(SW_HIDE);
        return;
    }
    bool records = IsRecordGroup(m_pData->GroupType);
    m_updateButton.EnableWindow(m_pData->Loaded && records);
    m_exportButton.ShowWindow(m_pData->GroupType == GROUP_REPORTS ? SW_HIDE : SW_SHOW);
    ShowSortAndImport();
    if (records) {
        m_tableList.ShowWindow(SW_HIDE);
        m_nameLine.ShowWindow(SW_SHOW);
        m_menuButton.ShowWindow(SW_SHOW);
        CRect rect;
        m_grid.GetWindowRect(&rect);
        ScreenToClient(&rect);
        rect.left = kSingleTableGridX;
        m_grid.MoveWindow(&rect);
    } else {
        m_tableList.ShowWindow(SW_SHOW);
        m_nameLine.ShowWindow(SW_HIDE);
        m_menuButton.ShowWindow(SW_HIDE);
    }
}

void CFlexListDlg::ShowSortAndImport()
{
    const S_ECR_TABLE* table = CurrentTable();
    m_sortButton.ShowWindow(table && table->SortKey != -1 ? SW_SHOW : SW_HIDE);
    m_importButton.ShowWindow(table && table->Level == kImportLevel ? SW_SHOW : SW_HIDE);
}

void CFlexListDlg::CreateStatusBar()
{
    if (!m_statusBar.Create(this))
        return;
    m_statusBar.SetPaneInfo(0, SBPS_STRETCH | SBPS_POPOUT, 0);
    m_statusBar.SetPaneText(0, L"");
    m_statusBar.Reposition();
}

// ---- the current table -----------------------------------------------------------

int CFlexListDlg::CurrentTableIndex() const
{
    int pos = m_tableList.m_hWnd ? m_tableList.GetCurSel() : -1;
    if (pos < 0 || pos >= static_cast<int>(m_tableIndex.size()))
        return -1;
    return m_tableIndex[static_cast<size_t>(pos)];
}

S_ECR_TABLE* CFlexListDlg::CurrentTable() const
{
    int index = CurrentTableIndex();
    return m_pData && index >= 0 ? m_pData->GetTable(index) : nullptr;
}

void CFlexListDlg::RebindGrid()
{
    CWaitCursor wait;
    m_grid.ShowWindow(SW_HIDE);
    m_grid.DeleteAllCells();
    m_grid.BindTable(CurrentTable(), EffectiveDisplayLevel());
    ShowPictureOrGrid();
}

void CFlexListDlg::ShowTable()
{
    // A screen that stopped early, or a selection past the list, shows nothing.
    if (!m_pData || CurrentTableIndex() < 0)
        return;
    RebindGrid();
    ShowSortAndImport();
    if (AutoPopup())
        PostMessage(WM_ECR_OPEN_CARD, reinterpret_cast<WPARAM>(CurrentTable()), 1);
    CString name;
    m_tableList.GetText(m_tableList.GetCurSel(), name);
    m_nameLine.SetWindowText(name);
}

BOOL CFlexListDlg::SelectListEntry(int index)
{
    if (!m_tableList.m_hWnd || m_tableList.SetCurSel(index) == LB_ERR)
        return FALSE;
    ShowTable();
    return TRUE;
}

// ---- buttons -----------------------------------------------------------------------

void CFlexListDlg::OnBack()
{
    PostEcrMessage(WM_ECR_SHOW_WINDOW, WNDNO_SELECT, 0);
}

void CFlexListDlg::CommitTable()
{
    if (!m_pData)
        return;
    CWaitCursor wait;
    BOOL written = m_pData->CommitData(0);
    if (written == TRUE)
        ShowMessage(6, L"Update Success", MB_OK | MB_ICONINFORMATION);
    else if (written == FALSE)
        ShowMessage(7, L"Update Fail\nThe unique key (PLU code etc.) overlaps", MB_OK);
    // Otherwise the library has said itself why nothing was written.
    RebindGrid();
}

void CFlexListDlg::SortCurrentTable()
{
    int index = CurrentTableIndex();
    if (!m_pData || index < 0)
        return;
    CWaitCursor wait;
    m_pData->SortTable(index);
    RebindGrid();
}

void CFlexListDlg::ExportTableCsv()
{
    int index = CurrentTableIndex();
    if (!m_pData || index < 0)
        return;
    CFileDialog dialog(FALSE, L"csv", L"", OFN_NOCHANGEDIR, L"CSV(Comma delimited)(*.csv)|*.csv|All Files(*.*)|*.*||", this);
    if (dialog.DoModal() != IDOK)
        return;
    // The library names a file it could not write; the screen adds nothing.
    if (m_pData->ExportCsv(index, dialog.GetPathName()))
        ShowMessage(13, L"Success", MB_OK | MB_ICONINFORMATION);
}

void CFlexListDlg::ImportTableCsv()
{
    int index = CurrentTableIndex();
    if (!m_pData || index < 0)
        return;
    CFileDialog dialog(TRUE, L"csv", L"", OFN_NOCHANGEDIR, nullptr, this);
    if (dialog.DoModal() != IDOK)
        return;
    // The library says itself why it refused a file, and then changes nothing.
    if (m_pData->ImportCsv(index, dialog.GetPathName()))
        ShowMessage(13, L"Success", MB_OK | MB_ICONINFORMATION);
    RebindGrid();
}

void CFlexListDlg::OnTableListDblClk()
{
    OpenReport(m_tableList.GetCurSel());
}

void CFlexListDlg::OpenReport(int)
{
}

// ---- messages --------------------------------------------------------------------

void CFlexListDlg::TellIfFileMissing()
{
    // A table whose file is missing opens empty, which must not pass for the
    // register's data.
    if (!IsRecordGroup(m_pData->GroupType) || !m_pData->FileName || !*m_pData->FileName)
        return;
    const CString path = JoinFolder(g_pEcrSetting->DataPath, m_pData->FileName);
    if (::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES)
        return;
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        ShowMessage(14, L"This data file was not found, so the table starts empty; Update creates the file:",
                    MB_OK | MB_ICONEXCLAMATION, path);
}

int CFlexListDlg::ShowMessage(int captionNo, const wchar_t* defaultText, UINT type, const CString& detail)
{
    CString text = CaptionText(WndNo, captionNo, defaultText);
    if (!detail.IsEmpty())
        text += L"\n" + detail;
    return AfxMessageBox(text, type);
}

// ---- jump menu ---------------------------------------------------------------------

void CFlexListDlg::BuildJumpMenu()
{
    m_jumpMenu = std::make_unique<CExtraMenu>(this);
    if (!m_jumpMenu->CreatePopupMenu())
        return;
    for (int g = 1; g <= 5; ++g) {
        const JumpGroup& group = kJumpGroups[g - 1];
        AddJumpSubmenu(group.wndNo, group.titleCaption, group.defaultTitle, g);
    }
    // The root takes the submenus over and draws them all; each handle
    // has one owner, so it is destroyed once.
    m_jumpMenu->MakeOwnerDraw(m_jumpMenu.get(), this);
}

void CFlexListDlg::AddJumpSubmenu(int wndNo, int titleCaption, const wchar_t* defaultTitle, int group)
{
    CEcrData* data = GetEcrDataFromWndNo(wndNo);
    if (!data || !data->Enabled)
        return;
    CString title = CaptionText(WNDNO_SELECT, titleCaption, defaultTitle);

    CMenu sub;
    if (!sub.CreatePopupMenu())
        return;
    // Numbered by listed position, as the target screen lists its tables.
    int n = 0;
    for (int i = 0; i < data->GetTableCount() && n < 255; ++i) {
        const S_ECR_TABLE* table = data->GetTable(i);
        if (!table || !ListedAt(*table, EffectiveDisplayLevel()))
            continue;
        ++n;
        sub.AppendMenu(MF_STRING, kJumpBase + 256u * static_cast<UINT>(group) + static_cast<UINT>(n), LabelText(table->Label));
    }
    if (m_jumpMenu->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.m_hMenu), title))
        sub.Detach();
}

void CFlexListDlg::ShowJumpMenu()
{
    if (!m_jumpMenu)
        return;
    CRect rect;
    m_menuButton.GetWindowRect(&rect);
    m_menuButton.ShowWindow(SW_HIDE);
    m_jumpMenu->TrackPopupMenu(0, rect.left, rect.top, this);
    m_menuButton.ShowWindow(SW_SHOW);
}

void CFlexListDlg::OnJumpMenuCommand(UINT id)
{
    if (id == kJumpBase)
        return;
    UINT group = (id - kJumpBase) / 256;
    UINT entry = (id - 3) % 256;
    if (group < 1 || group > 5 || entry == 0)
        return;
    PostEcrMessage(WM_ECR_SHOW_WINDOW, static_cast<WPARAM>(kJumpGroups[group - 1].wndNo), static_cast<LPARAM>(entry));
}

// ---- record card and column captions ---------------------------------------------------

LRESULT CFlexListDlg::OpenRecordCard(WPARAM table, LPARAM record)
{
    auto* target = reinterpret_cast<S_ECR_TABLE*>(table);
    if (!m_pData || !IsRecordGroup(m_pData->GroupType) || !target)
        return 0;
    // A table without records has no record to show.
    if (record < 1 || record > target->RecordCount)
        return 0;
    CCardDlg card(target, static_cast<int>(record), this);
    card.IsModal = TRUE;
    card.DoModal();
    if (card.Changed)
        RebindGrid();
    return 0;
}

LRESULT CFlexListDlg::EditColumnCaption(WPARAM, LPARAM column)
{
    const S_ECR_TABLE* table = CurrentTable();
    if (!g_pEcrSetting || g_pEcrSetting->CapEdit != 1 || CaptionEditing || !table)
        return 0;
    if (column < 1 || column > table->FieldCount)
        return 0;
    CaptionEditing = TRUE;
    // The editor posts the refresh to this screen when it changed the caption.
    CCaptionEditer editor(WNDNO_DATA_ITEMS, table->Fields()[column - 1].Label.CaptionNo, this);
    editor.DoModal();
    CaptionEditing = FALSE;
    return 0;
}

LRESULT CFlexListDlg::RefreshCaptions(WPARAM wParam, LPARAM lParam)
{
    m_grid.RefreshColumnHeaders();
    return CEcrDialog::RefreshCaptions(wParam, lParam);
}

// ---- column tooltips and the status line --------------------------------------------------

BOOL CFlexListDlg::PreTranslateMessage(MSG* msg)
{
    if (m_grid.m_hWnd && m_columnTip.m_hWnd &&
        (msg->message == WM_MOUSEMOVE || msg->message == WM_LBUTTONDOWN || msg->message == WM_LBUTTONUP)) {
        POINT pt = {static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam))};
        ::ClientToScreen(msg->hwnd, &pt);
        m_grid.ScreenToClient(&pt);
        CCellID cell = m_grid.CellFromPoint(CPoint(pt), TRUE);
        // The tip shows only once the mouse stays on one header cell.
        if (cell.row != 0) {
            m_hoverColumn = -1;
            m_columnTip.Activate(FALSE);
        } else if (cell.col == m_hoverColumn) {
            m_columnTip.Activate(TRUE);
            m_columnTip.RelayEvent(msg);
        } else {
            m_columnTip.Activate(FALSE);
            m_hoverColumn = cell.col;
        }
    }
    return CEcrDialog::PreTranslateMessage(msg);
}

void CFlexListDlg::OnColumnToolTipText(NMHDR* header, LRESULT* result)
{
    *result = 0;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    if (header->hwndFrom != m_columnTip.m_hWnd || !(info->uFlags & TTF_IDISHWND) || m_hoverColumn < 1)
        return;
    const S_ECR_TABLE* table = CurrentTable();
    if (!table || m_hoverColumn > table->FieldCount)
        return;
    S_ECR_CAP* cap = FindCaption(WNDNO_DATA_ITEMS, table->Fields()[m_hoverColumn - 1].Label.CaptionNo);
    if (!cap || !cap->TipOn)
        return;
    // The notification's own buffer holds 79 characters and the end.
    const int room = static_cast<int>(sizeof info->szText / sizeof info->szText[0]) - 1;
    ::lstrcpynW(info->szText, cap->TipText.Left(room), room + 1);
}

void CFlexListDlg::OnGridSelChanged(NMHDR* header, LRESULT* result)
{
    *result = 0;
    if (m_tableList.IsWindowVisible())
        return;
    // The selection change after a refused edit leaves the line as it was.
    if (!m_grid.GetEditAccepted()) {
        m_grid.SetEditAccepted(TRUE);
        return;
    }
    UpdateStatusLine(reinterpret_cast<S_GRID_NOTIFY*>(header)->iColumn);
}

void CFlexListDlg::UpdateStatusLine(int column)
{
    const S_ECR_TABLE* table = CurrentTable();
    if (!m_statusBar.m_hWnd)
        return;
    if (!table || column < 1 || column > table->FieldCount) {
        m_statusBar.SetPaneText(0, L"");
        return;
    }
    const S_ECR_FIELD& field = table->Fields()[column - 1];
    CString text;
    S_ECR_CAP* cap = FindCaption(WNDNO_DATA_ITEMS, field.Label.CaptionNo);
    if (cap && cap->TipOn == 1)
        text = cap->TipText;
    else
        m_statusBar.SetPaneText(0, L"");
    if ((field.Flags & FIELD_EDITABLE) && field.CheckMode == CHECK_RANGE && field.Minimum != field.Maximum) {
        text += L"   (" + RangeMessage(field) + L")";
    }
    text.Replace(L"\r\n", L" / ");
    m_statusBar.SetPaneText(0, text);
}

// ---- resizing --------------------------------------------------------------------------

void CFlexListDlg::OnSize(UINT type, int cx, int cy)
{
    CEcrDialog::OnSize(type, cx, cy);
    if (m_statusBar.m_hWnd)
        m_statusBar.Reposition();
}

BOOL CFlexListDlg::LayoutChild(CWnd* child, const int delta[2])
{
    if (child->m_hWnd == m_statusBar.m_hWnd)
        return TRUE;  // placed by Reposition
    switch (child->GetDlgCtrlID()) {
    case IDC_FLEX_EXPORT:
    case IDC_FLEX_MENU:
    case IDC_FLEX_NAME:
    case IDC_FLEX_IMPORT: {
        CRect rect;
        child->GetWindowRect(&rect);
        ScreenToClient(&rect);
        rect.OffsetRect(0, delta[1]);
        child->MoveWindow(&rect, FALSE);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

// ---- picture mode -------------------------------------------------------------------------

void CFlexListDlg::LookUpPictures()
{
    CString folder = GetProgramFolder();
    for (int i = 0; i < kPictureCount; ++i) {
        CString& path = m_picturePaths[i];
        path.Format(L"%s%srecimg%d.jpg", folder.GetString(), g_pEcrSetting->EcrName.GetString(), i);
        FILE* file = path.GetLength() < MAX_PATH ? ::_wfopen(path, L"rb") : nullptr;
        m_pictureShow[i] = file ? SW_SHOW : SW_HIDE;
        if (file)
            std::fclose(file);
    }
}

void CFlexListDlg::LoadPictures()
{
    // Decoded when picture mode first shows: most screens never need them.
    if (m_picturesLoaded)
        return;
    m_picturesLoaded = true;
    for (int i = 0; i < kPictureCount; ++i)
        if (m_pictureShow[i] == SW_SHOW)
            m_pictures[i].LoadImages(m_picturePaths[i], m_picturePaths[i]);
}

void CFlexListDlg::ShowPictureOrGrid()
{
    const S_ECR_TABLE* table = CurrentTable();
    bool pictures = table && table->Level == kPictureLevel;
    if (pictures)
        LoadPictures();
    for (int i = 0; i < kPictureCount; ++i) {
        int show = pictures ? m_pictureShow[i] : SW_HIDE;
        m_pictures[i].ShowWindow(show);
        GetDlgItem(IDC_FLEX_RADIO_FIRST + i)->ShowWindow(show);
    }
    GetDlgItem(IDC_FLEX_PICTURE_GROUP)->ShowWindow(pictures ? SW_SHOW : SW_HIDE);
    if (pictures)
        SelectPicture(StoredPicture(), 2);
    else
        m_grid.ShowWindow(SW_SHOW);
}

int CFlexListDlg::StoredPicture() const
{
    // A leading integer: blanks and a sign, then digits; 0 without digits.
    CString text = m_grid.GetItemText(1, 1);
    long value = std::wcstol(text, nullptr, 10);
    return static_cast<int>(value);
}

void CFlexListDlg::SelectPicture(int value, int flags)
{
    CString text;
    text.Format(L"%d", value);
    if ((flags & 1) && m_grid.GetBoundTable())
        m_grid.SetItemTextByUser(1, 1, text);
    if (flags & 2) {
        for (int i = 0; i < kPictureCount; ++i) {
            CWnd* radio = GetDlgItem(IDC_FLEX_RADIO_FIRST + i);
            if (radio->GetStyle() & WS_VISIBLE)
                radio->SendMessage(BM_SETCHECK, i == value ? BST_CHECKED : BST_UNCHECKED);
        }
    }
}

void CFlexListDlg::ChoosePicture(int index)
{
    if (!m_grid.GetBoundTable()) {
        SelectPicture(index, 2);
        return;
    }
    SelectPicture(index, 1);
    // A refused value leaves the record as it was: the check shows the record.
    SelectPicture(StoredPicture(), 2);
}

void CFlexListDlg::OnRadio(UINT id)
{
    ChoosePicture(static_cast<int>(id) - IDC_FLEX_RADIO_FIRST);
}

void CFlexListDlg::OnPicture(UINT id)
{
    ChoosePicture(static_cast<int>(id) - IDC_FLEX_PICTURE_FIRST);
}
