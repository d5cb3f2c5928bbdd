// Writes the demo register's sample data folder:
//   VornK2Sample <folder> [PLU count]
// Run it with code page 932 (LC_ALL=ja_JP.UTF-8 under Wine).
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "AtomicFile.h"
#include "RegisterText.h"
#include "SampleData.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: VornK2Sample <folder> [PLU count]\n");
        return 2;
    }
    if (ThreadCodePage() != 932) {
        std::fprintf(stderr, "VornK2Sample: register text needs code page 932 (LC_ALL=ja_JP.UTF-8)\n");
        return 2;
    }
    int plus = argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 320;
    if (!AtomicFile::CreateFolder(argv[1])) {
        std::fprintf(stderr, "VornK2Sample: the folder could not be created (error %lu)\n", ::GetLastError());
        return 1;
    }
    if (!SampleData::Write(argv[1], plus)) {
        std::fprintf(stderr, "VornK2Sample: writing the sample data failed\n");
        return 1;
    }
    return 0;
}
