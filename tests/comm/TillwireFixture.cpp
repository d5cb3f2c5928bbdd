#include "TillwireFixture.h"

#include "CEcrData.h"
#include "CEcrTilldeskApp.h"
#include "CommResources.h"
#include "EcrGlobals.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "TestFiles.h"

namespace {

constexpr UINT WM_RUN_SCRIPT = WM_APP + 70;

} // namespace

std::string Narrow(const std::wstring& text)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

BEGIN_MESSAGE_MAP(ScriptedTillwireDlg, CTillwireDlg)
    ON_MESSAGE(WM_RUN_SCRIPT, &ScriptedTillwireDlg::OnRunScript)
END_MESSAGE_MAP()

ScriptedTillwireDlg::ScriptedTillwireDlg(int direction, std::function<void(ScriptedTillwireDlg&)> script)
    : CTillwireDlg(direction, nullptr), m_script(std::move(script))
{
    IsModal = TRUE;
}

BOOL ScriptedTillwireDlg::OnInitDialog()
{
    BOOL result = CTillwireDlg::OnInitDialog();
    PostMessage(WM_RUN_SCRIPT);
    return result;
}

LRESULT ScriptedTillwireDlg::OnRunScript(WPARAM, LPARAM)
{
    if (m_script)
        m_script(*this);
    PostMessage(WM_COMMAND, IDCANCEL);
    return 0;
}

void ScriptedTillwireDlg::Click(int id)
{
    HWND control = ::GetDlgItem(m_hWnd, id);
    if (::SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) {
        LONG style = ::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
        if (style == BS_AUTOCHECKBOX)
            Tick(id, !Ticked(id));
    }
    SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

void ScriptedTillwireDlg::Tick(int id, bool on)
{
    ::SendMessageW(::GetDlgItem(m_hWnd, id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool ScriptedTillwireDlg::Ticked(int id) const
{
    return ::SendMessageW(::GetDlgItem(m_hWnd, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

CString ScriptedTillwireDlg::Text(int id) const
{
    CString text;
    GetDlgItemText(id, text);
    return text;
}

void ScriptedTillwireDlg::SetText(int id, const wchar_t* text)
{
    SetDlgItemText(id, text);
}

bool ScriptedTillwireDlg::WaitIdle(DWORD timeoutMs)
{
    return PumpUntil([this] { return IsIdle() != FALSE; }, timeoutMs);
}

int ScriptedTillwireDlg::SettingRowOf(const wchar_t* name) const
{
    for (int i = 0; i < SettingRows; ++i)
        if (Visible(1068 + i) && Text(1068 + i) == name)
            return 1068 + i;
    return -1;
}

int ScriptedTillwireDlg::ReportRowOf(const wchar_t* name) const
{
    for (int r = 0; r < ReportRows; ++r)
        if (Visible(1080 + r) && Text(1080 + r) == name)
            return 1080 + r;
    return -1;
}

void TillwireTest::SetUp()
{
    program = folder / L"Tillwire.exe";
    registerFolder = folder / L"Register";
    dataFolder = folder / L"Data";
    ASSERT_TRUE(CopyFileW((ProgramFolder() + L"\\Tillwire.exe").c_str(), program.c_str(), FALSE));
    CopyFiles(ProgramFolder() + L"\\Data", dataFolder);
    CopyFiles(ProgramFolder() + L"\\Data", registerFolder);

    S_ECR_SETTING& s = *g_pEcrSetting;
    m_saved[0] = s.Tillwire;
    m_saved[1] = s.DataPath;
    m_saved[2] = s.Language;
    m_saved[3] = s.SAnime;
    m_saved[4] = s.RAnime;
    m_savedInts[0] = s.IpREG;
    m_savedInts[1] = s.PortNo;
    m_savedInts[2] = s.BaudRate;
    s.Tillwire = program.c_str();
    s.DataPath = dataFolder.c_str();
    s.Language = L"ENG";
    s.SAnime = L".\\toCOMP.avi";
    s.RAnime = L".\\toECR.avi";
    s.IpREG = 0;
    s.PortNo = 0;
    s.BaudRate = 19200;
    theApp.LoadModelDll(L"VornK2Dll.dll");
    ASSERT_FALSE(theApp.EcrDll.Path.IsEmpty());
}

void TillwireTest::TearDown()
{
    theApp.EcrDll.UnloadModelDll();
    S_ECR_SETTING& s = *g_pEcrSetting;
    s.Tillwire = m_saved[0];
    s.DataPath = m_saved[1];
    s.Language = m_saved[2];
    s.SAnime = m_saved[3];
    s.RAnime = m_saved[4];
    s.IpREG = m_savedInts[0];
    s.PortNo = m_savedInts[1];
    s.BaudRate = m_savedInts[2];
}

void TillwireTest::WriteIni(const std::string& text) const
{
    folder.Write(L"Tillwire.ini", text);
}

std::vector<std::string> TillwireTest::LogLines() const
{
    std::string bytes = folder.Read(L"Tillwire.log");
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

CEcrData* TillwireTest::ReloadDeptFromFolder()
{
    CEcrData* dept = GetEcrDataFromWndNo(WNDNO_DEPT);
    if (dept) {
        dept->Reset();
        dept->ReloadFromFolder(g_pEcrSetting->DataPath);
    }
    return dept;
}

void TillwireTest::EditDeptWithoutSaving()
{
    CEcrData* dept = GetEcrDataFromWndNo(WNDNO_DEPT);
    ASSERT_NE(nullptr, dept);
    dept->LoadData(nullptr);
    S_ECR_TABLE* table = dept->GetTable(0);
    ASSERT_TRUE(table && table->RecordData);
    table->RecordData[0] = static_cast<BYTE>(table->RecordData[0] ^ 0xFF);
}

CString TillwireTest::SendDeptAndPlu()
{
    CString log;
    ScriptedTillwireDlg dlg(1, [&](ScriptedTillwireDlg& d) {
        d.Tick(d.SettingRowOf(L"DEPT"), true);
        d.Tick(d.SettingRowOf(L"PLU"), true);
        d.Click(IDC_START_TRANSFER);
        ASSERT_TRUE(d.WaitIdle());
        log = d.Text(IDC_TRANSFER_LOG);
    });
    dlg.DoModal();
    return log;
}
