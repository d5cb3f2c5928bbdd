#include "app.h"

#include "msgbox.h"

namespace {

CWinApp* g_app = nullptr;
HINSTANCE g_resource = nullptr;
int g_modalDepth = 0;

const wchar_t kMessageWindowClass[] = L"AfxAppMessageWindow";

LRESULT CALLBACK MessageWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER && g_app) {
        try {
            if (g_app->DispatchThreadMessage(message, wParam, lParam))
                return 0;
        } catch (CException* e) {
            e->ReportError(MB_ICONEXCLAMATION);
            e->Delete();
            return 0;
        }
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// System modal loops (message boxes, menus) call this filter for each
// message; thread messages would be lost there otherwise.
LRESULT CALLBACK MessageFilterProc(int code, WPARAM wParam, LPARAM lParam)
{
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code >= 0 && msg && !msg->hwnd && g_app && g_app->m_nThreadID == ::GetCurrentThreadId()) {
        try {
            if (g_app->DispatchThreadMessage(msg->message, msg->wParam, msg->lParam))
                return TRUE;
        } catch (CException* e) {
            e->ReportError(MB_ICONEXCLAMATION);
            e->Delete();
            return TRUE;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

bool IsDialogWindow(HWND hWnd)
{
    return ::GetClassLongPtrW(hWnd, GCW_ATOM) == 32770;  // the system dialog class
}

} // namespace

CWinApp::CWinApp(LPCWSTR appName)
    : m_nThreadID(::GetCurrentThreadId()),
      m_hInstance(::GetModuleHandleW(nullptr)),
      m_pszAppName(appName)
{
    g_app = this;
    if (!m_pszAppName) {
        // The module's base name without its extension.
        static wchar_t name[MAX_PATH];
        wchar_t path[MAX_PATH];
        DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        const wchar_t* base = path;
        for (DWORD i = 0; i < n; ++i)
            if (path[i] == L'\\' || path[i] == L'/')
                base = path + i + 1;
        lstrcpynW(name, base, MAX_PATH);
        for (wchar_t* p = name + lstrlenW(name); p > name; --p)
            if (*p == L'.') {
                *p = 0;
                break;
            }
        m_pszAppName = name;
    }

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = MessageWindowProc;
    wc.hInstance = m_hInstance;
    wc.lpszClassName = kMessageWindowClass;
    if (!::GetClassInfoExW(m_hInstance, kMessageWindowClass, &wc))
        ::RegisterClassExW(&wc);
    m_hMessageWnd = ::CreateWindowExW(0, kMessageWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      m_hInstance, nullptr);
    m_hMsgFilter = ::SetWindowsHookExW(WH_MSGFILTER, MessageFilterProc, nullptr, m_nThreadID);
}

CWinApp::~CWinApp()
{
    if (m_hMsgFilter)
        ::UnhookWindowsHookEx(m_hMsgFilter);
    if (m_hMessageWnd)
        ::DestroyWindow(m_hMessageWnd);
    if (g_app == this)
        g_app = nullptr;
}

const AFX_MSGMAP* CWinApp::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {&CCmdTarget::GetThisMessageMap, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CWinApp::GetMessageMap() const
{
    return GetThisMessageMap();
}

bool CWinApp::DispatchThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    AFX_MSGCALL call{message, wParam, lParam, 0};
    return DispatchMessageMap(message, 0, 0, call);
}

BOOL CWinApp::PostApplicationMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (m_hMessageWnd)
        return ::PostMessageW(m_hMessageWnd, message, wParam, lParam);
    return ::PostThreadMessageW(m_nThreadID, message, wParam, lParam);
}

BOOL CWinApp::PreTranslateMessage(MSG* msg)
{
    if (!msg->hwnd) {
        DispatchThreadMessage(msg->message, msg->wParam, msg->lParam);
        return TRUE;
    }
    for (HWND h = msg->hwnd; h; h = ::GetParent(h)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(h))
            if (wnd->PreTranslateMessage(msg))
                return TRUE;
        if (!(::GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD))
            break;
    }
    HWND root = ::GetAncestor(msg->hwnd, GA_ROOT);
    return root && IsDialogWindow(root) && ::IsDialogMessageW(root, msg);
}

int CWinApp::Run()
{
    MSG msg;
    for (;;) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    m_nExitCode = static_cast<int>(msg.wParam);
    return ExitInstance();
}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    return g_app ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_app ? g_app->m_hInstance : ::GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return g_resource ? g_resource : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE module)
{
    g_resource = module;
}

BOOL AfxPreTranslateMessage(MSG* msg)
{
    if (g_app)
        return g_app->PreTranslateMessage(msg);
    HWND root = msg->hwnd ? ::GetAncestor(msg->hwnd, GA_ROOT) : nullptr;
    return root && IsDialogWindow(root) && ::IsDialogMessageW(root, msg);
}

BOOL AfxPumpMessage()
{
    MSG msg;
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
        return FALSE;
    }
    if (got == -1)
        return FALSE;
    if (!AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return TRUE;
}

int AfxGetModalDepth()
{
    return g_modalDepth;
}

bool AfxIsUiThread()
{
    return g_app && g_app->m_nThreadID == ::GetCurrentThreadId();
}

// Only loops on the UI thread count: a worker's message box blocks no screen.
CModalScope::CModalScope() : m_counted(AfxIsUiThread())
{
    if (m_counted)
        ++g_modalDepth;
}

CModalScope::~CModalScope()
{
    if (m_counted && --g_modalDepth == 0 && g_app)
        g_app->OnModalLoopsEnded();
}

int AfxWinMain(HINSTANCE instance)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = instance;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd)
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}
