#include "ScreenReport.h"

#include <map>
#include <vector>

#include <tlhelp32.h>

#include "ProgramDriver.h"
#include "TestFiles.h"

namespace {

constexpr size_t kLogLines = 10;

struct Process
{
    std::wstring name;
    DWORD parent = 0;
};

std::map<DWORD, Process> Processes()
{
    std::map<DWORD, Process> processes;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return processes;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry))
        processes[entry.th32ProcessID] = {entry.szExeFile, entry.th32ParentProcessID};
    ::CloseHandle(snapshot);
    return processes;
}

std::wstring Hex(UINT_PTR value)
{
    wchar_t text[24];
    ::swprintf(text, 24, L"%llx", static_cast<unsigned long long>(value));
    return text;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

// The lines of a text that hold something.
std::vector<std::wstring> SplitLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos)
            end = text.size();
        if (end > start)
            lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// Lines from the first given on, each on a line of its own under the indent.
std::wstring Indented(const std::vector<std::wstring>& lines, size_t first, const std::wstring& indent)
{
    std::wstring out;
    for (size_t i = first; i < lines.size(); ++i)
        out += indent + lines[i] + L"\n";
    return out;
}

struct Windows
{
    std::vector<HWND> list;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM p)
{
    if (::IsWindowVisible(window))
        reinterpret_cast<Windows*>(p)->list.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectAll(HWND window, LPARAM p)
{
    reinterpret_cast<Windows*>(p)->list.push_back(window);
    return TRUE;
}

std::wstring DescribeWindow(HWND window, const std::map<DWORD, Process>& processes)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    auto process = processes.find(pid);
    std::wstring line = L"  window " + Hex(reinterpret_cast<UINT_PTR>(window)) + L" of " +
                        (process != processes.end() ? process->second.name : L"?") + L" (" + Hex(pid) + L"), " +
                        ClassOf(window);
    if (!::IsWindowEnabled(window))
        line += L", disabled";
    std::wstring title;
    if (!ProgramDriver::TryText(window, title))
        return line + L": its thread does not answer\n";  // nor would its controls
    std::wstring out = line + L": \"" + title + L"\"\n";
    Windows controls;
    ::EnumChildWindows(window, CollectAll, reinterpret_cast<LPARAM>(&controls));
    for (HWND control : controls.list) {
        const std::wstring kind = ClassOf(control);
        const bool shown = ::IsWindowVisible(control) != FALSE;
        // Of the hidden controls only edits tell something (the transfer log
        // behind its animation); the rest are unused rows.
        if (!shown && kind != L"Edit")
            continue;
        std::wstring text;
        if (!ProgramDriver::TryText(control, text))
            text = L"(no answer)";
        if (text.empty())
            continue;
        std::wstring head = L"    " + std::to_wstring(::GetDlgCtrlID(control)) + L" " + kind;
        if (!shown)
            head += L", hidden";
        if (!::IsWindowEnabled(control))
            head += L", disabled";
        DWORD_PTR check = BST_UNCHECKED;
        if (kind == L"Button" && ::SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &check) &&
            check == BST_CHECKED)
            head += L", ticked";
        out += head + L":\n" + Indented(SplitLines(text), 0, L"      ");
    }
    return out;
}

std::wstring LogTails(const std::wstring& folder)
{
    std::wstring out;
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((folder + L"\\*.log").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return L"  no logs in " + folder + L"\n";
    do {
        const std::string bytes = ReadBytes(folder + L"\\" + found.cFileName);
        int n = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        std::wstring text(static_cast<size_t>(n), L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
        // The last lines: the runs of the latest steps.
        const std::vector<std::wstring> lines = SplitLines(text);
        out += L"  " + std::wstring(found.cFileName) + L", its last lines:\n" +
               Indented(lines, lines.size() > kLogLines ? lines.size() - kLogLines : 0, L"    ");
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return out;
}

} // namespace

std::wstring ScreenReport(DWORD programId, const std::wstring& folder)
{
    const std::map<DWORD, Process> processes = Processes();
    std::wstring out;
    for (const auto& [pid, process] : processes)
        if (programId && process.parent == programId)
            out += L"  running, started by the program: " + process.name + L" (" + Hex(pid) + L")\n";
    Windows windows;
    ::EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows.list)
        out += DescribeWindow(window, processes);
    return out + LogTails(folder);
}
