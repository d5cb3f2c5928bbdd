#include "ProgramDriver.h"

#include <vector>

void Require(bool condition, const std::wstring& what)
{
    if (!condition)
        throw StepFailed{what};
}

namespace {

constexpr DWORD kPoll = 50;

struct Search
{
    DWORD pid;
    bool unownedOnly;  // a screen; else any dialog window
    std::vector<HWND> notThese;
    HWND found;
};

bool IsDialogClass(HWND window)
{
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    return ::lstrcmpW(name, L"#32770") == 0;
}

BOOL CALLBACK FindWindowOfProcess(HWND candidate, LPARAM p)
{
    auto* search = reinterpret_cast<Search*>(p);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(candidate, &pid);
    if (pid != search->pid || !::IsWindowVisible(candidate))
        return TRUE;
    for (HWND known : search->notThese)
        if (candidate == known)
            return TRUE;
    if (!IsDialogClass(candidate) || (search->unownedOnly && ::GetWindow(candidate, GW_OWNER)))
        return TRUE;
    search->found = candidate;
    return FALSE;
}

} // namespace

ProgramDriver::~ProgramDriver()
{
    Kill();
}

void ProgramDriver::Start(const std::wstring& folder, const std::wstring& workingFolder)
{
    std::wstring exe = folder + L"\\Tilldesk.exe";
    Require(::GetFileAttributesW(exe.c_str()) != INVALID_FILE_ATTRIBUTES, L"no program at " + exe);
    std::wstring line = L"\"" + exe + L"\"";
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(0);
    STARTUPINFOW start = {};
    start.cb = sizeof start;
    Require(::CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             (workingFolder.empty() ? folder : workingFolder).c_str(), &start,
                             &m_process) != FALSE,
            L"the program did not start");
    ::WaitForInputIdle(m_process.hProcess, 10000);
}

DWORD ProgramDriver::WaitForExit(DWORD timeoutMs)
{
    Require(::WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0, L"the program did not end");
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

void ProgramDriver::Kill()
{
    if (!m_process.hProcess)
        return;
    if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
        ::TerminateProcess(m_process.hProcess, 99);
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
    m_process = {};
}

HWND ProgramDriver::WaitForScreen(HWND notThis, DWORD timeoutMs)
{
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < timeoutMs; ::Sleep(kPoll)) {
        Require(::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT, L"the program ended unexpectedly");
        Search search = {m_process.dwProcessId, true, {notThis}, nullptr};
        ::EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            Settle();
            return search.found;
        }
    }
    throw StepFailed{L"no new screen appeared"};
}

HWND ProgramDriver::WaitForDialogOver(HWND screen, DWORD timeoutMs)
{
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < timeoutMs; ::Sleep(kPoll)) {
        Search search = {m_process.dwProcessId, false, {screen}, nullptr};
        ::EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            Settle();
            return search.found;
        }
    }
    throw StepFailed{L"no dialog appeared over \"" + Text(screen) + L"\""};
}

HWND ProgramDriver::DialogBesides(const std::vector<HWND>& known) const
{
    Search search = {m_process.dwProcessId, false, known, nullptr};
    ::EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void ProgramDriver::WaitGone(HWND window, DWORD timeoutMs)
{
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < timeoutMs; ::Sleep(kPoll))
        if (!::IsWindow(window) || !::IsWindowVisible(window)) {
            Settle();
            return;
        }
    throw StepFailed{L"\"" + Text(window) + L"\" did not close"};
}

void ProgramDriver::Settle()
{
    // Wait until the program's UI thread is idle again.
    ::WaitForInputIdle(m_process.hProcess, 5000);
    ::Sleep(150);
}

void ProgramDriver::Click(HWND dialog, int id)
{
    HWND button = Control(dialog, id);
    Require(::IsWindowEnabled(button) != FALSE, L"button \"" + Text(button) + L"\" is disabled");
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

HWND ProgramDriver::Control(HWND dialog, int id)
{
    HWND control = ::GetDlgItem(dialog, id);
    Require(control && ::IsWindowVisible(control), L"\"" + Text(dialog) + L"\" has no visible control " +
                                                       std::to_wstring(id));
    return control;
}

bool ProgramDriver::IsShown(HWND dialog, int id)
{
    HWND control = ::GetDlgItem(dialog, id);
    return control && ::IsWindowVisible(control);
}

std::wstring ProgramDriver::Text(HWND window)
{
    std::wstring text;
    TryText(window, text);
    return text;
}

bool ProgramDriver::TryText(HWND window, std::wstring& text)
{
    text.clear();
    // Sent, not read from the window structure: the window is another
    // process's. Whole, as a log grows past any fixed size.
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return false;
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR got = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                               SMTO_ABORTIFHUNG, 5000, &got))
        return false;
    text.assign(buffer.data(), got < buffer.size() ? got : buffer.size() - 1);
    return true;
}

HWND ProgramDriver::MessageOf(HWND box)
{
    for (HWND child = nullptr; (child = ::FindWindowExW(box, child, L"Static", nullptr)) != nullptr;)
        if (!Text(child).empty())
            return child;
    return nullptr;
}
