// Starts a stand-in copied into a folder of its own and finds its window.
#pragma once

#include <string>

#include <windows.h>

class ChildProcess
{
public:
    // Copies bin\<exe> into folder and starts it there with args after its
    // quoted path.
    ChildProcess(const std::wstring& folder, const std::wstring& exe, const std::wstring& args);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return m_process != nullptr; }
    // The process's visible top-level window, waited for up to a few seconds.
    HWND Window();
    // Asks the window to close and returns the exit code (or ~0u on a hang).
    DWORD CloseAndWait();
    // The exit code once the process ended by itself.
    DWORD Wait();

private:
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
};

// The log beside a stand-in: one line per run.
std::string StandinLog(const std::wstring& folder, const std::wstring& name);
