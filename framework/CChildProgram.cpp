#include "CChildProgram.h"

#include <vector>

#include "AtomicFile.h"
#include "FullPathName.h"

namespace {

// CreateProcessW refuses longer lines (the terminating null included).
constexpr size_t MaxCommandLine = 32767;

struct WindowSearch
{
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindVisibleTopLevel(HWND candidate, LPARAM p)
{
    auto* search = reinterpret_cast<WindowSearch*>(p);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(candidate, &pid);
    if (pid != search->pid || !::IsWindowVisible(candidate) || ::GetWindow(candidate, GW_OWNER))
        return TRUE;
    search->found = candidate;
    return FALSE;
}

} // namespace

CChildProgram::StartFailure::StartFailure(const CString& program, DWORD error)
    : Program(FullPathName(program)), Reason(AtomicFile::SystemReason(error))
{
}

CChildProgram::~CChildProgram()
{
    Release();
}

void CChildProgram::Release()
{
    if (m_process.hThread)
        ::CloseHandle(m_process.hThread);
    if (m_process.hProcess)
        ::CloseHandle(m_process.hProcess);
    m_process = {};
}

bool CChildProgram::Start(const wchar_t* commandLine)
{
    Release();
    size_t length = commandLine ? ::wcslen(commandLine) : 0;
    if (length == 0 || length >= MaxCommandLine) {
        ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    // CreateProcessW may write into the line it is given.
    std::vector<wchar_t> line(commandLine, commandLine + length + 1);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_process)) {
        m_process = {};
        return false;
    }
    return true;
}

CChildProgram::WaitResult CChildProgram::Wait(HANDLE cancelEvent, const std::function<void()>& onCancel)
{
    if (!m_process.hProcess)
        return WaitResult::Failed;
    // The event first: a press that comes with the program's end is never lost.
    HANDLE handles[2] = {cancelEvent, m_process.hProcess};
    DWORD count = 2;
    if (!cancelEvent) {
        handles[0] = m_process.hProcess;
        count = 1;
    }
    bool cancelled = false;
    for (;;) {
        DWORD woke = ::WaitForMultipleObjects(count, handles, FALSE, cancelled ? RepeatCloseMs : INFINITE);
        if (woke == WAIT_OBJECT_0 + count - 1)
            return WaitResult::Ended;
        if (woke == WAIT_OBJECT_0 && count == 2) {
            cancelled = true;
            if (onCancel)
                onCancel();
        } else if (woke != WAIT_TIMEOUT) {
            return WaitResult::Failed;
        }
        // The program may not have had a window at the first request, or may
        // be finishing a write: ask again until it ends.
        RequestClose();
    }
}

DWORD CChildProgram::ExitCode() const
{
    DWORD code = 0;
    if (!m_process.hProcess || !::GetExitCodeProcess(m_process.hProcess, &code))
        return static_cast<DWORD>(-1);
    return code;
}

void CChildProgram::RequestClose() const
{
    ::EnumWindows(&CChildProgram::CloseWindowsOfProcess, reinterpret_cast<LPARAM>(&m_process));
}

BOOL CALLBACK CChildProgram::CloseWindowsOfProcess(HWND hWnd, LPARAM lParam)
{
    auto* child = reinterpret_cast<const PROCESS_INFORMATION*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid != child->dwProcessId)
        return TRUE;
    HWND main = MainWindowOf(pid);
    ::PostMessageW(main ? main : hWnd, WM_CLOSE, 0, 0);
    return FALSE;
}

HWND CChildProgram::MainWindowOf(DWORD processId)
{
    WindowSearch search = {processId, nullptr};
    ::EnumWindows(FindVisibleTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
