// Start-up to the first screen (run by bench/run under Wine).
//
// Starts the program in a program folder and, as the reference, a minimal
// Win32 program beside this benchmark, each as a new process the same way,
// alternately, and times until the process shows a visible unowned
// top-level window ("shown") and until that window's thread answers a
// message after it ("ready": the first paint and the start-up work behind
// it are done). Each started process is ended by the benchmark afterwards.
//
//   bench_startup.exe <program folder>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "CChildProgram.h"

namespace {

constexpr int kRuns = 7;
constexpr double kTimeoutMs = 20000;

double Now()
{
    static LARGE_INTEGER freq = [] { LARGE_INTEGER f; ::QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

struct Timing
{
    double shown = -1;
    double ready = -1;
};

// Starts exe in folder and times its first window; ends the process.
Timing TimeStart(const std::wstring& exe, const std::wstring& folder)
{
    Timing timing;
    std::wstring line = L"\"" + exe + L"\"";
    std::vector<wchar_t> buffer(line.begin(), line.end());
    buffer.push_back(0);
    STARTUPINFOW start = {};
    start.cb = sizeof start;
    PROCESS_INFORMATION process = {};
    const double t0 = Now();
    if (!::CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &start,
                          &process))
        return timing;
    HWND found = nullptr;
    while (!found && Now() - t0 < kTimeoutMs && ::WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        found = CChildProgram::MainWindowOf(process.dwProcessId);
        if (!found)
            ::Sleep(1);
    }
    if (found) {
        timing.shown = Now() - t0;
        DWORD_PTR reply = 0;
        if (::SendMessageTimeoutW(found, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(kTimeoutMs), &reply))
            timing.ready = Now() - t0;
    }
    if (::WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
        ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, 5000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return timing;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

std::wstring FullPath(const std::wstring& path)
{
    wchar_t full[MAX_PATH] = {};
    DWORD n = ::GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return n && n < MAX_PATH ? std::wstring(full) : path;
}

std::wstring ThisFolder()
{
    wchar_t self[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, n);
    return path.substr(0, path.find_last_of(L'\\'));
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: bench_startup <program folder>\n");
        return 2;
    }
    const std::wstring folder = FullPath(argv[1]);
    const std::wstring program = folder + L"\\Tilldesk.exe";
    const std::wstring here = ThisFolder();
    const std::wstring minimal = here + L"\\bench_minimal.exe";
    for (const std::wstring& exe : {program, minimal})
        if (::GetFileAttributesW(exe.c_str()) == INVALID_FILE_ATTRIBUTES) {
            std::fwprintf(stderr, L"missing %ls\n", exe.c_str());
            return 2;
        }

    // Once each first, so both start from the same warm file cache.
    TimeStart(program, folder);
    TimeStart(minimal, here);
    std::vector<double> shown[2], ready[2];
    for (int run = 0; run < kRuns; ++run) {
        const Timing timings[2] = {TimeStart(program, folder), TimeStart(minimal, here)};
        for (int i = 0; i < 2; ++i) {
            if (timings[i].shown < 0 || timings[i].ready < 0) {
                std::fwprintf(stderr, L"%ls showed no window\n", i ? L"the minimal program" : L"Tilldesk");
                return 1;
            }
            shown[i].push_back(timings[i].shown);
            ready[i].push_back(timings[i].ready);
        }
    }
    const double programShown = Median(shown[0]), minimalShown = Median(shown[1]);
    const double programReady = Median(ready[0]), minimalReady = Median(ready[1]);
    std::wprintf(L"start-up, first window shown: Tilldesk %.0f ms, minimal Win32 program %.0f ms (%+.0f ms),"
                 L" median of %d\n",
                 programShown, minimalShown, programShown - minimalShown, kRuns);
    std::wprintf(L"start-up, first window ready: Tilldesk %.0f ms, minimal Win32 program %.0f ms (%+.0f ms),"
                 L" median of %d\n",
                 programReady, minimalReady, programReady - minimalReady, kRuns);
    return 0;
}
