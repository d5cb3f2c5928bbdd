#include <gtest/gtest.h>

#include "AtomicFile.h"
#include "CCancelEvent.h"
#include "CEcrData.h"
#include "CEcrTilldeskApp.h"
#include "CommResources.h"
#include "EcrGlobals.h"
#include "MessageBoxRecorder.h"
#include "PortProbe.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "TempFolder.h"
#include "TestFiles.h"
#include "TillwireFixture.h"

namespace {

bool Contains(const CString& text, const wchar_t* part)
{
    return text.Find(part) >= 0;
}

int Count(const CString& text, const wchar_t* part)
{
    int count = 0;
    for (int at = text.Find(part); at >= 0; at = text.Find(part, at + 1))
        ++count;
    return count;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool ComOneAndThree(int number)
{
    return number == 1 || number == 3;
}

} // namespace

TEST_F(TillwireTest, SendsTwoGroupsIntoTheRegisterWithTheCommandLineOfTheProtocol)
{
    DeleteFileW((registerFolder + L"\\DEPT.VK2").c_str());
    DeleteFileW((registerFolder + L"\\PLU.VK2").c_str());
    CString log;
    CString startAfter;
    bool reportsDisabled = true;
    ScriptedTillwireDlg dlg(1, [&](ScriptedTillwireDlg& d) {
        for (int r = 0; r < CTillwireDlg::ReportRows; ++r)
            reportsDisabled = reportsDisabled && !d.Enabled(IDC_REPORT_ROW_FIRST + r);
        int dept = d.SettingRowOf(L"DEPT");
        int plu = d.SettingRowOf(L"PLU");
        ASSERT_GT(dept, 0);
        ASSERT_GT(plu, 0);
        d.Tick(dept, true);
        d.Tick(plu, true);
        d.Click(IDC_START_TRANSFER);
        EXPECT_FALSE(d.IsIdle());
        EXPECT_FALSE(d.Enabled(IDCANCEL));
        EXPECT_EQ(CString(L"Cancel"), d.Text(IDC_START_TRANSFER));
        ASSERT_TRUE(d.WaitIdle());
        log = d.Text(IDC_TRANSFER_LOG);
        startAfter = d.Text(IDC_START_TRANSFER);
        EXPECT_TRUE(d.Enabled(IDCANCEL));
        EXPECT_EQ(CString(L""), d.Text(IDC_TRANSFER_COUNT));
    });
    dlg.DoModal();

    EXPECT_TRUE(reportsDisabled);
    EXPECT_EQ(2, Count(log, L"[Start]:"));
    EXPECT_EQ(2, Count(log, L"[End  ]: Code=00000000H"));
    EXPECT_EQ(CString(L"Send start"), startAfter);
    EXPECT_EQ(ReadBytes(dataFolder + L"\\DEPT.VK2"), ReadBytes(registerFolder + L"\\DEPT.VK2"));
    EXPECT_EQ(ReadBytes(dataFolder + L"\\PLU.VK2"), ReadBytes(registerFolder + L"\\PLU.VK2"));

    auto lines = LogLines();
    ASSERT_EQ(2u, lines.size());
    CEcrData* dept = GetEcrDataFromWndNo(WNDNO_DEPT);
    ASSERT_NE(nullptr, dept);
    std::string expected = Narrow(L"\"" + program + L"\" 0 19200 1 " + DataFolderArgument() + L" 1 ECR 1 " +
                                  std::to_wstring(dept->GetRegisterParam()) + L" 0 1");
    EXPECT_NE(std::string::npos, lines[0].find("\t" + expected + "\t00000000")) << lines[0];
}

TEST_F(TillwireTest, ReceivedGroupReplacesTheLocalFileAndIsReloaded)
{
    std::string original = ReadBytes(dataFolder + L"\\DEPT.VK2");
    std::string changed = original;
    changed[changed.size() - 1] = static_cast<char>(changed.back() ^ 0x5A);
    WriteBytes(dataFolder + L"\\DEPT.VK2", changed);
    CEcrData* dept = ReloadDeptFromFolder();
    ASSERT_NE(nullptr, dept);
    S_ECR_TABLE* table = dept->GetTable(0);
    ASSERT_TRUE(table && table->RecordCount > 0);
    const BYTE* last = table->RecordData + table->RecordSize * table->RecordCount - 1;
    BYTE before = *last;

    MessageBoxRecorder boxes;
    ScriptedTillwireDlg dlg(0, [&](ScriptedTillwireDlg& d) {
        d.Tick(d.SettingRowOf(L"DEPT"), true);
        d.Click(IDC_START_TRANSFER);
        ASSERT_TRUE(d.WaitIdle());
        // The reload goes through the application's queue.
        PumpUntil([&] { return dept->GetTable(0) && dept->GetTable(0)->RecordData[table->RecordSize * table->RecordCount - 1] != before; });
    });
    dlg.DoModal();

    EXPECT_EQ(original, ReadBytes(dataFolder + L"\\DEPT.VK2"));
    S_ECR_TABLE* reloaded = dept->GetTable(0);
    ASSERT_TRUE(reloaded && reloaded->RecordData);
    EXPECT_EQ(static_cast<BYTE>(original.back()), reloaded->RecordData[reloaded->RecordSize * reloaded->RecordCount - 1]);
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(TillwireTest, ReportReceiveClampsItsRangeAndWritesTheRawReport)
{
    DeleteFileW((dataFolder + L"\\PLU1230.VKR").c_str());
    CString from;
    CString to;
    ScriptedTillwireDlg dlg(0, [&](ScriptedTillwireDlg& d) {
        int plu = d.ReportRowOf(L"PLU sales");
        ASSERT_GT(plu, 0);
        int r = plu - IDC_REPORT_ROW_FIRST;
        ASSERT_TRUE(d.Visible(IDC_REPORT_FROM_FIRST + r));
        ASSERT_TRUE(d.Visible(IDC_REPORT_TO_FIRST + r));
        d.Tick(plu, true);
        d.SetText(IDC_REPORT_FROM_FIRST + r, L"5");
        d.SetText(IDC_REPORT_TO_FIRST + r, L"99999");
        d.Click(IDC_START_TRANSFER);
        ASSERT_TRUE(d.WaitIdle());
        from = d.Text(IDC_REPORT_FROM_FIRST + r);
        to = d.Text(IDC_REPORT_TO_FIRST + r);
    });
    dlg.DoModal();

    EXPECT_EQ(CString(L"5"), from);
    EXPECT_EQ(CString(L"20000"), to);
    auto lines = LogLines();
    ASSERT_EQ(1u, lines.size());
    std::string expected = Narrow(L"\"" + program + L"\" 0 19200 0 " + DataFolderArgument() + L" 3 CSV 2 5 20000 1");
    EXPECT_NE(std::string::npos, lines[0].find("\t" + expected + "\t00000000")) << lines[0];
    EXPECT_EQ(ReadBytes(registerFolder + L"\\PLU1230.VKR"), ReadBytes(dataFolder + L"\\PLU1230.VKR"));
}

TEST_F(TillwireTest, FailedItemAsksWhetherToGoOn)
{
    WriteIni("[Settings]\r\nFailECR1=0xE0000099\r\nFailShowMs=0\r\n");
    std::string dept = ReadBytes(registerFolder + L"\\DEPT.VK2");
    for (int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        DeleteFileW((folder / L"Tillwire.log").c_str());
        MessageBoxRecorder boxes;
        boxes.Answer(answer);
        const CString log = SendDeptAndPlu();

        auto asked = boxes.Boxes();
        ASSERT_EQ(1u, asked.size());
        EXPECT_EQ(L"DEPT: the communication program ended with code e0000099H.\r\n"
                  L"Communication failed.\r\nDo you want to go on with the next item?",
                  asked[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_YESNO), asked[0].type & MB_TYPEMASK);
        EXPECT_EQ(nullptr, asked[0].owner);
        EXPECT_TRUE(Contains(log, L"[End  ]: Code=e0000099H"));
        EXPECT_EQ(answer == IDYES ? 2 : 1, Count(log, L"[Start]:"));
        EXPECT_EQ(answer == IDYES ? 2u : 1u, LogLines().size());
    }
    EXPECT_EQ(dept, ReadBytes(registerFolder + L"\\DEPT.VK2"));
}

namespace {

// The user presses Cancel while the failure question is open.
void PressCancel()
{
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, CTillwireDlg::CancelEventName);
    SetEvent(event);
    CloseHandle(event);
}

} // namespace

TEST_F(TillwireTest, CancelPressedDuringTheFailureQuestionStopsTheRun)
{
    WriteIni("[Settings]\r\nFailECR1=0xE0000099\r\nFailShowMs=0\r\n");
    MessageBoxRecorder boxes;
    boxes.Answer(IDYES);
    boxes.WhileOpen(PressCancel);
    const CString log = SendDeptAndPlu();
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ(1, Count(log, L"[Start]:"));
    EXPECT_EQ(1, Count(log, L"[Stop ]: Cancel by User"));
    EXPECT_EQ(1u, LogLines().size());
}

TEST_F(TillwireTest, CancelDuringASlowItemEndsTheRunSoon)
{
    WriteIni("[Settings]\r\nDelay=20000\r\n");
    // The data to send differs from the register's, so a send shows.
    const std::string registerDept = ReadBytes(registerFolder + L"\\DEPT.VK2");
    std::string edited = registerDept;
    edited.back() = static_cast<char>(edited.back() ^ 0x5A);
    WriteBytes(dataFolder + L"\\DEPT.VK2", edited);
    CString log;
    DWORD took = 0;
    ScriptedTillwireDlg dlg(1, [&](ScriptedTillwireDlg& d) {
        d.Tick(d.SettingRowOf(L"DEPT"), true);
        d.Tick(d.SettingRowOf(L"PLU"), true);
        d.Click(IDC_START_TRANSFER);
        ASSERT_TRUE(PumpUntil([&] { return d.Text(IDC_TRANSFER_COUNT) == L"1"; }));
        PumpUntil([] { return false; }, 500);  // the program is up
        DWORD start = GetTickCount();
        d.Click(IDC_START_TRANSFER);
        ASSERT_TRUE(d.WaitIdle(10000));
        took = GetTickCount() - start;
        log = d.Text(IDC_TRANSFER_LOG);
    });
    dlg.DoModal();

    EXPECT_LT(took, 5000u);
    EXPECT_EQ(1, Count(log, L"[Start]:"));
    EXPECT_EQ(1, Count(log, L"[Stop ]: Cancel by User"));
    EXPECT_TRUE(Contains(log, L"[End  ]: Code=e0000007H"));
    EXPECT_EQ(registerDept, ReadBytes(registerFolder + L"\\DEPT.VK2"));
}

// A program that goes on after the close request (finishing a write) is
// never ended by force: it ends with its own code, and the log says once
// that the dialog waits for it.
TEST_F(TillwireTest, CancelWaitsForAProgramThatTakesItsTime)
{
    WriteIni("[Settings]\r\nDelay=6000\r\nCloseDelay=60000\r\n");
    const std::string original = ReadBytes(registerFolder + L"\\DEPT.VK2");
    WriteBytes(dataFolder + L"\\DEPT.VK2", original.substr(0, original.size() - 1));
    CString log;
    ScriptedTillwireDlg dlg(0, [&](ScriptedTillwireDlg& d) {
        d.Tick(d.SettingRowOf(L"DEPT"), true);
        d.Click(IDC_START_TRANSFER);
        ASSERT_TRUE(PumpUntil([&] { return d.Text(IDC_TRANSFER_COUNT) == L"1"; }));
        d.Click(IDC_START_TRANSFER);
        PumpUntil([] { return false; }, 300);
        d.Click(IDC_START_TRANSFER);
        ASSERT_TRUE(d.WaitIdle());
        log = d.Text(IDC_TRANSFER_LOG);
    });
    dlg.DoModal();

    EXPECT_EQ(2, Count(log, L"[Stop ]: Cancel by User"));
    EXPECT_EQ(1, Count(log, L"[Wait ]: Waiting for the communication program to end")) << log.GetString();
    EXPECT_TRUE(Contains(log, L"[End  ]: Code=00000000H")) << log.GetString();
    auto lines = LogLines();
    ASSERT_EQ(1u, lines.size());
    EXPECT_TRUE(EndsWith(lines[0], "\t00000000")) << lines[0];
    EXPECT_EQ(original, ReadBytes(dataFolder + L"\\DEPT.VK2"));
}

// What a failed transfer left in the data folder is not loaded.
TEST_F(TillwireTest, FailedReceiveDoesNotReloadTheGroup)
{
    CEcrData* dept = ReloadDeptFromFolder();
    ASSERT_NE(nullptr, dept);
    S_ECR_TABLE* table = dept->GetTable(0);
    ASSERT_TRUE(table && table->RecordCount > 0);
    const size_t lastAt = table->RecordSize * table->RecordCount - 1;
    const BYTE before = table->RecordData[lastAt];
    std::string changed = ReadBytes(dataFolder + L"\\DEPT.VK2");
    changed.back() = static_cast<char>(changed.back() ^ 0x5A);
    WriteBytes(dataFolder + L"\\DEPT.VK2", changed);
    WriteIni("[Settings]\r\nFailECR1=0xE0000099\r\nFailShowMs=0\r\n");

    MessageBoxRecorder boxes;
    boxes.Answer(IDNO);
    ScriptedTillwireDlg dlg(0, [&](ScriptedTillwireDlg& d) {
        d.Tick(d.SettingRowOf(L"DEPT"), true);
        d.Click(IDC_START_TRANSFER);
        ASSERT_TRUE(d.WaitIdle());
        PumpUntil([] { return false; }, 300);  // a reload would have come by now
    });
    dlg.DoModal();

    EXPECT_EQ(1u, boxes.Count());
    ASSERT_TRUE(dept->GetTable(0) && dept->GetTable(0)->RecordData);
    EXPECT_EQ(before, dept->GetTable(0)->RecordData[lastAt]);
}

// Minimising the program hides the windows it owns, this dialog among them:
// the system then calls none of its controls visible, yet the rows it shows
// keep their ranges and come back enabled.
TEST_F(TillwireTest, MinimisedProgramSendsTheRangesAndEnablesTheRowsAgain)
{
    HWND owner = CreateWindowW(L"STATIC", L"Tilldesk", WS_POPUP | WS_VISIBLE, 0, 0, 100, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, owner);
    SetActiveWindow(owner);  // the dialog's owner
    bool hidden = false;
    bool enabledAfter = false;
    ScriptedTillwireDlg dlg(0, [&](ScriptedTillwireDlg& d) {
        int plu = d.ReportRowOf(L"PLU sales");
        ASSERT_GT(plu, 0);
        int r = plu - IDC_REPORT_ROW_FIRST;
        d.Tick(plu, true);
        d.SetText(IDC_REPORT_FROM_FIRST + r, L"5");
        d.SetText(IDC_REPORT_TO_FIRST + r, L"8");
        d.Click(IDC_START_TRANSFER);
        ShowOwnedPopups(owner, FALSE);  // as the system does when the owner is minimised
        hidden = !d.IsWindowVisible();
        ASSERT_TRUE(d.WaitIdle());
        enabledAfter = d.Enabled(plu) && d.Enabled(IDC_REPORT_FROM_FIRST + r) && d.Enabled(IDC_REPORT_TO_FIRST + r);
    });
    dlg.DoModal();
    DestroyWindow(owner);

    EXPECT_TRUE(hidden);
    EXPECT_TRUE(enabledAfter);
    auto lines = LogLines();
    ASSERT_EQ(1u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find(" 3 CSV 2 5 8 1\t")) << lines[0];
}

namespace {

DWORD WINAPI ResumeFails(HANDLE)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return static_cast<DWORD>(-1);
}

} // namespace

TEST_F(TillwireTest, AWorkerThatDoesNotStartEndsTheRunWithAMessage)
{
    ThreadResumeHandler previous = SetThreadResumeHandler(ResumeFails);
    MessageBoxRecorder boxes;
    bool idleAgain = false;
    ScriptedTillwireDlg dlg(1, [&](ScriptedTillwireDlg& d) {
        d.Tick(d.SettingRowOf(L"DEPT"), true);
        d.Click(IDC_START_TRANSFER);
        idleAgain = d.IsIdle() && d.Enabled(IDCANCEL) && d.Enabled(d.SettingRowOf(L"DEPT"));
    });
    dlg.DoModal();
    SetThreadResumeHandler(previous);

    EXPECT_TRUE(idleAgain);
    auto asked = boxes.Boxes();
    ASSERT_EQ(1u, asked.size());
    EXPECT_EQ(L"The transfer could not be started", asked[0].text);
    EXPECT_FALSE(FileExists(folder / L"Tillwire.log"));
}

TEST_F(TillwireTest, EscDuringARunCancelsAndTheDialogEndsAfterTheWorker)
{
    WriteIni("[Settings]\r\nDelay=20000\r\n");
    bool stayedOpen = false;
    ScriptedTillwireDlg dlg(1, [&](ScriptedTillwireDlg& d) {
        d.Tick(d.SettingRowOf(L"DEPT"), true);
        d.Click(IDC_START_TRANSFER);
        ASSERT_TRUE(PumpUntil([&] { return d.Text(IDC_TRANSFER_COUNT) == L"1"; }));
        d.SendMessage(WM_COMMAND, IDCANCEL);
        stayedOpen = d.IsWindowVisible() && !d.IsIdle();
    });
    DWORD start = GetTickCount();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_LT(GetTickCount() - start, 8000u);
    EXPECT_TRUE(stayedOpen);
    auto lines = LogLines();
    ASSERT_EQ(1u, lines.size());
    EXPECT_TRUE(EndsWith(lines[0], "\tE0000007")) << lines[0];
}

TEST_F(TillwireTest, MissingProgramFailsTheRowWithItsReason)
{
    const std::wstring missing = folder / L"NoSuchTillwire.exe";
    g_pEcrSetting->Tillwire = missing.c_str();
    MessageBoxRecorder boxes;
    boxes.Answer(IDNO);
    const CString log = SendDeptAndPlu();
    EXPECT_EQ(1, Count(log, L"[Start]:\"" ));
    EXPECT_TRUE(Contains(log, L"[End  ]: Code=80070002H")) << log.GetString();
    auto asked = boxes.Boxes();
    ASSERT_EQ(1u, asked.size());
    EXPECT_EQ(L"DEPT: the communication program " + missing + L" could not be started ("
                  + AtomicFile::SystemReason(ERROR_FILE_NOT_FOUND).GetString()
                  + L").\r\nCommunication failed.\r\nDo you want to go on with the next item?",
              asked[0].text);
}

TEST_F(TillwireTest, StartWithNothingTickedSaysSo)
{
    for (int direction : {0, 1}) {
        MessageBoxRecorder boxes;
        bool idle = false;
        ScriptedTillwireDlg dlg(direction, [&](ScriptedTillwireDlg& d) {
            d.Click(IDC_UNCHECK_ALL);
            d.Click(IDC_START_TRANSFER);
            idle = d.IsIdle() && d.Enabled(IDCANCEL);
        });
        dlg.DoModal();
        EXPECT_TRUE(idle) << direction;
        auto asked = boxes.Boxes();
        ASSERT_EQ(1u, asked.size()) << direction;
        EXPECT_EQ(L"No item is ticked. Please tick the items to send or receive.", asked[0].text);
    }
    EXPECT_FALSE(FileExists(folder / L"Tillwire.log"));
}

TEST_F(TillwireTest, AProgramPathRelativeToTheWorkingFolderIsStartedByItsFullPath)
{
    CurrentDirectoryScope here(folder.Path());
    g_pEcrSetting->Tillwire = L".\\Tillwire.exe";
    MessageBoxRecorder boxes;
    const CString log = SendDeptAndPlu();
    EXPECT_EQ(2, Count(log, (L"[Start]:\"" + program + L"\" ").c_str())) << log.GetString();
}

// The line is never cut: a data folder too long for the platform fails the
// row instead of handing the program another folder.
TEST_F(TillwireTest, LineTooLongForThePlatformFailsTheRow)
{
    std::wstring longFolder = dataFolder + L"\\" + std::wstring(33000, L'x');
    g_pEcrSetting->DataPath = longFolder.c_str();
    MessageBoxRecorder boxes;
    CString log;
    ScriptedTillwireDlg dlg(1, [&](ScriptedTillwireDlg& d) {
        d.Tick(d.SettingRowOf(L"DEPT"), true);
        d.Click(IDC_START_TRANSFER);
        ASSERT_TRUE(d.WaitIdle(120000));  // the log edit wraps the whole line, slowly
        log = d.Text(IDC_TRANSFER_LOG);
    });
    dlg.DoModal();
    EXPECT_TRUE(Contains(log, (longFolder + L"\\\" 1 ECR").c_str()));
    EXPECT_TRUE(Contains(log, L"[End  ]: Code=800700ceH"));
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_FALSE(FileExists(folder / L"Tillwire.log"));
}

TEST_F(TillwireTest, RunIsRefusedWhileAnotherHoldsTheCancelEvent)
{
    CCancelEvent other;
    ASSERT_EQ(CCancelEvent::CreateResult::Created, other.Create(CTillwireDlg::CancelEventName));
    MessageBoxRecorder boxes;
    bool stayedIdle = false;
    ScriptedTillwireDlg dlg(1, [&](ScriptedTillwireDlg& d) {
        d.Tick(d.SettingRowOf(L"DEPT"), true);
        d.Click(IDC_START_TRANSFER);
        stayedIdle = d.IsIdle() && d.Enabled(IDCANCEL);
    });
    dlg.DoModal();
    EXPECT_TRUE(stayedIdle);
    auto asked = boxes.Boxes();
    ASSERT_EQ(1u, asked.size());
    EXPECT_EQ(L"A transfer with the register is already running", asked[0].text);
    EXPECT_FALSE(FileExists(folder / L"Tillwire.log"));
}

TEST_F(TillwireTest, LanLinkPassesTheAddressWithItsFirstOctetLowest)
{
    g_pEcrSetting->IpREG = static_cast<int>(0xC0A8000Au);  // 192.168.0.10
    bool portListShown = true;
    ScriptedTillwireDlg dlg(1, [&](ScriptedTillwireDlg& d) {
        portListShown = d.Visible(IDC_PORT_LIST);
        d.Tick(d.SettingRowOf(L"DEPT"), true);
        d.Click(IDC_START_TRANSFER);
        ASSERT_TRUE(d.WaitIdle());
    });
    dlg.DoModal();
    EXPECT_FALSE(portListShown);
    auto lines = LogLines();
    ASSERT_EQ(1u, lines.size());
    // 10.0.168.192 read as one number: 0x0A00A8C0.
    EXPECT_NE(std::string::npos, lines[0].find("\" LAN 167815360 1 ")) << lines[0];
    EXPECT_TRUE(EndsWith(lines[0], "\t00000000")) << lines[0];
}

TEST_F(TillwireTest, PortListHoldsThePortsFoundAndStoresTheChosenPosition)
{
    PortProbeHandler previous = SetPortProbeHandler(ComOneAndThree);
    g_pEcrSetting->PortNo = 7;
    MessageBoxRecorder boxes;  // the program finds no third port here
    boxes.Answer(IDNO);
    WriteIni("[Settings]\r\nFailShowMs=0\r\n");
    std::vector<CString> ports;
    int selectedAtStart = -1;
    ScriptedTillwireDlg dlg(0, [&](ScriptedTillwireDlg& d) {
        CComboBox* list = static_cast<CComboBox*>(d.GetDlgItem(IDC_PORT_LIST));
        selectedAtStart = list->GetCurSel();
        for (int i = 0; i < list->GetCount(); ++i) {
            CString text;
            list->GetLBText(i, text);
            ports.push_back(text);
        }
        list->SetCurSel(2);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PORT_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list->m_hWnd));
        d.Tick(d.SettingRowOf(L"DEPT"), true);
        d.Click(IDC_START_TRANSFER);
        ASSERT_TRUE(d.WaitIdle());
    });
    dlg.DoModal();
    SetPortProbeHandler(previous);

    ASSERT_EQ(3u, ports.size());
    EXPECT_EQ(CString(L"USB"), ports[0]);
    EXPECT_EQ(CString(L"COM1"), ports[1]);
    EXPECT_EQ(CString(L"COM3"), ports[2]);
    EXPECT_EQ(0, selectedAtStart);
    EXPECT_EQ(2, g_pEcrSetting->PortNo);
    auto lines = LogLines();
    ASSERT_EQ(1u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find("Tillwire.exe\" 2 19200 0 ")) << lines[0];
    EXPECT_TRUE(EndsWith(lines[0], "\tE0000006")) << lines[0];
}

TEST_F(TillwireTest, ReceiveModeKeepsTheFourthRowClearAndAsksAboutUnsavedEdits)
{
    ASSERT_NO_FATAL_FAILURE(EditDeptWithoutSaving());
    std::string onDisk = ReadBytes(dataFolder + L"\\DEPT.VK2");

    MessageBoxRecorder boxes;
    boxes.Answer(IDCANCEL);
    bool fourthClear = false;
    bool deptTicked = true;
    CString log;
    ScriptedTillwireDlg dlg(0, [&](ScriptedTillwireDlg& d) {
        d.Click(IDC_CHECK_ALL);
        fourthClear = !d.Ticked(IDC_SETTING_ROW_FIRST + 3) && !d.Enabled(IDC_SETTING_ROW_FIRST + 3);
        // Only DEPT, as Check All left it: the question comes at Start.
        d.Click(IDC_UNCHECK_ALL);
        d.Tick(d.SettingRowOf(L"DEPT"), true);
        d.Click(IDC_START_TRANSFER);
        deptTicked = d.Ticked(d.SettingRowOf(L"DEPT"));
        ASSERT_TRUE(d.WaitIdle());
        log = d.Text(IDC_TRANSFER_LOG);
    });
    dlg.DoModal();

    EXPECT_TRUE(fourthClear);
    auto asked = boxes.Boxes();
    ASSERT_EQ(1u, asked.size());
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL), asked[0].type & MB_TYPEMASK);
    EXPECT_FALSE(deptTicked);
    EXPECT_EQ(0, Count(log, L"[Start]:"));
    EXPECT_EQ(onDisk, ReadBytes(dataFolder + L"\\DEPT.VK2"));
}

TEST_F(TillwireTest, SendWithUnsavedEditsNamesTheTickedTablesAndNoSendsNothing)
{
    ASSERT_NO_FATAL_FAILURE(EditDeptWithoutSaving());

    MessageBoxRecorder boxes;
    boxes.Answer(IDNO);
    boxes.Answer(IDYES);
    CString logAfterNo, logAfterYes;
    ScriptedTillwireDlg dlg(1, [&](ScriptedTillwireDlg& d) {
        d.Tick(d.SettingRowOf(L"DEPT"), true);
        d.Tick(d.SettingRowOf(L"PLU"), true);
        d.Click(IDC_START_TRANSFER);
        ASSERT_TRUE(d.WaitIdle());
        logAfterNo = d.Text(IDC_TRANSFER_LOG);
        d.Click(IDC_START_TRANSFER);
        ASSERT_TRUE(d.WaitIdle());
        logAfterYes = d.Text(IDC_TRANSFER_LOG);
    });
    dlg.DoModal();

    auto asked = boxes.Boxes();
    ASSERT_EQ(2u, asked.size());
    EXPECT_NE(std::wstring::npos, asked[0].text.find(L": DEPT")) << asked[0].text;
    EXPECT_EQ(std::wstring::npos, asked[0].text.find(L"PLU")) << asked[0].text;
    EXPECT_NE(std::wstring::npos, asked[0].text.find(L"saved data")) << asked[0].text;
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2), asked[0].type);
    EXPECT_EQ(0, Count(logAfterNo, L"[Start]:"));
    EXPECT_EQ(2, Count(logAfterYes, L"[End  ]: Code=00000000H"));
}

// Check All ticks rows without the question of a single tick: Start asks once,
// naming every ticked table with unsaved edits, and Cancel leaves those out
// while the others are received.
TEST_F(TillwireTest, ReceiveAfterCheckAllNamesTheTablesWithUnsavedEdits)
{
    ASSERT_NO_FATAL_FAILURE(EditDeptWithoutSaving());
    CEcrData* plu = GetEcrDataFromWndNo(WNDNO_PLU);
    ASSERT_NE(nullptr, plu);
    plu->LoadData(nullptr);
    ASSERT_TRUE(plu->GetTable(0) && plu->GetTable(0)->RecordData);
    plu->GetTable(0)->RecordData[0] = static_cast<BYTE>(plu->GetTable(0)->RecordData[0] ^ 0xFF);
    // The register's DEPT differs, so a receive of it would show.
    std::string registerDept = ReadBytes(registerFolder + L"\\DEPT.VK2");
    registerDept.back() = static_cast<char>(registerDept.back() ^ 0x5A);
    WriteBytes(registerFolder + L"\\DEPT.VK2", registerDept);
    const std::string localDept = ReadBytes(dataFolder + L"\\DEPT.VK2");

    MessageBoxRecorder boxes;
    boxes.Answer(IDCANCEL);
    bool deptTicked = true, pluTicked = true, clerkTicked = false;
    CString log;
    ScriptedTillwireDlg dlg(0, [&](ScriptedTillwireDlg& d) {
        d.Click(IDC_CHECK_ALL);
        d.Click(IDC_START_TRANSFER);
        deptTicked = d.Ticked(d.SettingRowOf(L"DEPT"));
        pluTicked = d.Ticked(d.SettingRowOf(L"PLU"));
        clerkTicked = d.Ticked(d.SettingRowOf(L"CLERK"));
        ASSERT_TRUE(d.WaitIdle(60000));
        log = d.Text(IDC_TRANSFER_LOG);
    });
    dlg.DoModal();

    auto asked = boxes.Boxes();
    ASSERT_EQ(1u, asked.size());
    EXPECT_EQ(L"These tables hold edits that were not saved with Update: DEPT, PLU\r\n"
              L"The received data replaces these edits.\r\n"
              L"OK receives them all the same; Cancel leaves these tables out.",
              asked[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2), asked[0].type);
    EXPECT_FALSE(deptTicked);
    EXPECT_FALSE(pluTicked);
    EXPECT_TRUE(clerkTicked);
    EXPECT_FALSE(Contains(log, L" 1 ECR ")) << log.GetString();
    EXPECT_FALSE(Contains(log, L" 2 ECR ")) << log.GetString();
    EXPECT_TRUE(Contains(log, L" 3 ECR ")) << log.GetString();
    EXPECT_EQ(localDept, ReadBytes(dataFolder + L"\\DEPT.VK2"));
}

// A failed item's question says what the communication program's code
// means, beside the code.
TEST_F(TillwireTest, FailedItemSaysWhatTheCodeMeans)
{
    WriteIni("[Settings]\r\nFailECR1=0xE0000003\r\nFailECR2=0xE0000005\r\nFailShowMs=0\r\n");
    MessageBoxRecorder boxes;
    boxes.Answer(IDYES);
    boxes.Answer(IDYES);
    const CString log = SendDeptAndPlu();

    auto asked = boxes.Boxes();
    ASSERT_EQ(2u, asked.size());
    EXPECT_EQ(L"DEPT: the communication program ended with code e0000003H: "
              L"the file to send or receive is missing or cannot be read.\r\n"
              L"Communication failed.\r\nDo you want to go on with the next item?",
              asked[0].text);
    EXPECT_EQ(0u, asked[1].text.find(L"PLU: the communication program ended with code e0000005H: "
                                     L"the register does not answer.\r\n"))
        << asked[1].text;
    EXPECT_TRUE(Contains(log, L"[End  ]: Code=e0000003H"));
}

// A failure set in Tillwire.ini the way its README writes it fails the item,
// and so does a setting the program cannot read: never a success that moved
// nothing.
TEST_F(TillwireTest, FailuresSetInTheProgramsSettingsAreNeverASuccess)
{
    std::string registerDept = ReadBytes(registerFolder + L"\\DEPT.VK2");
    registerDept.back() = static_cast<char>(registerDept.back() ^ 0x5A);
    WriteBytes(registerFolder + L"\\DEPT.VK2", registerDept);
    const std::string localDept = ReadBytes(dataFolder + L"\\DEPT.VK2");
    struct Case
    {
        const char* setting;
        const wchar_t* failure;  // the first line of the question
    };
    const Case cases[] = {
        {"FailECR1=E0000003", L"DEPT: the communication program ended with code e0000003H: "
                              L"the file to send or receive is missing or cannot be read.\r\n"},
        {"FailECR1=E000000G", L"DEPT: the communication program ended with code e0000008H: "
                              L"a setting in Tillwire.ini cannot be read; nothing was moved.\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        WriteIni(std::string("[Settings]\r\nFailShowMs=0\r\n") + c.setting + "\r\n");
        MessageBoxRecorder boxes;
        boxes.Answer(IDNO);
        ScriptedTillwireDlg dlg(0, [&](ScriptedTillwireDlg& d) {
            d.Tick(d.SettingRowOf(L"DEPT"), true);
            d.Click(IDC_START_TRANSFER);
            ASSERT_TRUE(d.WaitIdle());
        });
        dlg.DoModal();

        auto asked = boxes.Boxes();
        ASSERT_EQ(1u, asked.size());
        EXPECT_EQ(0u, asked[0].text.find(c.failure)) << asked[0].text;
        EXPECT_EQ(localDept, ReadBytes(dataFolder + L"\\DEPT.VK2"));
    }
}
