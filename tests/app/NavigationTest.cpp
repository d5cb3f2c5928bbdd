#include <gtest/gtest.h>

#include "CEcrTilldeskApp.h"
#include "CEcrDialog.h"
#include "EcrGlobals.h"
#include "MessageBoxRecorder.h"
#include "Pump.h"
#include "TestModelState.h"
#include "resource.h"

namespace {

TestModelState* StateOf(const wchar_t* module)
{
    auto get = reinterpret_cast<PFN_GetTestModelState>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(module), "GetTestModelState")));
    return get ? get() : nullptr;
}

int CurrentNumber()
{
    auto* screen = dynamic_cast<CEcrDialog*>(theApp.CurrentWnd);
    return screen ? screen->WndNo : -1;
}

struct Navigation : ::testing::Test
{
    void SetUp() override { theApp.ShowWindowByNumber(WNDNO_MAIN, 0); }
    void TearDown() override
    {
        theApp.FreeCurrentWindow();
        theApp.m_pMainWnd = nullptr;
        theApp.EcrDll.UnloadModelDll();
        PumpPending();
    }
};

// A modal dialog that ends itself once its loop runs.
class CShortModal : public CDialog
{
public:
    CShortModal() : CDialog(IDD_SELECT_DIALOG) {}
    int currentWhileOpen = -1;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ::PostMessageW(m_hWnd, WM_COMMAND, IDCANCEL, 0);
        return TRUE;
    }
    void OnCancel() override
    {
        currentWhileOpen = CurrentNumber();
        CDialog::OnCancel();
    }
};

} // namespace

TEST_F(Navigation, FirstScreenShowsAtItsOwnPlace)
{
    ASSERT_EQ(WNDNO_MAIN, CurrentNumber());
    EXPECT_TRUE(theApp.CurrentWnd->IsWindowVisible());
    EXPECT_EQ(theApp.CurrentWnd, theApp.m_pMainWnd);
    EXPECT_FALSE(theApp.CurrentIsExDialog);
}

TEST_F(Navigation, ModelChoiceAndMenuHaveAFixedFrameThatMaximises)
{
    for (int wndNo : {WNDNO_MAIN, WNDNO_SELECT}) {
        theApp.ShowWindowByNumber(wndNo, 0);
        LONG style = theApp.CurrentWnd->GetStyle();
        EXPECT_EQ(0, style & WS_THICKFRAME) << wndNo;
        EXPECT_EQ(WS_MINIMIZEBOX | WS_MAXIMIZEBOX, style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << wndNo;
        theApp.CurrentWnd->ShowWindow(SW_MAXIMIZE);
        EXPECT_TRUE(theApp.CurrentWnd->IsZoomed()) << wndNo;
        theApp.CurrentWnd->ShowWindow(SW_RESTORE);
    }
}

TEST_F(Navigation, NextScreenTakesThePlaceOfTheOldOne)
{
    CWnd* old = theApp.CurrentWnd;
    HWND oldWnd = old->m_hWnd;
    old->MoveWindow(40, 50, 1100, 900);
    theApp.ShowWindowByNumber(WNDNO_SELECT, 0);
    ASSERT_EQ(WNDNO_SELECT, CurrentNumber());
    EXPECT_FALSE(IsWindow(oldWnd));
    EXPECT_EQ(theApp.CurrentWnd, theApp.m_pMainWnd);
    CRect rect;
    theApp.CurrentWnd->GetWindowRect(&rect);
    EXPECT_EQ(CRect(40, 50, 1140, 950), rect);
    EXPECT_FALSE(theApp.CurrentWnd->IsZoomed());
}

TEST_F(Navigation, MaximisedStaysMaximisedAndMinimisedComesBackNormal)
{
    MessageBoxRecorder boxes;  // the record lists find no data without a library
    theApp.CurrentWnd->ShowWindow(SW_MAXIMIZE);
    theApp.ShowWindowByNumber(WNDNO_DEPT, 0);
    EXPECT_TRUE(theApp.CurrentWnd->IsZoomed());

    theApp.CurrentWnd->ShowWindow(SW_RESTORE);
    theApp.CurrentWnd->MoveWindow(10, 20, 1100, 900);
    theApp.CurrentWnd->ShowWindow(SW_MINIMIZE);
    theApp.ShowWindowByNumber(WNDNO_PLU, 0);
    EXPECT_FALSE(theApp.CurrentWnd->IsIconic());
    EXPECT_TRUE(theApp.CurrentWnd->IsWindowVisible());
    CRect rect;
    theApp.CurrentWnd->GetWindowRect(&rect);
    EXPECT_EQ(CRect(10, 20, 1110, 920), rect);
}

TEST_F(Navigation, UnknownNumberChangesOnlyTheListPosition)
{
    CWnd* before = theApp.CurrentWnd;
    theApp.ShowWindowByNumber(2, 5);
    theApp.ShowWindowByNumber(0x10016, 6);
    EXPECT_EQ(before, theApp.CurrentWnd);
    EXPECT_EQ(6, g_nShowListPos);
}

TEST_F(Navigation, LibraryScreensComeFirstAndGoBackToTheLibrary)
{
    theApp.LoadModelDll(L"fullmodel.dll");
    TestModelState* state = StateOf(L"fullmodel.dll");
    ASSERT_NE(nullptr, state);
    state->provideWndNo = WNDNO_SELECT;

    theApp.ShowWindowByNumber(WNDNO_SELECT, 0);
    EXPECT_EQ(WNDNO_SELECT | WNDNO_FLAG_REQUEST, state->lastRequest);
    EXPECT_TRUE(theApp.CurrentIsExDialog);
    EXPECT_EQ(1, state->screensMade);

    theApp.ShowWindowByNumber(WNDNO_MAIN, 0);
    EXPECT_EQ(1, state->deleteCalls);
    EXPECT_FALSE(theApp.CurrentIsExDialog);
    EXPECT_EQ(WNDNO_MAIN, CurrentNumber());
}

TEST_F(Navigation, ModelChangeReplacesALibraryScreenByTheOwnModelChoice)
{
    theApp.LoadModelDll(L"fullmodel.dll");
    TestModelState* state = StateOf(L"fullmodel.dll");
    state->provideWndNo = WNDNO_MAIN;  // the library would even make window 1
    theApp.ShowWindowByNumber(WNDNO_MAIN, 0);
    ASSERT_TRUE(theApp.CurrentIsExDialog);

    theApp.LoadModelDll(L"partialmodel.dll");
    EXPECT_FALSE(theApp.CurrentIsExDialog);
    EXPECT_EQ(WNDNO_MAIN, CurrentNumber());
    EXPECT_EQ(nullptr, GetModuleHandleW(L"fullmodel.dll"));
    EXPECT_EQ(theApp.CurrentWnd, theApp.m_pMainWnd);
}

TEST_F(Navigation, ALibraryScreenThatCannotBeReplacedKeepsItsLibrary)
{
    theApp.LoadModelDll(L"fullmodel.dll");
    TestModelState* state = StateOf(L"fullmodel.dll");
    state->provideWndNo = WNDNO_MAIN;
    theApp.ShowWindowByNumber(WNDNO_MAIN, 0);
    ASSERT_TRUE(theApp.CurrentIsExDialog);
    CWnd* libraryScreen = theApp.CurrentWnd;

    // Without the program's templates window 1 cannot be made.
    HINSTANCE resources = AfxGetResourceHandle();
    AfxSetResourceHandle(GetModuleHandleW(L"fullmodel.dll"));
    MessageBoxRecorder boxes;
    theApp.LoadModelDll(L"partialmodel.dll");
    AfxSetResourceHandle(resources);

    EXPECT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(libraryScreen, theApp.CurrentWnd);
    EXPECT_TRUE(theApp.CurrentIsExDialog);
    EXPECT_NE(nullptr, GetModuleHandleW(L"fullmodel.dll"));
    EXPECT_STREQ(L"fullmodel.dll", theApp.EcrDll.Path);
    EXPECT_EQ(0, state->deleteCalls);
    theApp.ShowWindowByNumber(WNDNO_SELECT, 0);  // hand the screen back while the library is there
    state->provideWndNo = -1;
}

TEST_F(Navigation, ExitQuestionAnsweredNoThenYes)
{
    MessageBoxRecorder boxes;
    boxes.Answer(IDNO);
    boxes.Answer(IDYES);
    PostEcrMessage(WM_ECR_EXIT_REQUEST);
    PumpPending();
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_EQ(WNDNO_MAIN, CurrentNumber());

    PostThreadMessageW(theApp.m_nThreadID, WM_ECR_EXIT_REQUEST, 0, 0);
    PumpPending();
    ASSERT_EQ(2u, boxes.Boxes().size());
    EXPECT_EQ(L"Do you really want to exit?", boxes.Boxes()[1].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), boxes.Boxes()[1].type);
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(Navigation, ScreenSwitchRequestedDuringAModalDialogWaitsForItsEnd)
{
    PostEcrMessage(WM_ECR_SHOW_WINDOW, WNDNO_SELECT, 0);
    CShortModal modal;
    modal.DoModal();
    EXPECT_EQ(WNDNO_MAIN, modal.currentWhileOpen);  // not switched under the dialog
    EXPECT_TRUE(PumpUntil([] { return CurrentNumber() == WNDNO_SELECT; }));
}
