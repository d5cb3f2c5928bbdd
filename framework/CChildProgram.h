#pragma once

#include <functional>

#include <windows.h>

#include "afx.h"

// One run of a child program by a worker thread: the program is started
// minimised from a command line (its quoted path first) and waited for
// together with a named cancel event. A cancel asks the program's main
// window to close and asks again at short intervals until the program ends.
// The program decides how it ends: it is never ended by force, since it may
// be writing to the register or to a data file.
class CChildProgram
{
public:
    enum class WaitResult { Ended, Failed };

    CChildProgram() = default;
    // Closes the process and thread handles (the program itself runs on).
    ~CChildProgram();
    CChildProgram(const CChildProgram&) = delete;
    CChildProgram& operator=(const CChildProgram&) = delete;

    // Starts the program with this directory and environment; false when it
    // did not start, a line longer than the platform takes included (it is
    // never cut), with the system's error code left in GetLastError().
    bool Start(const wchar_t* commandLine);

    // What the user is told of a program that did not start: the program's
    // full path (its setting may be relative to the current directory) and
    // the system's reason for the error Start left.
    struct StartFailure
    {
        StartFailure(const CString& program, DWORD error);
        CString Program;
        CString Reason;
    };
    // Waits for the end of the started program. Each signal of the cancel
    // event (one per press: the event resets itself) calls onCancel first.
    WaitResult Wait(HANDLE cancelEvent, const std::function<void()>& onCancel = {});
    // The exit code after Ended.
    DWORD ExitCode() const;
    const PROCESS_INFORMATION& Process() const { return m_process; }

    // EnumWindows callback, lParam a PROCESS_INFORMATION*: at the first
    // top-level window of that process, posts WM_CLOSE to the process's
    // first visible unowned top-level window (the first window may be a
    // hidden helper, such as an input-method window), else to that window.
    static BOOL CALLBACK CloseWindowsOfProcess(HWND hWnd, LPARAM lParam);
    // The first visible, unowned top-level window of a process: its main
    // window once it shows one; null before.
    static HWND MainWindowOf(DWORD processId);
    // Asks the process to close its main window.
    void RequestClose() const;

    // Between two close requests.
    DWORD RepeatCloseMs = 250;

private:
    void Release();

    PROCESS_INFORMATION m_process = {};
};
