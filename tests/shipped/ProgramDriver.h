// Drives the staged program as a separate process, the way a person would:
// finds its windows, clicks buttons, answers its questions and takes pictures.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

// Thrown when the program does not do what a step expects; ends the walk.
struct StepFailed
{
    std::wstring what;
};

// Throws StepFailed with the text when the condition does not hold.
void Require(bool condition, const std::wstring& what);

class ProgramDriver
{
public:
    ProgramDriver() = default;
    ~ProgramDriver();
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;

    // Starts <folder>\Tilldesk.exe with workingFolder (empty: the program's
    // folder) as its current directory.
    void Start(const std::wstring& folder, const std::wstring& workingFolder = L"");
    // Waits for the program to end by itself and returns its exit code.
    DWORD WaitForExit(DWORD timeoutMs);
    // Ends a program that is still running (after a failed step).
    void Kill();

    // The program's current screen: its visible, unowned dialog window.
    // Waits until there is one other than notThis.
    HWND WaitForScreen(HWND notThis, DWORD timeoutMs = 10000);
    // A visible dialog window of the program over its screen (a modal
    // dialog, a message box, the folder browser), owned or not.
    HWND WaitForDialogOver(HWND screen, DWORD timeoutMs = 10000);
    // A visible dialog window of the program that is none of these (a
    // message box that came up), or null; does not wait.
    HWND DialogBesides(const std::vector<HWND>& known) const;
    // Waits until the window is destroyed or hidden.
    void WaitGone(HWND window, DWORD timeoutMs = 10000);
    // Lets the program handle what it was sent so far.
    void Settle();

    // Clicks a button as its dialog sees a click; returns at once, so a
    // click that opens a modal dialog does not block the driver.
    static void Click(HWND dialog, int id);
    // A visible control of the dialog; throws when there is none.
    static HWND Control(HWND dialog, int id);
    static bool IsShown(HWND dialog, int id);
    // The window's whole text; empty when its thread does not answer.
    static std::wstring Text(HWND window);
    // The window's whole text; false when its thread does not answer within
    // a few seconds (it is busy or stuck).
    static bool TryText(HWND window, std::wstring& text);
    // The static of a message box that holds its message, or null.
    static HWND MessageOf(HWND box);

    DWORD ProcessId() const { return m_process.dwProcessId; }

private:
    PROCESS_INFORMATION m_process = {};
};
