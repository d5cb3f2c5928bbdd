// The keyboard layout program: shows, read-only, the key layout saved in the
// data folder that "Tilldesk.ini" in the current folder names.
//
// Exit codes: 0 closed after showing the layout, 1 the settings or the
// keyboard data could not be read (after a message), 2 closed before the
// layout was read. Tillpad.ini beside the program may hold, in section
// [Tillpad], Delay (milliseconds before reading) and ExitCode (forced).
#include <windows.h>

#include "KeyLayout.h"
#include "LayoutWindow.h"
#include "RunRecord.h"

namespace {

// Handles messages until the window is gone or the time is up.
void PumpFor(const LayoutWindow& window, DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    while (!window.Closed() && ::GetTickCount() - start < milliseconds) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - (::GetTickCount() - start), QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    RunRecord run(L"Tillpad");
    LayoutWindow window;
    if (!window.Create(instance, show))
        return run.Finish(1);

    PumpFor(window, static_cast<DWORD>(run.Setting(L"Delay", 0)));
    if (window.Closed())
        return run.Finish(2);

    KeyLayout layout;
    std::wstring error;
    if (!KeyLayout::Read(layout, error)) {
        ::MessageBoxW(window.Handle(), error.c_str(), L"Tillpad", MB_OK | MB_ICONSTOP);
        ::DestroyWindow(window.Handle());
        return run.Finish(1);
    }
    window.ShowLayout(layout);

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return run.Finish(0);
}
