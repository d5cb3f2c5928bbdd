#include <gtest/gtest.h>

#include "CEcrTilldeskApp.h"

namespace {

struct WindowCount
{
    DWORD pid;
    int visible;
};

BOOL CALLBACK CountVisible(HWND hWnd, LPARAM lParam)
{
    auto* count = reinterpret_cast<WindowCount*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid == count->pid && IsWindowVisible(hWnd))
        ++count->visible;
    return TRUE;
}

} // namespace

// A worker cancels a child program this way: the child's main window gets
// WM_CLOSE, even when the process has other (hidden) top-level windows first.
TEST(ChildProcess, CloseRequestReachesTheVisibleMainWindow)
{
    wchar_t command[] = L"notepad.exe";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child));
    WaitForInputIdle(child.hProcess, 10000);
    WindowCount count = {child.dwProcessId, 0};
    for (int i = 0; i < 100 && count.visible == 0; ++i) {
        Sleep(50);
        EnumWindows(CountVisible, reinterpret_cast<LPARAM>(&count));
    }
    ASSERT_GT(count.visible, 0);

    EnumWindows(&CEcrTilldeskApp::CloseWindowsOfProcess, reinterpret_cast<LPARAM>(&child));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(child.hProcess, 10000));
    if (WaitForSingleObject(child.hProcess, 0) != WAIT_OBJECT_0)
        TerminateProcess(child.hProcess, 1);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}
