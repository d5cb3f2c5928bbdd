// Writes cut short the hard way: the writer killed mid-write, and the disk
// full (a file-size limit set by the test's command line). Either way the
// file is the old one or the new one, whole.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "S_ECR_SETTING.h"
#include "TempFolder.h"

namespace {

// The file is one generation of the writer: `size` copies of one letter.
bool IsWholeGeneration(const std::string& bytes, size_t size)
{
    return bytes.size() == size && bytes.find_first_not_of(bytes[0]) == std::string::npos && bytes[0] >= 'a' &&
           bytes[0] <= 'z';
}

// The temporary files a write left in the folder.
std::vector<std::wstring> Temporaries(const TempFolder& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(folder.File(L"*.tmp").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(folder.File(found.cFileName));
    while (FindNextFileW(find, &found));
    FindClose(find);
    return names;
}

// The file-size limit the test runs under, in bytes; 0 when none is set.
size_t FileLimit()
{
    const char* limit = std::getenv("TILLDESK_TEST_FILE_LIMIT");
    return limit ? std::strtoul(limit, nullptr, 10) : 0;
}

} // namespace

TEST(InterruptedWrite, AKilledWriterLeavesAWholeFile)
{
    TempFolder folder;
    const std::wstring file = folder.File(L"data.bin");
    const size_t size = 4 * 1024 * 1024;
    folder.Write(L"data.bin", std::string(size, 'z'));
    const std::wstring eventName = L"tilldesk-interrupted-writer-" + std::to_wstring(GetCurrentProcessId());
    HANDLE started = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(nullptr, started);

    int cutMidWrite = 0;
    for (int run = 0; run < 12; ++run) {
        ResetEvent(started);
        std::wstring command = L"interrupted_writer.exe \"" + file + L"\" " + std::to_wstring(size) + L" " + eventName;
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(started, 30000)) << "the writer did not start";
        Sleep(static_cast<DWORD>(run * 7 % 40));
        TerminateProcess(pi.hProcess, 9);
        WaitForSingleObject(pi.hProcess, 30000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);

        EXPECT_TRUE(IsWholeGeneration(folder.Read(L"data.bin"), size)) << "run " << run;
        // A temporary left behind is a write the kill cut short; the next
        // write goes on regardless.
        const std::vector<std::wstring> left = Temporaries(folder);
        cutMidWrite += !left.empty();
        ASSERT_TRUE(AtomicFile::Write(file.c_str(), std::string(size, 'z').data(), size));
        for (const std::wstring& temporary : left)
            DeleteFileW(temporary.c_str());
    }
    CloseHandle(started);
    EXPECT_GT(cutMidWrite, 0) << "no kill landed inside a write";
}

// Run by its own test entry under a file-size limit (see CMakeLists.txt):
// a write past it fails as a full disk does.
TEST(DiskFull, AWritePastTheLimitFailsAndKeepsTheOldFile)
{
    const size_t limit = FileLimit();
    if (!limit)
        GTEST_SKIP() << "runs under a file-size limit only";
    TempFolder folder;
    const std::wstring file = folder.File(L"data.bin");
    folder.Write(L"data.bin", "old");
    const std::string big(limit * 2, 'n');
    EXPECT_FALSE(AtomicFile::Write(file.c_str(), big.data(), big.size()));
    const DWORD error = GetLastError();
    EXPECT_NE(0u, error);
    EXPECT_EQ("old", folder.Read(L"data.bin"));
    EXPECT_TRUE(Temporaries(folder).empty());
    EXPECT_FALSE(AtomicFile::SystemReason(error).IsEmpty());

    // The settings file keeps every line it has, and is rewritten in UTF-16:
    // an ANSI file of three quarters of the limit is kept whole when its
    // rewrite fails.
    const std::string settings = "; " + std::string(limit * 3 / 4, 'c') + "\r\n[DEFAULT]\r\nLevel=3\r\n";
    folder.Write(L"Tilldesk.ini", settings);
    {
        CurrentDirectoryScope here(folder.Path());
        S_ECR_SETTING setting;
        setting.Level = 1;
        EXPECT_FALSE(setting.SaveSettings());
    }
    EXPECT_TRUE(settings == folder.Read(L"Tilldesk.ini")) << "the settings file changed";
    EXPECT_TRUE(Temporaries(folder).empty());
}
