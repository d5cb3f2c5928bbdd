#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CEcrCnvDlg.h"
#include "CEcrTilldeskApp.h"
#include "CommResources.h"
#include "EcrGlobals.h"
#include "MessageBoxRecorder.h"
#include "S_ECR_SETTING.h"
#include "ScreenCheck.h"
#include "TempFolder.h"
#include "TestFiles.h"
#include "WindowPicture.h"

namespace {

constexpr UINT WM_RUN_SCRIPT = WM_APP + 71;

// The dialog run modally with a script that runs inside its loop.
class ScriptedCnvDlg : public CEcrCnvDlg
{
public:
    explicit ScriptedCnvDlg(std::function<void(ScriptedCnvDlg&)> script)
        : CEcrCnvDlg(nullptr), m_script(std::move(script))
    {
        IsModal = TRUE;
    }

    CString Log() const
    {
        CString text;
        GetDlgItemText(IDC_CNV_LOG, text);
        return text;
    }
    void Click(int id) { SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, id))); }

protected:
    BOOL OnInitDialog() override
    {
        BOOL result = CEcrCnvDlg::OnInitDialog();
        PostMessage(WM_RUN_SCRIPT);
        return result;
    }
    LRESULT OnRunScript(WPARAM, LPARAM)
    {
        m_script(*this);
        PostMessage(WM_COMMAND, IDCANCEL);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    std::function<void(ScriptedCnvDlg&)> m_script;
};

BEGIN_MESSAGE_MAP(ScriptedCnvDlg, CEcrCnvDlg)
    ON_MESSAGE(WM_RUN_SCRIPT, &ScriptedCnvDlg::OnRunScript)
END_MESSAGE_MAP()

struct ReportConversion : ::testing::Test
{
    TempFolder data;
    CString savedDataPath, savedLanguage;

    void SetUp() override
    {
        savedDataPath = g_pEcrSetting->DataPath;
        savedLanguage = g_pEcrSetting->Language;
        CopyFiles(ProgramFolder() + L"\\Data", data.Path(), L"*.VKR");
        g_pEcrSetting->DataPath = data.Path().c_str();
        g_pEcrSetting->Language = L"ENG";
        theApp.LoadModelDll(L"VornK2Dll.dll");
        ASSERT_FALSE(theApp.EcrDll.Path.IsEmpty());
    }
    void TearDown() override
    {
        theApp.EcrDll.UnloadModelDll();
        g_pEcrSetting->DataPath = savedDataPath;
        g_pEcrSetting->Language = savedLanguage;
    }

    // The folder a report file converts into: the date of its file time.
    std::wstring DateFolder(const wchar_t* raw) const
    {
        WIN32_FILE_ATTRIBUTE_DATA info;
        ::GetFileAttributesExW(data.File(raw).c_str(), GetFileExInfoStandard, &info);
        FILETIME local;
        SYSTEMTIME st;
        ::FileTimeToLocalFileTime(&info.ftLastWriteTime, &local);
        ::FileTimeToSystemTime(&local, &st);
        wchar_t name[16];
        swprintf(name, 16, L"%04u%02u%02u", st.wYear, st.wMonth, st.wDay);
        return data.Path() + L"\\" + name;
    }
};

TEST(ReportTimeText, LastFourCharactersBeforeTheExtensionWithAColon)
{
    EXPECT_EQ(std::wstring(CEcrCnvDlg::TimeText(L"DAILY1230.CSV")), L"12:30");
    EXPECT_EQ(std::wstring(CEcrCnvDlg::TimeText(L"1230.VKR")), L"12:30");
    EXPECT_EQ(std::wstring(CEcrCnvDlg::TimeText(L"5.VKR")), L"5:");
    EXPECT_EQ(std::wstring(CEcrCnvDlg::TimeText(L"AB1230")), L"30:") << "no dot: the first four go";
    EXPECT_EQ(std::wstring(CEcrCnvDlg::TimeText(L"PLU0930.X")), L"09:30") << "a short extension goes with its dot";
}

TEST_F(ReportConversion, ConvertsEveryTickedReportAndLogsEach)
{
    MessageBoxRecorder boxes;
    std::wstring log;
    int rows = 0;
    std::vector<std::wstring> findings;
    ScriptedCnvDlg dialog([&](ScriptedCnvDlg& d) {
        rows = d.m_list.GetItemCount();
        EXPECT_EQ(std::wstring(d.m_list.GetItemText(0, 1)), L"12:30");
        d.Click(IDC_CNV_CHECK_ALL);
        EXPECT_FALSE(SaveWindowPicture(d.m_hWnd, L"report-conversion-ENG").empty());
        findings = ScreenFindings(d.m_hWnd, CaptionLanguages(ProgramFolder() + L"\\Cap"), false);
        d.Click(IDC_CNV_CONVERT);
        log = d.Log().GetString();
        EXPECT_TRUE(d.m_close.IsWindowEnabled()) << "the buttons come back after the run";
    });
    dialog.DoModal();
    // The demo register's day: clerk, department, financial and PLU reports.
    ASSERT_EQ(rows, 4);
    EXPECT_TRUE(findings.empty()) << JoinFindings(findings);
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_NE(log.find(L"[Start]:CLERK1230.VKR\r\n[End  ]:Convert Success\r\n"), std::wstring::npos) << log;
    EXPECT_NE(log.find(L"[Start]:PLU1230.VKR\r\n[End  ]:Convert Success\r\n"), std::wstring::npos) << log;
    EXPECT_TRUE(FileExists(DateFolder(L"PLU1230.VKR") + L"\\PLU.CSV"));
    EXPECT_TRUE(FileExists(DateFolder(L"FIN1230.VKR") + L"\\FIN.CSV"));
}

TEST_F(ReportConversion, FilesWithoutADefinitionGetNoRowAndTheRestStayAligned)
{
    // Sorted first, with no report header: no definition, so no row.
    data.Write(L"AAA0100.VKR", "not a report");
    // A damaged department report fails with the report's name and time.
    std::string dept = ReadBytes(data.File(L"DEPT1230.VKR"));
    data.Write(L"DEPT1230.VKR", dept.substr(0, dept.size() - 3));
    MessageBoxRecorder boxes;
    std::wstring log, firstRow;
    ScriptedCnvDlg dialog([&](ScriptedCnvDlg& d) {
        firstRow = d.m_list.GetItemText(0, 0).GetString();
        d.Click(IDC_CNV_CHECK_ALL);
        d.Click(IDC_CNV_CONVERT);
        log = d.Log().GetString();
    });
    dialog.DoModal();
    EXPECT_EQ(firstRow, L"Clerk sales");
    EXPECT_NE(log.find(L"[Start]:CLERK1230.VKR\r\n[End  ]:Convert Success"), std::wstring::npos) << log;
    EXPECT_NE(log.find(L"[Start]:DEPT1230.VKR\r\n[End  ]:Convert Fail"), std::wstring::npos) << log;
    EXPECT_NE(log.find(L"[Start]:FIN1230.VKR\r\n[End  ]:Convert Success"), std::wstring::npos) << log;
    EXPECT_EQ(log.find(L"AAA0100"), std::wstring::npos);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, L"Conversion failed\n Dept sales12:30");
}

TEST_F(ReportConversion, UntickedRowsAreLeftAloneAndJapaneseCaptionsShow)
{
    g_pEcrSetting->Language = L"JPN";
    theApp.EcrDll.UnloadModelDll();
    theApp.LoadModelDll(L"VornK2Dll.dll");
    std::wstring log, title;
    std::vector<std::wstring> findings;
    ScriptedCnvDlg dialog([&](ScriptedCnvDlg& d) {
        d.m_list.SetCheck(2, TRUE);
        d.Click(IDC_CNV_CONVERT);
        log = d.Log().GetString();
        CString text;
        d.GetWindowText(text);
        title = text.GetString();
        EXPECT_FALSE(SaveWindowPicture(d.m_hWnd, L"report-conversion-JPN").empty());
        findings = ScreenFindings(d.m_hWnd, CaptionLanguages(ProgramFolder() + L"\\Cap"), true);
    });
    dialog.DoModal();
    EXPECT_EQ(title, L"レポート変換");
    EXPECT_TRUE(findings.empty()) << JoinFindings(findings);
    EXPECT_EQ(log, L"[Start]:FIN1230.VKR\r\n[End  ]:Convert Success\r\n");
}

} // namespace
