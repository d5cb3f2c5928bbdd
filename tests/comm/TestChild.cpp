// A child program for the tests of child-program runs: shows a visible
// top-level window and ends with the exit code of its first argument when
// the window is asked to close. "now" as second argument ends at once.
#include <cstdlib>
#include <cwchar>

#include <windows.h>

namespace {

DWORD g_code = 0;

LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        ::DestroyWindow(hWnd);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR args, int show)
{
    wchar_t* rest = nullptr;
    g_code = std::wcstoul(args, &rest, 0);
    bool now = rest && std::wcsstr(rest, L"now");
    if (now)
        return static_cast<int>(g_code);

    WNDCLASSW cls = {};
    cls.lpfnWndProc = Proc;
    cls.hInstance = instance;
    cls.lpszClassName = L"TestChildWindow";
    ::RegisterClassW(&cls);
    HWND wnd = ::CreateWindowW(L"TestChildWindow", L"Test child", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, instance, nullptr);
    if (!wnd)
        return -1;
    ::ShowWindow(wnd, show);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    return static_cast<int>(g_code);
}
