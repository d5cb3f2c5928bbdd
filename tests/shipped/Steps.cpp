#include "Steps.h"

#include <string>

#include <windows.h>

#include <commctrl.h>

#include "CommResources.h"
#include "EcrWndNo.h"
#include "TablesResources.h"
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

// A record list: the shipped settings pop the record card up on record 1,
// which the step closes; the table is in the grid under it.
HWND OpenRecordList(Walk& walk, int buttonId, HWND* card)
{
    HWND screen = walk.OpenScreen(buttonId);
    *card = walk.program.WaitForDialogOver(screen);
    Require(ProgramDriver::IsShown(*card, IDC_CARD_RECORD), L"no record card on entry");
    Require(ProgramDriver::IsShown(screen, IDC_FLEX_GRID), L"no grid");
    return screen;
}

void CloseCard(Walk& walk, HWND card)
{
    ProgramDriver::Click(card, IDCANCEL);
    walk.program.WaitGone(card);
}

void RecordList(Walk& walk, int buttonId, const wchar_t* name)
{
    HWND card = nullptr;
    HWND screen = OpenRecordList(walk, buttonId, &card);
    CloseCard(walk, card);
    walk.Picture(screen, name, ProgramDriver::Control(screen, IDC_FLEX_UPDATE));
    walk.BackToMenu(screen, IDC_FLEX_BACK);
}

// One department's name is edited on the card and saved with Update; the
// data file holds it, and the second walk finds it on the card.
void Dept(Walk& walk)
{
    const wchar_t kName[] = L"Walked";
    HWND card = nullptr;
    HWND screen = OpenRecordList(walk, IDC_SEL_DEPT, &card);
    HWND name = ProgramDriver::Control(card, IDC_CARD_EDIT + 1);
    if (walk.Japanese()) {
        Require(ProgramDriver::Text(name) == kName, L"the saved name reads \"" + ProgramDriver::Text(name) + L"\"");
        CloseCard(walk, card);
    } else {
        ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kName));
        ::SendMessageW(name, EM_SETMODIFY, TRUE, 0);
        ::PostMessageW(card, WM_COMMAND, MAKEWPARAM(IDC_CARD_EDIT + 1, EN_KILLFOCUS), reinterpret_cast<LPARAM>(name));
        walk.program.Settle();
        CloseCard(walk, card);
        ProgramDriver::Click(screen, IDC_FLEX_UPDATE);
        HWND box = walk.program.WaitForDialogOver(screen);
        Require(::FindWindowExW(box, nullptr, L"Static", L"Update Success") != nullptr, L"Update did not succeed");
        ProgramDriver::Click(box, IDOK);
        walk.program.WaitGone(box);
        HANDLE file = ::CreateFileW((walk.folder + L"\\Data\\DEPT.VK2").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        Require(file != INVALID_HANDLE_VALUE, L"no DEPT.VK2");
        std::string bytes(::GetFileSize(file, nullptr), '\0');
        DWORD read = 0;
        ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        ::CloseHandle(file);
        Require(bytes.find("Walked") != std::string::npos, L"DEPT.VK2 does not hold the saved name");
    }
    walk.Picture(screen, L"dept", ProgramDriver::Control(screen, IDC_FLEX_UPDATE));
    walk.BackToMenu(screen, IDC_FLEX_BACK);
}
void Plu(Walk& walk) { RecordList(walk, IDC_SEL_PLU, L"plu"); }
void Clerk(Walk& walk) { RecordList(walk, IDC_SEL_CLERK, L"clerk"); }
void SMode(Walk& walk) { RecordList(walk, IDC_SEL_S_MODE, L"s-mode"); }
void ProgMode(Walk& walk) { RecordList(walk, IDC_SEL_PROG_MODE, L"prog-mode"); }
void Logo(Walk& walk) { PlaceholderScreen(walk, IDC_SEL_LOGO, WNDNO_LOGO, L"logo"); }
void Keyboard(Walk& walk) { PlaceholderScreen(walk, IDC_SEL_KEYBOARD, WNDNO_KEYBOARD, L"keyboard"); }
// The report viewer lists the reports; report groups have no record card.
void ReportViewer(Walk& walk)
{
    HWND screen = walk.OpenScreen(IDC_SEL_REPORT_VIEWER);
    HWND list = ProgramDriver::Control(screen, IDC_FLEX_TABLES);
    Require(::SendMessageW(list, LB_GETCOUNT, 0, 0) == 4, L"the four reports are not listed");
    walk.Picture(screen, L"report-viewer", ProgramDriver::Control(screen, IDC_FLEX_BACK));
    walk.BackToMenu(screen, IDC_FLEX_BACK);
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
