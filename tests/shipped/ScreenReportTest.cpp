#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CChildProgram.h"
#include "ProgramDriver.h"
#include "ScreenReport.h"
#include "TempFolder.h"
#include "TestFiles.h"

namespace {

bool Has(const std::wstring& text, const std::wstring& part)
{
    return text.find(part) != std::wstring::npos;
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

// A window like the transfer dialog: a button, a ticked row, an unused row,
// and a log longer than any fixed buffer, hidden behind something else.
struct TransferWindow
{
    HWND top = ::CreateWindowExW(0, L"STATIC", L"ECR data receive", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                 nullptr, nullptr, nullptr);
    HWND button = ::CreateWindowExW(0, L"BUTTON", L"Cancel", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, top,
                                    reinterpret_cast<HMENU>(1052), nullptr, nullptr);
    HWND log = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_MULTILINE, 0, 30, 200, 100, top,
                                 reinterpret_cast<HMENU>(1045), nullptr, nullptr);
    HWND row = ::CreateWindowExW(0, L"BUTTON", L"DEPT", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 0, 140, 80, 20, top,
                                 reinterpret_cast<HMENU>(1068), nullptr, nullptr);
    HWND unused = ::CreateWindowExW(0, L"BUTTON", L"S MODE", WS_CHILD | BS_AUTOCHECKBOX, 0, 160, 80, 20, top,
                                    reinterpret_cast<HMENU>(1077), nullptr, nullptr);
    ~TransferWindow() { ::DestroyWindow(top); }
};

// A window whose thread stopped taking messages.
struct StuckWindow
{
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE made = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND window = nullptr;
    HANDLE thread = ::CreateThread(nullptr, 0, &StuckWindow::Run, this, 0, nullptr);

    static DWORD WINAPI Run(LPVOID p)
    {
        auto* self = static_cast<StuckWindow*>(p);
        self->window = ::CreateWindowExW(0, L"STATIC", L"Stuck", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                         nullptr, nullptr);
        ::SetEvent(self->made);
        ::WaitForSingleObject(self->release, INFINITE);
        ::DestroyWindow(self->window);
        return 0;
    }
    ~StuckWindow()
    {
        ::SetEvent(release);
        ::WaitForSingleObject(thread, INFINITE);
        for (HANDLE h : {thread, made, release})
            ::CloseHandle(h);
    }
};

} // namespace

// A failed step of the walk prints what the program showed: its windows with
// their controls' whole texts, a window that does not answer, and the last
// runs of the stand-ins' logs.
TEST(ScreenReportTest, WindowsTheirTextsAndTheLastLinesOfTheLogs)
{
    TransferWindow dialog;
    std::wstring log;
    for (int i = 0; i < 12; ++i)
        log += L"[Start]:\"C:\\a long folder\\of the program\\Tillwire.exe\" 0 19200 0 \".\\Data\\\" 1 ECR 1 0 0 1\r\n";
    log += L"[End  ]: Code=e0000003H";
    ::SetWindowTextW(dialog.log, log.c_str());
    ::SendMessageW(dialog.row, BM_SETCHECK, BST_CHECKED, 0);
    StuckWindow stuck;
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(stuck.made, 10000));

    TempFolder folder;
    std::string lines;
    for (int run = 1; run <= 12; ++run)
        lines += "2024-01-01 10:00:00\t\"Tillwire.exe\" run " + std::string(run < 10 ? "0" : "") + std::to_string(run) +
                 "\tE0000003\r\n";
    folder.Write(L"Tillwire.log", lines);

    const std::wstring report = ScreenReport(0, folder.Path());
    EXPECT_TRUE(Has(report, L": \"ECR data receive\"\n")) << Narrow(report);
    EXPECT_TRUE(Has(report, L"    1052 Button:\n      Cancel\n")) << Narrow(report);
    EXPECT_TRUE(Has(report, L"    1068 Button, ticked:\n      DEPT\n")) << Narrow(report);
    EXPECT_FALSE(Has(report, L"S MODE")) << "a hidden row is not in use";
    EXPECT_TRUE(Has(report, L"    1045 Edit, hidden:\n")) << Narrow(report);
    EXPECT_TRUE(Has(report, L"      [End  ]: Code=e0000003H\n")) << Narrow(report);
    EXPECT_TRUE(Has(report, L"its thread does not answer\n")) << Narrow(report);
    EXPECT_TRUE(Has(report, L"  Tillwire.log, its last lines:\n")) << Narrow(report);
    EXPECT_TRUE(Has(report, L"run 03\tE0000003\n")) << Narrow(report);
    EXPECT_TRUE(Has(report, L"run 12\tE0000003\n")) << Narrow(report);
    EXPECT_FALSE(Has(report, L"run 02")) << Narrow(report);
    EXPECT_EQ(log, ProgramDriver::Text(dialog.log)) << "a text longer than any fixed buffer is read whole";
}

// A communication program still at work is named, with its window.
TEST(ScreenReportTest, ProgramsStillRunningThatTheProgramStarted)
{
    TempFolder folder;
    ASSERT_TRUE(::CopyFileW((ProgramFolder() + L"\\Tillwire.exe").c_str(), folder.File(L"Tillwire.exe").c_str(), FALSE));
    folder.Write(L"Tillwire.ini", "[Settings]\r\nDelay=60000\r\n");
    CChildProgram child;
    const std::wstring line = L"\"" + folder.File(L"Tillwire.exe") + L"\" 0 19200 1 \"" + folder.Path() +
                              L"\\\" 1 ECR 1 0 0 1";
    ASSERT_TRUE(child.Start(line.c_str()));
    HWND window = nullptr;
    for (int i = 0; i < 200 && !window; ++i) {
        ::Sleep(50);
        window = CChildProgram::MainWindowOf(child.Process().dwProcessId);
    }
    ASSERT_NE(nullptr, window);

    const std::wstring report = ScreenReport(::GetCurrentProcessId(), folder.Path());
    child.RequestClose();
    EXPECT_EQ(CChildProgram::WaitResult::Ended, child.Wait(nullptr));
    EXPECT_TRUE(Has(report, L"  running, started by the program: Tillwire.exe (")) << Narrow(report);
    EXPECT_TRUE(Has(report, L" of Tillwire.exe (")) << Narrow(report);
}
