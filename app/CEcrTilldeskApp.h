#pragma once

#include <deque>

#include "CCaptionMgr.h"
#include "CEcrDll.h"
#include "EcrWndNo.h"
#include "FolderLock.h"
#include "afx.h"

// The application: starts the program, switches screens by window number on
// request, reacts to changes of model, language and data folder, reloads
// data groups and shuts down in a fixed order.
class CEcrTilldeskApp : public CWinApp
{
public:
    CEcrTilldeskApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Makes the screen of wndNo current: the model library's own if it has
    // one, else the program's. Nothing changes when neither can make it.
    void ShowWindowByNumber(int wndNo, int listPos);
    // The program's own screen for wndNo, created hidden; null if it has none.
    CWnd* CreateOwnWindow(int wndNo);
    // The library change of WM_ECR_MODEL_CHANGED.
    void LoadModelDll(const wchar_t* path);
    // EnumWindows callback: asks the child process at lParam (a
    // PROCESS_INFORMATION) to close its main window (see CChildProgram).
    static BOOL CALLBACK CloseWindowsOfProcess(HWND hWnd, LPARAM lParam);

    // Opens the settings' data folder for this copy: false, after saying so,
    // when another copy of the program has it open.
    bool OpenDataFolder();
    // The mark of folder for this copy, to be held once the folder is
    // current; stays empty when this copy holds the folder already. False,
    // after saying so, when another copy has the folder open.
    bool MarkDataFolder(const CString& folder, FolderLock& mark);

    // The caption manager, or null while there is none.
    CCaptionManagerBase* CaptionManager();
    // Frees the current screen the way it was made.
    void FreeCurrentWindow();

    CWnd* CurrentWnd = nullptr;
    BOOL CurrentIsExDialog = FALSE;
    CEcrDll EcrDll;
    FolderLock DataFolderLock;  // of the data folder this copy has open
    CCaptionMgr CaptionMgr;  // destroyed first: writes captions while the library is loaded

protected:
    void OnShowWindowRequest(WPARAM wndNo, LPARAM listPos);
    void OnExitRequest(WPARAM, LPARAM);
    void OnFolderChanged(WPARAM folder, LPARAM);
    void OnLanguageChanged(WPARAM language, LPARAM);
    void OnModelChanged(WPARAM path, LPARAM);
    void OnDataReload(WPARAM kind, LPARAM value);
    void OnReplayDeferred(WPARAM, LPARAM);
    void OnModalLoopsEnded() override;
    DECLARE_MESSAGE_MAP()

private:
    struct Deferred
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        CString text;  // the model library path of WM_ECR_MODEL_CHANGED
    };

    void ReportSettingsNotSaved(DWORD error);
    // Writes the settings file now, so programs started from here (the key
    // layout program) read the current model and data folder.
    void WriteSettingsNow();
    void ReloadDataGroup(int kind, int value);
    // Reset, then read again from the data folder.
    void ReloadGroup(CEcrData* group);
    void RefreshCurrentWindow();
    // Screen switches, model changes and the exit question wait until no
    // modal loop runs, so no screen is destroyed under its own handler.
    bool DeferWhileModal(UINT message, WPARAM wParam, LPARAM lParam, const wchar_t* text = nullptr);
    void Execute(const Deferred& request);

    std::deque<Deferred> m_deferred;
    bool m_oleInitialized = false;
    bool m_settingsFailureReported = false;  // by a write before exit
};

extern CEcrTilldeskApp theApp;
