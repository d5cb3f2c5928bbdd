// Message maps: per-class tables of typed handlers, searched from the class
// up through its bases.
//
// Each entry holds a small thunk made from a lambda inside the class's own
// map function, so it calls the handler with its real signature and with the
// class's access rights. Handlers are named with their class, as in
// ON_BN_CLICKED(IDC_SEND, &CSelectDlg::OnSend).
#pragma once

#include <windows.h>

class CCmdTarget;

// The message being dispatched; a thunk stores the handler's result here.
struct AFX_MSGCALL
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
};

using AFX_PMSG = void (*)(CCmdTarget*, AFX_MSGCALL&);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;  // window message, WM_COMMAND or WM_NOTIFY (plus WM_REFLECT_BASE when reflected)
    UINT nCode;     // control notification code, or 0
    UINT nID;       // first control id, or 0
    UINT nLastID;   // last control id of a range, or 0
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Notifications a parent reflects back to the child control they came from.
constexpr UINT WM_REFLECT_BASE = 0xBC00;

#define DECLARE_MESSAGE_MAP()                      \
protected:                                         \
    static const AFX_MSGMAP* GetThisMessageMap();  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }   \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                      \
    {                                                                                    \
        using ThisClass = theClass;                                                      \
        using TheBaseClass = baseClass;                                                  \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                              \
        {0, 0, 0, 0, nullptr}};                                                          \
        static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, &entries[0]};   \
        return &map;                                                                     \
    }

// One entry whose thunk runs the statement given; `p` is the object, `m` the call.
#define AFX_MSG_ENTRY(msg, code, id, lastId, ...)                                      \
    {static_cast<UINT>(msg), static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(lastId), \
     [](CCmdTarget* target, AFX_MSGCALL& m) {                                            \
         ThisClass* p = static_cast<ThisClass*>(target);                                 \
         (void)p; (void)m;                                                               \
         __VA_ARGS__;                                                                    \
     }},

#define AFX_PT() CPoint(m.lParam)
#define AFX_WND(h) CWnd::FromHandle(reinterpret_cast<HWND>(h))

// Commands and control notifications.
#define ON_COMMAND(id, fn) AFX_MSG_ENTRY(WM_COMMAND, 0, id, id, (p->*fn)())
#define ON_COMMAND_RANGE(id, lastId, fn) AFX_MSG_ENTRY(WM_COMMAND, 0, id, lastId, (p->*fn)(LOWORD(m.wParam)))
#define ON_CONTROL(code, id, fn) AFX_MSG_ENTRY(WM_COMMAND, code, id, id, (p->*fn)())
#define ON_CONTROL_RANGE(code, id, lastId, fn) AFX_MSG_ENTRY(WM_COMMAND, code, id, lastId, (p->*fn)(LOWORD(m.wParam)))
#define ON_CONTROL_REFLECT(code, fn) AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, (p->*fn)())
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_UPDATE(id, fn) ON_CONTROL(EN_UPDATE, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_SELENDOK(id, fn) ON_CONTROL(CBN_SELENDOK, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_CLOSEUP(id, fn) ON_CONTROL(CBN_CLOSEUP, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)
#define ON_STN_DBLCLK(id, fn) ON_CONTROL(STN_DBLCLK, id, fn)

#define ON_NOTIFY(code, id, fn) \
    AFX_MSG_ENTRY(WM_NOTIFY, code, id, id, (p->*fn)(reinterpret_cast<NMHDR*>(m.lParam), &m.result))
#define ON_NOTIFY_RANGE(code, id, lastId, fn) \
    AFX_MSG_ENTRY(WM_NOTIFY, code, id, lastId, (p->*fn)(static_cast<UINT>(reinterpret_cast<NMHDR*>(m.lParam)->idFrom), reinterpret_cast<NMHDR*>(m.lParam), &m.result))
#define ON_NOTIFY_REFLECT(code, fn) \
    AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, (p->*fn)(reinterpret_cast<NMHDR*>(m.lParam), &m.result))

// User-defined window and thread messages.
#define ON_MESSAGE(msg, fn) AFX_MSG_ENTRY(msg, 0, 0, 0, m.result = (p->*fn)(m.wParam, m.lParam))
#define ON_THREAD_MESSAGE(msg, fn) AFX_MSG_ENTRY(msg, 0, 0, 0, (p->*fn)(m.wParam, m.lParam))

// Standard window messages, with the handler signatures of CWnd.
#define ON_WM_CREATE() AFX_MSG_ENTRY(WM_CREATE, 0, 0, 0, m.result = p->OnCreate(reinterpret_cast<LPCREATESTRUCT>(m.lParam)))
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, 0, 0, 0, p->OnDestroy())
#define ON_WM_NCDESTROY() AFX_MSG_ENTRY(WM_NCDESTROY, 0, 0, 0, p->OnNcDestroy())
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, 0, 0, 0, p->OnClose())
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, 0, 0, 0, p->OnPaint())
#define ON_WM_SIZE() AFX_MSG_ENTRY(WM_SIZE, 0, 0, 0, p->OnSize(static_cast<UINT>(m.wParam), static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))))
#define ON_WM_MOVE() AFX_MSG_ENTRY(WM_MOVE, 0, 0, 0, p->OnMove(static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))))
#define ON_WM_GETMINMAXINFO() AFX_MSG_ENTRY(WM_GETMINMAXINFO, 0, 0, 0, p->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(m.lParam)))
#define ON_WM_SHOWWINDOW() AFX_MSG_ENTRY(WM_SHOWWINDOW, 0, 0, 0, p->OnShowWindow(static_cast<BOOL>(m.wParam), static_cast<UINT>(m.lParam)))
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, 0, 0, 0, p->OnTimer(static_cast<UINT_PTR>(m.wParam)))
#define ON_WM_SYSCOMMAND() AFX_MSG_ENTRY(WM_SYSCOMMAND, 0, 0, 0, p->OnSysCommand(static_cast<UINT>(m.wParam), m.lParam))
#define ON_WM_SETFOCUS() AFX_MSG_ENTRY(WM_SETFOCUS, 0, 0, 0, p->OnSetFocus(AFX_WND(m.wParam)))
#define ON_WM_KILLFOCUS() AFX_MSG_ENTRY(WM_KILLFOCUS, 0, 0, 0, p->OnKillFocus(AFX_WND(m.wParam)))
#define ON_WM_GETDLGCODE() AFX_MSG_ENTRY(WM_GETDLGCODE, 0, 0, 0, m.result = p->OnGetDlgCode())
#define ON_WM_KEYDOWN() AFX_MSG_ENTRY(WM_KEYDOWN, 0, 0, 0, p->OnKeyDown(static_cast<UINT>(m.wParam), LOWORD(m.lParam), HIWORD(m.lParam)))
#define ON_WM_KEYUP() AFX_MSG_ENTRY(WM_KEYUP, 0, 0, 0, p->OnKeyUp(static_cast<UINT>(m.wParam), LOWORD(m.lParam), HIWORD(m.lParam)))
#define ON_WM_SYSKEYDOWN() AFX_MSG_ENTRY(WM_SYSKEYDOWN, 0, 0, 0, p->OnSysKeyDown(static_cast<UINT>(m.wParam), LOWORD(m.lParam), HIWORD(m.lParam)))
#define ON_WM_CHAR() AFX_MSG_ENTRY(WM_CHAR, 0, 0, 0, p->OnChar(static_cast<UINT>(m.wParam), LOWORD(m.lParam), HIWORD(m.lParam)))
#define ON_WM_LBUTTONDOWN() AFX_MSG_ENTRY(WM_LBUTTONDOWN, 0, 0, 0, p->OnLButtonDown(static_cast<UINT>(m.wParam), AFX_PT()))
#define ON_WM_LBUTTONUP() AFX_MSG_ENTRY(WM_LBUTTONUP, 0, 0, 0, p->OnLButtonUp(static_cast<UINT>(m.wParam), AFX_PT()))
#define ON_WM_LBUTTONDBLCLK() AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, 0, 0, 0, p->OnLButtonDblClk(static_cast<UINT>(m.wParam), AFX_PT()))
#define ON_WM_RBUTTONDOWN() AFX_MSG_ENTRY(WM_RBUTTONDOWN, 0, 0, 0, p->OnRButtonDown(static_cast<UINT>(m.wParam), AFX_PT()))
#define ON_WM_RBUTTONUP() AFX_MSG_ENTRY(WM_RBUTTONUP, 0, 0, 0, p->OnRButtonUp(static_cast<UINT>(m.wParam), AFX_PT()))
#define ON_WM_MOUSEMOVE() AFX_MSG_ENTRY(WM_MOUSEMOVE, 0, 0, 0, p->OnMouseMove(static_cast<UINT>(m.wParam), AFX_PT()))
#define ON_WM_MOUSEWHEEL() AFX_MSG_ENTRY(WM_MOUSEWHEEL, 0, 0, 0, m.result = p->OnMouseWheel(LOWORD(m.wParam), static_cast<short>(HIWORD(m.wParam)), AFX_PT()))
#define ON_WM_CAPTURECHANGED() AFX_MSG_ENTRY(WM_CAPTURECHANGED, 0, 0, 0, p->OnCaptureChanged(AFX_WND(m.lParam)))
#define ON_WM_SETCURSOR() AFX_MSG_ENTRY(WM_SETCURSOR, 0, 0, 0, m.result = p->OnSetCursor(AFX_WND(m.wParam), LOWORD(m.lParam), HIWORD(m.lParam)))
#define ON_WM_CONTEXTMENU() AFX_MSG_ENTRY(WM_CONTEXTMENU, 0, 0, 0, p->OnContextMenu(AFX_WND(m.wParam), AFX_PT()))
#define ON_WM_HSCROLL() AFX_MSG_ENTRY(WM_HSCROLL, 0, 0, 0, p->OnHScroll(LOWORD(m.wParam), static_cast<short>(HIWORD(m.wParam)), reinterpret_cast<CScrollBar*>(m.lParam ? AFX_WND(m.lParam) : nullptr)))
#define ON_WM_VSCROLL() AFX_MSG_ENTRY(WM_VSCROLL, 0, 0, 0, p->OnVScroll(LOWORD(m.wParam), static_cast<short>(HIWORD(m.wParam)), reinterpret_cast<CScrollBar*>(m.lParam ? AFX_WND(m.lParam) : nullptr)))
#define ON_WM_DRAWITEM() AFX_MSG_ENTRY(WM_DRAWITEM, 0, 0, 0, p->OnDrawItem(static_cast<int>(m.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(m.lParam)); m.result = TRUE)
#define ON_WM_MEASUREITEM() AFX_MSG_ENTRY(WM_MEASUREITEM, 0, 0, 0, p->OnMeasureItem(static_cast<int>(m.wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(m.lParam)); m.result = TRUE)
#define ON_WM_SETTINGCHANGE() AFX_MSG_ENTRY(WM_SETTINGCHANGE, 0, 0, 0, p->OnSettingChange(static_cast<UINT>(m.wParam), reinterpret_cast<LPCWSTR>(m.lParam)))
#define ON_WM_SYSCOLORCHANGE() AFX_MSG_ENTRY(WM_SYSCOLORCHANGE, 0, 0, 0, p->OnSysColorChange())
#define ON_WM_ACTIVATE() AFX_MSG_ENTRY(WM_ACTIVATE, 0, 0, 0, p->OnActivate(LOWORD(m.wParam), AFX_WND(m.lParam), HIWORD(m.wParam)))
#define ON_WM_NCHITTEST() AFX_MSG_ENTRY(WM_NCHITTEST, 0, 0, 0, m.result = p->OnNcHitTest(AFX_PT()))
#define ON_WM_ERASEBKGND() AFX_MSG_ENTRY(WM_ERASEBKGND, 0, 0, 0, CDC dc_; dc_.Attach(reinterpret_cast<HDC>(m.wParam)); m.result = p->OnEraseBkgnd(&dc_); dc_.Detach())
// All WM_CTLCOLOR* messages go to one handler with the control type.
#define AFX_CTLCOLOR_ENTRY(msg, type) AFX_MSG_ENTRY(msg, 0, 0, 0, CDC dc_; dc_.Attach(reinterpret_cast<HDC>(m.wParam)); m.result = reinterpret_cast<LRESULT>(p->OnCtlColor(&dc_, AFX_WND(m.lParam), type)); dc_.Detach())
#define ON_WM_CTLCOLOR()                                       \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLORMSGBOX, CTLCOLOR_MSGBOX)     \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLOREDIT, CTLCOLOR_EDIT)         \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLORLISTBOX, CTLCOLOR_LISTBOX)   \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLORBTN, CTLCOLOR_BTN)           \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLORDLG, CTLCOLOR_DLG)           \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLORSCROLLBAR, CTLCOLOR_SCROLLBAR) \
    AFX_CTLCOLOR_ENTRY(WM_CTLCOLORSTATIC, CTLCOLOR_STATIC)

// A control's own colour request, reflected by its parent, to CtlColor(CDC*, UINT type).
#define AFX_CTLCOLOR_REFLECT_ENTRY(msg, type) AFX_MSG_ENTRY(WM_REFLECT_BASE + msg, 0, 0, 0, CDC dc_; dc_.Attach(reinterpret_cast<HDC>(m.wParam)); m.result = reinterpret_cast<LRESULT>(p->CtlColor(&dc_, type)); dc_.Detach())
#define ON_WM_CTLCOLOR_REFLECT()                                         \
    AFX_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLOREDIT, CTLCOLOR_EDIT)           \
    AFX_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLORLISTBOX, CTLCOLOR_LISTBOX)     \
    AFX_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLORBTN, CTLCOLOR_BTN)             \
    AFX_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLORSCROLLBAR, CTLCOLOR_SCROLLBAR) \
    AFX_CTLCOLOR_REFLECT_ENTRY(WM_CTLCOLORSTATIC, CTLCOLOR_STATIC)
