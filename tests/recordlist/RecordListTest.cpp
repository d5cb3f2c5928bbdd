#include "RecordListFixture.h"

#include <commctrl.h>

#include "CEcrReportSet.h"
#include "EcrGlobals.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "ScreenCheck.h"
#include "TestFiles.h"
#include "WindowPicture.h"
#include "resource.h"

namespace {

CString MenuText(HMENU menu, int pos)
{
    CString text;
    CMenu::GetMenuString(menu, static_cast<UINT>(pos), text, MF_BYPOSITION);
    return text;
}

CString ListText(CFlexListDlg* screen, int pos)
{
    CString text;
    CListBox* list = static_cast<CListBox*>(screen->GetDlgItem(IDC_FLEX_TABLES));
    list->GetText(pos, text);
    return text;
}

int ListCount(CFlexListDlg* screen)
{
    return static_cast<int>(screen->SendDlgItemMessage(IDC_FLEX_TABLES, LB_GETCOUNT));
}

int ListSelection(CFlexListDlg* screen)
{
    return static_cast<int>(screen->SendDlgItemMessage(IDC_FLEX_TABLES, LB_GETCURSEL));
}

CRect ChildRect(CWnd* parent, int id)
{
    CRect rect;
    ::GetWindowRect(::GetDlgItem(parent->m_hWnd, id), &rect);
    parent->ScreenToClient(&rect);
    return rect;
}

void NotifySelChanged(CFlexListDlg* screen, int row, int column)
{
    S_GRID_NOTIFY notify = {};
    notify.hdr.hwndFrom = screen->Grid().m_hWnd;
    notify.hdr.idFrom = IDC_FLEX_GRID;
    notify.hdr.code = GRIDN_SELCHANGED;
    notify.iRow = row;
    notify.iColumn = column;
    screen->SendMessage(WM_NOTIFY, IDC_FLEX_GRID, reinterpret_cast<LPARAM>(&notify));
}

HWND g_menuButton = nullptr;
bool g_hiddenWhileOpen = false;

void CALLBACK LookAndCloseMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    g_hiddenWhileOpen = !IsWindowVisible(g_menuButton);
    EndMenu();
}

} // namespace

TEST_F(RecordList, EveryRecordGroupOpensFromTheFunctionMenuInSingleTableMode)
{
    const std::pair<int, int> buttons[] = {{IDC_SEL_DEPT, WNDNO_DEPT}, {IDC_SEL_PLU, WNDNO_PLU}, {IDC_SEL_CLERK, WNDNO_CLERK},
                                           {IDC_SEL_S_MODE, WNDNO_S_MODE}, {IDC_SEL_PROG_MODE, WNDNO_PROG_MODE}};
    for (auto [button, wndNo] : buttons) {
        theApp.ShowWindowByNumber(WNDNO_SELECT, 0);
        Click(button);
        PumpPending();
        CFlexListDlg* screen = Screen();
        ASSERT_NE(nullptr, screen) << wndNo;
        EXPECT_EQ(wndNo, CurrentNumber());
        CEcrData* group = Group(wndNo);
        EXPECT_EQ(group->GetTable(0), screen->Grid().GetBoundTable()) << wndNo;
        EXPECT_EQ(group->GetTable(0)->RecordCount + 1, screen->Grid().GetRowCount()) << wndNo;
        EXPECT_FALSE(Visible(IDC_FLEX_TABLES));
        EXPECT_TRUE(Visible(IDC_FLEX_NAME));
        EXPECT_TRUE(Visible(IDC_FLEX_MENU));
        EXPECT_TRUE(Enabled(IDC_FLEX_UPDATE));
        EXPECT_TRUE(Visible(IDC_FLEX_EXPORT));
        EXPECT_EQ(screen->GetDlgItem(IDC_FLEX_NAME)->GetWindowText(), ListText(screen, 0));
        EXPECT_EQ(CString(L"02 VORN-K2 - ") + g_pEcrSetting->DataPath, screen->GetWindowText());
        // The grid moves to the left edge where the list would be.
        EXPECT_EQ(10, ChildRect(screen, IDC_FLEX_GRID).left);
    }
    EXPECT_TRUE(TakeBoxes().empty());
}

// Without the card on entry the grid has a current cell at once, so the
// keyboard works before any click.
TEST_F(RecordList, AnOpenedTableTakesKeysWithoutAClick)
{
    CFlexListDlg* screen = Open(WNDNO_DEPT);
    PumpPending();
    CEcrGrid& grid = screen->Grid();
    ASSERT_EQ(grid.m_hWnd, ::GetFocus());
    const CCellID first = grid.GetFocusCell();
    ASSERT_TRUE(grid.IsValid(first));
    EXPECT_EQ(1, first.row);
    EXPECT_FALSE(grid.GetItemState(first.row, first.col) & GRIDCELL_READONLY);
    ::PostMessageW(grid.m_hWnd, WM_KEYDOWN, VK_DOWN, 1);
    PumpPending();
    EXPECT_EQ(CCellID(2, first.col), grid.GetFocusCell());
}

TEST_F(RecordList, ButtonsFollowTheTable)
{
    CFlexListDlg* screen = Open(WNDNO_DEPT);
    EXPECT_STREQ(L"Department", screen->GetDlgItem(IDC_FLEX_NAME)->GetWindowText());
    EXPECT_STREQ(L"Sort", screen->GetDlgItem(IDC_FLEX_SORT)->GetWindowText());
    EXPECT_STREQ(L"Menu", screen->GetDlgItem(IDC_FLEX_MENU)->GetWindowText());
    EXPECT_TRUE(Visible(IDC_FLEX_SORT));
    EXPECT_FALSE(Visible(IDC_FLEX_IMPORT));  // level 4, not 98

    Open(WNDNO_PLU);
    EXPECT_TRUE(Visible(IDC_FLEX_SORT));
    EXPECT_TRUE(Visible(IDC_FLEX_IMPORT));   // level 98

    Open(WNDNO_CLERK);
    EXPECT_FALSE(Visible(IDC_FLEX_SORT));    // sort key -1
    EXPECT_FALSE(Visible(IDC_FLEX_IMPORT));
}

TEST_F(RecordList, ReportViewerListsItsReportsAndOffersNoUpdate)
{
    CFlexListDlg* screen = Open(WNDNO_REPORT_VIEWER);
    ASSERT_NE(nullptr, screen);
    EXPECT_TRUE(Visible(IDC_FLEX_TABLES));
    EXPECT_FALSE(Visible(IDC_FLEX_NAME));
    EXPECT_FALSE(Visible(IDC_FLEX_MENU));
    EXPECT_FALSE(Visible(IDC_FLEX_EXPORT));
    EXPECT_FALSE(Enabled(IDC_FLEX_UPDATE));
    EXPECT_EQ(4, ListCount(screen));
    EXPECT_STREQ(L"Financial", ListText(screen, 0));

    screen->SendDlgItemMessage(IDC_FLEX_TABLES, LB_SETCURSEL, 2);
    screen->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FLEX_TABLES, LBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(screen->GetDlgItem(IDC_FLEX_TABLES)->m_hWnd));
    EXPECT_EQ(Group(WNDNO_REPORT_VIEWER)->GetTable(2), screen->Grid().GetBoundTable());
    // Report groups have no record card.
    screen->SendMessage(WM_ECR_OPEN_CARD, reinterpret_cast<WPARAM>(screen->Grid().GetBoundTable()), 1);
    EXPECT_TRUE(TakeBoxes().empty());
}

// The data folder holds the raw reports only, none converted.
TEST_F(RecordList, AReportNotConvertedYetSaysSo)
{
    CFlexListDlg* screen = Open(WNDNO_REPORT_VIEWER);
    ASSERT_NE(nullptr, screen);
    ASSERT_STREQ(L"PLU sales", ListText(screen, 2));
    screen->SendDlgItemMessage(IDC_FLEX_TABLES, LB_SETCURSEL, 2);
    screen->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FLEX_TABLES, LBN_DBLCLK),
                        reinterpret_cast<LPARAM>(screen->GetDlgItem(IDC_FLEX_TABLES)->m_hWnd));
    EXPECT_EQ(std::vector<std::wstring>{L"This report has not been converted yet. Convert it first with ReportConvert "
                                        L"in the function menu."},
              TakeBoxes());
}

namespace {

// The grid's texts of the bound table, row by row (the fixed column left out).
std::vector<std::vector<std::wstring>> GridTexts(CFlexListDlg* screen)
{
    std::vector<std::vector<std::wstring>> rows;
    CEcrGrid& grid = screen->Grid();
    for (int r = 1; r < grid.GetRowCount(); ++r) {
        rows.emplace_back();
        for (int c = 1; c < grid.GetColumnCount(); ++c)
            rows.back().push_back(grid.GetItemText(r, c).GetString());
    }
    return rows;
}

// Converts the raw report `name` of the data folder, as the conversion
// dialog does, then has the report viewer's group read again.
bool ConvertRawReport(const wchar_t* name)
{
    CEcrData* set = GetEcrDataFromWndNo(WNDNO_CNV);
    if (!set || !set->LoadData(g_pEcrSetting->DataPath))
        return false;
    int index = 0;
    for (auto* node = ReportFileHead(set); node; node = node->pNext, ++index)
        if (std::wstring(node->data.Name) == name) {
            BOOL converted = AsReportSet(set)->ConvertReport(index, 0);
            PostEcrMessage(WM_ECR_DATA_RELOAD, 0, WNDNO_REPORT_VIEWER);
            PumpPending();
            return converted != FALSE;
        }
    return false;
}

// Gives a raw report of the data folder a day after any converted report's,
// so that its conversion is the report the list shows, in a folder known.
bool StampAfterSampleDays(const std::wstring& raw)
{
    HANDLE file = CreateFileW(raw.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SYSTEMTIME day = {2030, 1, 0, 2, 12, 30, 0, 0};
    FILETIME local, time;
    SystemTimeToFileTime(&day, &local);
    LocalFileTimeToFileTime(&local, &time);
    BOOL set = SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    return set != FALSE;
}

} // namespace

namespace {

// A raw report of the sample data, read whole, then with one byte damaged.
class DamagedReport : public RecordList
{
protected:
    struct Reading
    {
        std::vector<std::vector<std::wstring>> whole, damaged;  // the grid's texts
        std::vector<std::wstring> boxes;  // what reading the damaged report told
        CFlexListDlg* screen = nullptr;   // showing the damaged report
    };

    // Converts `raw` and reads it in the report list (entry `listPos`,
    // `title`); then sets byte `offset`, which holds `was`, to `now`,
    // converts the report again and reads it again.
    void Read(const wchar_t* raw, int listPos, const wchar_t* title, size_t offset, char was, char now,
              Reading& reading)
    {
        const std::wstring path = DataPath(raw);
        ASSERT_TRUE(StampAfterSampleDays(path));
        ASSERT_TRUE(ConvertRawReport(raw));
        CFlexListDlg* screen = Open(WNDNO_REPORT_VIEWER, listPos);
        ASSERT_NE(nullptr, screen);
        ASSERT_STREQ(title, ListText(screen, ListSelection(screen)));
        reading.whole = GridTexts(screen);
        EXPECT_TRUE(TakeBoxes().empty());

        std::string bytes = DataFile(raw);
        ASSERT_EQ(was, bytes[offset]);
        bytes[offset] = now;
        WriteBytes(path, bytes);
        ASSERT_TRUE(StampAfterSampleDays(path));
        // The conversion runs from the function menu, which the report list
        // replaced; it opens again on the new report.
        Open(WNDNO_SELECT);
        ASSERT_TRUE(ConvertRawReport(raw));
        reading.boxes = TakeBoxes();
        reading.screen = Open(WNDNO_REPORT_VIEWER, listPos);
        ASSERT_NE(nullptr, reading.screen);
        reading.damaged = GridTexts(reading.screen);
        EXPECT_TRUE(TakeBoxes().empty()) << "told once, when the report was read";
    }

    // What reading the shown report again tells in `language`.
    std::vector<std::wstring> ReadAgainIn(const wchar_t* language)
    {
        UseLanguage(language);
        PostEcrMessage(WM_ECR_DATA_RELOAD, 0, WNDNO_REPORT_VIEWER);
        PumpPending();
        std::vector<std::wstring> boxes = TakeBoxes();
        UseLanguage(L"ENG");
        return boxes;
    }
};

} // namespace

// A register that cuts a name at its byte limit can leave a lone Shift-JIS
// lead byte: record 41 of the sample PLU report ends its name "トマト S"
// with one (0xED, before a blank). Every row still shows, the name with the
// replacement mark, and one message names the report, the row and the field.
TEST_F(DamagedReport, ANameCutInTheMiddleOfACharacterHidesNoRowOfItsReport)
{
    Reading reading;
    ASSERT_NO_FATAL_FAILURE(Read(L"PLU1230.VKR", 3, L"PLU sales", 1768, '\x20', '\xED', reading));
    ASSERT_EQ(60u, reading.whole.size());
    ASSERT_EQ(L"\u30C8\u30DE\u30C8 S", reading.whole[41][1]);
    auto cut = reading.damaged;
    ASSERT_EQ(60u, cut.size());
    EXPECT_EQ(L"\u30C8\u30DE\u30C8 S" + std::wstring(14, L' ') + L"\uFFFD", cut[41][1]);
    cut[41][1] = reading.whole[41][1];
    EXPECT_EQ(reading.whole, cut) << "every other text as before";
    ASSERT_EQ(1u, reading.boxes.size());
    const std::wstring csv = m_data.Path() + L"\\20300102\\PLU.CSV";
    EXPECT_NE(std::wstring::npos, reading.boxes[0].find(L"\nPLU sales, row 42 (line 43 of " + csv + L"): Name"))
        << reading.boxes[0];
    EXPECT_EQ(std::wstring::npos, reading.boxes[0].find(L"could not be read"));
    reading.screen->Grid().EnsureVisible(42, 2);
    SaveWindowPicture(reading.screen->m_hWnd, L"report-list-cut-name");

    const auto boxes = ReadAgainIn(L"JPN");
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::wstring::npos, boxes[0].find(L"\nPLU\u58F2\u4E0A 42 \u884C\u76EE\uFF08" + csv + L" \u306E 43 \u884C\u76EE\uFF09: \u540D\u79F0"))
        << boxes[0];
}

// A damaged record can hold a number with other digits than 0 to 9: record
// 18 of the sample department report with FF as its number's high byte,
// which the conversion writes as stored, "FF18". Every row still shows, that
// number as written, and one message names the report, the row and the field.
TEST_F(DamagedReport, ANumberThatIsNotDecimalHidesNoRowOfItsReport)
{
    Reading reading;
    ASSERT_NO_FATAL_FAILURE(Read(L"DEPT1230.VKR", 2, L"Dept sales", 493, '\0', '\xFF', reading));
    ASSERT_EQ(20u, reading.whole.size());
    ASSERT_EQ(L"0018", reading.whole[17][0]);
    ASSERT_EQ(L"Tobacco", reading.whole[17][1]);
    auto damaged = reading.damaged;
    ASSERT_EQ(20u, damaged.size());
    EXPECT_EQ(L"FF18", damaged[17][0]);
    damaged[17][0] = reading.whole[17][0];
    EXPECT_EQ(reading.whole, damaged) << "every other text as before";
    ASSERT_EQ(1u, reading.boxes.size());
    const std::wstring csv = m_data.Path() + L"\\20300102\\DEPT.CSV";
    EXPECT_NE(std::wstring::npos, reading.boxes[0].find(L"\nDept sales, row 18 (line 19 of " + csv + L"): Dept No."))
        << reading.boxes[0];
    EXPECT_EQ(std::wstring::npos, reading.boxes[0].find(L"could not be read"));

    const auto boxes = ReadAgainIn(L"JPN");
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::wstring::npos, boxes[0].find(L"\n\u90E8\u9580\u58F2\u4E0A 18 \u884C\u76EE\uFF08" + csv
                                                + L" \u306E 19 \u884C\u76EE\uFF09: \u90E8\u9580\u756A\u53F7"))
        << boxes[0];
}

TEST_F(RecordList, TablesBelowTheUserLevelAreLeftOut)
{
    // Level 3: the machine table (level 2) of the program mode is not listed.
    g_pEcrSetting->Level = 3;
    CFlexListDlg* screen = Open(WNDNO_PROG_MODE);
    ASSERT_NE(nullptr, screen);
    EXPECT_EQ(2, ListCount(screen));
    EXPECT_STREQ(L"Tax rates", ListText(screen, 1));
    HMENU progMode = GetSubMenu(screen->JumpMenu(), 4);
    EXPECT_EQ(2, GetMenuItemCount(progMode));
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(RecordList, NoTableAtTheUserLevelGoesBackToTheMenu)
{
    g_pEcrSetting->Level = 5;  // above every table but the PLU (98)
    Open(WNDNO_CLERK);
    auto boxes = TakeBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"There is no data that can be displayed at the current level", boxes[0]);
    PumpPending();
    EXPECT_EQ(WNDNO_SELECT, CurrentNumber());
    // The PLU table (level 98) is still seen.
    EXPECT_NE(nullptr, Open(WNDNO_PLU));
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(RecordList, WithoutADataGroupTheScreenSaysSoAndGoesBack)
{
    theApp.EcrDll.UnloadModelDll();
    Open(WNDNO_DEPT);
    auto boxes = TakeBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"There is no pertinent data", boxes[0]);
    // Nothing of the screen acts on the missing group.
    Click(IDC_FLEX_UPDATE);
    Click(IDC_FLEX_SORT);
    Screen()->ShowTable();
    EXPECT_FALSE(Screen()->SelectListEntry(0));
    EXPECT_TRUE(TakeBoxes().empty());
    PumpPending();
    EXPECT_EQ(WNDNO_SELECT, CurrentNumber());
}

TEST_F(RecordList, JumpMenuListsTheFiveGroupsByListedPosition)
{
    CFlexListDlg* screen = Open(WNDNO_DEPT);
    HMENU root = screen->JumpMenu();
    ASSERT_NE(nullptr, root);
    ASSERT_EQ(5, GetMenuItemCount(root));
    const wchar_t* titles[] = {L"DEPT", L"PLU", L"CLERK", L"S_MODE", L"PROG_MODE"};
    for (int g = 0; g < 5; ++g) {
        EXPECT_STREQ(titles[g], MenuText(root, g)) << g;
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(root, static_cast<UINT>(g), TRUE, &info);
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    }
    HMENU sMode = GetSubMenu(root, 3);
    ASSERT_EQ(2, GetMenuItemCount(sMode));
    EXPECT_EQ(0x8003u + 256 * 4 + 1, GetMenuItemID(sMode, 0));
    EXPECT_EQ(0x8003u + 256 * 4 + 2, GetMenuItemID(sMode, 1));
    EXPECT_STREQ(L"Receipt style", MenuText(sMode, 1));

    // At level 3 the program mode's third table is left out, and the
    // numbers count listed tables, not table indexes.
    g_pEcrSetting->Level = 3;
    screen = Open(WNDNO_DEPT);
    HMENU progMode = GetSubMenu(screen->JumpMenu(), 4);
    ASSERT_EQ(2, GetMenuItemCount(progMode));
    EXPECT_EQ(0x8003u + 256 * 5 + 2, GetMenuItemID(progMode, 1));
}

TEST_F(RecordList, JumpMenuLandsOnTheTableOfAnotherGroup)
{
    CFlexListDlg* screen = Open(WNDNO_DEPT);
    screen->SendMessage(WM_COMMAND, 0x8003 + 256 * 5 + 2, 0);
    PumpPending();
    ASSERT_EQ(WNDNO_PROG_MODE, CurrentNumber());
    screen = Screen();
    EXPECT_EQ(1, ListSelection(screen));
    EXPECT_EQ(Group(WNDNO_PROG_MODE)->GetTable(1), screen->Grid().GetBoundTable());
    EXPECT_STREQ(L"Tax rates", screen->GetDlgItem(IDC_FLEX_NAME)->GetWindowText());

    // Entries past the target's list, and the root's own id, change nothing.
    screen->SendMessage(WM_COMMAND, 0x8003 + 256 * 5 + 9, 0);
    PumpPending();
    EXPECT_EQ(WNDNO_PROG_MODE, CurrentNumber());
    EXPECT_EQ(0, ListSelection(Screen()));
    Screen()->SendMessage(WM_COMMAND, 0x8003, 0);
    PumpPending();
    EXPECT_EQ(WNDNO_PROG_MODE, CurrentNumber());
}

TEST_F(RecordList, JumpMenuButtonHidesWhileTheMenuIsOpen)
{
    CFlexListDlg* screen = Open(WNDNO_DEPT);
    g_menuButton = screen->GetDlgItem(IDC_FLEX_MENU)->m_hWnd;
    g_hiddenWhileOpen = false;
    // The menu's own loop runs the timer, which looks and closes the menu.
    SetTimer(nullptr, 0, 50, LookAndCloseMenu);
    Click(IDC_FLEX_MENU);
    EXPECT_TRUE(g_hiddenWhileOpen);
    EXPECT_TRUE(IsWindowVisible(g_menuButton));
}

TEST_F(RecordList, SortOrdersTheRecordsAndShowsThemAgain)
{
    CFlexListDlg* screen = Open(WNDNO_DEPT);
    CEcrGrid& grid = screen->Grid();
    int last = grid.GetRowCount() - 1;
    grid.SetItemTextByUser(1, 1, L"98");
    Click(IDC_FLEX_SORT);
    EXPECT_NE(-1, grid.GetItemText(last, 1).Find(L"98"));
    EXPECT_EQ(-1, grid.GetItemText(1, 1).Find(L"98"));
    EXPECT_TRUE(grid.IsWindowVisible());
}

TEST_F(RecordList, StatusLineShowsTheFieldsHintAndRange)
{
    CFlexListDlg* screen = Open(WNDNO_DEPT);
    NotifySelChanged(screen, 1, 3);  // Price: tooltip on, range 0 - 999999
    EXPECT_STREQ(L"Preset unit price   (Range is 0 - 999999)", screen->StatusText());
    NotifySelChanged(screen, 1, 8);  // Status: no tooltip, not editable
    EXPECT_STREQ(L"", screen->StatusText());

    // The selection change after a refused edit leaves the line alone, once.
    NotifySelChanged(screen, 1, 3);
    screen->Grid().SetEditAccepted(FALSE);
    NotifySelChanged(screen, 1, 2);
    EXPECT_STREQ(L"Preset unit price   (Range is 0 - 999999)", screen->StatusText());
    EXPECT_TRUE(screen->Grid().GetEditAccepted());
    NotifySelChanged(screen, 1, 2);
    EXPECT_STREQ(L"Name printed on the receipt", screen->StatusText());

    // Row headers and a reset selection come with columns outside the fields.
    NotifySelChanged(screen, 1, 0);
    EXPECT_STREQ(L"", screen->StatusText());
    NotifySelChanged(screen, -1, -1);
    NotifySelChanged(screen, 1, 99);
    EXPECT_STREQ(L"", screen->StatusText());
}

TEST_F(RecordList, ResizingKeepsTheBottomLeftButtonsAtTheirPlace)
{
    CFlexListDlg* screen = Open(WNDNO_DEPT);
    CRect window;
    screen->GetWindowRect(&window);
    CRect exportBefore = ChildRect(screen, IDC_FLEX_EXPORT);
    CRect backBefore = ChildRect(screen, IDC_FLEX_BACK);
    CRect gridBefore = ChildRect(screen, IDC_FLEX_GRID);
    screen->MoveWindow(window.left, window.top, window.Width() + 100, window.Height() + 60);
    CRect exportAfter = ChildRect(screen, IDC_FLEX_EXPORT);
    CRect backAfter = ChildRect(screen, IDC_FLEX_BACK);
    CRect gridAfter = ChildRect(screen, IDC_FLEX_GRID);
    EXPECT_EQ(exportBefore.left, exportAfter.left);
    EXPECT_EQ(exportBefore.top + 60, exportAfter.top);
    EXPECT_EQ(backBefore.left + 100, backAfter.left);
    EXPECT_EQ(backBefore.top + 60, backAfter.top);
    EXPECT_EQ(gridBefore.Width() + 100, gridAfter.Width());
    EXPECT_EQ(gridBefore.Height() + 60, gridAfter.Height());
    // The status bar stays along the bottom edge.
    CRect client, status;
    screen->GetClientRect(&client);
    ::GetWindowRect(::GetDlgItem(screen->m_hWnd, AFX_IDW_STATUS_BAR), &status);
    screen->ScreenToClient(&status);
    EXPECT_EQ(client.bottom, status.bottom);
    EXPECT_EQ(client.Width(), status.Width());
}

TEST_F(RecordList, ListEntriesOutsideTheListAreIgnored)
{
    CFlexListDlg* screen = Open(WNDNO_CLERK, 5);  // CLERK has one table
    ASSERT_NE(nullptr, screen);
    EXPECT_EQ(0, ListSelection(screen));
    EXPECT_FALSE(screen->SelectListEntry(-1));
    EXPECT_FALSE(screen->SelectListEntry(1));
    EXPECT_EQ(Group(WNDNO_CLERK)->GetTable(0), screen->Grid().GetBoundTable());
}

TEST_F(RecordList, BackReturnsToTheFunctionMenuAndKeepsTheEdits)
{
    CFlexListDlg* screen = Open(WNDNO_DEPT);
    std::string before = DataFile(L"DEPT.VK2");
    screen->Grid().SetItemTextByUser(1, 2, L"Kept in memory");
    Click(IDC_FLEX_BACK);
    PumpPending();
    EXPECT_EQ(WNDNO_SELECT, CurrentNumber());
    EXPECT_GT(GetEcrDataFromWndNo(WNDNO_DEPT)->UnsavedChanges, 0);
    EXPECT_TRUE(before == DataFile(L"DEPT.VK2"));
    screen = Open(WNDNO_DEPT);
    EXPECT_STREQ(L"Kept in memory", screen->Grid().GetItemText(1, 2).Trim());
}

// Every record list in both languages, checked as a person looks at it:
// texts in the screen's language, nothing clipped, no control over another.
TEST_F(RecordList, PicturesOfEveryListInEnglishAndJapanese)
{
    struct Shot
    {
        int wndNo;
        const wchar_t* name;
    };
    const Shot shots[] = {{WNDNO_DEPT, L"dept"},         {WNDNO_PLU, L"plu"},
                          {WNDNO_CLERK, L"clerk"},       {WNDNO_S_MODE, L"s-mode"},
                          {WNDNO_PROG_MODE, L"prog-mode"}, {WNDNO_REPORT_VIEWER, L"report-viewer"}};
    const CaptionLanguages captions(ProgramFolder() + L"\\Cap");
    for (const wchar_t* language : {L"ENG", L"JPN"}) {
        UseLanguage(language);
        bool japanese = CString(language) == L"JPN";
        for (const Shot& shot : shots) {
            CFlexListDlg* screen = Open(shot.wndNo);
            ASSERT_NE(nullptr, screen) << shot.name;
            screen->MoveWindow(0, 0, 900, 700);
            PumpPending();
            const std::wstring name = std::wstring(L"record-list-") + shot.name + (japanese ? L"-jpn" : L"-eng");
            EXPECT_FALSE(SaveWindowPicture(screen->m_hWnd, name.c_str()).empty());
            EXPECT_STREQ(japanese ? L"戻る" : L"Back", screen->GetDlgItem(IDC_FLEX_BACK)->GetWindowText());
            // The title names the model and its data folder.
            std::vector<std::wstring> findings = ScreenFindings(screen->m_hWnd, captions, japanese, {0});
            EXPECT_TRUE(findings.empty()) << name << ":\n" << JoinFindings(findings);
        }
        CFlexListDlg* dept = Open(WNDNO_DEPT);
        EXPECT_STREQ(japanese ? L"更新" : L"Update", dept->GetDlgItem(IDC_FLEX_UPDATE)->GetWindowText());
        EXPECT_STREQ(japanese ? L"部門" : L"Department", dept->GetDlgItem(IDC_FLEX_NAME)->GetWindowText());
        CFlexListDlg* plu = Open(WNDNO_PLU);
        EXPECT_STREQ(japanese ? L"取り込み" : L"Import", plu->GetDlgItem(IDC_FLEX_IMPORT)->GetWindowText());
    }
}


// A face the grid asks for may be missing (a system without Japanese fonts
// gives it a wider one): in a larger font every list still shows its values,
// record numbers and lines whole.
TEST_F(RecordList, EveryListShowsItsValuesWholeInALargerFont)
{
    const CaptionLanguages captions(ProgramFolder() + L"\\Cap");
    UseLanguage(L"ENG");
    for (int wndNo : {WNDNO_DEPT, WNDNO_PLU, WNDNO_CLERK, WNDNO_S_MODE, WNDNO_PROG_MODE, WNDNO_REPORT_VIEWER}) {
        CFlexListDlg* screen = Open(wndNo);
        ASSERT_NE(nullptr, screen) << wndNo;
        screen->MoveWindow(0, 0, 900, 700);
        LOGFONTW lf = *screen->Grid().GetDefaultCell(FALSE, FALSE)->GetFont();
        lf.lfHeight = -18;
        CFont larger;
        ASSERT_TRUE(larger.CreateFontIndirect(&lf));
        screen->Grid().SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(larger.GetSafeHandle()), FALSE);
        ASSERT_TRUE(screen->SelectListEntry(0));
        PumpPending();
        if (wndNo == WNDNO_DEPT) {
            EXPECT_FALSE(SaveWindowPicture(screen->m_hWnd, L"record-list-dept-larger-font").empty());
        }
        std::vector<std::wstring> findings = ScreenFindings(screen->m_hWnd, captions, false, {0});
        EXPECT_TRUE(findings.empty()) << wndNo << ":\n" << JoinFindings(findings);
    }
}

namespace {

struct TipSearch
{
    HWND owner;
    HWND grid;
    HWND found;
};

// The column tip: the screen's tooltip control that has the grid as its tool.
BOOL CALLBACK FindColumnTip(HWND hWnd, LPARAM p)
{
    auto* search = reinterpret_cast<TipSearch*>(p);
    wchar_t cls[64] = {};
    ::GetClassNameW(hWnd, cls, 64);
    if (::lstrcmpiW(cls, TOOLTIPS_CLASSW) != 0)
        return TRUE;
    TTTOOLINFOW info = {};
    info.cbSize = sizeof info;
    info.hwnd = search->owner;
    info.uId = reinterpret_cast<UINT_PTR>(search->grid);
    if (::SendMessageW(hWnd, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

std::wstring AskColumnTip(CFlexListDlg* screen, HWND tip)
{
    NMTTDISPINFOW info = {};
    info.hdr.hwndFrom = tip;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(screen->Grid().m_hWnd);
    info.hdr.code = TTN_GETDISPINFOW;
    info.uFlags = TTF_IDISHWND;
    screen->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    return info.szText;
}

void MoveMouseOver(CFlexListDlg* screen, int row, int column)
{
    CRect cell;
    screen->Grid().GetCellRect(row, column, &cell);
    MSG msg = {};
    msg.hwnd = screen->Grid().m_hWnd;
    msg.message = WM_MOUSEMOVE;
    msg.lParam = MAKELPARAM(cell.CenterPoint().x, cell.CenterPoint().y);
    screen->PreTranslateMessage(&msg);
}

} // namespace

TEST_F(RecordList, ColumnTipShowsOnceTheMouseStaysOnAHeader)
{
    CFlexListDlg* screen = Open(WNDNO_DEPT);
    TipSearch search = {screen->m_hWnd, screen->Grid().m_hWnd, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindColumnTip, reinterpret_cast<LPARAM>(&search));
    ASSERT_NE(nullptr, search.found);

    MoveMouseOver(screen, 0, 3);  // Price: the first move only picks the column
    MoveMouseOver(screen, 0, 3);
    EXPECT_EQ(L"Preset unit price", AskColumnTip(screen, search.found));
    MoveMouseOver(screen, 0, 8);  // Status has no tip
    MoveMouseOver(screen, 0, 8);
    EXPECT_EQ(L"", AskColumnTip(screen, search.found));
    MoveMouseOver(screen, 2, 3);  // off the header row: no tip at all
    EXPECT_EQ(L"", AskColumnTip(screen, search.found));
}
