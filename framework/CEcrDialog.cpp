#include "CEcrDialog.h"

#include <algorithm>

#include "CAboutDlg.h"
#include "CCaptionEditer.h"
#include "CaptionText.h"
#include "EcrGlobals.h"
#include "EcrWndNo.h"
#include "FrameworkResources.h"
#include "S_ECR_SETTING.h"

namespace {

bool HasClass(HWND hWnd, const wchar_t* name)
{
    wchar_t cls[64];
    return ::GetClassNameW(hWnd, cls, 64) > 0 && ::lstrcmpiW(cls, name) == 0;
}

// The system menu's item of the about box is a common caption, so it reads in
// the screens' language; the program's string stands when the caption file
// lacks it. Empty when the program has no such string (then there is no item).
constexpr int kAboutItemCaption = 511;

CString AboutItemText()
{
    wchar_t text[128] = {};
    if (::LoadStringW(AfxGetResourceHandle(), IDS_ABOUTBOX, text, 128) <= 0)
        return CString();
    return CaptionText(WNDNO_COMMON, kAboutItemCaption, text);
}

} // namespace

BEGIN_MESSAGE_MAP(CEcrDialog, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_MESSAGE(WM_QUERYDRAGICON, &CEcrDialog::OnQueryDragIcon)
    ON_MESSAGE(WM_ECR_REFRESH_CAPTIONS, &CEcrDialog::RefreshCaptions)
    AFX_MSG_ENTRY(WM_ECR_EDIT_CAPTION, 0, 0, 0, m.result = p->EditCaption(reinterpret_cast<CWnd*>(m.wParam), m.lParam))
END_MESSAGE_MAP()

CEcrDialog::CEcrDialog(UINT templateId, int wndNo, CWnd*)
    : CDialog(templateId, nullptr), WndNo(wndNo)
{
}

CEcrDialog::~CEcrDialog()
{
    CaptionMap.RemoveAll();
    if (ToolTip.m_hWnd)
        ToolTip.DestroyWindow();
}

// ---- captions -----------------------------------------------------------------

bool CEcrDialog::ApplyCaptionNumber(CWnd* control, int captionNo)
{
    S_ECR_CAP* cap = FindCaption(WndNo, captionNo);
    // A screen not shown yet (binding its captions as it opens) paints
    // everything when it shows.
    const BOOL redraw = IsWindowVisible();
    if (!cap) {
        // A font of an earlier caption file may be gone: take the dialog's back.
        control->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(GetFontHandle()), redraw);
        return false;
    }
    // Only what changes is set: each change repaints the control, and a
    // screen binds many. A caption's own font is always set again, as its
    // handle may be a new font's after a caption file was read again.
    HGDIOBJ font = cap->Font.m_hObject ? cap->Font.m_hObject : GetFontHandle();
    if (cap->Font.m_hObject || control->GetFontHandle() != font)
        control->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    if (control->GetWindowText() != cap->Text)
        control->SetWindowText(cap->Text);
    SetTip(control, cap->TipOn ? &cap->TipText : nullptr);
    return true;
}

void CEcrDialog::SetTip(CWnd* control, const CString* text)
{
    if (!ToolTip.m_hWnd) {
        auto pending = std::find_if(m_pendingTips.begin(), m_pendingTips.end(),
                                    [control](const auto& tip) { return tip.first == control; });
        if (pending != m_pendingTips.end())
            m_pendingTips.erase(pending);
        if (text)
            m_pendingTips.emplace_back(control, *text);
    } else if (text) {
        if (ToolTip.HasTool(control))
            ToolTip.UpdateTipText(*text, control);
        else
            ToolTip.AddTool(control, *text);
    } else if (ToolTip.HasTool(control)) {
        ToolTip.DelTool(control);
    }
}

void CEcrDialog::CreateToolTip()
{
    // Made at the first mouse message, when a tip can first show: a tooltip
    // is a window of its own, as costly to make as a screen's frame, and a
    // screen opens faster without it.
    if (ToolTip.m_hWnd || m_pendingTips.empty() || !ToolTip.Create(this, TTS_ALWAYSTIP))
        return;
    ToolTip.Activate(TRUE);
    ToolTip.SetMaxTipWidth(256);  // long tips wrap
    for (const auto& [control, text] : m_pendingTips)
        ToolTip.AddTool(control, text);
    m_pendingTips.clear();
}

BOOL CEcrDialog::BindCaption(CWnd* control, int captionNo)
{
    if (!control)
        return FALSE;
    int bound = 0;
    bool wasBound = CaptionMap.Lookup(control, bound) != FALSE;
    if (wasBound && bound == captionNo)
        return TRUE;
    CaptionMap.SetAt(control, captionNo);
    ApplyCaptionNumber(control, captionNo);
    return wasBound;
}

BOOL CEcrDialog::ApplyCaption(CWnd* control)
{
    int captionNo = 0;
    if (!control || !CaptionMap.Lookup(control, captionNo))
        return FALSE;
    return ApplyCaptionNumber(control, captionNo);
}

LRESULT CEcrDialog::RefreshCaptions(WPARAM, LPARAM)
{
    CWnd* control = nullptr;
    int captionNo = 0;
    for (POSITION pos = CaptionMap.GetStartPosition(); pos;) {
        CaptionMap.GetNextAssoc(pos, control, captionNo);
        ApplyCaptionNumber(control, captionNo);
    }
    // The system menu's about item follows the caption file too.
    HMENU system = ::GetSystemMenu(m_hWnd, FALSE);
    const CString about = AboutItemText();
    if (system && !about.IsEmpty() && ::GetMenuState(system, IDM_ABOUTBOX, MF_BYCOMMAND) != static_cast<UINT>(-1))
        ::ModifyMenuW(system, IDM_ABOUTBOX, MF_BYCOMMAND | MF_STRING, IDM_ABOUTBOX, about);
    UpdateWindow();
    return 0;
}

LRESULT CEcrDialog::EditCaption(CWnd* control, LPARAM)
{
    int captionNo = 0;
    if (CaptionEditing && control && CaptionMap.Lookup(control, captionNo)) {
        // The editor posts the refresh to this dialog when it changed the caption.
        CCaptionEditer editor(WndNo, captionNo, this);
        editor.DoModal();
    }
    // A click on an unbound control, or on the dialog, only ends editing.
    CaptionEditing = FALSE;
    return 0;
}

// ---- life cycle -----------------------------------------------------------------

BOOL CEcrDialog::OnInitDialog()
{
    if (HMENU system = ::GetSystemMenu(m_hWnd, FALSE)) {
        const CString text = AboutItemText();
        if (!text.IsEmpty()) {
            ::AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(system, MF_STRING, IDM_ABOUTBOX, text);
        }
    }
    // A dialog without an icon of its own has none to take: setting none
    // costs a trip to the window system for each size.
    if (Icon) {
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon));
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Icon));
    }

    // The layout starts from the size the dialog has now, whenever the
    // first WM_SIZE came; and it never shrinks below it.
    CRect client;
    GetClientRect(&client);
    LastCx = client.Width();
    LastCy = client.Height();
    CRect window;
    GetWindowRect(&window);
    m_minTrackSize = window.Size();
    return CDialog::OnInitDialog();
}

INT_PTR CEcrDialog::DoModal()
{
    IsModal = TRUE;
    return CDialog::DoModal();
}

void CEcrDialog::OnOK()
{
    // Enter must never hide a modeless screen.
    if (IsModal)
        CDialog::OnOK();
}

void CEcrDialog::OnCancel()
{
    if (!MayCloseNow())
        return;
    if (IsModal)
        EndDialog(IDCANCEL);
    else
        PostEcrMessage(WM_ECR_EXIT_REQUEST);
}

BOOL CEcrDialog::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_RBUTTONDOWN && g_pEcrSetting && g_pEcrSetting->CapEdit == 1 && !CaptionEditing) {
        POINT pt = {static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam))};
        ::ClientToScreen(msg->hwnd, &pt);
        ScreenToClient(&pt);
        HWND child = ::ChildWindowFromPointEx(m_hWnd, pt, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (child && child != m_hWnd) {
            // Only a posted request starts editing; otherwise it could never end.
            CaptionEditing = TRUE;
            PostMessage(WM_ECR_EDIT_CAPTION, reinterpret_cast<WPARAM>(CWnd::FromHandle(child)), 0);
        }
    }
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && PressFocusedButton())
        return TRUE;
    if (msg->message == WM_MOUSEMOVE || msg->message == WM_LBUTTONDOWN || msg->message == WM_LBUTTONUP) {
        CreateToolTip();
        if (ToolTip.m_hWnd)
            ToolTip.RelayEvent(msg);
    }
    return CDialog::PreTranslateMessage(msg);
}

bool CEcrDialog::PressFocusedButton()
{
    // Enter presses the push button that has the focus, as in system
    // dialogs; elsewhere it goes to the default button.
    HWND focus = ::GetFocus();
    if (!focus || ::GetParent(focus) != m_hWnd || !::IsWindowEnabled(focus))
        return false;
    wchar_t className[16] = {};
    ::GetClassNameW(focus, className, 16);
    LONG type = ::GetWindowLongW(focus, GWL_STYLE) & BS_TYPEMASK;
    if (::lstrcmpiW(className, L"Button") != 0 || (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON))
        return false;
    SendMessage(WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
    return true;
}

void CEcrDialog::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    }
    CDialog::OnSysCommand(id, lParam);
}

void CEcrDialog::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    CRect client;
    GetClientRect(&client);
    int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    if (Icon)
        ::DrawIcon(dc, x, y, Icon);
}

LRESULT CEcrDialog::OnQueryDragIcon(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(Icon);
}

// ---- resizing ----------------------------------------------------------------------

void CEcrDialog::OnGetMinMaxInfo(MINMAXINFO* info)
{
    CDialog::OnGetMinMaxInfo(info);
    if (m_minTrackSize.cx > 0) {
        info->ptMinTrackSize.x = m_minTrackSize.cx;
        info->ptMinTrackSize.y = m_minTrackSize.cy;
    }
}

void CEcrDialog::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    if (cx < 2 || cy < 2)
        return;  // minimised: the next restore resumes from the last size
    if (LastCx >= 0 && LastCy >= 0) {
        const int delta[2] = {cx - LastCx, cy - LastCy};
        if (delta[0] || delta[1])
            for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
                ResizeChild(CWnd::FromHandle(child), delta);
    }
    LastCx = cx;
    LastCy = cy;
}

BOOL CEcrDialog::LayoutChild(CWnd*, const int[2])
{
    return FALSE;
}

void CEcrDialog::ResizeChild(CWnd* child, const int delta[2])
{
    if (!child || LayoutChild(child, delta))
        return;
    CRect rect;
    child->GetWindowRect(&rect);
    ScreenToClient(&rect);
    // Grids stretch, list boxes lengthen, everything else keeps to the
    // bottom-right corner. Told apart by window class, so a control need
    // not be bound to an object of its class.
    if (HasClass(child->m_hWnd, L"EcrGridCtrl")) {
        rect.right += delta[0];
        rect.bottom += delta[1];
    } else if (HasClass(child->m_hWnd, L"ListBox")) {
        rect.bottom += delta[1];
    } else {
        rect.OffsetRect(delta[0], delta[1]);
    }
    child->MoveWindow(&rect, FALSE);
    Invalidate(TRUE);
}
