#include "ChildProcess.h"

#include <vector>

#include "CChildProgram.h"
#include "TestFiles.h"

ChildProcess::ChildProcess(const std::wstring& folder, const std::wstring& exe, const std::wstring& args)
{
    const std::wstring target = folder + L"\\" + exe;
    if (!::CopyFileW((ProgramFolder() + L"\\" + exe).c_str(), target.c_str(), FALSE))
        return;
    std::wstring line = L"\"" + target + L"\" " + args;
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(L'\0');
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return;
    ::CloseHandle(pi.hThread);
    m_process = pi.hProcess;
    m_pid = pi.dwProcessId;
}

ChildProcess::~ChildProcess()
{
    if (!m_process)
        return;
    if (::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        CloseAndWait();
        ::TerminateProcess(m_process, 1);
    }
    ::CloseHandle(m_process);
}

HWND ChildProcess::Window()
{
    HWND found = nullptr;
    for (int i = 0; i < 200 && !found && m_process; ++i) {
        found = CChildProgram::MainWindowOf(m_pid);
        if (!found)
            ::Sleep(25);
    }
    return found;
}

DWORD ChildProcess::CloseAndWait()
{
    if (HWND window = Window())
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    return Wait();
}

DWORD ChildProcess::Wait()
{
    if (!m_process || ::WaitForSingleObject(m_process, 20000) != WAIT_OBJECT_0)
        return ~0u;
    DWORD code = 0;
    ::GetExitCodeProcess(m_process, &code);
    return code;
}

std::string StandinLog(const std::wstring& folder, const std::wstring& name)
{
    return ReadBytes(folder + L"\\" + name + L".log");
}
