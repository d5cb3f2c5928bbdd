// The keyboard layout program as a separate process: its window, its log
// line, its failure on missing settings, WM_CLOSE as the way to stop it.
#include <gtest/gtest.h>

#include <string>

#include "Pump.h"
#include "TempFolder.h"
#include "TestFiles.h"
#include "WindowPicture.h"

namespace {

struct Found
{
    DWORD process;
    const wchar_t* className;  // null: any
    HWND window;
};

BOOL CALLBACK FindWindowOf(HWND hWnd, LPARAM lParam)
{
    auto* found = reinterpret_cast<Found*>(lParam);
    DWORD process = 0;
    ::GetWindowThreadProcessId(hWnd, &process);
    wchar_t cls[64] = {};
    ::GetClassNameW(hWnd, cls, 64);
    if (process == found->process && ::IsWindowVisible(hWnd) &&
        (!found->className || ::lstrcmpW(cls, found->className) == 0)) {
        found->window = hWnd;
        return FALSE;
    }
    return TRUE;
}

// A copy of the program in its own folder, so its log and settings are its own.
struct TillpadProgram : ::testing::Test
{
    TempFolder folder;
    PROCESS_INFORMATION process = {};
    std::wstring exe;

    void SetUp() override
    {
        exe = folder.File(L"Tillpad.exe");
        ASSERT_TRUE(::CopyFileW((ProgramFolder() + L"\\Tillpad.exe").c_str(), exe.c_str(), FALSE));
    }
    void TearDown() override
    {
        if (process.hProcess) {
            if (::WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
                ::TerminateProcess(process.hProcess, 99);
            ::WaitForSingleObject(process.hProcess, 5000);
            ::CloseHandle(process.hProcess);
            ::CloseHandle(process.hThread);
        }
    }
    void WriteSettings(const std::wstring& dataPath)
    {
        folder.Write(L"Tilldesk.ini", Utf16(L"[DEFAULT]\r\nDataPath=" + dataPath + L"\r\n"));
    }
    void Start()
    {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        std::wstring line = L"\"" + exe + L"\"";
        ASSERT_TRUE(::CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     folder.Path().c_str(), &startup, &process));
    }
    HWND WaitForWindow(const wchar_t* className)
    {
        Found found = {process.dwProcessId, className, nullptr};
        PumpUntil([&] {
            ::EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&found));
            return found.window != nullptr;
        });
        return found.window;
    }
    DWORD ExitCode()
    {
        EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process.hProcess, 10000));
        DWORD code = 0;
        ::GetExitCodeProcess(process.hProcess, &code);
        return code;
    }
    std::string Log() { return folder.Read(L"Tillpad.log"); }
};

} // namespace

TEST_F(TillpadProgram, ShowsTheSavedLayoutAndLogsTheRun)
{
    WriteSettings(ProgramFolder() + L"\\Data");
    Start();
    HWND window = WaitForWindow(L"TilldeskStandin");
    ASSERT_NE(nullptr, window);
    ::Sleep(500);
    EXPECT_FALSE(SaveWindowPicture(window, L"tillpad").empty());
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, ExitCode());
    std::string log = Log();
    EXPECT_NE(std::string::npos, log.find("Tillpad.exe\"\t00000000\r\n")) << log;
}

TEST_F(TillpadProgram, MissingSettingsAreShownAndGiveAFailureCode)
{
    folder.Write(L"Tillpad.ini", "[Settings]\r\nFailShowMs=2000\r\n");
    Start();
    HWND window = WaitForWindow(L"TilldeskStandin");
    ASSERT_NE(nullptr, window);
    ::Sleep(500);
    EXPECT_FALSE(SaveWindowPicture(window, L"tillpad-failure").empty());
    EXPECT_EQ(1u, ExitCode());
    EXPECT_NE(std::string::npos, Log().find("\t00000001\r\n"));
}

TEST_F(TillpadProgram, ClosingBeforeTheLayoutIsReadCancels)
{
    WriteSettings(ProgramFolder() + L"\\Data");
    folder.Write(L"Tillpad.ini", "[Settings]\r\nDelay=20000\r\n");
    Start();
    HWND window = WaitForWindow(L"TilldeskStandin");
    ASSERT_NE(nullptr, window);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(2u, ExitCode());
    EXPECT_NE(std::string::npos, Log().find("\t00000002\r\n"));
}
