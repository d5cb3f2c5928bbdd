#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "CCancelEvent.h"
#include "CChildProgram.h"
#include "MessageBoxRecorder.h"
#include "Pump.h"
#include "afx.h"

namespace {

std::wstring ChildLine(const wchar_t* args)
{
    return std::wstring(L"\"TestChild.exe\" ") + args;
}

} // namespace

TEST(ChildProgram, EndsWithTheProgramsExitCode)
{
    CChildProgram child;
    ASSERT_TRUE(child.Start(ChildLine(L"0x12345678 now").c_str()));
    EXPECT_EQ(CChildProgram::WaitResult::Ended, child.Wait(nullptr));
    EXPECT_EQ(0x12345678u, child.ExitCode());
}

// The press may come before the program has a window: the close request is
// repeated until it ends, and the program's own exit code is the result.
TEST(ChildProgram, CancelAsksTheProgramToCloseOncePerPress)
{
    CCancelEvent cancel;
    ASSERT_EQ(CCancelEvent::CreateResult::Created, cancel.Create(L"EV_TEST_CHILD_CANCEL"));
    CChildProgram child;
    ASSERT_TRUE(child.Start(ChildLine(L"0x02010000").c_str()));
    cancel.Signal();
    int presses = 0;
    EXPECT_EQ(CChildProgram::WaitResult::Ended, child.Wait(cancel.Handle(), [&] { ++presses; }));
    EXPECT_EQ(1, presses);
    EXPECT_EQ(0x02010000u, child.ExitCode());
}

TEST(ChildProgram, MissingProgramAndOverlongLineDoNotStart)
{
    CChildProgram child;
    EXPECT_FALSE(child.Start(L"\"C:\\no such folder\\none.exe\" 1"));
    EXPECT_EQ(CChildProgram::WaitResult::Failed, child.Wait(nullptr));

    std::wstring overlong = ChildLine(L"0 now ") + std::wstring(40000, L'x');
    EXPECT_FALSE(child.Start(overlong.c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE), GetLastError());
}

TEST(CancelEvent, ExistsOnlyForOneRunAtATime)
{
    CCancelEvent first;
    CCancelEvent second;
    ASSERT_EQ(CCancelEvent::CreateResult::Created, first.Create(L"EV_TEST_RUN"));
    EXPECT_EQ(CCancelEvent::CreateResult::InUse, second.Create(L"EV_TEST_RUN"));
    EXPECT_EQ(nullptr, second.Handle());

    first.Signal();
    EXPECT_TRUE(first.TakePending());
    EXPECT_FALSE(first.TakePending());  // one press, taken once

    first.Close();
    EXPECT_EQ(CCancelEvent::CreateResult::Created, second.Create(L"EV_TEST_RUN"));
}

namespace {

std::atomic<bool> g_ran = false;
HWND g_target = nullptr;

UINT SendToUiWindow(LPVOID)
{
    g_ran = true;
    // Blocks until the UI thread handles it.
    ::SendMessageW(g_target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"from the worker"));
    return 0;
}

} // namespace

TEST(WorkerThread, RunsOnlyWhenResumedAndIsWaitedForWhileItSends)
{
    HWND edit = CreateWindowW(L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, edit);
    g_target = edit;
    g_ran = false;
    CWorkerThread worker;
    ASSERT_TRUE(worker.Create(SendToUiWindow, nullptr));
    Sleep(100);
    EXPECT_FALSE(g_ran);
    EXPECT_TRUE(worker.IsRunning());
    ASSERT_TRUE(worker.Resume());
    worker.WaitPumping();  // would never return without serving the send
    EXPECT_TRUE(g_ran);
    EXPECT_EQ(nullptr, worker.Handle());
    wchar_t text[32] = {};
    GetWindowTextW(edit, text, 32);
    EXPECT_STREQ(L"from the worker", text);
    DestroyWindow(edit);
}

namespace {

UINT AskFromWorker(LPVOID)
{
    AfxMessageBox(L"from the worker", MB_YESNO);
    return 0;
}

} // namespace

// Under Wine, closing a box owned by a disabled window enables that window:
// a worker's box must have no owner, whatever window is active.
TEST(WorkerMessageBox, HasNoOwner)
{
    MessageBoxRecorder boxes;
    HWND active = CreateWindowW(L"STATIC", L"main", WS_POPUP | WS_VISIBLE, 0, 0, 100, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, active);
    SetActiveWindow(active);
    CWorkerThread worker;
    ASSERT_TRUE(worker.Create(AskFromWorker, nullptr));
    ASSERT_TRUE(worker.Resume());
    worker.WaitPumping();
    AfxMessageBox(L"from the UI", MB_OK);

    auto asked = boxes.Boxes();
    ASSERT_EQ(2u, asked.size());
    EXPECT_EQ(nullptr, asked[0].owner);
    EXPECT_NE(GetCurrentThreadId(), asked[0].threadId);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), asked[0].type & MB_TYPEMASK);
    EXPECT_TRUE(asked[0].type & MB_TOPMOST);
    EXPECT_NE(nullptr, asked[1].owner);
    DestroyWindow(active);
}
