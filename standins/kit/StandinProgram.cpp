#include "StandinProgram.h"

#include <cstdio>

#include "RawCommandLine.h"

namespace {

const wchar_t kWindowClass[] = L"TilldeskStandin";

ATOM RegisterStandinClass(HINSTANCE instance, WNDPROC proc)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kWindowClass;
    return ::RegisterClassExW(&wc);
}

// The show command the starting program asked for: the program starts its
// helpers minimised, and their windows must not come up over its screen.
// (Wine's SW_SHOWDEFAULT does not look at it.)
int StartupShowCommand()
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    ::GetStartupInfoW(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWNORMAL;
}

} // namespace

StandinProgram::StandinProgram(const wchar_t* title, int width, int height)
{
    m_raw = ::GetCommandLineW();
    m_args = SplitRawCommandLine(m_raw);

    wchar_t module[MAX_PATH * 4] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, module, static_cast<DWORD>(std::size(module)));
    CString path(module, static_cast<int>(n));
    int slash = path.ReverseFind(L'\\');
    m_folder = path.Left(slash + 1);
    m_name = path.Mid(slash + 1);
    int dot = m_name.ReverseFind(L'.');
    if (dot > 0)
        m_name = m_name.Left(dot);

    m_closeDelay = IniNumber(L"CloseDelay", 0);
    m_failShowMs = IniNumber(L"FailShowMs", 1500);

    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    RegisterStandinClass(instance, WindowProc);
    m_hWnd = ::CreateWindowExW(0, kWindowClass, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, width, height,
                               nullptr, nullptr, instance, this);
    if (m_hWnd) {
        ::ShowWindow(m_hWnd, StartupShowCommand());
        ::UpdateWindow(m_hWnd);
    }
}

StandinProgram::~StandinProgram()
{
    if (!m_finished)
        AppendLog(-1);
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

CString StandinProgram::IniString(const wchar_t* key, const wchar_t* defaultValue) const
{
    wchar_t value[1024] = {};
    ::GetPrivateProfileStringW(L"Settings", key, defaultValue, value, static_cast<DWORD>(std::size(value)), IniPath());
    return value;
}

std::optional<DWORD> StandinProgram::IniValue(const wchar_t* key, SettingBase base, const wchar_t* expected)
{
    const CString text = IniString(key);
    if (text.IsEmpty())
        return std::nullopt;
    DWORD value = 0;
    if (ReadSettingNumber(text, base, value))
        return value;
    // A value read as 0 would quietly do something else than was asked.
    if (m_settingsFault.IsEmpty())
        m_settingsFault.Format(L"%s.ini: %s=%s cannot be read; %s is expected.", m_name.GetString(), key,
                               text.GetString(), expected);
    return std::nullopt;
}

DWORD StandinProgram::IniNumber(const wchar_t* key, DWORD defaultValue)
{
    return IniValue(key, SettingBase::Decimal, L"a whole decimal number").value_or(defaultValue);
}

std::optional<DWORD> StandinProgram::IniCode(const wchar_t* key)
{
    return IniValue(key, SettingBase::Hexadecimal, L"an exit code in hexadecimal (such as E0000003)");
}

bool StandinProgram::ShowSettingsFault()
{
    if (m_settingsFault.IsEmpty())
        return false;
    ShowFailure(m_settingsFault);
    return true;
}

void StandinProgram::SetStatus(const CString& text)
{
    m_status = text;
    if (m_hWnd) {
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        ::UpdateWindow(m_hWnd);
    }
}

CString StandinProgram::ArgumentText(const wchar_t* rawCommandLine)
{
    const wchar_t* p = rawCommandLine ? rawCommandLine : L"";
    while (*p == L' ')
        ++p;
    if (*p == L'"') {
        const wchar_t* end = wcschr(p + 1, L'"');
        p = end ? end + 1 : p + wcslen(p);
    } else {
        while (*p && *p != L' ')
            ++p;
    }
    if (*p == L' ')
        ++p;
    return p;
}

void StandinProgram::SetPainter(Painter painter)
{
    m_painter = std::move(painter);
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void StandinProgram::SetContent(HWND child)
{
    m_content = child;
    RECT rc;
    if (m_hWnd && child && ::GetClientRect(m_hWnd, &rc))
        ::MoveWindow(child, 0, 0, rc.right, rc.bottom, TRUE);
}

bool StandinProgram::Wait(DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        const DWORD now = ::GetTickCount();
        if (m_closeAsked && now - m_closeAskedAt >= m_closeDelay)
            m_cancelled = true;
        if (m_cancelled)
            return false;
        const DWORD elapsed = now - start;
        if (elapsed >= milliseconds)
            return true;
        DWORD timeout = milliseconds - elapsed;
        if (m_closeAsked && m_closeDelay - (now - m_closeAskedAt) < timeout)
            timeout = m_closeDelay - (now - m_closeAskedAt);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, timeout, QS_ALLINPUT);
    }
}

void StandinProgram::ShowFailure(const CString& text)
{
    m_painter = nullptr;
    SetStatus(text);
    Wait(m_failShowMs);
}

int StandinProgram::Finish(int exitCode)
{
    AppendLog(exitCode);
    m_finished = true;
    return exitCode;
}

void StandinProgram::AppendLog(int exitCode) const
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    CString line;
    line.Format(L"%04u-%02u-%02u %02u:%02u:%02u\t%s\t%08X\r\n", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond, m_raw.GetString(), static_cast<unsigned>(exitCode));
    // UTF-8, so paths outside the ANSI code page stay readable.
    int bytes = ::WideCharToMultiByte(CP_UTF8, 0, line, line.GetLength(), nullptr, 0, nullptr, nullptr);
    std::vector<char> utf8(static_cast<size_t>(bytes));
    ::WideCharToMultiByte(CP_UTF8, 0, line, line.GetLength(), utf8.data(), bytes, nullptr, nullptr);
    HANDLE log = ::CreateFileW(m_folder + m_name + L".log", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return;
    DWORD done = 0;
    ::WriteFile(log, utf8.data(), static_cast<DWORD>(utf8.size()), &done, nullptr);
    ::CloseHandle(log);
}

LRESULT CALLBACK StandinProgram::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<StandinProgram*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    switch (message) {
    case WM_CLOSE:
        // A cancel request: the program ends at a wait once CloseDelay has passed.
        if (self && !self->m_closeAsked) {
            self->m_closeAsked = true;
            self->m_closeAskedAt = ::GetTickCount();
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hWnd, &ps);
        RECT client;
        ::GetClientRect(hWnd, &client);
        if (self && self->m_painter) {
            self->m_painter(dc, client);
        } else if (self) {
            RECT rc = client;
            ::InflateRect(&rc, -8, -8);
            HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
            ::SetBkMode(dc, TRANSPARENT);
            ::DrawTextW(dc, self->m_status, self->m_status.GetLength(), &rc, DT_WORDBREAK | DT_NOPREFIX);
            ::SelectObject(dc, old);
        }
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_SIZE:
        if (self && self->m_content)
            ::MoveWindow(self->m_content, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        if (self && self->m_painter)
            ::InvalidateRect(hWnd, nullptr, TRUE);
        return 0;
    default:
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }
}
