#include <gtest/gtest.h>

#include "CChildProgram.h"
#include "TestFiles.h"
#include "TillwireFixture.h"

namespace {

// Runs the copy of the communication program with these arguments.
DWORD RunTillwire(const std::wstring& program, const std::wstring& args)
{
    CChildProgram child;
    std::wstring line = L"\"" + program + L"\" " + args;
    if (!child.Start(line.c_str()) || child.Wait(nullptr) != CChildProgram::WaitResult::Ended)
        return 0xFFFFFFFF;
    return child.ExitCode();
}

} // namespace

// Failures end with their own codes and leave the register and the data
// folder as they were.
TEST_F(TillwireTest, ProgramFailuresHaveTheirCodesAndChangeNothing)
{
    WriteIni("[Settings]\r\nFailShowMs=0\r\n");
    std::wstring data = DataFolderArgument();
    std::string registerDept = ReadBytes(registerFolder + L"\\DEPT.VK2");
    std::string localPlu = ReadBytes(dataFolder + L"\\PLU.VK2");

    EXPECT_EQ(0xE0000001u, RunTillwire(program, L"0 19200 1 " + data + L" 1 ECR 1"));                // too few
    EXPECT_EQ(0xE0000001u, RunTillwire(program, L"0 19200 1 \"" + dataFolder + L"\" 1 ECR 1 0 0 1"));  // no backslash
    EXPECT_EQ(0xE0000001u, RunTillwire(program, L"0 19200 1 " + data + L" 3 CSV 1 0 0 1"));           // reports are received
    EXPECT_EQ(0xE0000002u, RunTillwire(program, L"0 19200 1 " + data + L" 99 ECR 1 0 0 1"));
    DeleteFileW((registerFolder + L"\\PLU.VK2").c_str());
    EXPECT_EQ(0xE0000003u, RunTillwire(program, L"0 19200 0 " + data + L" 2 ECR 1 0 0 1"));
    EXPECT_EQ(localPlu, ReadBytes(dataFolder + L"\\PLU.VK2"));

    WriteIni("[Settings]\r\nFailShowMs=0\r\nOffline=1\r\n");
    EXPECT_EQ(0xE0000005u, RunTillwire(program, L"LAN 167815360 1 " + data + L" 1 ECR 1 0 0 1"));
    EXPECT_EQ(registerDept, ReadBytes(registerFolder + L"\\DEPT.VK2"));
    EXPECT_EQ(6u, LogLines().size());
}

// Forced codes are read as the README and the log write them, in
// hexadecimal; a setting that cannot be read ends the run with its own code
// before anything is moved, never as a success.
TEST_F(TillwireTest, ProgramReadsForcedCodesInHexadecimalAndRefusesUnreadableSettings)
{
    std::wstring data = DataFolderArgument();
    WriteBytes(dataFolder + L"\\DEPT.VK2", ReadBytes(registerFolder + L"\\DEPT.VK2") + "x");
    const std::string registerDept = ReadBytes(registerFolder + L"\\DEPT.VK2");
    const std::wstring sendDept = L"0 19200 1 " + data + L" 1 ECR 1 0 0 1";

    WriteIni("[Settings]\r\nFailShowMs=0\r\nFailECR1=E0000003\r\n");
    EXPECT_EQ(0xE0000003u, RunTillwire(program, sendDept));
    WriteIni("[Settings]\r\nFailShowMs=0\r\nFailECR1=0xe0000004\r\n");
    EXPECT_EQ(0xE0000004u, RunTillwire(program, sendDept));
    for (const char* setting : {"FailECR1=E000000G", "FailECR1=E0000003H", "Delay=1s", "Offline=yes", "CloseDelay=-1"}) {
        WriteIni(std::string("[Settings]\r\nFailShowMs=0\r\n") + setting + "\r\n");
        EXPECT_EQ(0xE0000008u, RunTillwire(program, sendDept)) << setting;
    }
    WriteIni("[Settings]\r\nFailShowMs=soon\r\n");
    EXPECT_EQ(0xE0000008u, RunTillwire(program, sendDept));
    EXPECT_EQ(registerDept, ReadBytes(registerFolder + L"\\DEPT.VK2"));

    auto lines = LogLines();
    ASSERT_EQ(8u, lines.size());
    // The log ends each run's line with its code.
    auto codeOf = [](const std::string& line) { return line.substr(line.rfind('\t') + 1); };
    EXPECT_EQ("E0000003", codeOf(lines[0]));
    EXPECT_EQ("E0000008", codeOf(lines[7]));
}

// A folder with blanks, passed the way the dialog does, is one argument.
TEST_F(TillwireTest, ProgramTakesAQuotedFolderEndingInABackslash)
{
    std::wstring spaced = folder / L"my data";
    CreateDirectoryW(spaced.c_str(), nullptr);
    WriteBytes(spaced + L"\\CLERK.VK2", ReadBytes(dataFolder + L"\\CLERK.VK2") + "x");
    EXPECT_EQ(0u, RunTillwire(program, L"0 19200 1 \"" + spaced + L"\\\" 3 ECR 1 0 0 1"));
    EXPECT_EQ(ReadBytes(spaced + L"\\CLERK.VK2"), ReadBytes(registerFolder + L"\\CLERK.VK2"));
}

// A receive into a data folder that is not there yet, nor the folder above
// it, creates both; one that cannot be created (below a file) fails as a
// write does.
TEST_F(TillwireTest, ProgramReceivingCreatesAMissingDataFolder)
{
    WriteIni("[Settings]\r\nFailShowMs=0\r\n");
    const std::wstring fresh = folder / L"New\\Data";
    EXPECT_EQ(0u, RunTillwire(program, L"0 19200 0 \"" + fresh + L"\\\" 1 ECR 1 0 0 1"));
    EXPECT_EQ(ReadBytes(registerFolder + L"\\DEPT.VK2"), ReadBytes(fresh + L"\\DEPT.VK2"));
    WriteBytes(folder / L"file", "kept");
    EXPECT_EQ(0xE0000004u, RunTillwire(program, L"0 19200 0 \"" + (folder / L"file\\Data") + L"\\\" 1 ECR 1 0 0 1"));
    EXPECT_EQ("kept", ReadBytes(folder / L"file"));
}
