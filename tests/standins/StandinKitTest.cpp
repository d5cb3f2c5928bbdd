#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CChildProgram.h"
#include "RawCommandLine.h"
#include "SettingNumber.h"
#include "TempFolder.h"
#include "TestFiles.h"

namespace {

std::vector<std::wstring> Split(const wchar_t* line)
{
    std::vector<std::wstring> out;
    for (const CString& arg : SplitRawCommandLine(line))
        out.emplace_back(arg.GetString());
    return out;
}

TEST(RawCommandLineTest, QuotedPathsEndingInABackslashStayWhole)
{
    // The form the communication program gets: the data folder ends in "\".
    EXPECT_EQ(Split(L"\".\\Tillwire.exe\" 1 9600 R \"C:\\Data\\\" 17 3"),
              (std::vector<std::wstring>{L"1", L"9600", L"R", L"C:\\Data\\", L"17", L"3"}));
    EXPECT_EQ(Split(L"Tillmark.exe \"C:\\My Bmp\\\" LOGO1.BMP 0"),
              (std::vector<std::wstring>{L"C:\\My Bmp\\", L"LOGO1.BMP", L"0"}));
}

TEST(RawCommandLineTest, BlanksAndUnclosedQuotes)
{
    EXPECT_TRUE(Split(L"prog.exe").empty());
    EXPECT_TRUE(Split(L"  \"C:\\a b\\prog.exe\"   ").empty());
    EXPECT_EQ(Split(L"p  a   b"), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(Split(L"p \"\" x"), (std::vector<std::wstring>{L"", L"x"}));
    EXPECT_EQ(Split(L"p \"open end"), (std::vector<std::wstring>{L"open end"}));
    EXPECT_EQ(Split(L"p a|b|c"), (std::vector<std::wstring>{L"a|b|c"}));
}

TEST(SettingNumberTest, DecimalAndHexadecimalValuesFillTheirText)
{
    auto read = [](const wchar_t* text, SettingBase base) {
        DWORD value = 12345;
        return ReadSettingNumber(text, base, value) ? static_cast<long long>(value) : -1LL;
    };
    const SettingBase dec = SettingBase::Decimal;
    const SettingBase hex = SettingBase::Hexadecimal;
    EXPECT_EQ(1500, read(L"1500", dec));
    EXPECT_EQ(0, read(L"0", dec));
    EXPECT_EQ(7, read(L" 007 ", dec));
    EXPECT_EQ(4294967295LL, read(L"4294967295", dec));
    EXPECT_EQ(0xE0000003LL, read(L"E0000003", hex));
    EXPECT_EQ(0xE0000003LL, read(L"e0000003", hex));
    EXPECT_EQ(0xE0000003LL, read(L"0xE0000003", hex));
    EXPECT_EQ(0x03010000LL, read(L"03010000", hex)) << "not octal";
    EXPECT_EQ(0xFFFFFFFFLL, read(L"FFFFFFFF", hex));
    for (const wchar_t* bad : {L"", L" ", L"5s", L"-1", L"+1", L"1.5", L"4294967296", L"E0000003", L"0x10"})
        EXPECT_EQ(-1, read(bad, dec)) << bad;
    for (const wchar_t* bad : {L"", L"0x", L"E000000G", L"E0000003H", L"100000000", L"-1", L"E 3"})
        EXPECT_EQ(-1, read(bad, hex)) << bad;
}

class StandinProbeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = temp.Path() + L"\\";
        ASSERT_TRUE(::CopyFileW((ProgramFolder() + L"\\StandinProbe.exe").c_str(), (folder + L"StandinProbe.exe").c_str(), FALSE));
    }

    // Starts the probe, with a show command when `show` is not -1; returns
    // its process handle.
    HANDLE Start(const wchar_t* args, int show = -1)
    {
        std::wstring line = L"\"" + folder + L"StandinProbe.exe\" " + args;
        std::vector<wchar_t> buffer(line.begin(), line.end());
        buffer.push_back(L'\0');
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        if (show >= 0) {
            si.dwFlags = STARTF_USESHOWWINDOW;
            si.wShowWindow = static_cast<WORD>(show);
        }
        PROCESS_INFORMATION pi = {};
        EXPECT_TRUE(::CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi));
        ::CloseHandle(pi.hThread);
        return pi.hProcess;
    }

    // The probe's visible window, waited for.
    static HWND WindowOf(HANDLE process)
    {
        HWND window = nullptr;
        for (int i = 0; i < 200 && !window; ++i) {
            ::Sleep(50);
            window = CChildProgram::MainWindowOf(::GetProcessId(process));
        }
        return window;
    }

    static DWORD ExitCodeOf(HANDLE process)
    {
        EXPECT_EQ(::WaitForSingleObject(process, 20000), WAIT_OBJECT_0);
        DWORD code = 0;
        ::GetExitCodeProcess(process, &code);
        ::CloseHandle(process);
        return code;
    }

    TempFolder temp;
    std::wstring folder;
};

TEST_F(StandinProbeTest, LogsEachRunWithItsRawCommandLineAndExitCode)
{
    WriteBytes(folder + L"StandinProbe.ini", "[Settings]\r\nExitCode=102\r\n");
    EXPECT_EQ(ExitCodeOf(Start(L"\"C:\\Data\\\" 17")), 258u);
    EXPECT_EQ(ExitCodeOf(Start(L"second")), 258u);
    std::string log = ReadBytes(folder + L"StandinProbe.log");
    EXPECT_NE(log.find("StandinProbe.exe\" \"C:\\Data\\\" 17\t00000102\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("StandinProbe.exe\" second\t00000102\r\n"), std::string::npos) << log;
}

TEST_F(StandinProbeTest, CloseRequestCancelsAWait)
{
    WriteBytes(folder + L"StandinProbe.ini", "[Settings]\r\nDelay=60000\r\n");
    HANDLE process = Start(L"slow");
    HWND window = WindowOf(process);
    ASSERT_NE(window, nullptr) << "the probe shows a visible window at once";
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCodeOf(process), 0x02010000u);
}

// A setting that cannot be read is refused before the work, with the
// program's failure code, never taken for 0; nor is a code read as octal.
TEST_F(StandinProbeTest, UnreadableSettingsAreRefused)
{
    WriteBytes(folder + L"StandinProbe.ini", "[Settings]\r\nExitCode=E0000003\r\n");
    EXPECT_EQ(ExitCodeOf(Start(L"code")), 0xE0000003u);
    WriteBytes(folder + L"StandinProbe.ini", "[Settings]\r\nExitCode=010\r\n");
    EXPECT_EQ(ExitCodeOf(Start(L"leading zero")), 0x10u);
    for (const char* setting : {"Delay=soon", "ExitCode=E000000G", "CloseDelay=1e3", "FailShowMs=-5"}) {
        WriteBytes(folder + L"StandinProbe.ini", std::string("[Settings]\r\n") + setting + "\r\n");
        EXPECT_EQ(ExitCodeOf(Start(L"bad")), 0x03050000u) << setting;
    }
    std::string log = ReadBytes(folder + L"StandinProbe.log");
    EXPECT_NE(log.find("StandinProbe.exe\" bad\t03050000\r\n"), std::string::npos) << log;
}

// The program starts its helpers minimised: their windows must not come up
// over its screen.
TEST_F(StandinProbeTest, StartedMinimisedTheWindowStaysMinimised)
{
    WriteBytes(folder + L"StandinProbe.ini", "[Settings]\r\nDelay=60000\r\n");
    for (int show : {SW_SHOWMINIMIZED, SW_SHOWMINNOACTIVE}) {
        HANDLE process = Start(L"slow", show);
        HWND window = WindowOf(process);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(::IsIconic(window)) << "show command " << show;
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(ExitCodeOf(process), 0x02010000u);
    }
}

} // namespace
