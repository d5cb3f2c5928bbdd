#include "controls.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Fetches an item text whose length the control reports first.
void ItemText(const CWnd& control, UINT lenMessage, UINT textMessage, int index, CString& text)
{
    int n = static_cast<int>(control.SendMessage(lenMessage, static_cast<WPARAM>(index)));
    if (n <= 0) {
        text.Empty();
        return;
    }
    int got = static_cast<int>(control.SendMessage(textMessage, static_cast<WPARAM>(index),
                                                   reinterpret_cast<LPARAM>(text.GetBuffer(n))));
    text.ReleaseBuffer(got < 0 ? 0 : got);
}

} // namespace

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_DRAWITEM && (GetStyle() & BS_TYPEMASK) == BS_OWNERDRAW) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *result = TRUE;
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}

void CComboBox::GetLBText(int index, CString& text) const
{
    ItemText(*this, CB_GETLBTEXTLEN, CB_GETLBTEXT, index, text);
}

void CListBox::GetText(int index, CString& text) const
{
    ItemText(*this, LB_GETTEXTLEN, LB_GETTEXT, index, text);
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& outside) const
{
    DWORD r = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y)));
    outside = HIWORD(r) != 0;
    return LOWORD(r);
}

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CRect(), parent, 0);
}

TTTOOLINFOW CToolTipCtrl::ToolFor(CWnd* control, LPCWSTR text) const
{
    TTTOOLINFOW info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND;
    HWND owner = ::GetParent(control->m_hWnd);
    info.hwnd = owner ? owner : control->m_hWnd;
    info.uId = reinterpret_cast<UINT_PTR>(control->m_hWnd);
    info.lpszText = const_cast<LPWSTR>(text);
    return info;
}

BOOL CToolTipCtrl::AddTool(CWnd* control, LPCWSTR text)
{
    TTTOOLINFOW info = ToolFor(control, text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::UpdateTipText(LPCWSTR text, CWnd* control)
{
    TTTOOLINFOW info = ToolFor(control, text);
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::DelTool(CWnd* control)
{
    TTTOOLINFOW info = ToolFor(control, nullptr);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

BOOL CToolTipCtrl::HasTool(CWnd* control) const
{
    TTTOOLINFOW info = ToolFor(control, nullptr);
    return static_cast<BOOL>(SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)));
}

HWND CIPAddressCtrl::GetFieldEdit(int field) const
{
    // Controls create their edit boxes in different orders: go by position.
    std::vector<std::pair<LONG, HWND>> edits;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        if (::GetWindowRect(child, &rect))
            edits.emplace_back(rect.left, child);
    }
    std::sort(edits.begin(), edits.end());
    return field >= 0 && field < static_cast<int>(edits.size()) ? edits[static_cast<size_t>(field)].second : nullptr;
}

CString CIPAddressCtrl::GetFieldText(int field) const
{
    wchar_t text[16] = {};  // a field holds three digits
    HWND edit = GetFieldEdit(field);
    int n = edit ? ::GetWindowTextW(edit, text, 16) : 0;
    return CString(text, n > 0 ? n : 0);
}
