#include "controls.h"

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
