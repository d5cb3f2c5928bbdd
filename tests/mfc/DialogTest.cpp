#include <gtest/gtest.h>

#include "MessageBoxRecorder.h"
#include "Pump.h"
#include "TestApp.h"
#include "resource.h"

namespace {

class CTestDlg : public CDialog
{
public:
    CTestDlg() : CDialog(IDD_TEST) {}

    CEdit m_edit;
    CListBox m_list;
    int clicks = 0;
    UINT lastRange = 0;
    bool postOnInit = false;
    int modalDepthSeen = -1;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, IDC_TEST_EDIT, m_edit);
        DDX_Control(dx, IDC_TEST_LIST, m_list);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_list.AddString(L"DEPT");
        m_list.AddString(L"PLU");
        modalDepthSeen = AfxGetModalDepth();
        if (postOnInit) {
            // Both arrive while the dialog's own loop runs.
            PostThreadMessageW(theTestApp.m_nThreadID, WM_TEST_THREAD, 42, 0);
            PostThreadMessageW(theTestApp.m_nThreadID, WM_TEST_END_MODAL, IDRETRY, 0);
        }
        return TRUE;
    }
    void OnButton()
    {
        ++clicks;
        m_edit.SetWindowText(L"clicked");
    }
    void OnRange(UINT id) { lastRange = id; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
    ON_BN_CLICKED(IDC_TEST_BUTTON, &CTestDlg::OnButton)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_TEST_RANGE_FIRST, IDC_TEST_RANGE_LAST, &CTestDlg::OnRange)
END_MESSAGE_MAP()

void Click(CWnd& dialog, int id)
{
    HWND button = GetDlgItem(dialog.m_hWnd, id);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

} // namespace

TEST(Dialog, ModelessFromTemplateWithBoundControls)
{
    CTestDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST));
    EXPECT_FALSE(dlg.IsWindowVisible());  // the template has no WS_VISIBLE
    EXPECT_FALSE(dlg.InModalLoop());
    EXPECT_EQ(0, dlg.modalDepthSeen);
    ASSERT_NE(nullptr, dlg.m_edit.m_hWnd);
    EXPECT_EQ(&dlg.m_edit, dlg.GetDlgItem(IDC_TEST_EDIT));
    EXPECT_EQ(2, dlg.m_list.GetCount());
    CString text;
    dlg.m_list.GetText(1, text);
    EXPECT_STREQ(L"PLU", text);

    Click(dlg, IDC_TEST_BUTTON);
    Click(dlg, 1004);
    EXPECT_EQ(1, dlg.clicks);
    EXPECT_EQ(1004u, dlg.lastRange);
    EXPECT_STREQ(L"clicked", dlg.m_edit.GetWindowText());

    // A plain click through the real button reaches the same handler.
    ::SendMessageW(GetDlgItem(dlg.m_hWnd, IDC_TEST_BUTTON), BM_CLICK, 0, 0);
    EXPECT_EQ(2, dlg.clicks);

    HWND edit = dlg.m_edit.m_hWnd;
    dlg.DestroyWindow();
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_edit.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(edit));
}

TEST(Dialog, ThreadMessagesAreHandledInsideTheModalLoop)
{
    theTestApp.received.clear();
    CTestDlg dlg;
    dlg.postOnInit = true;
    theTestApp.endOnMessage = &dlg;
    INT_PTR result = dlg.DoModal();
    theTestApp.endOnMessage = nullptr;
    EXPECT_EQ(IDRETRY, result);
    EXPECT_EQ(std::vector<WPARAM>{42}, theTestApp.received);
    EXPECT_EQ(1, dlg.modalDepthSeen);
    EXPECT_EQ(0, AfxGetModalDepth());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(Dialog, EscapeInAControlCancelsTheModalDialog)
{
    struct EscDlg : CTestDlg
    {
        BOOL OnInitDialog() override
        {
            CTestDlg::OnInitDialog();
            ::PostMessageW(m_edit.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
            return TRUE;
        }
    } dlg;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST(Dialog, ModalOwnerIsDisabledOnlyWhileTheDialogRuns)
{
    CTestDlg owner;
    ASSERT_TRUE(owner.Create(IDD_TEST));
    owner.ShowWindow(SW_SHOW);
    struct ProbeDlg : CTestDlg
    {
        HWND owner = nullptr;
        BOOL ownerEnabled = TRUE;
        BOOL OnInitDialog() override
        {
            CTestDlg::OnInitDialog();
            ::PostMessageW(m_hWnd, WM_COMMAND, IDOK, 0);
            return TRUE;
        }
        void OnOK() override
        {
            ownerEnabled = ::IsWindowEnabled(owner);
            CTestDlg::OnOK();
        }
    } dlg;
    dlg.owner = owner.m_hWnd;
    dlg.m_pParentWnd = &owner;
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(dlg.ownerEnabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST(Dialog, ADialogThatCannotBeCreatedSaysSo)
{
    MessageBoxRecorder boxes;
    for (UINT id : {IDD_TEST_MISSING, IDD_TEST_BAD_CLASS}) {
        boxes.Clear();
        CDialog modal(id);
        EXPECT_EQ(-1, modal.DoModal()) << id;
        EXPECT_EQ(0, AfxGetModalDepth());
        CDialog modeless;
        EXPECT_FALSE(modeless.Create(id)) << id;
        EXPECT_EQ(nullptr, modeless.m_hWnd);
        ASSERT_EQ(2u, boxes.Boxes().size()) << id;
        EXPECT_NE(std::wstring::npos, boxes.Boxes()[0].text.find(std::to_wstring(id)));
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP), boxes.Boxes()[1].type);
    }
}

TEST(MessageBox, SeamAnswersAndRecords)
{
    MessageBoxRecorder boxes;
    boxes.Answer(IDNO);
    EXPECT_EQ(IDNO, AfxMessageBox(L"Do you really want to exit?", MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(IDYES, AfxMessageBox(L"second", MB_YESNO));
    ASSERT_EQ(2u, boxes.Boxes().size());
    EXPECT_EQ(L"Do you really want to exit?", boxes.Boxes()[0].text);
    EXPECT_EQ(L"test_mfc", boxes.Boxes()[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), boxes.Boxes()[0].type);
}

namespace {

BOOL CALLBACK CloseBox(HWND hWnd, LPARAM)
{
    wchar_t title[64] = {};
    GetWindowTextW(hWnd, title, 64);
    if (lstrcmpW(title, L"loop test") == 0)
        PostMessageW(hWnd, WM_COMMAND, IDOK, 0);
    return TRUE;
}

void CALLBACK CloseBoxLater(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    EnumThreadWindows(GetCurrentThreadId(), CloseBox, 0);
}

// Opens a real system message box while messages for the application wait.
int RealBoxWithPendingMessages(HWND owner, LPCWSTR text, LPCWSTR, UINT type)
{
    theTestApp.PostApplicationMessage(WM_TEST_THREAD, 1, 0);
    PostThreadMessageW(theTestApp.m_nThreadID, WM_TEST_THREAD, 2, 0);
    SetTimer(nullptr, 0, 300, CloseBoxLater);
    return MessageBoxW(owner, text, L"loop test", type);
}

} // namespace

TEST(MessageBox, ApplicationMessagesGetThroughASystemModalLoop)
{
    theTestApp.received.clear();
    AfxMessageBoxHandler old = AfxSetMessageBoxHandler(RealBoxWithPendingMessages);
    int result = AfxMessageBox(L"waiting", MB_OK);
    AfxSetMessageBoxHandler(old);
    EXPECT_EQ(IDOK, result);
    // Both handled while the box was open, not afterwards.
    EXPECT_EQ((std::vector<WPARAM>{1, 2}), theTestApp.received);
}
