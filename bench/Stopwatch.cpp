#include "Stopwatch.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

double TimeOf(const std::function<void()>& work)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    work();
    ::QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double BestOf(int runs, const std::function<void()>& work)
{
    return FirstAndBest(runs, work).best;
}

Timings FirstAndBest(int runs, const std::function<void()>& work, const std::function<void()>& after)
{
    return FirstAndBestMeasured(runs, [&] {
        const double ms = TimeOf(work);
        if (after)
            after();
        return ms;
    });
}

Timings FirstAndBestMeasured(int runs, const std::function<double()>& measure)
{
    Timings timings;
    for (int i = 0; i < runs; ++i) {
        const double ms = measure();
        if (i == 0 || ms < timings.best)
            timings.best = ms;
        if (i == 0)
            timings.first = ms;
    }
    return timings;
}

void ReportTimings(const char* what, Timings timings, const char* reference, Timings ref, double goal)
{
    const double first = ref.first > 0 ? timings.first / ref.first : 0.0;
    const double best = ref.best > 0 ? timings.best / ref.best : 0.0;
    std::printf("%s: first %.1f ms, best %.1f ms | %s: first %.1f ms, best %.1f ms | ratio first %.2f, best %.2f", what,
                timings.first, timings.best, reference, ref.first, ref.best, first, best);
    if (goal > 0)
        std::printf(" | goal %.2f: first %s, best %s\n", goal, first <= goal ? "met" : "NOT met",
                    best <= goal ? "met" : "NOT met");
    else
        std::printf(" | no goal\n");
}

double TimeOfFreshRun(const std::wstring& arguments)
{
    wchar_t self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return -1;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return -1;
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    std::wstring command = L"\"" + std::wstring(self) + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    const BOOL started =
        ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    ::CloseHandle(writeEnd);
    double ms = -1;
    if (started) {
        char answer[64] = {};
        DWORD total = 0, got = 0;
        while (total + 1 < sizeof answer &&
               ::ReadFile(readEnd, answer + total, sizeof answer - 1 - total, &got, nullptr) && got > 0)
            total += got;
        ::WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 1;
        if (::GetExitCodeProcess(process.hProcess, &code) && code == 0 && total > 0)
            ms = std::atof(answer);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(readEnd);
    return ms;
}
