// Tillwire.exe: the communication program. It moves one data group or
// report per run between the data folder and the register, here a folder
// "Register" beside the program, and ends with an exit code (ExitCodes.h).
//
// Beside it: Tillwire.log gets one line per run (local time, the raw command
// line, the exit code, what happened); Tillwire.ini may hold
//   [Tillwire] Delay=<ms per item>  Offline=1  IgnoreClose=1  MessageHold=<ms>
//   [Fail]     ECR<group id>=<exit code>  CSV<report id>=<exit code>
// so that slow, failing, hanging and cancelled transfers can be tried.
#include <cstdio>
#include <string>

#include <windows.h>

#include <commctrl.h>

#include "ExitCodes.h"
#include "RegisterFolder.h"
#include "Request.h"

namespace {

constexpr UINT_PTR kStepTimer = 1;
constexpr UINT kStepMs = 50;
constexpr int kStatusId = 100;
constexpr int kProgressId = 101;

struct Settings
{
    DWORD delayMs = 0;
    bool offline = false;
    bool ignoreClose = false;
    DWORD messageHoldMs = 1000;
};

struct Run
{
    std::wstring folder;  // the program's own, with a backslash
    std::wstring rawLine;
    Settings settings;
    Request request;
    bool requestOk = false;
    std::wstring message;
    unsigned exitCode = TW_OK;
    DWORD startedAt = 0;
    bool done = false;  // the transfer has happened (or failed); showing the outcome
    HWND status = nullptr;
    HWND progress = nullptr;
};

Run g_run;

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH * 4] = {};
    DWORD length = ::GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    std::wstring folder(path, length);
    size_t slash = folder.find_last_of(L'\\');
    return slash == std::wstring::npos ? L".\\" : folder.substr(0, slash + 1);
}

unsigned ReadCode(const wchar_t* text)
{
    return static_cast<unsigned>(std::wcstoul(text, nullptr, 0));
}

Settings ReadSettings(const std::wstring& ini)
{
    Settings s;
    s.delayMs = ::GetPrivateProfileIntW(L"Tillwire", L"Delay", 0, ini.c_str());
    s.offline = ::GetPrivateProfileIntW(L"Tillwire", L"Offline", 0, ini.c_str()) != 0;
    s.ignoreClose = ::GetPrivateProfileIntW(L"Tillwire", L"IgnoreClose", 0, ini.c_str()) != 0;
    s.messageHoldMs = ::GetPrivateProfileIntW(L"Tillwire", L"MessageHold", 1000, ini.c_str());
    return s;
}

// A forced exit code for this item from [Fail], or 0.
unsigned ForcedCode(const std::wstring& ini, const Request& request)
{
    std::wstring key = (request.kind == Request::Kind::Group ? L"ECR" : L"CSV") + std::to_wstring(request.id);
    wchar_t text[32] = {};
    ::GetPrivateProfileStringW(L"Fail", key.c_str(), L"", text, 32, ini.c_str());
    return text[0] ? ReadCode(text) : 0;
}

// The port list of the sending program: "USB", then every COM port that
// opens, in order; the index names an entry of it.
bool PortExists(int index, std::wstring& name)
{
    if (index == 0) {
        name = L"USB";
        return true;
    }
    int found = 0;
    for (int n = 1; n <= 64; ++n) {
        wchar_t device[32];
        std::swprintf(device, 32, L"\\\\.\\COM%d", n);
        HANDLE port = ::CreateFileW(device, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (port == INVALID_HANDLE_VALUE)
            continue;
        ::CloseHandle(port);
        if (++found == index) {
            name = L"COM" + std::to_wstring(n);
            return true;
        }
    }
    return false;
}

void WriteLog()
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    wchar_t stamp[64];
    std::swprintf(stamp, 64, L"%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
    wchar_t code[16];
    std::swprintf(code, 16, L"%08X", g_run.exitCode);
    std::wstring line = std::wstring(stamp) + L"\t" + g_run.rawLine + L"\t" + code + L"\t" + g_run.message + L"\r\n";
    int size = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), size, nullptr, nullptr);
    std::wstring path = g_run.folder + L"Tillwire.log";
    // Runs may overlap: retry briefly while another run holds the file.
    for (int attempt = 0; attempt < 50; ++attempt) {
        HANDLE file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            ::WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
            ::CloseHandle(file);
            return;
        }
        ::Sleep(20);
    }
}

std::wstring Describe(const Request& r)
{
    std::wstring link = r.lan ? L"LAN " + r.AddressText() : L"port " + std::to_wstring(r.portIndex) + L" at " + std::to_wstring(r.baudRate) + L" baud";
    if (r.kind == Request::Kind::Report)
        return L"Receiving report " + std::to_wstring(r.id) + L" (" + std::to_wstring(r.param) + L" - " + std::to_wstring(r.to) + L") over " + link;
    std::wstring name = RegisterFolder::GroupFileName(r.id);
    return std::wstring(r.direction ? L"Sending " : L"Receiving ") + (name.empty() ? L"group " + std::to_wstring(r.id) : name) + L" over " + link;
}

// Does the transfer itself once the delay is over.
void Transfer()
{
    std::wstring ini = g_run.folder + L"Tillwire.ini";
    const Request& r = g_run.request;
    std::wstring portName;
    if (g_run.settings.offline) {
        g_run.exitCode = TW_OFFLINE;
        g_run.message = L"The register does not answer.";
    } else if (!r.lan && !PortExists(r.portIndex, portName)) {
        g_run.exitCode = TW_NO_SUCH_PORT;
        g_run.message = L"There is no port " + std::to_wstring(r.portIndex) + L".";
    } else if (unsigned forced = ForcedCode(ini, r)) {
        g_run.exitCode = forced;
        g_run.message = L"Failure forced by Tillwire.ini.";
    } else {
        RegisterFolder reg(g_run.folder + L"Register\\");
        if (r.kind == Request::Kind::Report)
            g_run.exitCode = reg.ReceiveReport(r.id, r.dataFolder, g_run.message);
        else if (r.direction == 1)
            g_run.exitCode = reg.SendGroup(r.id, r.dataFolder, g_run.message);
        else
            g_run.exitCode = reg.ReceiveGroup(r.id, r.dataFolder, g_run.message);
    }
}

// Shows the outcome; a failure stays in view for a moment.
void Finish(HWND wnd)
{
    g_run.done = true;
    ::SetWindowTextW(g_run.status, g_run.message.c_str());
    ::SendMessageW(g_run.progress, PBM_SETPOS, 100, 0);
    if (g_run.exitCode == TW_OK || g_run.settings.messageHoldMs == 0)
        ::DestroyWindow(wnd);
    else
        ::SetTimer(wnd, kStepTimer, g_run.settings.messageHoldMs, nullptr);
}

LRESULT CALLBACK WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (g_run.done) {
            ::DestroyWindow(wnd);
        } else {
            DWORD elapsed = ::GetTickCount() - g_run.startedAt;
            if (elapsed >= g_run.settings.delayMs) {
                ::KillTimer(wnd, kStepTimer);
                Transfer();
                Finish(wnd);
            } else {
                ::SendMessageW(g_run.progress, PBM_SETPOS, static_cast<WPARAM>(elapsed * 100 / g_run.settings.delayMs), 0);
            }
        }
        return 0;
    case WM_CLOSE:
        if (g_run.done) {
            ::DestroyWindow(wnd);
        } else if (!g_run.settings.ignoreClose) {
            g_run.exitCode = TW_CANCELLED;
            g_run.message = L"Cancelled.";
            g_run.done = true;
            ::DestroyWindow(wnd);
        }
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(wnd, message, wParam, lParam);
    }
}

HWND CreateMainWindow(HINSTANCE instance, int show, const std::wstring& text)
{
    WNDCLASSW cls = {};
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = instance;
    cls.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = L"TillwireWindow";
    if (!::RegisterClassW(&cls))
        return nullptr;
    HWND wnd = ::CreateWindowExW(0, L"TillwireWindow", L"Tillwire", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, 420, 120, nullptr, nullptr, instance, nullptr);
    if (!wnd)
        return nullptr;
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    g_run.status = ::CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS,
                                     10, 10, 390, 20, wnd, reinterpret_cast<HMENU>(kStatusId), instance, nullptr);
    g_run.progress = ::CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE,
                                       10, 40, 390, 18, wnd, reinterpret_cast<HMENU>(kProgressId), instance, nullptr);
    ::SendMessageW(g_run.status, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::ShowWindow(wnd, show);
    return wnd;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show)
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&icc);
    g_run.folder = ProgramFolder();
    g_run.rawLine = ::GetCommandLineW();
    g_run.settings = ReadSettings(g_run.folder + L"Tillwire.ini");

    std::wstring error;
    g_run.requestOk = ParseRequest(SplitCommandLine(g_run.rawLine.c_str()), g_run.request, error);
    std::wstring text = g_run.requestOk ? Describe(g_run.request) : error;
    HWND wnd = CreateMainWindow(instance, show, text);
    if (!g_run.requestOk) {
        g_run.exitCode = TW_BAD_COMMAND_LINE;
        g_run.message = error;
        if (wnd)
            Finish(wnd);
    } else if (wnd) {
        g_run.startedAt = ::GetTickCount();
        ::SetTimer(wnd, kStepTimer, kStepMs, nullptr);
    }
    if (wnd) {
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    } else if (g_run.requestOk) {
        g_run.exitCode = TW_WRITE_FAILED;
        g_run.message = L"No window could be created.";
    }
    WriteLog();
    return static_cast<int>(g_run.exitCode);
}
