#include "BenchPlus.h"

#include <cstdio>

#include "SampleData.h"

CString WriteBenchPlus(int argc, wchar_t** argv, int records)
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    CString folder = argc > 1 ? CString(argv[1]) : CString(temp) + L"tilldesk-bench";
    ::CreateDirectoryW(folder, nullptr);
    if (!SampleData::Write(folder, records)) {
        std::fprintf(stderr, "bench: writing %d PLUs failed\n", records);
        return CString();
    }
    return folder;
}
