#include "window.h"

#include <mutex>
#include <new>
#include <unordered_map>

#include "app.h"
#include "cmdui.h"
#include "gdi.h"
#include "menu.h"
#include "msgbox.h"

namespace {

// The permanent map; workers reach windows through it too, hence the lock.
std::mutex g_mapLock;
std::unordered_map<HWND, CWnd*>& HandleMap()
{
    static auto* map = new std::unordered_map<HWND, CWnd*>;  // outlives every static window
    return *map;
}

// The message being dispatched on this thread, for CWnd::Default.
thread_local MSG t_currentMsg;

thread_local CWnd* t_pendingCreate = nullptr;
thread_local HHOOK t_createHook = nullptr;

void MapErase(HWND hWnd)
{
    std::lock_guard<std::mutex> lock(g_mapLock);
    HandleMap().erase(hWnd);
}

bool IsReflected(UINT message)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

// The control a parent notification came from, if it has an object.
CWnd* NotifyingChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND child = nullptr;
    switch (message) {
    case WM_COMMAND:
        child = reinterpret_cast<HWND>(lParam);
        break;
    case WM_NOTIFY:
        child = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
        break;
    case WM_DRAWITEM:
        if (reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->CtlType != ODT_MENU)
            child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
        break;
    case WM_MEASUREITEM:
        if (reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlType != ODT_MENU)
            child = ::GetDlgItem(parent, static_cast<int>(wParam));
        break;
    case WM_COMPAREITEM:
        child = reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem;
        break;
    case WM_DELETEITEM:
        child = reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem;
        break;
    default:
        child = reinterpret_cast<HWND>(lParam);
        break;
    }
    if (!child || child == parent)
        return nullptr;
    return CWnd::FromHandlePermanent(child);
}

// The menu object an owner-draw request of type ODT_MENU is meant for.
CMenu* OwnerDrawnMenu(UINT message, LPARAM lParam)
{
    if (message == WM_DRAWITEM) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        return item->CtlType == ODT_MENU ? CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(item->hwndItem)) : nullptr;
    }
    if (message == WM_MEASUREITEM) {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        return item->CtlType == ODT_MENU ? CMenu::FromMeasuredItem(*item) : nullptr;
    }
    return nullptr;
}

LRESULT CALLBACK CreateHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_pendingCreate) {
        CWnd* wnd = t_pendingCreate;
        t_pendingCreate = nullptr;
        wnd->SubclassWindow(reinterpret_cast<HWND>(wParam));
        // Done: the rest of this creation (a dialog's controls) runs without
        // the hook, which would cost each control calls to the window system.
        HHOOK hook = t_createHook;
        t_createHook = nullptr;
        const LRESULT result = ::CallNextHookEx(hook, code, wParam, lParam);
        ::UnhookWindowsHookEx(hook);
        return result;
    }
    return ::CallNextHookEx(t_createHook, code, wParam, lParam);
}

} // namespace

// ---- CCmdTarget ----------------------------------------------------------

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

bool CCmdTarget::DispatchMessageMap(UINT message, UINT code, UINT id, AFX_MSGCALL& call)
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
            if (e->nMessage != message || e->nCode != code)
                continue;
            // Ranged entries (commands, notifications) must cover the id.
            if ((e->nID || e->nLastID) && (id < e->nID || id > e->nLastID))
                continue;
            e->pfn(this, call);
            return true;
        }
    }
    return false;
}

// ---- CWnd: the handle map ----------------------------------------------

CWnd::~CWnd()
{
    if (m_hWnd && ::IsWindow(m_hWnd) && !m_bAutoDelete)
        ::DestroyWindow(m_hWnd);
    if (m_hWnd)
        MapErase(m_hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    std::lock_guard<std::mutex> lock(g_mapLock);
    auto it = HandleMap().find(hWnd);
    return it == HandleMap().end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* wnd = FromHandlePermanent(hWnd))
        return wnd;
    if (!::IsWindow(hWnd))
        return nullptr;
    CWnd* wnd = new CWnd;
    wnd->m_bAutoDelete = true;
    if (!wnd->SubclassWindow(hWnd)) {
        // Another thread attached it meanwhile, or it is not ours to subclass.
        delete wnd;
        return FromHandlePermanent(hWnd);
    }
    return wnd;
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || m_hWnd)
        return FALSE;
    {
        std::lock_guard<std::mutex> lock(g_mapLock);
        if (!HandleMap().emplace(hWnd, this).second)
            return FALSE;
    }
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd)
        MapErase(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    if (current != AfxWndProc) {
        auto old = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
        if (!old) {
            Detach();
            return FALSE;
        }
        m_pfnSuper = old;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND control = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
    if (!control)
        return FALSE;
    // A wrapper made earlier by FromHandle gives way to the real object.
    if (CWnd* old = FromHandlePermanent(control); old && old->m_bAutoDelete) {
        old->UnsubclassWindow();
        delete old;
    }
    return SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    return Detach();
}

// ---- CWnd: creation and destruction ------------------------------------

void AfxHookWindowCreate(CWnd* wnd)
{
    if (!t_createHook) {
        t_createHook = ::SetWindowsHookExW(WH_CBT, CreateHookProc, nullptr, ::GetCurrentThreadId());
        if (!t_createHook)
            AfxThrowResourceException();
    }
    t_pendingCreate = wnd;
}

bool AfxUnhookWindowCreate()
{
    bool taken = t_pendingCreate == nullptr;
    t_pendingCreate = nullptr;
    if (t_createHook) {
        ::UnhookWindowsHookEx(t_createHook);
        t_createHook = nullptr;
    }
    return taken;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, LPVOID param)
{
    CREATESTRUCTW cs = {};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = windowName;
    cs.style = static_cast<LONG>(style);
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = parent ? parent->m_hWnd : nullptr;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs))
        return FALSE;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style),
                                  cs.x, cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                  cs.lpCreateParams);
    AfxUnhookWindowCreate();
    if (!hWnd && m_hWnd)  // creation failed after the hook attached us
        Detach();
    return hWnd != nullptr;
}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, LPVOID param)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, param);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

// ---- CWnd: dispatch -----------------------------------------------------

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (!wnd)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);

    MSG saved = t_currentMsg;
    t_currentMsg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (CException* e) {
        // The barrier: a framework exception ends this message, not the program.
        e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
    } catch (const std::bad_alloc&) {
        CMemoryException().ReportError(MB_ICONEXCLAMATION);
    }
    t_currentMsg = saved;

    if (message == WM_NCDESTROY && wnd->m_hWnd == hWnd) {
        wnd->UnsubclassWindow();
        wnd->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND)
        return OnCommand(wParam, lParam);
    if (message == WM_NOTIFY)
        return OnNotify(wParam, lParam, result);

    // A popup about to show asks its owner which of its commands can run.
    if (message == WM_INITMENUPOPUP && !HIWORD(lParam))
        CCmdUI::UpdateMenu(reinterpret_cast<HMENU>(wParam), this);
    if (CMenu* menu = OwnerDrawnMenu(message, lParam)) {
        if (message == WM_DRAWITEM)
            menu->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        else
            menu->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        *result = TRUE;
        return TRUE;
    }
    if (IsReflected(message)) {
        if (CWnd* child = NotifyingChild(m_hWnd, message, wParam, lParam))
            if (child->OnChildNotify(message, wParam, lParam, result))
                return TRUE;
    }
    AFX_MSGCALL call{message, wParam, lParam, 0};
    if (!DispatchMessageMap(message, 0, 0, call))
        return FALSE;
    *result = call.result;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    UINT code = HIWORD(wParam);
    if (lParam) {
        if (CWnd* child = FromHandlePermanent(reinterpret_cast<HWND>(lParam))) {
            LRESULT ignored = 0;
            if (child->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored))
                return TRUE;
        }
    } else {
        code = 0;  // menus and accelerators: the command alone counts
    }
    AFX_MSGCALL call{WM_COMMAND, wParam, lParam, 0};
    return DispatchMessageMap(WM_COMMAND, code, id, call);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (CWnd* child = FromHandlePermanent(header->hwndFrom); child && child != this)
        if (child->OnChildNotify(WM_NOTIFY, header->idFrom, lParam, result))
            return TRUE;
    AFX_MSGCALL call{WM_NOTIFY, header->idFrom, lParam, 0};
    if (!DispatchMessageMap(WM_NOTIFY, header->code, static_cast<UINT>(header->idFrom), call))
        return FALSE;
    *result = call.result;
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    UINT code = 0;
    if (message == WM_COMMAND)
        code = HIWORD(wParam);
    else if (message == WM_NOTIFY)
        code = reinterpret_cast<NMHDR*>(lParam)->code;
    AFX_MSGCALL call{WM_REFLECT_BASE + message, wParam, lParam, 0};
    if (!DispatchMessageMap(WM_REFLECT_BASE + message, code, 0, call))
        return FALSE;
    *result = call.result;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_currentMsg.message, t_currentMsg.wParam, t_currentMsg.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {&CCmdTarget::GetThisMessageMap, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

// ---- CWnd: helpers --------------------------------------------------------

namespace {

// Changes a style word; the frame is told when swpFlags asks for it.
BOOL ModifyStyleWord(HWND hWnd, int index, DWORD remove, DWORD add, UINT swpFlags)
{
    DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, index));
    DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    ::SetWindowLongPtrW(hWnd, index, static_cast<LONG_PTR>(changed));
    if (swpFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyStyleWord(m_hWnd, GWL_STYLE, remove, add, swpFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags)
{
    return ModifyStyleWord(m_hWnd, GWL_EXSTYLE, remove, add, swpFlags);
}

void CWnd::GetWindowText(CString& text) const
{
    int n = ::GetWindowTextLengthW(m_hWnd);
    if (n <= 0) {
        text.Empty();
        return;
    }
    int got = ::GetWindowTextW(m_hWnd, text.GetBuffer(n), n + 1);
    text.ReleaseBuffer(got < 0 ? 0 : got);
}

int CWnd::GetDlgItemText(int id, CString& text) const
{
    HWND item = ::GetDlgItem(m_hWnd, id);
    if (!item) {
        text.Empty();
        return 0;
    }
    int n = ::GetWindowTextLengthW(item);
    int got = n > 0 ? ::GetWindowTextW(item, text.GetBuffer(n), n + 1) : 0;
    text.ReleaseBuffer(got < 0 ? 0 : got);
    return text.GetLength();
}

void CWnd::SetFont(CFont* font, BOOL redraw)
{
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr), redraw);
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(rect));
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(rect) + 1);
}

void CWnd::ClientToScreen(LPRECT rect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(rect));
    ::ClientToScreen(m_hWnd, reinterpret_cast<POINT*>(rect) + 1);
}

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    HWND owner = alternateOwner ? alternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    RECT area;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &area);
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT me;
    ::GetWindowRect(m_hWnd, &me);
    int w = me.right - me.left;
    int h = me.bottom - me.top;
    ::SetWindowPos(m_hWnd, nullptr, (area.left + area.right - w) / 2, (area.top + area.bottom - h) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND top = ::GetAncestor(m_hWnd, GA_ROOT);
    return FromHandle(top ? top : m_hWnd);
}

int CWnd::MessageBox(LPCWSTR text, LPCWSTR caption, UINT type)
{
    return AfxShowMessageBox(m_hWnd, text, caption, type);
}
