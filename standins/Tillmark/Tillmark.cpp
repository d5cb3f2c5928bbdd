// Tillmark: the logo conversion program. It converts <BMP folder>\<input>
// into the register's logo file <BMP folder>\<output> and ends with a
// result code. Its window shows what it does; closing the window cancels.
// Each run appends a line to Tillmark.log beside the program; Tillmark.ini
// there may set [Tillmark] Delay (milliseconds before the work) and
// ExitCode (a code to end with instead of converting).
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

#include "CommandLine.h"
#include "LogoConversion.h"
#include "TillmarkCodes.h"

namespace {

constexpr DWORD kBadCommandLine = 0x03010000;
constexpr DWORD kInputUnreadable = 0x03020000;
constexpr DWORD kBadSize = 0x03030000;
constexpr DWORD kOutputNotWritten = 0x03040000;

constexpr UINT_PTR kWorkTimer = 1;
constexpr UINT_PTR kHoldTimer = 2;
constexpr UINT kErrorHoldMs = 3000;  // how long a failure stays on screen

const wchar_t kClassName[] = L"TillmarkWindow";

struct Run
{
    std::wstring folder;       // of the program, with a trailing backslash
    std::wstring commandLine;  // raw
    UINT delayMs = 0;
    bool forced = false;
    DWORD forcedCode = 0;
    bool done = false;
    DWORD exitCode = TILLMARK_CANCELLED;
    HWND status = nullptr;
} g_run;

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

void ReadSettings()
{
    std::wstring ini = g_run.folder + L"Tillmark.ini";
    g_run.delayMs = ::GetPrivateProfileIntW(L"Tillmark", L"Delay", 0, ini.c_str());
    wchar_t code[32] = {};
    ::GetPrivateProfileStringW(L"Tillmark", L"ExitCode", L"", code, 32, ini.c_str());
    if (*code) {
        g_run.forced = true;
        g_run.forcedCode = static_cast<DWORD>(std::wcstoul(code, nullptr, 0));
    }
}

void AppendLog()
{
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    wchar_t stamp[64] = {};
    std::swprintf(stamp, 64, L"%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    wchar_t code[16] = {};
    std::swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(g_run.exitCode));
    std::wstring line = std::wstring(stamp) + L"\t" + g_run.commandLine + L"\t" + code + L"\r\n";
    int bytes = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), bytes, nullptr, nullptr);
    HANDLE log = ::CreateFileW((g_run.folder + L"Tillmark.log").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(log, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    ::CloseHandle(log);
}

void ShowStatus(const std::wstring& text)
{
    ::SetWindowTextW(g_run.status, text.c_str());
}

// The work itself; returns the exit code and shows what went wrong.
DWORD Convert()
{
    ConversionRequest request;
    if (!ParseCommandLine(g_run.commandLine, request)) {
        ShowStatus(L"The command line is not understood. Expected:\r\n"
                   L"\"<program>\" \"<BMP folder>\\\" <input> <output> <five numbers>");
        return kBadCommandLine;
    }
    std::wstring input = request.folder + L"\\" + request.input;
    std::wstring output = request.folder + L"\\" + request.output;
    std::vector<BYTE> logo;
    switch (ConvertBitmapFile(input, request.params[0], request.params[1], logo)) {
    case ConversionError::None:
        break;
    case ConversionError::InputUnreadable:
        ShowStatus(L"The picture cannot be read:\r\n" + input);
        return kInputUnreadable;
    default:
        ShowStatus(L"A logo of " + std::to_wstring(request.params[0]) + L" x " + std::to_wstring(request.params[1]) +
                   L" pixels cannot be made.");
        return kBadSize;
    }
    if (!WriteFileReplacing(output, logo)) {
        ShowStatus(L"The logo file cannot be written:\r\n" + output);
        return kOutputNotWritten;
    }
    return TILLMARK_SUCCESS;
}

LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        g_run.status = ::CreateWindowExW(0, L"STATIC", L"Converting the picture into a logo...",
                                         WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 12, 12, 420, 64, hWnd,
                                         nullptr, nullptr, nullptr);
        ::SendMessageW(g_run.status, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), 0);
        return g_run.status ? 0 : -1;
    case WM_TIMER:
        ::KillTimer(hWnd, wParam);
        if (wParam == kWorkTimer && !g_run.done) {
            g_run.done = true;
            g_run.exitCode = g_run.forced ? g_run.forcedCode : Convert();
            if (!g_run.forced && !IsTillmarkSuccess(g_run.exitCode)) {
                // Keep the failure in sight for a while.
                ::ShowWindow(hWnd, SW_RESTORE);
                ::SetTimer(hWnd, kHoldTimer, kErrorHoldMs, nullptr);
                return 0;
            }
        }
        ::DestroyWindow(hWnd);
        return 0;
    case WM_CLOSE:
        // Before the work: a cancel. After a failure: the failure stands.
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

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    g_run.folder = ProgramFolder();
    g_run.commandLine = ::GetCommandLineW();
    ReadSettings();

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    HWND window = nullptr;
    if (::RegisterClassExW(&wc))
        window = ::CreateWindowExW(0, kClassName, L"Tillmark - logo conversion", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, 460, 130, nullptr, nullptr, instance, nullptr);
    if (!window) {
        g_run.exitCode = kBadCommandLine;
        AppendLog();
        return static_cast<int>(g_run.exitCode);
    }
    ::ShowWindow(window, showCommand);
    ::UpdateWindow(window);
    ::SetTimer(window, kWorkTimer, g_run.delayMs > 0 ? g_run.delayMs : USER_TIMER_MINIMUM, nullptr);

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    AppendLog();
    return static_cast<int>(g_run.exitCode);
}
