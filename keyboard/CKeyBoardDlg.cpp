#include "CKeyBoardDlg.h"

#include <cwchar>

#include <tlhelp32.h>

#include "CCaptionManagerBase.h"
#include "CEcrData.h"
#include "EcrDllEntries.h"
#include "EcrGlobals.h"
#include "EcrKeyboard.h"
#include "EcrWndNo.h"
#include "FieldCodec.h"
#include "KeyboardResources.h"
#include "S_ECR_SETTING.h"

namespace {

const COLORREF kAssignableColour = RGB(255, 255, 224);
const COLORREF kFixedColour = RGB(220, 220, 220);
const int kKeyWidth = 45;
const int kKeyHeight = 40;

// Caption n of the keyboard screen, or the built-in text.
CString CaptionOr(int captionNo, const wchar_t* fallback)
{
    CCaptionManagerBase* captions = g_ppCaptionMgr ? *g_ppCaptionMgr : nullptr;
    S_ECR_CAP* cap = captions ? captions->GetCaption(WNDNO_KEYBOARD, captionNo) : nullptr;
    return cap ? cap->Text : CString(fallback);
}

// The text of a field; false when the record or field does not exist.
bool ReadText(const S_ECR_TABLE* table, int record, int field, CString& text)
{
    const BYTE* bytes = FieldPtr(table, record, field);
    return bytes && FormatField(&table->Fields()[field], bytes, text);
}

// A field read as a decimal number; false when it does not exist or holds none.
bool ReadNumber(const S_ECR_TABLE* table, int record, int field, int& value)
{
    CString text;
    if (!ReadText(table, record, field, text))
        return false;
    text.Trim();
    wchar_t* end = nullptr;
    const long number = std::wcstol(text, &end, 10);
    if (text.IsEmpty() || *end)
        return false;
    value = static_cast<int>(number);
    return true;
}

} // namespace

CKeyBoardDlg::CKeyBoardDlg() = default;

BOOL CKeyBoardDlg::OnInitDialog()
{
    CTillpad::OnInitDialog();

    CString title;
    title.Format(L"%s - %s", g_pEcrSetting->EcrName.GetString(), g_pEcrSetting->DataPath.GetString());
    SetWindowText(title);
    PrintButton.SetWindowText(L"Call KeyLayOut");
    BindCaption(&PrintButton, 1);
    BindCaption(&SaveButton, 2);
    BindCaption(&CloseButton, 3);
    for (CWnd* hidden : {static_cast<CWnd*>(&JoinButton), static_cast<CWnd*>(&SeparationButton),
                         static_cast<CWnd*>(&SettingButton), static_cast<CWnd*>(&LoadButton),
                         static_cast<CWnd*>(&ZoomBox), static_cast<CWnd*>(&ZoomLabel)})
        hidden->ShowWindow(SW_HIDE);

    Data = GetEcrDataFromWndNo(WNDNO_KEYBOARD);
    if (!Data) {
        GiveUp(CaptionOr(4, L"There is no pertinent data"));
        return TRUE;
    }
    if (!Data->Loaded)
        Data->LoadData(nullptr);

    KeyListTable = Data->GetTable(KEYBOARD_LIST);
    if (!KeyListTable) {
        GiveUp(L"KEYBOARD LIST NOTFOUND");
        return TRUE;
    }
    CStringArray names;
    for (int k = 0; k < KeyListTable->RecordCount; ++k) {
        if (!IsAssignable(k))
            continue;
        names.Add(KeyName(k));
        KeyRows.AddTail(k);
    }
    KeyList.InitList();
    KeyList.FillList(names);

    S_ECR_TABLE* map = Data->GetTable(KEYBOARD_MAP);
    if (!map) {
        GiveUp(L"KEYBOARD MAP NOTFOUND");
        return TRUE;
    }
    FillKeyMap(map);
    MergeKeys(Data->GetTable(KEYBOARD_MERGE));
    return TRUE;
}

void CKeyBoardDlg::GiveUp(const CString& message)
{
    AfxMessageBox(message, MB_OK);
    PostEcrMessage(WM_ECR_SHOW_WINDOW, WNDNO_SELECT, 0);
}

bool CKeyBoardDlg::IsAssignable(int k) const
{
    int flag = 0;
    return ReadNumber(KeyListTable, k, KEYLIST_ASSIGNABLE, flag) && flag == 1;
}

CString CKeyBoardDlg::KeyName(int k) const
{
    CString name;
    if (!ReadText(KeyListTable, k, KEYLIST_NAME, name))
        name.Empty();
    return name;
}

void CKeyBoardDlg::FillKeyMap(S_ECR_TABLE* map)
{
    const int cols = map->FieldCount > 0 ? map->FieldCount : 0;
    const int rows = map->RecordCount > 0 ? map->RecordCount : 0;
    KeyMap.SetColumnCount(cols);
    KeyMap.SetRowCount(rows);
    KeyMap.SetFixedRowCount(0);
    KeyMap.SetFixedColumnCount(0);
    for (int c = 0; c < cols; ++c) {
        KeyMap.SetColumnWidth(c, kKeyWidth);
        for (int r = 0; r < rows; ++r) {
            if (c == 0)
                KeyMap.SetRowHeight(r, kKeyHeight);
            // A key index outside the key list shows an empty fixed key.
            int k = -1;
            ReadNumber(map, r, c, k);
            S_GRID_ITEM item{};
            item.mask = GRIDITEM_TEXT | GRIDITEM_BKCLR;
            item.row = r;
            item.col = c;
            item.strText = KeyName(k);
            item.crBkClr = IsAssignable(k) ? kAssignableColour : kFixedColour;
            KeyMap.SetItem(&item);
        }
    }
}

void CKeyBoardDlg::MergeKeys(S_ECR_TABLE* merges)
{
    if (!merges)
        return;
    // The grid clips blocks to the map and refuses empty or reversed ones.
    for (int m = 0; m < merges->RecordCount; ++m) {
        int firstCol, firstRow, lastCol, lastRow;
        if (ReadNumber(merges, m, MERGE_FIRST_COLUMN, firstCol) && ReadNumber(merges, m, MERGE_FIRST_ROW, firstRow) &&
            ReadNumber(merges, m, MERGE_LAST_COLUMN, lastCol) && ReadNumber(merges, m, MERGE_LAST_ROW, lastRow))
            KeyMap.MergeCells(firstRow, firstCol, lastRow, lastCol);
    }
}

void CKeyBoardDlg::AssignKey(int* row)
{
    if (!row || *row < 0 || *row >= KeyRows.GetCount() || !Data)
        return;
    const int key = KeyRows.GetAt(KeyRows.FindIndex(*row));
    S_ECR_TABLE* map = Data->GetTable(KEYBOARD_MAP);
    const CCellRange range = KeyMap.GetSelectedRange();
    if (!map || !range.IsValid())
        return;
    CString text;
    text.Format(L"%d", key);
    for (int c = range.m_nMinCol; c <= range.m_nMaxCol; ++c)
        for (int r = range.m_nMinRow; r <= range.m_nMaxRow; ++r) {
            if (!(KeyMap.GetItemState(r, c) & GRIDCELL_SELECTED))
                continue;
            int current = -1;
            BYTE* bytes = FieldPtr(map, r, c);
            if (!bytes || !ReadNumber(map, r, c, current) || !IsAssignable(current))
                continue;  // a fixed key keeps its function
            if (!ParseField(&map->Fields()[c], text, bytes))
                continue;
            KeyMap.SetItemText(r, c, KeyName(key));
            KeyMap.RedrawCell(r, c);
        }
}

void CKeyBoardDlg::SaveKeyboard()
{
    if (!Data)
        return;
    HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    if (Data->CommitData(0))
        AfxMessageBox(CaptionOr(5, L"Update Success"), MB_ICONINFORMATION);
    else
        AfxMessageBox(CaptionOr(6, L"Update Fail\nThe unique key (PLU code etc.) overlaps"), MB_OK);
    ::SetCursor(previous);
}

void CKeyBoardDlg::LaunchKeyLayout()
{
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        AfxMessageBox(L"Snapshot Error", MB_OK);
        return;
    }
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    bool running = false;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more && !running; more = ::Process32NextW(snapshot, &entry))
        running = ::lstrcmpW(entry.szExeFile, L"Tillpad.exe") == 0;
    ::CloseHandle(snapshot);
    if (running)
        return;

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process = {};
    wchar_t commandLine[1] = {};  // CreateProcessW may write into it
    if (!::CreateProcessW(L"Tillpad.exe", commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        AfxMessageBox(L"Tillpad.EXE Not Found", MB_OK);
        return;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}
