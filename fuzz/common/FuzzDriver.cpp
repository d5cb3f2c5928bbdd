#include "FuzzDriver.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <windows.h>

#include "Mutator.h"

namespace {

const std::string* g_current = nullptr;
std::string g_failurePath;
std::atomic<LONG> g_tick{0};
HANDLE g_done = nullptr;

void KeepInput(const char* why)
{
    ::CreateDirectoryW(L"fuzz-failures", nullptr);
    if (g_current) {
        if (FILE* f = std::fopen(g_failurePath.c_str(), "wb")) {
            std::fwrite(g_current->data(), 1, g_current->size(), f);
            std::fclose(f);
        }
    }
    std::fprintf(stderr, "fuzz: %s; input kept as %s\n", why, g_failurePath.c_str());
    std::fflush(stderr);
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* info)
{
    char why[64];
    std::snprintf(why, sizeof why, "crash 0x%08lX", info->ExceptionRecord->ExceptionCode);
    KeepInput(why);
    ::ExitProcess(2);
}

// Ends the process when one input runs too long.
DWORD WINAPI Watchdog(LPVOID)
{
    LONG seen = -1;
    for (;;) {
        if (::WaitForSingleObject(g_done, 10000) == WAIT_OBJECT_0)
            return 0;
        const LONG now = g_tick.load();
        if (now == seen) {
            KeepInput("hang over 10 s");
            ::ExitProcess(3);
        }
        seen = now;
    }
}

} // namespace

std::string ReadSample(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    DWORD size = ::GetFileSize(file, nullptr);
    if (size != INVALID_FILE_SIZE && size < (64u << 20)) {
        bytes.resize(size);
        DWORD done = 0;
        if (!::ReadFile(file, bytes.data(), size, &done, nullptr))
            done = 0;
        bytes.resize(done);
    }
    ::CloseHandle(file);
    return bytes;
}

std::vector<std::string> ReadSamples(const std::wstring& pattern)
{
    std::vector<std::string> samples;
    const std::wstring folder = pattern.substr(0, pattern.find_last_of(L'\\') + 1);
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return samples;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            samples.push_back(ReadSample(folder + found.cFileName));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return samples;
}

int RunFuzzDriver(int argc, wchar_t** argv, const char* name, const std::vector<std::string>& seeds,
                  const std::function<void(const std::string& input)>& check)
{
    const long count = argc > 1 ? std::wcstol(argv[1], nullptr, 10) : 1000;
    const uint32_t seed = argc > 2 ? static_cast<uint32_t>(std::wcstoul(argv[2], nullptr, 10)) : ::GetTickCount();
    if (seeds.empty()) {
        // Without samples nothing would be damaged: say so instead of passing.
        std::fprintf(stderr, "fuzz: %s found no samples to start from\n", name);
        return 4;
    }
    ::SetUnhandledExceptionFilter(OnCrash);
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    g_done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE watchdog = ::CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);

    std::vector<std::string> inputs;
    wchar_t module[MAX_PATH];
    ::GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring regressions(module);
    regressions = regressions.substr(0, regressions.find_last_of(L'\\') + 1) + L"fuzz-regressions\\";
    std::wstring wideName(name, name + std::strlen(name));
    inputs = ReadSamples(regressions + wideName + L"\\*");
    const size_t kept = inputs.size();
    inputs.insert(inputs.end(), seeds.begin(), seeds.end());

    Mutator mutator(seed);
    long run = 0;
    const long total = static_cast<long>(inputs.size()) + (seeds.empty() ? 0 : count);
    for (long n = 0; n < total; ++n) {
        std::string input;
        if (n < static_cast<long>(inputs.size()))
            input = inputs[static_cast<size_t>(n)];
        else
            input = mutator.Mutate(seeds[mutator.Below(static_cast<uint32_t>(seeds.size()))],
                                   seeds[mutator.Below(static_cast<uint32_t>(seeds.size()))]);
        char path[160];
        std::snprintf(path, sizeof path, "fuzz-failures\\%s-%u-%ld.bin", name, seed, n);
        g_failurePath = path;
        g_current = &input;
        ++g_tick;
        try {
            check(input);
        } catch (const FuzzFailure& failure) {
            KeepInput(failure.what());
            return 1;
        }
        ++run;
    }
    g_current = nullptr;
    ::SetEvent(g_done);
    ::WaitForSingleObject(watchdog, INFINITE);
    std::printf("%-16s %ld inputs (%zu kept regressions), seed %u: no crash, hang or broken invariant\n", name, run,
                kept, seed);
    return 0;
}
