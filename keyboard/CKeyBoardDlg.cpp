#include "CKeyBoardDlg.h"

#include <windows.h>
#include <tlhelp32.h>

#include "CEcrData.h"
#include "CaptionText.h"
#include "EcrDllEntries.h"
#include "EcrGlobals.h"
#include "EcrKeyboard.h"
#include "EcrWndNo.h"
#include "KeyboardResources.h"
#include "ProgramFolder.h"
#include "S_ECR_SETTING.h"
#include "S_ECR_TABLE.h"

namespace {

const COLORREF kAssignableColour = RGB(255, 255, 224);
const COLORREF kFixedColour = RGB(220, 220, 220);
const int kKeyWidth = 45;
const int kKeyHeight = 40;

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
        GiveUp(CaptionText(WNDNO_KEYBOARD, 4, L"There is no pertinent data"));
        return TRUE;
    }
    if (!Data->Loaded)
        Data->LoadData(nullptr);

    S_ECR_TABLE* list = Data->GetTable(KEYBOARD_LIST);
    if (!list) {
        GiveUp(L"KEYBOARD LIST NOTFOUND");
        return TRUE;
    }
    S_ECR_TABLE* map = Data->GetTable(KEYBOARD_MAP);
    Keys.emplace(map, list, Data->GetTable(KEYBOARD_MERGE));
    CStringArray names;
    for (int k = 0; k < Keys->KeyCount(); ++k) {
        if (!Keys->IsAssignable(k))
            continue;
        names.Add(Keys->KeyName(k));
        KeyRows.AddTail(k);
    }
    KeyList.InitList();
    KeyList.FillList(names);

    if (!map) {
        Keys.reset();
        GiveUp(L"KEYBOARD MAP NOTFOUND");
        return TRUE;
    }
    FillKeyMap();
    // The grid clips blocks to the map and refuses empty or reversed ones.
    for (const CCellRange& key : Keys->MergedKeys())
        KeyMap.MergeCells(key);
    return TRUE;
}

void CKeyBoardDlg::GiveUp(const CString& message)
{
    AfxMessageBox(message, MB_OK);
    PostEcrMessage(WM_ECR_SHOW_WINDOW, WNDNO_SELECT, 0);
}

void CKeyBoardDlg::FillKeyMap()
{
    const int cols = Keys->Columns();
    const int rows = Keys->Rows();
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
            const int k = Keys->KeyAt(r, c);
            S_GRID_ITEM item{};
            item.mask = GRIDITEM_TEXT | GRIDITEM_BKCLR;
            item.row = r;
            item.col = c;
            item.strText = Keys->KeyName(k);
            item.crBkClr = Keys->IsAssignable(k) ? kAssignableColour : kFixedColour;
            KeyMap.SetItem(&item);
        }
    }
}

void CKeyBoardDlg::AssignKey(int* row)
{
    if (!row || *row < 0 || *row >= KeyRows.GetCount() || !Keys)
        return;
    const int key = KeyRows.GetAt(KeyRows.FindIndex(*row));
    const CCellRange range = KeyMap.GetSelectedRange();
    if (!range.IsValid())
        return;
    for (int c = range.m_nMinCol; c <= range.m_nMaxCol; ++c)
        for (int r = range.m_nMinRow; r <= range.m_nMaxRow; ++r) {
            // A fixed key, or one that cannot be read, keeps its function.
            if (!(KeyMap.GetItemState(r, c) & GRIDCELL_SELECTED) || !Keys->IsAssignable(Keys->KeyAt(r, c)))
                continue;
            if (!Keys->SetKeyAt(r, c, key))
                continue;
            KeyMap.SetItemText(r, c, Keys->KeyName(key));
            KeyMap.RedrawCell(r, c);
        }
}

void CKeyBoardDlg::SaveKeyboard()
{
    if (!Data)
        return;
    HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    // A file that could not be written the library has reported itself.
    const BOOL committed = Data->CommitData(0);
    if (committed == TRUE)
        AfxMessageBox(CaptionText(WNDNO_KEYBOARD, 5, L"Update Success"), MB_ICONINFORMATION);
    else if (committed == FALSE)
        AfxMessageBox(CaptionText(WNDNO_KEYBOARD, 6, L"Update Fail\nThe unique key (PLU code etc.) overlaps"), MB_OK);
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
    // The one beside this program, never one of the folder it was started from.
    const CString program = GetProgramFolder() + L"Tillpad.exe";
    if (!::CreateProcessW(program, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        AfxMessageBox(L"Tillpad.EXE Not Found", MB_OK);
        return;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}
