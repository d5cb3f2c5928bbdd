#include "CEcrTilldeskApp.h"

#include <commctrl.h>
#include <ole2.h>

#include <utility>

#include "AtomicFile.h"
#include "CCaptionManagerBase.h"
#include "CChildProgram.h"
#include "CEcrData.h"
#include "CEcrTilldeskDlg.h"
#include "CFlexListDlg.h"
#include "CReportListDlg.h"
#include "CKeyBoardDlg.h"
#include "CLogoDlg.h"
#include "CSelectDlg.h"
#include "CaptionText.h"
#include "EcrGlobals.h"
#include "FillPlaceholders.h"
#include "FullPathName.h"
#include "KeyboardResources.h"
#include "ProgramFolder.h"
#include "S_ECR_SETTING.h"
#include "TablesResources.h"
#include "UnsavedEdits.h"
#include "resource.h"

// Static initialisation, in this order: the application object (its
// library binding starts on the stubs), the settings object (reads the
// settings file and the model list), the caption-manager holder.
CEcrTilldeskApp theApp;
S_ECR_SETTING* g_pEcrSetting = new S_ECR_SETTING;
CCaptionManagerBase** g_ppCaptionMgr = new CCaptionManagerBase*(&theApp.CaptionMgr);
int g_nShowListPos = 0;

namespace {

// Replays deferred requests from the main loop.
constexpr UINT WM_ECR_REPLAY_DEFERRED = WM_APP + 1;

} // namespace

BEGIN_MESSAGE_MAP(CEcrTilldeskApp, CWinApp)
    ON_THREAD_MESSAGE(WM_ECR_SHOW_WINDOW, &CEcrTilldeskApp::OnShowWindowRequest)
    ON_THREAD_MESSAGE(WM_ECR_EXIT_REQUEST, &CEcrTilldeskApp::OnExitRequest)
    ON_THREAD_MESSAGE(WM_ECR_FOLDER_CHANGED, &CEcrTilldeskApp::OnFolderChanged)
    ON_THREAD_MESSAGE(WM_ECR_LANGUAGE_CHANGED, &CEcrTilldeskApp::OnLanguageChanged)
    ON_THREAD_MESSAGE(WM_ECR_MODEL_CHANGED, &CEcrTilldeskApp::OnModelChanged)
    ON_THREAD_MESSAGE(WM_ECR_DATA_RELOAD, &CEcrTilldeskApp::OnDataReload)
    ON_THREAD_MESSAGE(WM_ECR_REPLAY_DEFERRED, &CEcrTilldeskApp::OnReplayDeferred)
END_MESSAGE_MAP()

CEcrTilldeskApp::CEcrTilldeskApp() : CWinApp(nullptr)
{
    // Before the settings object, made next, reads anything: the settings
    // file and the relative paths in it mean the files beside the program,
    // whatever folder the program was started from. When that fails the
    // program works in the folder it was started in.
    MakeProgramFolderCurrent();
}

CCaptionManagerBase* CEcrTilldeskApp::CaptionManager()
{
    return g_ppCaptionMgr ? *g_ppCaptionMgr : nullptr;
}

BOOL CEcrTilldeskApp::InitInstance()
{
    // Every control class the templates use, the address control included.
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES};
    ::InitCommonControlsEx(&icc);
    // A single-threaded apartment for the folder browser and the grid's OLE use.
    m_oleInitialized = SUCCEEDED(::OleInitialize(nullptr));
    SetRegistryKey(L"EcrTilldesk Application");

    CString path;
    if (g_pEcrSetting->ModelMap.Lookup(g_pEcrSetting->EcrName, path))
        LoadModelDll(path);
    ShowWindowByNumber(WNDNO_MAIN, 0);
    // Without a first screen there would be no window and no way out.
    if (!CurrentWnd)
        return FALSE;
    // A folder another copy has open stays closed here; the model choice
    // shows, and Select tries again.
    OpenDataFolder();
    return TRUE;
}

int CEcrTilldeskApp::ExitInstance()
{
    FreeCurrentWindow();
    m_pMainWnd = nullptr;
    // The settings file is written and the library freed before the
    // settings object and the caption holder go, so the library never
    // holds pointers to freed objects while it unloads.
    if (!g_pEcrSetting->SaveSettings())
        ReportSettingsNotSaved(::GetLastError());
    if (CCaptionManagerBase* captions = CaptionManager())
        captions->FlushCaptions();
    EcrDll.UnloadModelDll();
    delete g_pEcrSetting;
    g_pEcrSetting = nullptr;
    delete g_ppCaptionMgr;
    g_ppCaptionMgr = nullptr;
    if (m_oleInitialized)
        ::OleUninitialize();
    return CWinApp::ExitInstance();
}

void CEcrTilldeskApp::ReportSettingsNotSaved(DWORD error)
{
    // Said once, naming the file and the system's reason, so the user knows
    // the choices are lost and what to mend.
    CString text = CaptionText(WNDNO_COMMON, 2, L"The settings could not be saved to this file:");
    AfxMessageBox(text + L"\n" + S_ECR_SETTING::FilePath() + L"\n(" + AtomicFile::SystemReason(error) + L")",
                  MB_OK | MB_ICONEXCLAMATION);
}

void CEcrTilldeskApp::WriteSettingsNow()
{
    if (g_pEcrSetting->WriteSettings() || m_settingsFailureReported)
        return;
    // Once a run: the exit says it again.
    m_settingsFailureReported = true;
    ReportSettingsNotSaved(::GetLastError());
}

// ---- the data folder ---------------------------------------------------------

bool CEcrTilldeskApp::OpenDataFolder()
{
    FolderLock mark;
    if (!MarkDataFolder(g_pEcrSetting->DataPath, mark))
        return false;
    if (mark.Held())
        DataFolderLock = std::move(mark);
    return true;
}

bool CEcrTilldeskApp::MarkDataFolder(const CString& folder, FolderLock& mark)
{
    if (DataFolderLock.Holds(folder))
        return true;
    mark = FolderLock(folder);
    if (mark.Held())
        return true;
    // Two copies on one folder would each save over the other's edits.
    CString text = CaptionText(WNDNO_COMMON, 30,
                               L"This data folder is open in another copy of the program, so it is not opened here:");
    AfxMessageBox(text + L"\n" + FullPathName(folder), MB_OK | MB_ICONEXCLAMATION);
    return false;
}

// ---- screens ----------------------------------------------------------------

void CEcrTilldeskApp::ShowWindowByNumber(int wndNo, int listPos)
{
    g_nShowListPos = listPos;
    CWnd* wnd = CreateExDialog(wndNo | WNDNO_FLAG_REQUEST);
    bool fromLibrary = wnd != nullptr;
    if (!wnd)
        wnd = CreateOwnWindow(wndNo);
    if (!wnd)
        return;

    // The new screen is the main window before the old one goes, so
    // destroying the old one never ends the message loop.
    m_pMainWnd = wnd;
    if (CurrentWnd) {
        WINDOWPLACEMENT wp = {};
        CurrentWnd->GetWindowPlacement(&wp);
        // The placement keeps workspace coordinates consistent, whatever
        // the taskbar's position.
        wp.flags = 0;
        wp.showCmd = wp.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        wnd->SetWindowPlacement(&wp);
        FreeCurrentWindow();
    } else {
        wnd->ShowWindow(SW_SHOW);
    }
    CurrentIsExDialog = fromLibrary;
    CurrentWnd = wnd;

    // A record list requested at a list entry (the jump menu) shows that table.
    if (listPos > 0 && !fromLibrary)
        if (auto* list = dynamic_cast<CFlexListDlg*>(wnd))
            list->SelectListEntry(listPos - 1);
}

CWnd* CEcrTilldeskApp::CreateOwnWindow(int wndNo)
{
    CEcrDialog* dialog = nullptr;
    UINT templateId = 0;
    switch (wndNo) {
    case WNDNO_SELECT:
        dialog = new CSelectDlg;
        templateId = IDD_SELECT_DIALOG;
        break;
    case WNDNO_MAIN:
        dialog = new CEcrTilldeskDlg;
        templateId = IDD_ECRTILLDESK_DIALOG;
        break;
    case WNDNO_DEPT:
    case WNDNO_PLU:
    case WNDNO_CLERK:
    case WNDNO_S_MODE:
    case WNDNO_PROG_MODE:
        dialog = new CFlexListDlg(wndNo);
        templateId = IDD_FLEXLIST_DIALOG;
        break;
    case WNDNO_REPORT_VIEWER:
        dialog = new CReportListDlg;
        templateId = IDD_FLEXLIST_DIALOG;
        break;
    case WNDNO_LOGO:
        dialog = new CLogoDlg;
        templateId = CLogoDlg::IDD;
        break;
    case WNDNO_KEYBOARD:
        dialog = new CKeyBoardDlg;
        templateId = IDD_KEYBOARD_DIALOG;
        break;
    default:
        return nullptr;
    }
    if (!dialog->Create(templateId, CWnd::GetDesktopWindow())) {
        delete dialog;
        return nullptr;
    }
    return dialog;
}

void CEcrTilldeskApp::FreeCurrentWindow()
{
    CWnd* old = CurrentWnd;
    CurrentWnd = nullptr;
    if (!old)
        return;
    if (CurrentIsExDialog) {
        DeleteExDialog(old);
    } else {
        old->DestroyWindow();
        delete old;
    }
    CurrentIsExDialog = FALSE;
}

void CEcrTilldeskApp::RefreshCurrentWindow()
{
    if (CurrentWnd && CurrentWnd->m_hWnd)
        CurrentWnd->SendMessage(WM_ECR_REFRESH_CAPTIONS, 0, 0);
}

// ---- the model library ------------------------------------------------------

void CEcrTilldeskApp::LoadModelDll(const wchar_t* path)
{
    // A screen of the old library goes first, replaced by the program's own
    // model-choice screen (not the library's, which is about to be freed).
    if (CurrentIsExDialog && CurrentWnd) {
        CWnd* main = CreateOwnWindow(WNDNO_MAIN);
        // The library's screen stays current, so the library must stay too.
        if (!main)
            return;
        WINDOWPLACEMENT wp = {};
        CurrentWnd->GetWindowPlacement(&wp);
        wp.flags = 0;
        wp.showCmd = wp.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        m_pMainWnd = main;
        main->SetWindowPlacement(&wp);
        FreeCurrentWindow();
        CurrentWnd = main;
    }
    if (!path || EcrDll.Path == path)
        return;
    if (!EcrDll.Load(path))
        return;  // runs on the stubs; the model-choice screen reports it

    SetGClassAddr(g_pEcrSetting, g_ppCaptionMgr);
    CString base = DLLBASE(path);
    if (CCaptionManagerBase* captions = CaptionManager()) {
        captions->SetCaptionFile(g_pEcrSetting->CapPath, base, g_pEcrSetting->Language);
        captions->LoadCharConv(g_pEcrSetting->CapPath, base);
    }
    SetEcrFolder(g_pEcrSetting->DataPath);
    // Controls still hold fonts of the old caption file.
    RefreshCurrentWindow();
}

// ---- thread messages ---------------------------------------------------------

bool CEcrTilldeskApp::DeferWhileModal(UINT message, WPARAM wParam, LPARAM lParam, const wchar_t* text)
{
    if (AfxGetModalDepth() == 0)
        return false;
    m_deferred.push_back(Deferred{message, wParam, lParam, CString(text)});
    return true;
}

void CEcrTilldeskApp::OnModalLoopsEnded()
{
    if (!m_deferred.empty())
        PostApplicationMessage(WM_ECR_REPLAY_DEFERRED, 0, 0);
}

void CEcrTilldeskApp::OnReplayDeferred(WPARAM, LPARAM)
{
    while (!m_deferred.empty() && AfxGetModalDepth() == 0) {
        Deferred request = m_deferred.front();
        m_deferred.pop_front();
        Execute(request);
    }
}

void CEcrTilldeskApp::Execute(const Deferred& request)
{
    switch (request.message) {
    case WM_ECR_SHOW_WINDOW:
        ShowWindowByNumber(static_cast<int>(request.wParam), static_cast<int>(request.lParam));
        break;
    case WM_ECR_EXIT_REQUEST:
        OnExitRequest(0, 0);
        break;
    case WM_ECR_MODEL_CHANGED:
        LoadModelDll(request.text.IsEmpty() ? nullptr : request.text.GetString());
        break;
    default:
        break;
    }
}

void CEcrTilldeskApp::OnShowWindowRequest(WPARAM wndNo, LPARAM listPos)
{
    if (!DeferWhileModal(WM_ECR_SHOW_WINDOW, wndNo, listPos))
        ShowWindowByNumber(static_cast<int>(wndNo), static_cast<int>(listPos));
}

void CEcrTilldeskApp::OnExitRequest(WPARAM, LPARAM)
{
    if (DeferWhileModal(WM_ECR_EXIT_REQUEST, 0, 0))
        return;
    // Edits not saved with Update end with the program: the question names
    // their tables, and No is then the default.
    const CString unsaved = UnsavedGroupNames();
    const bool plain = unsaved.IsEmpty();
    const CString question =
        plain ? CaptionText(WNDNO_COMMON, 1, L"Do you really want to exit?")
              : FillPlaceholders(CaptionText(WNDNO_COMMON, 20,
                                             L"These tables hold edits that were not saved with Update: %1\n"
                                             L"The edits are lost on exit. Do you really want to exit?"),
                                 {unsaved});
    const UINT type = plain ? MB_YESNO | MB_ICONQUESTION : MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;
    if (AfxMessageBox(question, type) == IDYES)
        ::PostQuitMessage(0);
}

void CEcrTilldeskApp::OnFolderChanged(WPARAM, LPARAM)
{
    WriteSettingsNow();
    // The text belongs to the settings object, which outlives the library's
    // use of it; the posted pointer may be older than the current folder.
    SetEcrFolder(g_pEcrSetting->DataPath);
    // Groups read from the old folder would write their records into the
    // new one on the next Update: read them again from the new folder.
    for (int i = 0; i < GetEcrDataCount(); ++i)
        if (CEcrData* group = GetEcrDataFromIndex(i); group && group->Loaded)
            ReloadGroup(group);
    RefreshCurrentWindow();
}

void CEcrTilldeskApp::OnLanguageChanged(WPARAM language, LPARAM)
{
    CString copy(reinterpret_cast<const wchar_t*>(language));
    // The loaded library names the caption files; no library, no file.
    if (!EcrDll.Path.IsEmpty())
        if (CCaptionManagerBase* captions = CaptionManager())
            captions->SetCaptionFile(g_pEcrSetting->CapPath, DLLBASE(EcrDll.Path), copy);
    // The record card's choice lists are in the caption language.
    if (CEcrData* card = GetEcrDataFromWndNo(WNDNO_CARD))
        ReloadGroup(card);
    // Controls still hold fonts of the old caption file, group or not.
    RefreshCurrentWindow();
}

void CEcrTilldeskApp::OnModelChanged(WPARAM path, LPARAM)
{
    // The text lives in the settings object; work on a copy.
    const wchar_t* text = reinterpret_cast<const wchar_t*>(path);
    CString copy(text);
    WriteSettingsNow();
    if (!DeferWhileModal(WM_ECR_MODEL_CHANGED, 0, 0, copy))
        LoadModelDll(text ? copy.GetString() : nullptr);
}

void CEcrTilldeskApp::OnDataReload(WPARAM kind, LPARAM value)
{
    ReloadDataGroup(static_cast<int>(kind), static_cast<int>(value));
}

void CEcrTilldeskApp::ReloadDataGroup(int kind, int value)
{
    CEcrData* group = nullptr;
    if (kind == 0)
        group = GetEcrDataFromWndNo(value);
    else if (kind == 1 && value >= 0 && value < GetEcrDataCount())
        group = GetEcrDataFromIndex(value);
    if (!group)
        return;
    ReloadGroup(group);
    RefreshCurrentWindow();
}

void CEcrTilldeskApp::ReloadGroup(CEcrData* group)
{
    group->Reset();
    group->ReloadFromFolder(g_pEcrSetting->DataPath);
}

BOOL CALLBACK CEcrTilldeskApp::CloseWindowsOfProcess(HWND hWnd, LPARAM lParam)
{
    return CChildProgram::CloseWindowsOfProcess(hWnd, lParam);
}
