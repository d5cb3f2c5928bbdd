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

// The dialogs of the communication area that say they are not available yet.
void PlaceholderDialog(Walk& walk, int buttonId, const wchar_t* name)
{
    HWND dialog = walk.OpenDialog(buttonId);
    walk.Picture(dialog, name, ProgramDriver::Control(dialog, IDCANCEL));
    walk.CloseDialog(dialog, IDCANCEL);
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
void Receive(Walk& walk) { PlaceholderDialog(walk, IDC_SEL_RECEIVE, L"receive"); }
void Send(Walk& walk) { PlaceholderDialog(walk, IDC_SEL_SEND, L"send"); }

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
