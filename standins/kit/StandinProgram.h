#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "SettingNumber.h"
#include "afx.h"

// What every stand-in child program shares, so a person or a test can see
// what it was asked and make it slow or fail:
// - one visible, unowned top-level window from the start; WM_CLOSE to it
//   means "cancel", taken CloseDelay milliseconds (from the ini, default 0)
//   after the first request, like a program finishing a write first;
// - one line per run appended to <Name>.log beside the program: local time,
//   the raw command line and the exit code, separated by TABs;
// - optional settings in <Name>.ini beside the program; a number setting
//   that cannot be read is refused, never taken for 0;
// - failures shown in the window (for FailShowMs from the ini, default 1500)
//   and logged, never a crash.
class StandinProgram
{
public:
    // title: the window's caption; the window's first size in pixels.
    explicit StandinProgram(const wchar_t* title, int width = 420, int height = 160);
    ~StandinProgram();
    StandinProgram(const StandinProgram&) = delete;
    StandinProgram& operator=(const StandinProgram&) = delete;

    const std::vector<CString>& Args() const { return m_args; }
    // Everything after the program's own name and the blank that follows it,
    // for programs that take one argument line with blanks in it.
    static CString ArgumentText(const wchar_t* rawCommandLine);
    const CString& RawCommandLine() const { return m_raw; }
    // The program's folder, ending in a backslash.
    const CString& Folder() const { return m_folder; }
    // The program's name without folder and extension ("Tillwire").
    const CString& Name() const { return m_name; }

    // Settings of <Name>.ini, section [Settings].
    CString IniString(const wchar_t* key, const wchar_t* defaultValue = L"") const;
    // A number setting (milliseconds, a switch); the default when the key
    // is missing or empty. A value that is not a decimal number gives the
    // default too and becomes the settings fault.
    DWORD IniNumber(const wchar_t* key, DWORD defaultValue);
    // An exit code setting, in hexadecimal; none when the key is missing or
    // empty, or when the value is not a hexadecimal number (a settings fault).
    std::optional<DWORD> IniCode(const wchar_t* key);
    // Shows the settings fault (the first setting read so far that could not
    // be read, named with its file and value) as a failure; true when there
    // is one, and the caller then ends with its failure code instead of
    // doing its work.
    bool ShowSettingsFault();

    // The text shown in the window.
    void SetStatus(const CString& text);
    // Draws the window's client area instead of the status text.
    using Painter = std::function<void(HDC dc, const RECT& client)>;
    void SetPainter(Painter painter);
    // A child control that fills the client area.
    void SetContent(HWND child);
    // Waits while handling the window's messages; false once a request to
    // close the window is taken (at once when it already was).
    bool Wait(DWORD milliseconds);
    bool Cancelled() const { return m_cancelled; }
    HWND Window() const { return m_hWnd; }

    // Shows the failure in the window for a moment; the caller then ends
    // with a failure code.
    void ShowFailure(const CString& text);
    // Logs the run with its exit code and gives the code back for main's return.
    int Finish(int exitCode);

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void AppendLog(int exitCode) const;
    CString IniPath() const { return m_folder + m_name + L".ini"; }
    std::optional<DWORD> IniValue(const wchar_t* key, SettingBase base, const wchar_t* expected);

    std::vector<CString> m_args;
    CString m_raw;
    CString m_folder;
    CString m_name;
    CString m_status;
    Painter m_painter;
    HWND m_content = nullptr;
    HWND m_hWnd = nullptr;
    bool m_cancelled = false;
    bool m_closeAsked = false;
    DWORD m_closeAskedAt = 0;
    DWORD m_closeDelay = 0;
    DWORD m_failShowMs = 1500;
    CString m_settingsFault;
    bool m_finished = false;
};
