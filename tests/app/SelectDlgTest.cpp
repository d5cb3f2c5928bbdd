#include <gtest/gtest.h>

#include "CEcrData.h"
#include "CEcrDialog.h"
#include "CEcrTilldeskApp.h"
#include "EcrGlobals.h"
#include "FolderLock.h"
#include "MessageBoxRecorder.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "TempFolder.h"
#include "WindowPicture.h"
#include "resource.h"

namespace {

int CurrentNumber()
{
    auto* screen = dynamic_cast<CEcrDialog*>(theApp.CurrentWnd);
    return screen ? screen->WndNo : -1;
}

bool Visible(int id)
{
    return ::IsWindowVisible(::GetDlgItem(theApp.CurrentWnd->m_hWnd, id)) != FALSE;
}

bool Enabled(int id)
{
    return ::IsWindowEnabled(::GetDlgItem(theApp.CurrentWnd->m_hWnd, id)) != FALSE;
}

void Click(int id)
{
    HWND button = ::GetDlgItem(theApp.CurrentWnd->m_hWnd, id);
    theApp.CurrentWnd->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// What the folder browser was asked, and what it answers.
struct BrowserScript
{
    HWND owner = nullptr;
    CString initial;
    CString answer;  // empty: cancelled
    int runs = 0;
} g_browser;

bool ScriptedBrowser(HWND owner, LPCWSTR, LPCWSTR initial, CString& chosen)
{
    ++g_browser.runs;
    g_browser.owner = owner;
    g_browser.initial = initial;
    chosen = g_browser.answer;
    return !chosen.IsEmpty();
}

struct FunctionMenu : ::testing::Test
{
    CString savedName, savedPath;
    int savedAutoPopup = 0;
    AfxFolderBrowseHandler savedBrowser = nullptr;

    void SetUp() override
    {
        savedName = g_pEcrSetting->EcrName;
        savedPath = g_pEcrSetting->DataPath;
        savedAutoPopup = g_pEcrSetting->AutoPopup;
        g_pEcrSetting->DataPath = L".\\Data";
        g_pEcrSetting->AutoPopup = 0;  // the record lists open no modal card here
        savedBrowser = AfxSetFolderBrowseHandler(ScriptedBrowser);
        g_browser = BrowserScript{};
    }
    void TearDown() override
    {
        theApp.FreeCurrentWindow();
        theApp.m_pMainWnd = nullptr;
        theApp.EcrDll.UnloadModelDll();
        AfxSetFolderBrowseHandler(savedBrowser);
        g_pEcrSetting->EcrName = savedName;
        g_pEcrSetting->DataPath = savedPath;
        g_pEcrSetting->AutoPopup = savedAutoPopup;
        // The copy closes with its folder: a test's folder is removed, and a
        // later one may be given its file index, hence its mark.
        theApp.DataFolderLock = FolderLock();
        PumpPending();
    }
    void OpenMenu(const wchar_t* model, const wchar_t* library)
    {
        g_pEcrSetting->EcrName = model;
        if (library)
            theApp.LoadModelDll(library);
        theApp.ShowWindowByNumber(WNDNO_SELECT, 0);
        ASSERT_EQ(WNDNO_SELECT, CurrentNumber());
    }
    // Gives one record group an edit the library has not written.
    void EditDept()
    {
        CEcrData* dept = GetEcrDataFromWndNo(WNDNO_DEPT);
        ASSERT_NE(nullptr, dept);
        dept->LoadData(nullptr);
        dept->GetTable(0)->RecordData[0] ^= 0xFF;
    }
};

} // namespace

TEST_F(FunctionMenu, WithoutALibraryOnlyTheFixedButtonsShow)
{
    OpenMenu(L"02 VORN-K2", nullptr);
    for (int id : {IDC_SEL_DEPT, IDC_SEL_PLU, IDC_SEL_CLERK, IDC_SEL_S_MODE, IDC_SEL_PROG_MODE, IDC_SEL_REPORT_CONVERT,
                   IDC_SEL_REPORT_VIEWER, IDC_SEL_REPORT_GROUP, IDC_SEL_KEYBOARD, IDC_SEL_RESERVED})
        EXPECT_FALSE(Visible(id)) << id;
    for (int id : {IDC_SEL_LOGO, IDC_SEL_FOLDER, IDC_SEL_BACK, IDC_SEL_SETTING_GROUP, IDC_SEL_COMM_GROUP})
        EXPECT_TRUE(Visible(id)) << id;
    CString title = theApp.CurrentWnd->GetWindowText();
    EXPECT_STREQ(L"02 VORN-K2 - .\\Data", title);
}

TEST_F(FunctionMenu, DemoRegisterShowsItsFunctions)
{
    OpenMenu(L"02 VORN-K2", L"VornK2Dll.dll");
    for (int id : {IDC_SEL_DEPT, IDC_SEL_PLU, IDC_SEL_CLERK, IDC_SEL_S_MODE, IDC_SEL_PROG_MODE, IDC_SEL_REPORT_CONVERT,
                   IDC_SEL_REPORT_VIEWER, IDC_SEL_REPORT_GROUP, IDC_SEL_KEYBOARD, IDC_SEL_LOGO, IDC_SEL_RECEIVE,
                   IDC_SEL_SEND, IDC_SEL_COMM_GROUP})
        EXPECT_TRUE(Visible(id)) << id;
    EXPECT_TRUE(Enabled(IDC_SEL_DEPT));
    // The demo library's window 25 group exists but is disabled.
    EXPECT_TRUE(Visible(IDC_SEL_RESERVED));
    EXPECT_FALSE(Enabled(IDC_SEL_RESERVED));
}

TEST_F(FunctionMenu, TransfersOnlyForTheDemoModelSpelledExactly)
{
    OpenMenu(L"02 vorn-k2", L"VornK2Dll.dll");
    EXPECT_FALSE(Visible(IDC_SEL_COMM_GROUP));
    EXPECT_FALSE(Visible(IDC_SEL_SEND));
    EXPECT_FALSE(Visible(IDC_SEL_RECEIVE));
    EXPECT_TRUE(Visible(IDC_SEL_DEPT));
}

TEST_F(FunctionMenu, EveryScreenButtonRequestsItsWindow)
{
    const std::pair<int, int> buttons[] = {{IDC_SEL_DEPT, WNDNO_DEPT},         {IDC_SEL_PLU, WNDNO_PLU},
                                           {IDC_SEL_CLERK, WNDNO_CLERK},       {IDC_SEL_S_MODE, WNDNO_S_MODE},
                                           {IDC_SEL_PROG_MODE, WNDNO_PROG_MODE}, {IDC_SEL_LOGO, WNDNO_LOGO},
                                           {IDC_SEL_KEYBOARD, WNDNO_KEYBOARD}, {IDC_SEL_REPORT_VIEWER, WNDNO_REPORT_VIEWER},
                                           {IDC_SEL_BACK, WNDNO_MAIN}};
    for (auto [button, wndNo] : buttons) {
        OpenMenu(L"02 VORN-K2", L"VornK2Dll.dll");
        Click(button);
        PumpPending();
        EXPECT_EQ(wndNo, CurrentNumber()) << button;
    }
    OpenMenu(L"02 VORN-K2", L"VornK2Dll.dll");
    Click(IDC_SEL_RESERVED);
    PumpPending();
    EXPECT_EQ(WNDNO_SELECT, CurrentNumber());
}

TEST_F(FunctionMenu, FolderChangeWithoutEditsAsksNothing)
{
    TempFolder folder;
    OpenMenu(L"02 VORN-K2", L"VornK2Dll.dll");
    MessageBoxRecorder boxes;
    g_browser.answer = folder.Path().c_str();
    Click(IDC_SEL_FOLDER);
    EXPECT_EQ(theApp.CurrentWnd->m_hWnd, g_browser.owner);
    EXPECT_NE(-1, g_browser.initial.Find(L"Data"));
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_STREQ(folder.Path().c_str(), g_pEcrSetting->DataPath);
    {
        TempFolder settingsFolder;
        CurrentDirectoryScope cwd(settingsFolder.Path());
        PumpPending();
        // Written at once, for the programs started from here.
        wchar_t written[MAX_PATH] = {};
        GetPrivateProfileStringW(L"DEFAULT", L"DataPath", L"", written, MAX_PATH,
                                 settingsFolder.File(L"Tilldesk.ini").c_str());
        EXPECT_STREQ(folder.Path().c_str(), written);
    }
    EXPECT_NE(-1, theApp.CurrentWnd->GetWindowText().Find(folder.Path().c_str()));
    EXPECT_TRUE(Enabled(IDC_SEL_FOLDER));
    EXPECT_TRUE(theApp.DataFolderLock.Holds(folder.Path().c_str()));
}

TEST_F(FunctionMenu, AFolderOpenInAnotherCopyIsRefusedAndTheCurrentOneStays)
{
    TempFolder folder;
    FolderLock otherCopy(folder.Path().c_str());
    OpenMenu(L"02 VORN-K2", L"VornK2Dll.dll");
    MessageBoxRecorder boxes;
    g_browser.answer = folder.Path().c_str();
    Click(IDC_SEL_FOLDER);
    PumpPending();
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_NE(std::wstring::npos, boxes.Boxes()[0].text.find(folder.Path()));
    EXPECT_STREQ(L".\\Data", g_pEcrSetting->DataPath);
    EXPECT_EQ(-1, theApp.CurrentWnd->GetWindowText().Find(folder.Path().c_str()));
}

TEST_F(FunctionMenu, FolderChangeWithEditsAsksOnceAndCancelChangesNothing)
{
    TempFolder folder;
    OpenMenu(L"02 VORN-K2", L"VornK2Dll.dll");
    EditDept();
    MessageBoxRecorder boxes;
    boxes.Answer(IDCANCEL);
    g_browser.answer = folder.Path().c_str();
    Click(IDC_SEL_FOLDER);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL), boxes.Boxes()[0].type & MB_TYPEMASK);
    EXPECT_STREQ(L".\\Data", g_pEcrSetting->DataPath);
    EXPECT_GT(GetEcrDataFromWndNo(WNDNO_DEPT)->UnsavedChanges, 0);
}

TEST_F(FunctionMenu, FolderChangeAcceptedDropsTheOldFoldersRecords)
{
    TempFolder folder;  // an empty data folder
    OpenMenu(L"02 VORN-K2", L"VornK2Dll.dll");
    EditDept();
    MessageBoxRecorder boxes;
    boxes.Answer(IDOK);
    g_browser.answer = folder.Path().c_str();
    Click(IDC_SEL_FOLDER);
    PumpPending();
    EXPECT_EQ(1u, boxes.Boxes().size());
    CEcrData* dept = GetEcrDataFromWndNo(WNDNO_DEPT);
    EXPECT_EQ(0, dept->UnsavedChanges);
    EXPECT_EQ(0, dept->GetTable(0)->RecordCount);  // nothing of the old folder is left to write
}

TEST_F(FunctionMenu, CancelledBrowserChangesNothing)
{
    OpenMenu(L"02 VORN-K2", L"VornK2Dll.dll");
    Click(IDC_SEL_FOLDER);
    EXPECT_EQ(1, g_browser.runs);
    EXPECT_STREQ(L".\\Data", g_pEcrSetting->DataPath);
}

TEST_F(FunctionMenu, ARightClickOnAButtonFindsTheButtonNotItsGroupBox)
{
    OpenMenu(L"02 VORN-K2", L"VornK2Dll.dll");
    HWND menu = theApp.CurrentWnd->m_hWnd;
    for (int id : {IDC_SEL_DEPT, IDC_SEL_PROG_MODE, IDC_SEL_KEYBOARD, IDC_SEL_REPORT_CONVERT, IDC_SEL_RECEIVE}) {
        HWND button = ::GetDlgItem(menu, id);
        RECT rect;
        ::GetWindowRect(button, &rect);
        POINT center = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ::ScreenToClient(menu, &center);
        EXPECT_EQ(button, ::ChildWindowFromPointEx(menu, center, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT)) << id;
    }
}

TEST_F(FunctionMenu, EnterPressesTheFocusedButtonNotBack)
{
    OpenMenu(L"02 VORN-K2", L"VornK2Dll.dll");
    HWND plu = ::GetDlgItem(theApp.CurrentWnd->m_hWnd, IDC_SEL_PLU);
    // Focused as a click focuses it, without the dialog manager's help.
    ::SetFocus(plu);
    ASSERT_EQ(plu, ::GetFocus());
    ::PostMessageW(plu, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_TRUE(PumpUntil([] { return CurrentNumber() != WNDNO_SELECT; }));
    EXPECT_EQ(WNDNO_PLU, CurrentNumber());
}

TEST_F(FunctionMenu, PictureOfTheMenu)
{
    OpenMenu(L"02 VORN-K2", L"VornK2Dll.dll");
    EXPECT_FALSE(SaveWindowPicture(theApp.CurrentWnd->m_hWnd, L"function-menu").empty());
    for (int id : {IDC_SEL_DEPT, IDC_SEL_LOGO, IDC_SEL_FOLDER, IDC_SEL_BACK})
        EXPECT_TRUE(WindowShowsInk(::GetDlgItem(theApp.CurrentWnd->m_hWnd, id))) << id;
}

TEST_F(FunctionMenu, BackKeepsEditsAndExitThenNamesTheirTablesWithNoAsDefault)
{
    OpenMenu(L"02 VORN-K2", L"VornK2Dll.dll");
    EditDept();
    Click(IDC_SEL_BACK);
    PumpPending();
    ASSERT_EQ(WNDNO_MAIN, CurrentNumber());
    EXPECT_GT(GetEcrDataFromWndNo(WNDNO_DEPT)->UnsavedChanges, 0);

    MessageBoxRecorder boxes;
    boxes.Answer(IDNO);
    PostEcrMessage(WM_ECR_EXIT_REQUEST);
    PumpPending();
    ASSERT_EQ(1u, boxes.Boxes().size());
    const std::wstring text = boxes.Boxes()[0].text;
    EXPECT_NE(std::wstring::npos, text.find(L": 部門")) << text;  // the library names it in the caption language
    EXPECT_EQ(std::wstring::npos, text.find(L"PLU")) << text;
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2), boxes.Boxes()[0].type);
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_EQ(WNDNO_MAIN, CurrentNumber());
}
