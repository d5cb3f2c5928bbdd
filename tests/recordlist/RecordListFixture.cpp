#include "RecordListFixture.h"

#include "CCaptionManagerBase.h"
#include "EcrGlobals.h"
#include "Pump.h"
#include "S_ECR_SETTING.h"
#include "TestFiles.h"

FileDialogScript g_fileDialog;

namespace {

bool ScriptedFileDialog(BOOL open, OPENFILENAMEW& ofn, CString& chosen)
{
    ++g_fileDialog.runs;
    g_fileDialog.open = open;
    g_fileDialog.defExt = ofn.lpstrDefExt ? ofn.lpstrDefExt : L"";
    g_fileDialog.flags = ofn.Flags;
    g_fileDialog.hasFilter = ofn.lpstrFilter != nullptr;
    chosen = g_fileDialog.answer.c_str();
    return !g_fileDialog.answer.empty();
}

} // namespace

void RecordList::SetUp()
{
    S_ECR_SETTING& s = *g_pEcrSetting;
    m_savedName = s.EcrName;
    m_savedPath = s.DataPath;
    m_savedLanguage = s.Language;
    m_savedLevel = s.Level;
    m_savedAutoPopup = s.AutoPopup;
    m_savedCapEdit = s.CapEdit;
    ASSERT_GT(CopyFiles(ProgramFolder() + L"\\Data", m_data.Path()), 0);
    s.EcrName = L"02 VORN-K2";
    s.DataPath = m_data.Path().c_str();
    s.Language = L"ENG";
    s.Level = 0;
    s.AutoPopup = 0;
    s.CapEdit = 0;
    m_savedFileDialog = AfxSetFileDialogHandler(ScriptedFileDialog);
    g_fileDialog = FileDialogScript{};
    LoadLibrary();
}

void RecordList::LoadLibrary()
{
    theApp.LoadModelDll(L"VornK2Dll.dll");
    ASSERT_NE(nullptr, theApp.EcrDll.Module);
    // The library's own boxes go to the same recorder.
    AfxMessageBoxHandler current = AfxSetMessageBoxHandler(nullptr);
    AfxSetMessageBoxHandler(current);
    using PFN_SetBoxes = AfxMessageBoxHandler(WINAPI*)(AfxMessageBoxHandler);
    auto setBoxes = reinterpret_cast<PFN_SetBoxes>(
        reinterpret_cast<void (*)()>(GetProcAddress(theApp.EcrDll.Module, "VornSetMessageBoxHandler")));
    ASSERT_NE(nullptr, setBoxes);
    setBoxes(current);
}

void RecordList::TearDown()
{
    PumpPending();
    theApp.FreeCurrentWindow();
    theApp.m_pMainWnd = nullptr;
    theApp.EcrDll.UnloadModelDll();
    AfxSetFileDialogHandler(m_savedFileDialog);
    S_ECR_SETTING& s = *g_pEcrSetting;
    s.EcrName = m_savedName;
    s.DataPath = m_savedPath;
    s.Language = m_savedLanguage;
    s.Level = m_savedLevel;
    s.AutoPopup = m_savedAutoPopup;
    s.CapEdit = m_savedCapEdit;
    PumpPending();
}

void RecordList::Restart()
{
    theApp.FreeCurrentWindow();
    theApp.m_pMainWnd = nullptr;
    theApp.EcrDll.UnloadModelDll();
    LoadLibrary();
}

void RecordList::UseLanguage(const wchar_t* language)
{
    g_pEcrSetting->Language = language;
    theApp.CaptionMgr.SetCaptionFile(g_pEcrSetting->CapPath, L"VORNK2DLL", language);
}

CFlexListDlg* RecordList::Open(int wndNo, int listPos)
{
    theApp.ShowWindowByNumber(wndNo, listPos);
    return Screen();
}

CFlexListDlg* RecordList::Screen() const
{
    return dynamic_cast<CFlexListDlg*>(theApp.CurrentWnd);
}

int RecordList::CurrentNumber() const
{
    auto* screen = dynamic_cast<CEcrDialog*>(theApp.CurrentWnd);
    return screen ? screen->WndNo : -1;
}

void RecordList::Click(int id)
{
    HWND button = ::GetDlgItem(theApp.CurrentWnd->m_hWnd, id);
    theApp.CurrentWnd->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void RecordList::ExportFirstRecords(int records, const wchar_t* name)
{
    g_fileDialog.answer = m_scratch.File(L"export.csv");
    Click(IDC_FLEX_EXPORT);
    TakeBoxes();
    const std::string whole = m_scratch.Read(L"export.csv");
    size_t end = 0;
    for (int line = 0; line <= records; ++line)
        end = whole.find("\r\n", end) + 2;
    m_scratch.Write(name, whole.substr(0, end));
}

bool RecordList::Visible(int id) const
{
    return (::GetWindowLongW(::GetDlgItem(theApp.CurrentWnd->m_hWnd, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool RecordList::Enabled(int id) const
{
    return ::IsWindowEnabled(::GetDlgItem(theApp.CurrentWnd->m_hWnd, id)) != FALSE;
}

std::vector<std::wstring> RecordList::TakeBoxes()
{
    std::vector<std::wstring> texts;
    for (const auto& box : m_boxes.Boxes())
        texts.push_back(box.text);
    m_boxes.Clear();
    return texts;
}

CEcrData* RecordList::Group(int wndNo) const
{
    CEcrData* group = GetEcrDataFromWndNo(wndNo);
    if (group && !group->Loaded)
        group->LoadData(nullptr);
    return group;
}
