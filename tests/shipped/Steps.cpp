#include "Steps.h"

#include <windows.h>

#include <commctrl.h>

#include "CommResources.h"
#include "EcrWndNo.h"
#include "KeyboardResources.h"
#include "LogoResources.h"
#include "resource.h"

namespace {

// Screens still shown by the placeholder: their title names the window
// number, and one of their buttons leads back to the function menu.
void PlaceholderScreen(Walk& walk, int buttonId, int wndNo, const wchar_t* name)
{
    HWND screen = walk.OpenScreen(buttonId);
    std::wstring title = ProgramDriver::Text(screen);
    Require(title == L"Tilldesk - window " + std::to_wstring(wndNo), L"unexpected screen \"" + title + L"\"");
    walk.Picture(screen, name, ProgramDriver::Control(screen, IDC_GOTO_FIRST + 1));
    walk.BackToMenu(screen, IDC_GOTO_FIRST + 1);
}

void Dept(Walk& walk) { PlaceholderScreen(walk, IDC_SEL_DEPT, WNDNO_DEPT, L"dept"); }
void Plu(Walk& walk) { PlaceholderScreen(walk, IDC_SEL_PLU, WNDNO_PLU, L"plu"); }
void Clerk(Walk& walk) { PlaceholderScreen(walk, IDC_SEL_CLERK, WNDNO_CLERK, L"clerk"); }
void SMode(Walk& walk) { PlaceholderScreen(walk, IDC_SEL_S_MODE, WNDNO_S_MODE, L"s-mode"); }
void ProgMode(Walk& walk) { PlaceholderScreen(walk, IDC_SEL_PROG_MODE, WNDNO_PROG_MODE, L"prog-mode"); }
void Logo(Walk& walk)
{
    HWND screen = walk.OpenScreen(IDC_SEL_LOGO);
    Require(ProgramDriver::IsShown(screen, IDC_LOGO_PREVIEW), L"no logo preview");
    walk.Picture(screen, L"logo", ProgramDriver::Control(screen, IDC_LOGO_CONVERT));
    walk.BackToMenu(screen, IDC_LOGO_BACK);
}

void Keyboard(Walk& walk)
{
    HWND screen = walk.OpenScreen(IDC_SEL_KEYBOARD);
    Require(ProgramDriver::IsShown(screen, IDC_KB_MAP) && ProgramDriver::IsShown(screen, IDC_KB_LIST),
            L"no key map beside the key list");
    Require(!ProgramDriver::IsShown(screen, IDC_KB_JOIN) && !ProgramDriver::IsShown(screen, IDC_KB_ZOOM),
            L"join or zoom is shown");
    Require(ProgramDriver::Text(ProgramDriver::Control(screen, IDC_KB_PRINT)) ==
                walk.Say(L"Call KeyLayOut", L"キーレイアウト起動"),
            L"wrong text on the layout program's button");
    walk.Picture(screen, L"keyboard", ProgramDriver::Control(screen, IDC_KB_SAVE));
    walk.BackToMenu(screen, IDC_KB_CLOSE);
}
void ReportViewer(Walk& walk)
{
    PlaceholderScreen(walk, IDC_SEL_REPORT_VIEWER, WNDNO_REPORT_VIEWER, L"report-viewer");
}
// The demo register's day of raw reports is listed, ready to convert.
void ReportConvert(Walk& walk)
{
    HWND dialog = walk.OpenDialog(IDC_SEL_REPORT_CONVERT);
    HWND list = ProgramDriver::Control(dialog, IDC_CNV_LIST);
    Require(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 4, L"the four sample reports are not listed");
    Require(::IsWindowEnabled(ProgramDriver::Control(dialog, IDC_CNV_CONVERT)) != FALSE, L"Convert is disabled");
    Require(ProgramDriver::Text(dialog) == walk.Say(L"Report Convert", L"レポート変換"), L"wrong title");
    walk.Picture(dialog, L"report-convert", ProgramDriver::Control(dialog, IDC_CNV_CONVERT));
    walk.CloseDialog(dialog, IDCANCEL);
}
// Ticks DEPT and runs one transfer through the shipped communication
// program and its simulated register; the log shows exit code 0.
void TransferDept(Walk& walk, int buttonId, const wchar_t* name, const wchar_t* title, const wchar_t* idleStart)
{
    HWND dialog = walk.OpenDialog(buttonId);
    Require(ProgramDriver::Text(dialog) == title, L"wrong title \"" + ProgramDriver::Text(dialog) + L"\"");
    HWND dept = nullptr;
    for (int id = IDC_SETTING_ROW_FIRST; id <= IDC_SETTING_ROW_LAST && !dept; ++id)
        if (ProgramDriver::IsShown(dialog, id) && ProgramDriver::Text(ProgramDriver::Control(dialog, id)) == L"DEPT")
            dept = ProgramDriver::Control(dialog, id);
    Require(dept != nullptr, L"no DEPT row");
    ::SendMessageW(dept, BM_SETCHECK, BST_CHECKED, 0);
    ProgramDriver::Click(dialog, IDC_START_TRANSFER);
    HWND start = ProgramDriver::Control(dialog, IDC_START_TRANSFER);
    HWND log = ::GetDlgItem(dialog, IDC_TRANSFER_LOG);  // hidden behind the animation
    DWORD began = ::GetTickCount();
    while (ProgramDriver::Text(log).find(L"[End  ]") == std::wstring::npos || ProgramDriver::Text(start) != idleStart) {
        Require(::GetTickCount() - began < 30000, L"the transfer did not end");
        ::Sleep(50);
    }
    Require(ProgramDriver::Text(log).find(L"[End  ]: Code=00000000H") != std::wstring::npos,
            L"the transfer failed: " + ProgramDriver::Text(log));
    walk.Picture(dialog, name, start);
    walk.CloseDialog(dialog, IDCANCEL);
}

void Receive(Walk& walk)
{
    TransferDept(walk, IDC_SEL_RECEIVE, L"receive", walk.Say(L"ECR data receive", L"ECR受信"), walk.Say(L"Receive start", L"受信開始"));
}
void Send(Walk& walk)
{
    TransferDept(walk, IDC_SEL_SEND, L"send", walk.Say(L"ECR data send", L"ECR送信"), walk.Say(L"Send start", L"送信開始"));
}

// The folder browser opens over the menu; cancelling it keeps the data folder.
void FolderSelect(Walk& walk)
{
    std::wstring title = ProgramDriver::Text(walk.menu);
    HWND browser = walk.OpenDialog(IDC_SEL_FOLDER);
    walk.Picture(browser, L"folder-select", ProgramDriver::Control(browser, IDOK));
    walk.CloseDialog(browser, IDCANCEL);
    Require(ProgramDriver::Text(walk.menu) == title, L"cancelling the folder browser changed the data folder");
}

} // namespace

const Step kSteps[] = {
    {L"DEPT", Dept},
    {L"PLU", Plu},
    {L"CLERK", Clerk},
    {L"S_MODE", SMode},
    {L"PROG_MODE", ProgMode},
    {L"LOGO", Logo},
    {L"KEYBOARD", Keyboard},
    {L"ReportConvert", ReportConvert},
    {L"ReportViewer", ReportViewer},
    {L"Folder Select", FolderSelect},
    {L"EcrDataReceive", Receive},
    {L"EcrDataSend", Send},
};
const int kStepCount = sizeof kSteps / sizeof kSteps[0];
