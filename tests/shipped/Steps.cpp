#include "Steps.h"

#include <cstring>
#include <string>

#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>

#include "CommResources.h"
#include "EcrWndNo.h"
#include "FrameworkResources.h"
#include "KeyboardResources.h"
#include "LogoResources.h"
#include "TablesResources.h"
#include "TestFiles.h"
#include "resource.h"

namespace {

// A record list: the shipped settings pop the record card up on record 1,
// which the step closes; the table is in the grid under it. The titles of
// both name the model, the table and the record.
HWND OpenRecordList(Walk& walk, int buttonId, const wchar_t* name, HWND* card)
{
    HWND screen = walk.OpenScreen(buttonId);
    *card = walk.program.WaitForDialogOver(screen);
    Require(ProgramDriver::IsShown(*card, IDC_CARD_RECORD), L"no record card on entry");
    Require(ProgramDriver::IsShown(screen, IDC_FLEX_GRID), L"no grid");
    walk.CheckLayout(*card, std::wstring(name) + L" record card", {0});
    // The card builds its rows as it opens: the first row's caption shows.
    walk.Picture(*card, std::wstring(name) + L"-card", ProgramDriver::Control(*card, IDC_CARD_CAPTION));
    walk.CheckLayout(screen, name, {0});
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
    HWND screen = OpenRecordList(walk, buttonId, name, &card);
    CloseCard(walk, card);
    walk.Picture(screen, name, ProgramDriver::Control(screen, IDC_FLEX_UPDATE));
    walk.BackToMenu(screen, IDC_FLEX_BACK);
}

// Types a name into the card's first text row, as the user leaves the row.
void TypeFirstName(Walk& walk, HWND card, const wchar_t* name)
{
    HWND edit = ProgramDriver::Control(card, IDC_CARD_EDIT + 1);
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
    ::SendMessageW(edit, EM_SETMODIFY, TRUE, 0);
    ::PostMessageW(card, WM_COMMAND, MAKEWPARAM(IDC_CARD_EDIT + 1, EN_KILLFOCUS), reinterpret_cast<LPARAM>(edit));
    walk.program.Settle();
}

// Update on a record list, answered by "Update Success".
void UpdateSucceeds(Walk& walk, HWND screen)
{
    ProgramDriver::Click(screen, IDC_FLEX_UPDATE);
    HWND box = walk.program.WaitForDialogOver(screen);
    Require(::FindWindowExW(box, nullptr, L"Static", walk.Say(L"Update Success", L"更新しました")) != nullptr,
            L"Update did not succeed");
    ProgramDriver::Click(box, IDOK);
    walk.program.WaitGone(box);
}

// One department's name is edited on the card and saved with Update: the
// data file holds it. (Later steps receive the register's departments again,
// so each walk edits and saves anew.)
void Dept(Walk& walk)
{
    const wchar_t* name = walk.Say(L"Walked", L"Walked JPN");
    HWND card = nullptr;
    HWND screen = OpenRecordList(walk, IDC_SEL_DEPT, L"dept", &card);
    TypeFirstName(walk, card, name);
    CloseCard(walk, card);
    UpdateSucceeds(walk, screen);
    Require(ReadBytes(walk.folder + L"\\Data\\DEPT.VK2").find(walk.Japanese() ? "Walked JPN" : "Walked") !=
                std::string::npos,
            L"DEPT.VK2 does not hold the saved name");
    walk.Picture(screen, L"dept", ProgramDriver::Control(screen, IDC_FLEX_UPDATE));
    walk.BackToMenu(screen, IDC_FLEX_BACK);
}
// The sample register is a Japanese one: its first PLU's name is read from
// Shift-JIS as on Japanese Windows, whatever the caption language.
void Plu(Walk& walk)
{
    HWND card = nullptr;
    HWND screen = OpenRecordList(walk, IDC_SEL_PLU, L"plu", &card);
    const std::wstring name = ProgramDriver::Text(ProgramDriver::Control(card, IDC_CARD_EDIT + 1));
    Require(name == L"\x30AD\x30E3\x30D9\x30C4", L"the first PLU's name reads \"" + name + L"\", not cabbage");
    CloseCard(walk, card);
    walk.Picture(screen, L"plu", ProgramDriver::Control(screen, IDC_FLEX_UPDATE));
    walk.BackToMenu(screen, IDC_FLEX_BACK);
}

// A message box over the window (not the function menu under it).
HWND WaitForBoxOver(Walk& walk, HWND window)
{
    for (int tries = 0; tries < 200; ++tries) {
        HWND box = walk.program.WaitForDialogOver(window);
        if (box != walk.menu)
            return box;
        ::Sleep(50);
    }
    Require(false, L"no message box over \"" + ProgramDriver::Text(window) + L"\"");
    return nullptr;
}

// A question whose message holds the part, pictured and checked; answered
// with the button (No, or Cancel).
void Answer(Walk& walk, HWND box, const std::wstring& part, const std::wstring& name, int button)
{
    HWND text = ProgramDriver::MessageOf(box);
    Require(ProgramDriver::Text(text).find(part) != std::wstring::npos,
            name + L" reads \"" + ProgramDriver::Text(text) + L"\"");
    walk.Picture(box, name, text);
    // Title and buttons are the system's.
    walk.CheckLayout(box, name, {0, IDYES, IDNO, IDOK, IDCANCEL});
    ProgramDriver::Click(box, button);
    walk.program.WaitGone(box);
}

// Three PLUs of a spreadsheet's CSV file are imported: the import asks
// first, naming both counts, and No leaves the table as it was, so the
// next Update writes the same file.
void PluImportOfFewerRecords(Walk& walk)
{
    const std::wstring data = walk.folder + L"\\Data\\PLU.VK2";
    const std::string before = ReadBytes(data);
    Require(before.size() >= 24, L"no PLU.VK2");
    unsigned held = 0;  // the first table's record count
    std::memcpy(&held, before.data() + 20, sizeof held);
    const std::wstring csv = walk.folder + L"\\walk-three-plus.csv";
    WriteBytes(csv, "PLU Code,Name,Price,Dept,Tax,Label,Stock,Discount %,Age limit,Sold,Link PLU\r\n"
                    "1,Tea,1.5000,1,1,T,0,0,0,0,0\r\n2,Coffee,2.0000,1,1,C,0,0,0,0,0\r\n"
                    "3,Water,1.0000,1,1,W,0,0,0,0,0\r\n");
    HWND card = nullptr;
    HWND screen = OpenRecordList(walk, IDC_SEL_PLU, L"plu import", &card);
    CloseCard(walk, card);
    ProgramDriver::Click(screen, IDC_FLEX_IMPORT);
    HWND files = walk.program.WaitForDialogOver(screen);
    // The file name box: a combo box in the newer template, an edit in the older.
    HWND name = ::GetDlgItem(files, cmb13) ? ::GetDlgItem(files, cmb13) : ::GetDlgItem(files, edt1);
    Require(name != nullptr, L"the open-file dialog has no file name box");
    ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(csv.c_str()));
    ProgramDriver::Click(files, IDOK);
    walk.program.WaitGone(files);
    const std::wstring count = std::to_wstring(held);
    const std::wstring counts = walk.Japanese() ? L"ファイルのレコードは3件、テーブルのレコードは" + count + L"件です。"
                                                : L"The file holds 3 records, the table " + count + L".";
    Answer(walk, WaitForBoxOver(walk, screen), counts, L"import-question", IDNO);
    UpdateSucceeds(walk, screen);
    ::DeleteFileW(csv.c_str());
    Require(ReadBytes(data) == before, L"answering No changed PLU.VK2");
    walk.BackToMenu(screen, IDC_FLEX_BACK);
}
void Clerk(Walk& walk) { RecordList(walk, IDC_SEL_CLERK, L"clerk"); }
void SMode(Walk& walk) { RecordList(walk, IDC_SEL_S_MODE, L"s-mode"); }
void ProgMode(Walk& walk) { RecordList(walk, IDC_SEL_PROG_MODE, L"prog-mode"); }

// The dialog over the screen that has the control, skipping others that
// come and go before it (the conversion dialog before the viewer).
HWND WaitForDialogWith(Walk& walk, HWND screen, int controlId)
{
    for (int tries = 0; tries < 5; ++tries) {
        HWND dialog = walk.program.WaitForDialogOver(screen);
        if (::GetDlgItem(dialog, controlId))
            return dialog;
        walk.program.WaitGone(dialog);
    }
    Require(false, L"the expected dialog did not come");
    return nullptr;
}

// The demo register's two logos and the shipped pictures; a sample picture
// (half the logo's height) with a text line below it is converted by the
// shipped Tillmark, and the viewer opens on the new file.
void Logo(Walk& walk)
{
    HWND screen = walk.OpenScreen(IDC_SEL_LOGO);
    Require(::SendMessageW(ProgramDriver::Control(screen, IDC_LOGO_TARGET), CB_GETCOUNT, 0, 0) == 2,
            L"the two logos are not offered");
    HWND pictures = ProgramDriver::Control(screen, IDC_LOGO_BMP_LIST);
    LRESULT sample = ::SendMessageW(pictures, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(L"ThankYou.bmp"));
    Require(sample >= 0 && ::SendMessageW(pictures, LB_GETCOUNT, 0, 0) == 3, L"the sample pictures are not listed");
    // The text lines run across: their face is no "@" face, which lays Japanese on its side.
    const std::wstring face = ProgramDriver::Text(ProgramDriver::Control(screen, IDC_LOGO_FACE));
    Require(!face.empty() && face[0] != L'@', L"the text lines' face is \"" + face + L"\"");
    ::SendMessageW(pictures, LB_SETCURSEL, static_cast<WPARAM>(sample), 0);
    ::SendMessageW(screen, WM_COMMAND, MAKEWPARAM(IDC_LOGO_BMP_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(pictures));
    ::SendMessageW(ProgramDriver::Control(screen, IDC_LOGO_SIZE), CB_SETCURSEL, 9, 0);  // 20 pixels
    ::SendMessageW(ProgramDriver::Control(screen, IDC_LOGO_TEXT3), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(walk.Say(L"Open 7 to 7", L"朝7時から夜7時まで")));
    walk.program.Settle();
    walk.Picture(screen, L"logo", ProgramDriver::Control(screen, IDC_LOGO_CONVERT));
    // The title names the model and its data folder; the text lines on the
    // preview are the user's.
    walk.CheckLayout(screen, L"logo",
                     {0, IDC_LOGO_FOLDER_PATH, IDC_LOGO_LABEL1, IDC_LOGO_LABEL2, IDC_LOGO_LABEL3});

    ProgramDriver::Click(screen, IDC_LOGO_CONVERT);
    HWND viewer = WaitForDialogWith(walk, screen, IDC_VIEW_FILES);
    HWND files = ProgramDriver::Control(viewer, IDC_VIEW_FILES);
    Require(::SendMessageW(files, LB_GETCOUNT, 0, 0) >= 2 && ::SendMessageW(files, LB_GETCURSEL, 0, 0) > 0,
            L"the viewer does not show the converted file");
    Require(::IsWindowEnabled(ProgramDriver::Control(viewer, IDC_VIEW_SET)) != FALSE, L"the new logo cannot be set");
    walk.Picture(viewer, L"logo-viewer", ProgramDriver::Control(viewer, IDC_VIEW_SET));
    walk.CheckLayout(viewer, L"logo viewer");
    ProgramDriver::Click(viewer, IDCANCEL);
    walk.program.WaitGone(viewer);
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
    walk.CheckLayout(screen, L"keyboard", {0});
    walk.BackToMenu(screen, IDC_KB_CLOSE);
}
struct TitleSearch
{
    const std::wstring* prefix;
    HWND found;
};

BOOL CALLBACK FindTitle(HWND window, LPARAM p)
{
    auto* search = reinterpret_cast<TitleSearch*>(p);
    if (::IsWindowVisible(window) && ProgramDriver::Text(window).rfind(*search->prefix, 0) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window whose title begins with a text, waited for.
HWND WaitForTitle(const std::wstring& prefix)
{
    TitleSearch search = {&prefix, nullptr};
    for (int i = 0; i < 400 && !search.found; ++i) {
        ::EnumWindows(FindTitle, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            ::Sleep(25);
    }
    Require(search.found != nullptr, L"no window \"" + prefix + L"...\"");
    return search.found;
}

// The reports converted before the day of the sample are listed; a double
// click opens the financial report in the spreadsheet opener and charts it
// over the week of dated report folders in the chart viewer.
void ReportViewer(Walk& walk)
{
    HWND screen = walk.OpenScreen(IDC_SEL_REPORT_VIEWER);
    HWND list = ProgramDriver::Control(screen, IDC_FLEX_TABLES);
    Require(::SendMessageW(list, LB_GETCOUNT, 0, 0) == 4, L"the four reports are not listed");
    walk.Picture(screen, L"report-viewer", ProgramDriver::Control(screen, IDC_FLEX_BACK));
    walk.CheckLayout(screen, L"report viewer", {0});
    ::SendMessageW(list, LB_SETCURSEL, 0, 0);
    ::PostMessageW(screen, WM_COMMAND, MAKEWPARAM(IDC_FLEX_TABLES, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    HWND sheet = WaitForTitle(L"Cellvane - FIN.CSV");
    HWND chart = WaitForTitle(L"Plotvane - FIN FIN");
    walk.Picture(chart, L"report-chart", chart);
    for (HWND viewer : {sheet, chart}) {
        ::PostMessageW(viewer, WM_CLOSE, 0, 0);
        walk.program.WaitGone(viewer);
    }
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
    walk.CheckLayout(dialog, L"report conversion");
    walk.CloseDialog(dialog, IDCANCEL);
}
// Ticks the DEPT row of a send or receive dialog and presses Start. The row
// is named as the function menu names the screen.
void TickDeptAndStart(Walk& walk, HWND dialog)
{
    HWND dept = nullptr;
    for (int id = IDC_SETTING_ROW_FIRST; id <= IDC_SETTING_ROW_LAST && !dept; ++id)
        if (ProgramDriver::IsShown(dialog, id)
            && ProgramDriver::Text(ProgramDriver::Control(dialog, id)) == walk.Say(L"DEPT", L"部門"))
            dept = ProgramDriver::Control(dialog, id);
    Require(dept != nullptr, L"no DEPT row");
    ::SendMessageW(dept, BM_SETCHECK, BST_CHECKED, 0);
    ProgramDriver::Click(dialog, IDC_START_TRANSFER);
}

// Ticks DEPT and runs one transfer through the shipped communication
// program and its simulated register; the log shows exit code 0. A run takes
// well under a second even with every core busy; a message that comes up
// instead (a failed item's question, a refusal to start) ends the step at
// once with its text.
void TransferDept(Walk& walk, int buttonId, const wchar_t* name, const wchar_t* title, const wchar_t* idleStart)
{
    HWND dialog = walk.OpenDialog(buttonId);
    Require(ProgramDriver::Text(dialog) == title, L"wrong title \"" + ProgramDriver::Text(dialog) + L"\"");
    TickDeptAndStart(walk, dialog);
    HWND start = ProgramDriver::Control(dialog, IDC_START_TRANSFER);
    HWND log = ::GetDlgItem(dialog, IDC_TRANSFER_LOG);  // hidden behind the animation
    DWORD began = ::GetTickCount();
    while (ProgramDriver::Text(log).find(L"[End  ]") == std::wstring::npos || ProgramDriver::Text(start) != idleStart) {
        if (HWND box = walk.program.DialogBesides({dialog, walk.menu}))
            Require(false, L"a message came up: \"" + ProgramDriver::Text(ProgramDriver::MessageOf(box)) + L"\"");
        Require(::GetTickCount() - began < 30000, L"the transfer did not end");
        ::Sleep(50);
    }
    Require(ProgramDriver::Text(log).find(L"[End  ]: Code=00000000H") != std::wstring::npos,
            L"the transfer failed: " + ProgramDriver::Text(log));
    walk.Picture(dialog, name, start);
    walk.CheckLayout(dialog, name);
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

// DEPT gets an edit that Update has not saved (a name that no step saved
// before); the menu is current again.
void LeaveDeptUnsaved(Walk& walk, const wchar_t* name)
{
    HWND card = nullptr;
    HWND screen = OpenRecordList(walk, IDC_SEL_DEPT, L"dept", &card);
    TypeFirstName(walk, card, name);
    CloseCard(walk, card);
    walk.BackToMenu(screen, IDC_FLEX_BACK);
}

// Saves DEPT's edits, so the steps after see no unsaved edits.
void SaveDept(Walk& walk)
{
    HWND card = nullptr;
    HWND screen = OpenRecordList(walk, IDC_SEL_DEPT, L"dept", &card);
    CloseCard(walk, card);
    UpdateSucceeds(walk, screen);
    walk.BackToMenu(screen, IDC_FLEX_BACK);
}

// Send copies the saved file: with DEPT edited and not saved, Start asks
// first, naming DEPT, and No sends nothing.
void SendWithUnsavedEdits(Walk& walk)
{
    LeaveDeptUnsaved(walk, walk.Say(L"Not sent", L"Not sent JPN"));
    HWND dialog = walk.OpenDialog(IDC_SEL_SEND);
    TickDeptAndStart(walk, dialog);
    Answer(walk, WaitForBoxOver(walk, dialog),
           walk.Say(L"not saved with Update: DEPT", L"更新していない修正があります: 部門"), L"send-question", IDNO);
    Require(ProgramDriver::Text(::GetDlgItem(dialog, IDC_TRANSFER_LOG)).empty(), L"answering No started the send");
    walk.CloseDialog(dialog, IDCANCEL);
    SaveDept(walk);
}

// A receive would replace DEPT's edits that Update has not saved: Start asks
// first, naming DEPT, and Cancel leaves DEPT out, so nothing is received.
void ReceiveWithUnsavedEdits(Walk& walk)
{
    LeaveDeptUnsaved(walk, walk.Say(L"Not received", L"Not received JPN"));
    HWND dialog = walk.OpenDialog(IDC_SEL_RECEIVE);
    TickDeptAndStart(walk, dialog);
    Answer(walk, WaitForBoxOver(walk, dialog),
           walk.Say(L"not saved with Update: DEPT", L"更新していない修正があります: 部門"), L"receive-question",
           IDCANCEL);
    Require(ProgramDriver::Text(::GetDlgItem(dialog, IDC_TRANSFER_LOG)).empty(), L"answering Cancel started the receive");
    walk.CloseDialog(dialog, IDCANCEL);
    SaveDept(walk);
}

// Closing the program with DEPT edited and not saved asks, naming DEPT;
// No keeps the program.
void ExitWithUnsavedEdits(Walk& walk)
{
    LeaveDeptUnsaved(walk, walk.Say(L"Not kept", L"Not kept JPN"));
    ::PostMessageW(walk.menu, WM_CLOSE, 0, 0);
    Answer(walk, WaitForBoxOver(walk, walk.menu),
           walk.Say(L"not saved with Update: DEPT", L"更新していない修正があります: 部門"), L"exit-question-unsaved",
           IDNO);
    Require(::IsWindowVisible(walk.menu) != FALSE, L"answering No closed the function menu");
    SaveDept(walk);
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

// Caption editing is on in the staged settings: a right click on a button of
// the function menu opens the caption editor on that button's caption, and
// Close without Update leaves it as it was.
void CaptionEditor(Walk& walk)
{
    HWND button = ProgramDriver::Control(walk.menu, IDC_SEL_DEPT);
    const std::wstring text = ProgramDriver::Text(button);
    ::PostMessageW(button, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
    ::PostMessageW(button, WM_RBUTTONUP, 0, MAKELPARAM(4, 4));
    HWND editor = walk.program.WaitForDialogOver(walk.menu);
    Require(ProgramDriver::Text(ProgramDriver::Control(editor, IDC_CAPEDIT_WNDNO)) == L"10",
            L"the editor is not on a caption of the function menu (window 16)");
    Require(ProgramDriver::Text(ProgramDriver::Control(editor, IDC_CAPEDIT_TEXT)) == text,
            L"the editor does not show the button's caption");
    walk.Picture(editor, L"caption-editor", ProgramDriver::Control(editor, IDC_CAPEDIT_UPDATE));
    walk.CheckLayout(editor, L"caption editor");
    walk.CloseDialog(editor, IDOK);
    Require(ProgramDriver::Text(button) == text, L"closing the editor changed the caption");
}

// The system menu's about box names the program and its version from the
// program file, under a title in the caption language.
void About(Walk& walk)
{
    ::PostMessageW(walk.menu, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    HWND about = walk.program.WaitForDialogOver(walk.menu);
    HWND product = ProgramDriver::Control(about, IDC_ABOUT_PRODUCT);
    Require(ProgramDriver::Text(product) == L"Tilldesk", L"the about box names \"" + ProgramDriver::Text(product) + L"\"");
    walk.Picture(about, L"about", product);
    walk.CheckLayout(about, L"about box", {IDC_ABOUT_PRODUCT, IDC_ABOUT_VERSION});
    walk.CloseDialog(about, IDOK);
}

} // namespace

const Step kSteps[] = {
    {L"DEPT", Dept},
    {L"PLU", Plu},
    {L"PLU import of fewer records", PluImportOfFewerRecords},
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
    {L"Send with unsaved edits", SendWithUnsavedEdits},
    {L"Receive with unsaved edits", ReceiveWithUnsavedEdits},
    {L"Exit with unsaved edits", ExitWithUnsavedEdits},
    {L"CaptionEditor", CaptionEditor},
    {L"About", About},
};
const int kStepCount = sizeof kSteps / sizeof kSteps[0];
