#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MessageBoxRecorder.h"
#include "Pump.h"
#include "afx.h"

namespace {

constexpr UINT WM_PING = WM_USER + 1;
constexpr UINT WM_THROW = WM_USER + 2;

const wchar_t* TestClass()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"MapTestWnd";
        RegisterClassW(&wc);
        registered = true;
    }
    return L"MapTestWnd";
}

class CBaseTestWnd : public CWnd
{
public:
    std::vector<std::string> log;

protected:
    LRESULT OnPing(WPARAM, LPARAM) { log.push_back("base ping"); return 1; }
    void OnTimer(UINT_PTR id) { log.push_back("base timer " + std::to_string(id)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestWnd, CWnd)
    ON_MESSAGE(WM_PING, &CBaseTestWnd::OnPing)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CDerivedTestWnd : public CBaseTestWnd
{
public:
    LRESULT lastNotifyResult = 0;
    BOOL commandEnabled = FALSE;

protected:
    LRESULT OnPingAgain(WPARAM, LPARAM) { log.push_back("derived ping"); return 2; }
    LRESULT OnSetText(WPARAM, LPARAM)
    {
        log.push_back("settext");
        return Default();  // the original procedure still stores the text
    }
    LRESULT OnThrow(WPARAM, LPARAM) { AfxThrowInvalidArgException(); }
    void OnMenuCommand() { log.push_back("command 100"); }
    void OnRange(UINT id) { log.push_back("range " + std::to_string(id)); }
    void OnEditChange() { log.push_back("parent change 300"); }
    void OnUpdateMenuCommand(CCmdUI* cmdUI)
    {
        log.push_back("update " + std::to_string(cmdUI->m_nID));
        cmdUI->Enable(commandEnabled);
    }
    void OnClick(NMHDR* header, LRESULT* result)
    {
        log.push_back("click " + std::to_string(header->idFrom));
        *result = -1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTestWnd, CBaseTestWnd)
    ON_MESSAGE(WM_PING, &CDerivedTestWnd::OnPingAgain)
    ON_MESSAGE(WM_SETTEXT, &CDerivedTestWnd::OnSetText)
    ON_MESSAGE(WM_THROW, &CDerivedTestWnd::OnThrow)
    ON_COMMAND(100, &CDerivedTestWnd::OnMenuCommand)
    ON_UPDATE_COMMAND_UI(100, &CDerivedTestWnd::OnUpdateMenuCommand)
    ON_COMMAND_RANGE(200, 210, &CDerivedTestWnd::OnRange)
    ON_EN_CHANGE(300, &CDerivedTestWnd::OnEditChange)
    ON_EN_CHANGE(301, &CDerivedTestWnd::OnEditChange)
    ON_NOTIFY(NM_CLICK, 400, &CDerivedTestWnd::OnClick)
END_MESSAGE_MAP()

// A control that handles its own notifications before its parent sees them.
class CReflectingEdit : public CEdit
{
public:
    std::vector<std::string>* log = nullptr;

protected:
    void OnReflectedChange() { log->push_back("child change"); }
    void OnReflectedClick(NMHDR*, LRESULT* result)
    {
        log->push_back("child click");
        *result = 5;
    }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_CHAR && msg->wParam == L'q') {
            log->push_back("child pretranslate");
            return TRUE;
        }
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingEdit, CEdit)
    ON_CONTROL_REFLECT(EN_CHANGE, &CReflectingEdit::OnReflectedChange)
    ON_NOTIFY_REFLECT(NM_CLICK, &CReflectingEdit::OnReflectedClick)
END_MESSAGE_MAP()

struct Window : ::testing::Test
{
    CDerivedTestWnd wnd;
    void SetUp() override
    {
        ASSERT_TRUE(wnd.CreateEx(0, TestClass(), L"map test", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, 0));
    }
    LRESULT Notify(HWND from, UINT_PTR id, UINT code)
    {
        NMHDR header = {from, id, code};
        return wnd.SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
    }
};

} // namespace

TEST_F(Window, DerivedEntriesWinAndBaseEntriesStillRun)
{
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    EXPECT_EQ(2, wnd.SendMessage(WM_PING));
    wnd.SendMessage(WM_TIMER, 7);
    EXPECT_EQ((std::vector<std::string>{"derived ping", "base timer 7"}), wnd.log);
}

TEST_F(Window, DefaultRunsTheOriginalProcedure)
{
    wnd.SetWindowText(L"new title");
    EXPECT_STREQ(L"new title", wnd.GetWindowText());
    EXPECT_EQ(std::vector<std::string>{"settext"}, wnd.log);
}

TEST_F(Window, CommandsMatchByIdRangeAndCode)
{
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(205, 0), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(211, 0), 0);  // outside the range

    CEdit edit;  // a control without reflection entries
    ASSERT_TRUE(edit.Create(WS_CHILD, CRect(0, 0, 50, 20), &wnd, 300));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(300, EN_CHANGE), reinterpret_cast<LPARAM>(edit.m_hWnd));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(300, EN_SETFOCUS), reinterpret_cast<LPARAM>(edit.m_hWnd));
    EXPECT_EQ((std::vector<std::string>{"command 100", "range 205", "parent change 300"}), wnd.log);
}

TEST_F(Window, APopupAsksItsOwnerWhichCommandsCanRun)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 100, L"handled"));
    ASSERT_TRUE(menu.AppendMenu(MF_SEPARATOR));
    ASSERT_TRUE(menu.AppendMenu(MF_STRING | MF_GRAYED, 201, L"no update handler"));
    auto grayed = [&](UINT id) { return (::GetMenuState(menu.m_hMenu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; };

    wnd.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.m_hMenu), 0);
    EXPECT_TRUE(grayed(100));
    EXPECT_TRUE(grayed(201)) << "an item nobody answers for stays as it was";
    wnd.commandEnabled = TRUE;
    wnd.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.m_hMenu), 0);
    EXPECT_FALSE(grayed(100));
    // The window menu is the system's business.
    wnd.commandEnabled = FALSE;
    wnd.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.m_hMenu), MAKELPARAM(0, TRUE));
    EXPECT_FALSE(grayed(100));
    EXPECT_EQ((std::vector<std::string>{"update 100", "update 100"}), wnd.log);

    // The command itself still runs its command handler only.
    wnd.SendMessage(WM_COMMAND, 100);
    EXPECT_EQ("command 100", wnd.log.back());
}

TEST_F(Window, NotificationsCarryTheHandlersResult)
{
    EXPECT_EQ(-1, Notify(nullptr, 400, NM_CLICK));
    EXPECT_EQ(0, Notify(nullptr, 401, NM_CLICK));
    EXPECT_EQ(0, Notify(nullptr, 400, NM_DBLCLK));
    EXPECT_EQ(std::vector<std::string>{"click 400"}, wnd.log);
}

TEST_F(Window, ControlsGetTheirOwnNotificationsFirst)
{
    CReflectingEdit edit;
    edit.log = &wnd.log;
    ASSERT_TRUE(edit.Create(WS_CHILD, CRect(0, 0, 50, 20), &wnd, 301));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(301, EN_CHANGE), reinterpret_cast<LPARAM>(edit.m_hWnd));
    EXPECT_EQ(5, Notify(edit.m_hWnd, 301, NM_CLICK));
    EXPECT_EQ((std::vector<std::string>{"child change", "child click"}), wnd.log);
}

TEST_F(Window, PreTranslateRunsFromTheTargetUpItsParents)
{
    CReflectingEdit edit;
    edit.log = &wnd.log;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &wnd, 302));
    ::PostMessageW(edit.m_hWnd, WM_CHAR, L'q', 0);
    ::PostMessageW(edit.m_hWnd, WM_CHAR, L'r', 0);
    PumpPending();
    // 'q' never reached the edit; 'r' did and changed it.
    EXPECT_EQ((std::vector<std::string>{"child pretranslate", "child change"}), wnd.log);
    EXPECT_STREQ(L"r", edit.GetWindowText());
}

TEST_F(Window, AnExceptionInAHandlerIsReportedAndTheWindowLivesOn)
{
    MessageBoxRecorder boxes;
    EXPECT_EQ(0, wnd.SendMessage(WM_THROW));
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ(L"Invalid argument.", boxes.Boxes()[0].text);
    EXPECT_EQ(2, wnd.SendMessage(WM_PING));
}

TEST(WindowMap, WrappersForForeignWindowsAreReusedAndFreed)
{
    HWND raw = CreateWindowExW(0, L"STATIC", L"raw", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, raw);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(raw));
    CWnd* wrapper = CWnd::FromHandle(raw);
    ASSERT_NE(nullptr, wrapper);
    EXPECT_EQ(wrapper, CWnd::FromHandle(raw));
    EXPECT_STREQ(L"raw", wrapper->GetWindowText());
    DestroyWindow(raw);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(raw));
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
}

TEST(WindowMap, DestroyingTheObjectDestroysItsWindow)
{
    HWND hWnd;
    {
        CDerivedTestWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, TestClass(), L"", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}
