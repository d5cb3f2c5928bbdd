// The keyboard screen on the demo register's keyboard: the map beside the
// list, assigning keys, saving, bad data, the layout program, pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <windows.h>
#include <tlhelp32.h>

#include "CEcrData.h"
#include "CEcrTilldeskApp.h"
#include "CKeyBoardDlg.h"
#include "CKeyCell.h"
#include "EcrGlobals.h"
#include "EcrKeyboard.h"
#include "FieldCodec.h"
#include "KeyboardGroup.h"
#include "KeyboardResources.h"
#include "MessageBoxRecorder.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "S_ECR_TABLE.h"
#include "ScreenCheck.h"
#include "TempFolder.h"
#include "TestFiles.h"
#include "UnsavedEdits.h"
#include "WindowPicture.h"

namespace {

using SetBoxHandler = AfxMessageBoxHandler(WINAPI*)(AfxMessageBoxHandler);

// The library's own messages (write failures) are answered and kept here.
std::vector<std::wstring> g_libraryBoxes;
int LibraryBox(HWND, LPCWSTR text, LPCWSTR, UINT)
{
    g_libraryBoxes.push_back(text);
    return IDOK;
}

const COLORREF kYellow = RGB(255, 255, 224);
const COLORREF kGrey = RGB(220, 220, 220);

struct KeyboardScreen : ::testing::Test
{
    TempFolder data;
    CString savedName, savedPath, savedCapPath, savedLanguage;
    MessageBoxRecorder boxes;

    void SetUp() override
    {
        S_ECR_SETTING& s = *g_pEcrSetting;
        savedName = s.EcrName;
        savedPath = s.DataPath;
        savedCapPath = s.CapPath;
        savedLanguage = s.Language;
        WriteBytes(data.File(L"KEYBOARD.VK2"), ReadBytes(ProgramFolder() + L"\\Data\\KEYBOARD.VK2"));
        s.EcrName = L"02 VORN-K2";
        s.DataPath = data.Path().c_str();
        s.CapPath = (ProgramFolder() + L"\\Cap").c_str();
        s.Language = L"ENG";
        g_libraryBoxes.clear();
    }
    void TearDown() override
    {
        theApp.FreeCurrentWindow();
        theApp.m_pMainWnd = nullptr;
        PumpPending();
        theApp.EcrDll.UnloadModelDll();
        S_ECR_SETTING& s = *g_pEcrSetting;
        s.EcrName = savedName;
        s.DataPath = savedPath;
        s.CapPath = savedCapPath;
        s.Language = savedLanguage;
        PumpPending();
    }
    void LoadLibrary()
    {
        theApp.LoadModelDll(L"VornK2Dll.dll");
        ASSERT_NE(nullptr, theApp.EcrDll.Module);
        auto set = reinterpret_cast<SetBoxHandler>(
            reinterpret_cast<void (*)()>(::GetProcAddress(theApp.EcrDll.Module, "VornSetMessageBoxHandler")));
        ASSERT_NE(nullptr, set);
        set(LibraryBox);
    }
    CKeyBoardDlg* Open()
    {
        theApp.ShowWindowByNumber(WNDNO_KEYBOARD, 0);
        PumpPending();
        return dynamic_cast<CKeyBoardDlg*>(theApp.CurrentWnd);
    }
    // The keyboard group as the library holds it now.
    static KeyboardGroup Group()
    {
        CEcrData* data = GetEcrDataFromWndNo(WNDNO_KEYBOARD);
        data->LoadData(nullptr);
        return KeyboardGroup(data->GetTable(KEYBOARD_MAP), data->GetTable(KEYBOARD_LIST), data->GetTable(KEYBOARD_MERGE));
    }
    static void ClickList(CKeyBoardDlg& screen, int row)
    {
        CRect cell;
        screen.KeyList.GetCellRect(row, 0, cell);
        CPoint p = cell.CenterPoint();
        screen.KeyList.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        screen.KeyList.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }
    static void Click(CKeyBoardDlg& screen, int id)
    {
        screen.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(screen.m_hWnd, id)));
    }
};

// Keys whose name holds a word wider than the key, in the font the key is
// drawn in: such a word would break inside ("RECEIP" over "T").
std::wstring KeysWithWordsTooWide(CGridCtrl& map)
{
    std::wstring found;
    CClientDC dc(&map);
    for (int r = 0; r < map.GetRowCount(); ++r)
        for (int c = 0; c < map.GetColumnCount(); ++c) {
            auto* key = dynamic_cast<CKeyCell*>(map.GetCell(r, c));
            CRect rect;
            if (!key || key->IsHiddenByMerge() || !map.GetCellRect(r, c, rect))
                continue;
            // Where the key's text is drawn: inside its margins.
            CRect textRect = rect;
            textRect.DeflateRect(key->GetMargin(), key->GetMargin());
            textRect.right += 2;
            textRect.bottom += 2;
            LOGFONTW lf = *key->GetFont();
            key->FitFont(&dc, textRect, lf);
            CFont font;
            font.CreateFontIndirect(&lf);
            const HGDIOBJ old = dc.SelectObject(&font);
            const std::wstring name = key->GetText();
            for (size_t start = 0, end; start < name.size(); start = end + 1) {
                end = std::min(name.find(L' ', start), name.size());
                const CSize word = dc.GetTextExtent(name.c_str() + start, static_cast<int>(end - start));
                if (word.cx > textRect.Width())
                    found += name + L"\n";
            }
            dc.SelectObject(old);
        }
    return found;
}

// Tillpad.exe processes this test program started (its children).
std::vector<DWORD> OurTillpads()
{
    std::vector<DWORD> found;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry))
        if (::lstrcmpiW(entry.szExeFile, L"Tillpad.exe") == 0 && entry.th32ParentProcessID == ::GetCurrentProcessId())
            found.push_back(entry.th32ProcessID);
    ::CloseHandle(snapshot);
    return found;
}

void EndProcess(DWORD id)
{
    if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
        ::TerminateProcess(process, 0);
        ::WaitForSingleObject(process, 5000);
        ::CloseHandle(process);
    }
}

} // namespace

TEST_F(KeyboardScreen, ShowsTheKeyMapBesideTheAssignableKeys)
{
    LoadLibrary();
    CKeyBoardDlg* screen = Open();
    ASSERT_NE(nullptr, screen);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(CString(L"02 VORN-K2 - ") + data.Path().c_str(), screen->GetWindowText());

    // The blank key and the 36 PLU keys are listed; the fixed keys are not.
    EXPECT_EQ(37, screen->KeyList.GetRowCount());
    EXPECT_STREQ(L"PLU 1", screen->KeyList.GetItemText(1, 0));
    EXPECT_EQ(37, static_cast<int>(screen->KeyRows.GetCount()));

    ASSERT_EQ(8, screen->KeyMap.GetRowCount());
    ASSERT_EQ(10, screen->KeyMap.GetColumnCount());
    EXPECT_EQ(45, screen->KeyMap.GetColumnWidth(9));
    EXPECT_EQ(40, screen->KeyMap.GetRowHeight(7));
    EXPECT_STREQ(L"PLU 1", screen->KeyMap.GetItemText(0, 0));
    EXPECT_EQ(kYellow, screen->KeyMap.GetItemBkColour(0, 0));
    EXPECT_STREQ(L"7", screen->KeyMap.GetItemText(0, 6));
    EXPECT_EQ(kGrey, screen->KeyMap.GetItemBkColour(0, 6));
    // CASH spans two rows.
    EXPECT_STREQ(L"CASH", screen->KeyMap.GetItemText(6, 9));
    EXPECT_EQ(CCellRange(6, 9, 7, 9), screen->KeyMap.GetOwnedBlock(6, 9));

    EXPECT_STREQ(L"Call KeyLayOut", screen->PrintButton.GetWindowText());
    for (CWnd* hidden : {static_cast<CWnd*>(&screen->JoinButton), static_cast<CWnd*>(&screen->SeparationButton),
                         static_cast<CWnd*>(&screen->SettingButton), static_cast<CWnd*>(&screen->LoadButton),
                         static_cast<CWnd*>(&screen->ZoomBox), static_cast<CWnd*>(&screen->ZoomLabel)})
        EXPECT_FALSE(hidden->IsWindowVisible());
}

TEST_F(KeyboardScreen, AClickedFunctionGoesOnlyToSelectedAssignableKeys)
{
    LoadLibrary();
    CKeyBoardDlg* screen = Open();
    ASSERT_NE(nullptr, screen);
    const int fixedKey = Group().KeyAt(0, 6);
    // PLU 5, PLU 6 and the fixed key "7".
    screen->KeyMap.SetSelectedRange(0, 4, 0, 6);
    ClickList(*screen, 3);
    EXPECT_STREQ(L"PLU 3", screen->KeyMap.GetItemText(0, 4));
    EXPECT_STREQ(L"PLU 3", screen->KeyMap.GetItemText(0, 5));
    EXPECT_STREQ(L"7", screen->KeyMap.GetItemText(0, 6));
    EXPECT_STREQ(L"PLU 4", screen->KeyMap.GetItemText(0, 3));  // not selected
    KeyboardGroup group = Group();
    EXPECT_EQ(3, group.KeyAt(0, 4));
    EXPECT_EQ(3, group.KeyAt(0, 5));
    EXPECT_EQ(fixedKey, group.KeyAt(0, 6));
    // A change of model or folder asks before the edit is dropped.
    EXPECT_GT(GetEcrDataFromWndNo(WNDNO_KEYBOARD)->UnsavedChanges, 0);
    boxes.Answer(IDCANCEL);
    EXPECT_FALSE(ConfirmDiscardUnsavedEdits());
    EXPECT_EQ(1u, boxes.Boxes().size());

    // A click below the list assigns nothing.
    screen->KeyMap.SetSelectedRange(1, 0, 1, 0);
    CRect last;
    screen->KeyList.GetCellRect(screen->KeyList.GetRowCount() - 1, 0, last);
    screen->KeyList.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(last.CenterPoint().x, last.bottom + 5));
    screen->KeyList.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(last.CenterPoint().x, last.bottom + 5));
    EXPECT_EQ(7, Group().KeyAt(1, 0));
}

TEST_F(KeyboardScreen, SavedAssignmentsAreThereAfterReading)
{
    LoadLibrary();
    CKeyBoardDlg* screen = Open();
    ASSERT_NE(nullptr, screen);
    screen->KeyMap.SetSelectedRange(2, 2, 2, 2);
    ClickList(*screen, 30);
    Click(*screen, IDC_KB_SAVE);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"Update Success", boxes.Boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), boxes.Boxes()[0].type & MB_ICONMASK);

    CEcrData* group = GetEcrDataFromWndNo(WNDNO_KEYBOARD);
    EXPECT_EQ(0, group->UnsavedChanges);
    group->Reset();
    group->ReloadFromFolder(data.Path().c_str());
    EXPECT_EQ(30, Group().KeyAt(2, 2));
    screen = Open();
    ASSERT_NE(nullptr, screen);
    EXPECT_STREQ(L"PLU 30", screen->KeyMap.GetItemText(2, 2));
}

TEST_F(KeyboardScreen, ARefusedSaveLeavesTheFileAsItWas)
{
    LoadLibrary();
    CKeyBoardDlg* screen = Open();
    ASSERT_NE(nullptr, screen);
    const std::string before = data.Read(L"KEYBOARD.VK2");
    screen->KeyMap.SetSelectedRange(0, 0, 0, 0);
    ClickList(*screen, 5);
    // Another program holds the file.
    HANDLE held = ::CreateFileW(data.File(L"KEYBOARD.VK2").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    Click(*screen, IDC_KB_SAVE);
    ::CloseHandle(held);
    // The library names the file it could not write; the screen adds
    // nothing, and never "Update Success".
    EXPECT_EQ(1u, g_libraryBoxes.size());
    EXPECT_EQ(0u, boxes.Boxes().size());
    EXPECT_EQ(before, data.Read(L"KEYBOARD.VK2"));
    EXPECT_FALSE(FileExists(data.File(L"KEYBOARD.VK2.new")));
    // The edit is still there, unsaved.
    EXPECT_EQ(5, Group().KeyAt(0, 0));
    EXPECT_GT(GetEcrDataFromWndNo(WNDNO_KEYBOARD)->UnsavedChanges, 0);
}

TEST_F(KeyboardScreen, BadKeyIndexesAndMergesAreContained)
{
    LoadLibrary();
    CEcrData* data = GetEcrDataFromWndNo(WNDNO_KEYBOARD);
    data->LoadData(nullptr);
    KeyboardGroup group = Group();
    ASSERT_TRUE(group.SetKeyAt(1, 1, 999));
    // The one merge record: from the map's last column far past its end, and reversed rows.
    S_ECR_TABLE* merges = data->GetTable(KEYBOARD_MERGE);
    ASSERT_EQ(1, merges->RecordCount);
    auto setMerge = [&](int field, const wchar_t* value) {
        ASSERT_TRUE(ParseField(&merges->Fields()[field], value, FieldPtr(merges, 0, field)));
    };
    setMerge(MERGE_FIRST_COLUMN, L"8");
    setMerge(MERGE_FIRST_ROW, L"5");
    setMerge(MERGE_LAST_COLUMN, L"40");
    setMerge(MERGE_LAST_ROW, L"90");

    CKeyBoardDlg* screen = Open();
    ASSERT_NE(nullptr, screen);
    EXPECT_STREQ(L"", screen->KeyMap.GetItemText(1, 1));
    EXPECT_EQ(kGrey, screen->KeyMap.GetItemBkColour(1, 1));
    EXPECT_EQ(CCellRange(5, 8, 7, 9), screen->KeyMap.GetOwnedBlock(5, 8));
    screen->KeyMap.SetSelectedRange(1, 1, 1, 1);
    ClickList(*screen, 2);
    EXPECT_EQ(999, Group().KeyAt(1, 1));
    EXPECT_STREQ(L"", screen->KeyMap.GetItemText(1, 1));

    setMerge(MERGE_FIRST_ROW, L"7");
    setMerge(MERGE_LAST_ROW, L"2");
    screen = Open();
    ASSERT_NE(nullptr, screen);
    EXPECT_FALSE(screen->KeyMap.GetOwnedBlock(7, 8).IsValid());
    EXPECT_FALSE(screen->KeyMap.GetOwnedBlock(2, 8).IsValid());
}

TEST_F(KeyboardScreen, WithoutKeyboardDataItGoesBackToTheFunctionMenu)
{
    // No library: no keyboard group.
    Open();
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"There is no pertinent data", boxes.Boxes()[0].text);
    PumpPending();
    auto* current = dynamic_cast<CEcrDialog*>(theApp.CurrentWnd);
    ASSERT_NE(nullptr, current);
    EXPECT_EQ(WNDNO_SELECT, current->WndNo);
}

TEST_F(KeyboardScreen, TheLayoutProgramStartsOnlyOnce)
{
    for (DWORD id : OurTillpads())
        EndProcess(id);
    LoadLibrary();
    CKeyBoardDlg* screen = Open();
    ASSERT_NE(nullptr, screen);
    // The one beside the program, whatever the working folder (whose
    // settings the layout program reads).
    TempFolder elsewhere;
    const std::wstring data = ProgramFolder() + L"\\Data";
    elsewhere.Write(L"Tilldesk.ini", "[DEFAULT]\r\nDataPath=" + std::string(data.begin(), data.end()) + "\r\n");
    CurrentDirectoryScope cwd(elsewhere.Path());
    Click(*screen, IDC_KB_PRINT);
    ASSERT_TRUE(PumpUntil([] { return OurTillpads().size() == 1; }));
    Click(*screen, IDC_KB_PRINT);
    ::Sleep(300);
    std::vector<DWORD> running = OurTillpads();
    EXPECT_EQ(1u, running.size());
    EXPECT_TRUE(boxes.Boxes().empty());
    for (DWORD id : running)
        EndProcess(id);
}

// In a font larger than the map's (or a wider face where the map's is
// missing), a name that wraps keeps every line: "PLU 10" does not read as
// "PLU" beside 26 more keys that read the same.
TEST_F(KeyboardScreen, EveryKeyShowsItsWholeNameInALargerFont)
{
    LoadLibrary();
    CKeyBoardDlg* screen = Open();
    ASSERT_NE(nullptr, screen);
    CGridCellBase* def = screen->KeyMap.GetDefaultCell(FALSE, FALSE);
    LOGFONTW larger = *def->GetFont();
    larger.lfHeight = -14;
    def->SetFont(&larger);
    screen->KeyMap.Invalidate();
    EXPECT_FALSE(SaveWindowPicture(screen->m_hWnd, L"keyboard-larger-font").empty());
    EXPECT_TRUE(ClippedCells(screen->KeyMap).empty()) << JoinFindings(ClippedCells(screen->KeyMap));
    EXPECT_EQ(L"", KeysWithWordsTooWide(screen->KeyMap));

    // "PLU 10" and "PLU 11" look different on the screen.
    auto keyRect = [&](const wchar_t* name) {
        CRect rect;
        for (int r = 0; r < screen->KeyMap.GetRowCount(); ++r)
            for (int c = 0; c < screen->KeyMap.GetColumnCount(); ++c)
                if (screen->KeyMap.GetItemText(r, c) == name)
                    screen->KeyMap.GetCellRect(r, c, rect);
        screen->KeyMap.ClientToScreen(&rect);
        return rect;
    };
    const CRect ten = keyRect(L"PLU 10");
    const CRect eleven = keyRect(L"PLU 11");
    ASSERT_FALSE(ten.IsRectEmpty());
    ASSERT_EQ(ten.Size(), eleven.Size());
    HDC dc = ::GetDC(nullptr);
    int differing = 0;
    for (int y = 0; y < ten.Height(); ++y)
        for (int x = 0; x < ten.Width(); ++x)
            differing += ::GetPixel(dc, ten.left + x, ten.top + y) != ::GetPixel(dc, eleven.left + x, eleven.top + y);
    ::ReleaseDC(nullptr, dc);
    EXPECT_GT(differing, 0);
}

TEST_F(KeyboardScreen, PicturesInBothLanguages)
{
    const CaptionLanguages captions(ProgramFolder() + L"\\Cap");
    for (const wchar_t* language : {L"ENG", L"JPN"}) {
        g_pEcrSetting->Language = language;
        LoadLibrary();
        CKeyBoardDlg* screen = Open();
        ASSERT_NE(nullptr, screen);
        screen->KeyMap.SetSelectedRange(0, 0, 0, 0);
        const bool japanese = std::wstring(language) == L"JPN";
        EXPECT_STREQ(japanese ? L"保存" : L"Save", screen->SaveButton.GetWindowText());
        EXPECT_STREQ(japanese ? L"キーレイアウト起動" : L"Call KeyLayOut", screen->PrintButton.GetWindowText());
        std::wstring name = std::wstring(L"keyboard-") + (japanese ? L"jpn" : L"eng");
        EXPECT_FALSE(SaveWindowPicture(screen->m_hWnd, name.c_str()).empty());
        EXPECT_EQ(L"", KeysWithWordsTooWide(screen->KeyMap));
        // The title names the model and its data folder.
        std::vector<std::wstring> findings = ScreenFindings(screen->m_hWnd, captions, japanese, {0});
        EXPECT_TRUE(findings.empty()) << language << ":\n" << JoinFindings(findings);
        // A fixed key shows grey on the screen.
        CRect cell;
        screen->KeyMap.GetCellRect(0, 6, cell);
        screen->KeyMap.ClientToScreen(&cell);
        HDC dc = ::GetDC(nullptr);
        EXPECT_EQ(kGrey, ::GetPixel(dc, cell.left + 3, cell.bottom - 3));
        ::ReleaseDC(nullptr, dc);
        theApp.FreeCurrentWindow();
        theApp.EcrDll.UnloadModelDll();
    }
}
