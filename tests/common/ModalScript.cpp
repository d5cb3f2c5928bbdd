#include "ModalScript.h"

#include <utility>

namespace {

struct Script
{
    int controlId = 0;
    std::function<void(HWND)> action;
    UINT_PTR timer = 0;
    HWND found = nullptr;
    HWND window = nullptr;  // the timer's: the program's loop keeps thread messages to itself
};

Script& Pending()
{
    static Script script;
    return script;
}

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM)
{
    Script& script = Pending();
    if (::IsWindowVisible(hWnd) && ::GetDlgItem(hWnd, script.controlId)) {
        script.found = hWnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    Script& script = Pending();
    script.found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, 0);
    if (!script.found)
        return;
    ::KillTimer(script.window, script.timer);
    script.timer = 0;
    auto action = std::move(script.action);
    script.action = nullptr;
    action(script.found);
}

} // namespace

void WhenDialogShows(int controlId, std::function<void(HWND dialog)> action)
{
    Script& script = Pending();
    if (!script.window)
        script.window = ::CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    script.controlId = controlId;
    script.action = std::move(action);
    script.timer = ::SetTimer(script.window, 1, 10, OnTimer);
}

bool DialogScriptPending()
{
    return Pending().timer != 0;
}
