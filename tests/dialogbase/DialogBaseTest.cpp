#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <utility>

#include "CAboutDlg.h"
#include "CCaptionManagerBase.h"
#include "CEcrDialog.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FrameworkResources.h"
#include "GridStandIn.h"
#include "ModalScript.h"
#include "MessageBoxRecorder.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "WindowPicture.h"
#include "resource.h"

namespace {

constexpr int kWndNo = 77;

// Captions from a table, with a count of look-ups.
class FakeCaptions : public CCaptionManagerBase
{
public:
    std::map<std::pair<int, int>, std::unique_ptr<S_ECR_CAP>> captions;
    int lookups = 0;

    S_ECR_CAP& Add(int captionNo, const wchar_t* text, int tipOn = 0, const wchar_t* tip = L"", int wndNo = kWndNo)
    {
        auto cap = std::make_unique<S_ECR_CAP>();
        cap->Text = text;
        cap->TipOn = tipOn;
        cap->TipText = tip;
        S_ECR_CAP& ref = *cap;
        captions[{wndNo, captionNo}] = std::move(cap);
        return ref;
    }
    BOOL SetCaptionFile(const wchar_t*, const wchar_t*, const wchar_t*) override { return TRUE; }
    void FlushCaptions() override {}
    S_ECR_CAP* GetCaption(int wndNo, int captionNo) override
    {
        ++lookups;
        auto it = captions.find({wndNo, captionNo});
        return it == captions.end() ? nullptr : it->second.get();
    }
    BOOL SetCaption(int, int, const S_ECR_CAP*) override { return TRUE; }
    BOOL LoadCharConv(const wchar_t*, const wchar_t*) override { return TRUE; }
    void ClearCharConv() override {}
    void EcrToUnicode(const CStringA&, CStringW&) override {}
    void UnicodeToEcr(const CStringW&, CStringA&) override {}
};

class CBaseTestDlg : public CEcrDialog
{
public:
    CBaseTestDlg() : CEcrDialog(IDD_BASE_TEST, kWndNo) {}

    CButton button;
    CListBox list;
    CEdit edit;
    CWnd* editedControl = nullptr;
    int editRequests = 0;
    BOOL mayClose = TRUE;

    LRESULT EditCaption(CWnd* control, LPARAM lParam) override
    {
        ++editRequests;
        editedControl = control;
        return CEcrDialog::EditCaption(control, lParam);
    }
    BOOL MayCloseNow() override { return mayClose; }

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        CEcrDialog::DoDataExchange(dx);
        DDX_Control(dx, IDC_BASE_BUTTON, button);
        DDX_Control(dx, IDC_BASE_LIST, list);
        DDX_Control(dx, IDC_BASE_EDIT, edit);
    }
};

CRect ChildRect(CWnd& dialog, int id)
{
    CRect rect;
    ::GetWindowRect(::GetDlgItem(dialog.m_hWnd, id), &rect);
    dialog.ScreenToClient(&rect);
    return rect;
}

struct DialogBase : ::testing::Test
{
    FakeCaptions captions;
    CCaptionManagerBase* saved = nullptr;
    CBaseTestDlg dlg;

    void SetUp() override
    {
        RegisterGridStandIn();
        saved = *g_ppCaptionMgr;
        *g_ppCaptionMgr = &captions;
        ASSERT_TRUE(dlg.Create(IDD_BASE_TEST));
        dlg.ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        dlg.DestroyWindow();
        *g_ppCaptionMgr = saved;
        g_pEcrSetting->CapEdit = 0;
        PumpPending();
    }
};

} // namespace

TEST_F(DialogBase, BindingAppliesTextFontAndTooltip)
{
    S_ECR_CAP& cap = captions.Add(5, L"Send", 1, L"Send the checked groups");
    LOGFONTW lf = {};
    lf.lfHeight = -20;
    lstrcpyW(lf.lfFaceName, L"Tahoma");
    cap.Font.CreateFontIndirect(&lf);

    EXPECT_FALSE(dlg.BindCaption(&dlg.button, 5));  // newly bound
    EXPECT_STREQ(L"Send", dlg.button.GetWindowText());
    EXPECT_EQ(cap.Font.m_hObject, dlg.button.GetFontHandle());
    // The tooltip comes with the first mouse message, when a tip can show.
    MSG move = {};
    move.hwnd = dlg.button.m_hWnd;
    move.message = WM_MOUSEMOVE;
    dlg.PreTranslateMessage(&move);
    EXPECT_TRUE(dlg.ToolTip.HasTool(&dlg.button));

    // The same binding again applies nothing.
    int before = captions.lookups;
    EXPECT_TRUE(dlg.BindCaption(&dlg.button, 5));
    EXPECT_EQ(before, captions.lookups);

    // Switching the tooltip off removes it on the next refresh.
    cap.TipOn = 0;
    cap.Text = L"Send now";
    dlg.SendMessage(WM_ECR_REFRESH_CAPTIONS);
    EXPECT_STREQ(L"Send now", dlg.button.GetWindowText());
    EXPECT_FALSE(dlg.ToolTip.HasTool(&dlg.button));
    EXPECT_FALSE(dlg.BindCaption(nullptr, 1));
}

TEST_F(DialogBase, MissingCaptionsKeepTheTemplateTextAndTheDialogFont)
{
    captions.Add(6, L"No font given");
    EXPECT_FALSE(dlg.BindCaption(&dlg.edit, 9));
    EXPECT_FALSE(dlg.ApplyCaption(&dlg.edit));
    EXPECT_FALSE(dlg.ApplyCaption(&dlg.list));  // not bound at all
    EXPECT_STREQ(L"Template text", dlg.button.GetWindowText());

    EXPECT_FALSE(dlg.BindCaption(&dlg.button, 6));
    EXPECT_STREQ(L"No font given", dlg.button.GetWindowText());
    EXPECT_EQ(dlg.GetFontHandle(), dlg.button.GetFontHandle());

    *g_ppCaptionMgr = nullptr;
    EXPECT_FALSE(dlg.ApplyCaption(&dlg.button));
    EXPECT_STREQ(L"No font given", dlg.button.GetWindowText());
}

TEST_F(DialogBase, GridsStretchListsLengthenOthersMove)
{
    CRect grid = ChildRect(dlg, IDC_BASE_GRID);
    CRect list = ChildRect(dlg, IDC_BASE_LIST);
    CRect button = ChildRect(dlg, IDC_BASE_BUTTON);
    CRect window;
    dlg.GetWindowRect(&window);
    dlg.SetWindowPos(nullptr, 0, 0, window.Width() + 100, window.Height() + 50, SWP_NOMOVE | SWP_NOZORDER);

    CRect g = ChildRect(dlg, IDC_BASE_GRID);
    EXPECT_EQ(grid.TopLeft(), g.TopLeft());
    EXPECT_EQ(grid.Width() + 100, g.Width());
    EXPECT_EQ(grid.Height() + 50, g.Height());
    CRect l = ChildRect(dlg, IDC_BASE_LIST);
    EXPECT_EQ(list.TopLeft(), l.TopLeft());
    EXPECT_EQ(list.Width(), l.Width());
    EXPECT_EQ(list.Height() + 50, l.Height());
    CRect b = ChildRect(dlg, IDC_BASE_BUTTON);
    EXPECT_EQ(button.Size(), b.Size());
    EXPECT_EQ(button.left + 100, b.left);
    EXPECT_EQ(button.top + 50, b.top);

    // Minimising and restoring puts every control back where it was.
    dlg.ShowWindow(SW_MINIMIZE);
    dlg.ShowWindow(SW_RESTORE);
    EXPECT_EQ(b, ChildRect(dlg, IDC_BASE_BUTTON));
    EXPECT_EQ(g, ChildRect(dlg, IDC_BASE_GRID));

    // The dialog never shrinks below its template size.
    MINMAXINFO info = {};
    dlg.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(window.Width(), info.ptMinTrackSize.x);
    EXPECT_EQ(window.Height(), info.ptMinTrackSize.y);
}

TEST_F(DialogBase, ModelessScreenAsksToExitAndIgnoresEnter)
{
    MessageBoxRecorder boxes;
    boxes.Answer(IDNO);
    dlg.SendMessage(WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(dlg.IsWindowVisible());
    dlg.SendMessage(WM_CLOSE);
    PumpPending();
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"Do you really want to exit?", boxes.Boxes()[0].text);
    EXPECT_TRUE(dlg.IsWindowVisible());

    // A dialog that may not close now ignores the request.
    dlg.mayClose = FALSE;
    dlg.SendMessage(WM_COMMAND, IDCANCEL, 0);
    PumpPending();
    EXPECT_EQ(1u, boxes.Boxes().size());
}

TEST(DialogBaseModal, EscapeEndsAModalDialog)
{
    RegisterGridStandIn();
    struct EscDlg : CBaseTestDlg
    {
        BOOL OnInitDialog() override
        {
            CBaseTestDlg::OnInitDialog();
            ::PostMessageW(edit.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
            return TRUE;
        }
    } dlg;
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(dlg.IsModal);
}

TEST_F(DialogBase, RightClickRequestsCaptionEditingOnlyWhenSwitchedOn)
{
    dlg.BindCaption(&dlg.button, 5);
    LPARAM inButton = MAKELPARAM(3, 3);

    ::PostMessageW(dlg.button.m_hWnd, WM_RBUTTONDOWN, MK_RBUTTON, inButton);
    PumpPending();
    EXPECT_EQ(0, dlg.editRequests);

    g_pEcrSetting->CapEdit = 1;
    WhenDialogShows(IDC_CAPEDIT_TEXT, [](HWND editor) { SendMessageW(editor, WM_COMMAND, IDCANCEL, 0); });
    ::PostMessageW(dlg.button.m_hWnd, WM_RBUTTONDOWN, MK_RBUTTON, inButton);
    ::PostMessageW(dlg.button.m_hWnd, WM_RBUTTONDOWN, MK_RBUTTON, inButton);  // before the first is handled
    PumpPending();
    EXPECT_FALSE(DialogScriptPending());
    EXPECT_EQ(1, dlg.editRequests);
    EXPECT_EQ(&dlg.button, dlg.editedControl);
    EXPECT_FALSE(dlg.CaptionEditing);
}

TEST_F(DialogBase, SystemMenuOffersTheAboutBox)
{
    HMENU system = GetSystemMenu(dlg.m_hWnd, FALSE);
    wchar_t text[128] = {};
    ASSERT_GT(GetMenuStringW(system, IDM_ABOUTBOX, text, 128, MF_BYCOMMAND), 0);
    EXPECT_STREQ(L"Version Info EcrTilldesk(&A)...", text);

    // Its text is common caption 511, also after a caption file switch.
    captions.Add(511, L"\x30D0\x30FC\x30B8\x30E7\x30F3\x60C5\x5831 EcrTilldesk(&A)...", 0, L"", WNDNO_COMMON);
    dlg.SendMessage(WM_ECR_REFRESH_CAPTIONS);
    ASSERT_GT(GetMenuStringW(system, IDM_ABOUTBOX, text, 128, MF_BYCOMMAND), 0);
    EXPECT_STREQ(L"\x30D0\x30FC\x30B8\x30E7\x30F3\x60C5\x5831 EcrTilldesk(&A)...", text);
    CBaseTestDlg another;
    ASSERT_TRUE(another.Create(IDD_BASE_TEST));
    ASSERT_GT(GetMenuStringW(GetSystemMenu(another.m_hWnd, FALSE), IDM_ABOUTBOX, text, 128, MF_BYCOMMAND), 0);
    EXPECT_STREQ(L"\x30D0\x30FC\x30B8\x30E7\x30F3\x60C5\x5831 EcrTilldesk(&A)...", text);
    another.DestroyWindow();
}

TEST(AboutBox, ShowsNameAndVersionOfTheProgramFile)
{
    CAboutDlg about;
    ASSERT_TRUE(about.Create(IDD_ABOUTBOX));
    EXPECT_STREQ(L"Tilldesk", about.ProductName.GetWindowText());
    EXPECT_STREQ(L"1.0.0.0", about.ProductVersion.GetWindowText());
    about.DestroyWindow();
}

TEST_F(DialogBase, PictureOfACaptionedDialog)
{
    captions.Add(5, L"\x9001\x4FE1 Send", 1, L"tip");
    captions.Add(6, L"PLU 0001");
    dlg.BindCaption(&dlg.button, 5);
    dlg.BindCaption(&dlg.edit, 6);
    dlg.list.AddString(L"DEPT");
    dlg.list.AddString(L"PLU");
    PumpPending();
    EXPECT_FALSE(SaveWindowPicture(dlg.m_hWnd, L"dialogbase-captioned").empty());
    EXPECT_TRUE(WindowShowsInk(dlg.button.m_hWnd));
    EXPECT_TRUE(WindowShowsInk(dlg.list.m_hWnd));
    EXPECT_STREQ(L"\x9001\x4FE1 Send", dlg.button.GetWindowText());
}
