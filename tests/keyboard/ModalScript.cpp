#include "ModalScript.h"

#include <string>

namespace {

std::wstring g_title;
std::function<void(HWND)> g_step;
std::function<void(HMENU)> g_menuStep;

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
    if (g_menuStep) {
        // A popup menu is a window of the class "#32768".
        HWND menu = ::FindWindowW(L"#32768", nullptr);
        dialog = menu && ::IsWindowVisible(menu) ? menu : nullptr;
    } else {
        ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    }
    if (!dialog)
        return;
    ::KillTimer(TimerWindow(), 1);
    if (g_menuStep) {
        auto step = std::move(g_menuStep);
        g_menuStep = nullptr;
        step(reinterpret_cast<HMENU>(::SendMessageW(dialog, MN_GETHMENU, 0, 0)));
        return;
    }
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

void WhenMenuShows(std::function<void(HMENU)> step)
{
    g_menuStep = std::move(step);
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
