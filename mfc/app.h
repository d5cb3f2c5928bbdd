// The application object, the message loop and modal-loop bookkeeping.
//
// Thread messages (posted with PostThreadMessage to m_nThreadID) are handled
// by the application's message map (ON_THREAD_MESSAGE) in every loop this
// layer runs, DoModal included. Loops the system runs (message boxes, menus,
// common dialogs) drop them, so the application also owns a message-only
// window: what is posted there with PostApplicationMessage reaches the same map from
// any loop, and a message-filter hook rescues thread messages where the
// system lets it.
#pragma once

#include <windows.h>

#include "window.h"

class CWinApp : public CCmdTarget
{
public:
    explicit CWinApp(LPCWSTR appName = nullptr);
    ~CWinApp() override;

    CWnd* m_pMainWnd = nullptr;
    DWORD m_nThreadID;
    HINSTANCE m_hInstance;
    LPCWSTR m_pszAppName;
    LPCWSTR m_pszRegistryKey = nullptr;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return m_nExitCode; }
    // The main loop; returns ExitInstance's result after WM_QUIT.
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* msg);

    void SetRegistryKey(LPCWSTR key) { m_pszRegistryKey = key; }

    // Runs the application's map on a thread message; false when none matches.
    virtual bool DispatchThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Posts to the message-only window (survives system modal loops).
    BOOL PostApplicationMessage(UINT message, WPARAM wParam, LPARAM lParam) const;
    HWND GetMessageWindow() const { return m_hMessageWnd; }
    // Called when the last modal loop on the UI thread has ended.
    virtual void OnModalLoopsEnded() {}

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

    int m_nExitCode = 0;

private:
    HWND m_hMessageWnd = nullptr;
    HHOOK m_hMsgFilter = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
// Module whose resources (dialog templates, strings) are loaded.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);

// Fetches and handles one message as the main loop does; false on WM_QUIT,
// which is left in the queue for the outer loop.
BOOL AfxPumpMessage();
// Runs the pre-translation of the main loop: thread messages, then
// PreTranslateMessage from the target up its parents, then dialog keys.
BOOL AfxPreTranslateMessage(MSG* msg);

// Number of modal loops running on the UI thread (dialogs, message boxes,
// common dialogs), for handlers that must not switch screens under them.
int AfxGetModalDepth();
// Whether the caller runs on the application's (UI) thread.
bool AfxIsUiThread();
class CModalScope
{
public:
    CModalScope();
    ~CModalScope();
    CModalScope(const CModalScope&) = delete;
    CModalScope& operator=(const CModalScope&) = delete;

private:
    bool m_counted;
};

// The program's entry: InitInstance, then Run (or ExitInstance at once).
int AfxWinMain(HINSTANCE instance);
