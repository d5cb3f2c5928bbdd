#include "CInPlaceEdit.h"

#include <algorithm>

#include "CGridCtrl.h"
#include "GridDefs.h"

namespace {

// One end at a time for the whole process: closing the window moves the
// focus, and that focus loss must not end the edit a second time.
bool g_bEnding = false;

} // namespace

BEGIN_MESSAGE_MAP(CInPlaceEdit, CEdit)
    ON_WM_KILLFOCUS()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CInPlaceEdit::CInPlaceEdit(CWnd* parent, LPCRECT rect, DWORD style, UINT id, int row, int col,
                           const CString& initialText, UINT firstChar, CFont* font)
    : m_nRow(row), m_nCol(col), m_sInitText(initialText), m_Rect(*rect), m_pGrid(dynamic_cast<CGridCtrl*>(parent))
{
    const DWORD editStyle = style | WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
    static_assert((WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL) == 0x50800080, "editor style");
    if (!Create(editStyle, m_Rect, parent, id))
        return;
    m_bOwnedByWindow = true;

    HFONT hFont = font && font->GetSafeHandle() ? static_cast<HFONT>(font->GetSafeHandle())
                                                 : reinterpret_cast<HFONT>(parent->SendMessage(WM_GETFONT));
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
    SetWindowText(m_sInitText);
    SetFocus();

    // A character that was typed is typed, even one that doubles as a
    // navigation key code (33 to 40 are ! " # $ % & ' ( as characters).
    const bool typed = (firstChar & GRID_TYPED_CHAR) != 0;
    const UINT ch = firstChar & ~GRID_TYPED_CHAR;
    const bool selectsOnly = ch == VK_TAB || ch == VK_SPACE || (!typed && ch > VK_SPACE && ch <= VK_DOWN);
    if (ch == VK_LBUTTON || ch == VK_RETURN) {
        SetSel(0, -1);
        GrowToText();
    } else if (ch == VK_BACK) {
        const int end = GetWindowTextLength();
        SetSel(end, end);
        PostMessage(WM_CHAR, VK_BACK);
    } else if (selectsOnly) {
        SetSel(0, -1);
    } else {
        SetSel(0, -1);
        PostMessage(ch >= 0x80 ? WM_IME_CHAR : WM_CHAR, ch);
    }
}

void CInPlaceEdit::EndInPlaceEdit()
{
    if (g_bEnding || !m_hWnd)
        return;
    struct Guard
    {
        Guard() { g_bEnding = true; }
        ~Guard() { g_bEnding = false; }
    } guard;

    // The receiver may close this editor (and so delete this object): only
    // locals are used after the notification.
    const HWND self = m_hWnd;
    S_GRID_DISPINFO info{};
    info.hdr.hwndFrom = self;
    info.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(self));
    info.hdr.code = GRIDN_ENDEDIT;
    info.item.mask = GRIDITEM_TEXT | GRIDITEM_DATA;
    info.item.row = m_nRow;
    info.item.col = m_nCol;
    info.item.lParam = static_cast<LPARAM>(m_nLastChar);
    GetWindowText(info.item.strText);
    HWND receiver = ::GetWindow(self, GW_OWNER);
    if (!receiver)
        receiver = ::GetParent(self);
    if (receiver && ::IsWindow(receiver))
        ::SendMessageW(receiver, WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    if (::IsWindow(self))
        ::SendMessageW(self, WM_CLOSE, 0, 0);
}

BOOL CInPlaceEdit::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_SYSCHAR)
        return CEdit::PreTranslateMessage(msg);
    // Alt+Enter types a line break in a multi-line editor; no Alt shortcut
    // of the dialog acts while an editor has the focus.
    if (msg->wParam == VK_RETURN && (msg->lParam & 0x20000000) && (GetStyle() & ES_MULTILINE))
        ReplaceSel(L"\r\n", TRUE);
    return TRUE;
}

void CInPlaceEdit::PostNcDestroy()
{
    // However the window ended, the cell must not keep a pointer to it.
    if (m_pGrid)
        if (CGridCellBase* cell = m_pGrid->GetCell(m_nRow, m_nCol); cell && cell->GetEditWnd() == this)
            cell->OnEndEdit();
    if (m_bOwnedByWindow)
        delete this;
}

void CInPlaceEdit::OnKillFocus(CWnd* newWnd)
{
    CEdit::OnKillFocus(newWnd);
    EndInPlaceEdit();
}

void CInPlaceEdit::EndWithKey(UINT key)
{
    m_nLastChar = key;
    // Focus to the grid: the focus loss ends the edit.
    if (HWND parent = ::GetParent(m_hWnd))
        ::SetFocus(parent);
}

void CInPlaceEdit::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN) {
        EndWithKey(key);
        return;
    }
    CEdit::OnKeyDown(key, repeat, flags);
}

void CInPlaceEdit::OnChar(UINT ch, UINT repeat, UINT flags)
{
    if (ch == VK_TAB || ch == VK_RETURN) {
        EndWithKey(ch);
        return;
    }
    if (ch == VK_ESCAPE) {
        SetWindowText(m_sInitText);
        EndWithKey(ch);
        return;
    }
    CEdit::OnChar(ch, repeat, flags);
    GrowToText();
}

UINT CInPlaceEdit::OnGetDlgCode()
{
    return DLGC_WANTALLKEYS;
}

void CInPlaceEdit::GrowToText()
{
    if (!m_hWnd)
        return;
    CString text;
    if (GetStyle() & ES_MULTILINE) {
        const int lines = GetLineCount();
        for (int i = 0; i < lines; ++i) {
            const int length = static_cast<int>(SendMessage(EM_LINELENGTH, SendMessage(EM_LINEINDEX, i)));
            if (length <= text.GetLength())
                continue;
            CString line;
            wchar_t* buffer = line.GetBuffer(std::max(length, 2));
            *reinterpret_cast<WORD*>(buffer) = static_cast<WORD>(length);
            const int got = static_cast<int>(SendMessage(EM_GETLINE, i, reinterpret_cast<LPARAM>(buffer)));
            line.ReleaseBuffer(std::clamp(got, 0, length));
            text = line;
        }
    } else {
        GetWindowText(text);
    }
    text += L"  ";

    HDC dc = ::GetDC(m_hWnd);
    if (!dc)
        return;
    HGDIOBJ old = ::SelectObject(dc, GetFontHandle());
    SIZE size = {0, 0};
    const BOOL measured = ::GetTextExtentPoint32W(dc, text.GetString(), text.GetLength(), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    if (!measured)
        return;
    // The text needs the control's border and margins around it too.
    CRect window, client;
    GetWindowRect(window);
    GetClientRect(client);
    const DWORD margins = static_cast<DWORD>(SendMessage(EM_GETMARGINS));
    const int width = size.cx + window.Width() - client.Width() + LOWORD(margins) + HIWORD(margins);
    if (width <= m_Rect.Width())
        return;

    CRect parentClient;
    ::GetClientRect(::GetParent(m_hWnd), parentClient);
    const int right = std::min<int>(m_Rect.left + width, parentClient.right);
    if (right <= m_Rect.right)
        return;
    m_Rect.right = right;
    MoveWindow(m_Rect, TRUE);
    // The control scrolled while it was narrower: show the text from its
    // start again, keeping the selection.
    int start = 0, end = 0;
    GetSel(start, end);
    SetSel(0, 0);
    SetSel(start, end);
}
