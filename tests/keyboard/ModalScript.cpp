#include "ModalScript.h"

#include <string>

namespace {

std::wstring g_title;
std::function<void(HWND)> g_step;

// The timer's window: a window timer reaches its procedure from any
// message loop, a thread timer only from loops that dispatch thread messages.
HWND TimerWindow()
{
    static HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    return window;
}

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM found)
{
    wchar_t title[128] = {};
    ::GetWindowTextW(hWnd, title, 128);
    if (::IsWindowVisible(hWnd) && g_title == title) {
        *reinterpret_cast<HWND*>(found) = hWnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    ::KillTimer(TimerWindow(), 1);
    auto step = std::move(g_step);
    step(dialog);
}

} // namespace

void WhenDialogShows(const wchar_t* title, std::function<void(HWND)> step)
{
    g_title = title;
    g_step = std::move(step);
    ::SetTimer(TimerWindow(), 1, 20, Tick);
}

void SetText(HWND dialog, int id, const wchar_t* text)
{
    ::SetDlgItemTextW(dialog, id, text);
}

void PressButton(HWND dialog, int id)
{
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}
