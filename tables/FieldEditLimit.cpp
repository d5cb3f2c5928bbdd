#include "FieldEditLimit.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "FieldCodec.h"
#include "FieldRules.h"
#include "afx.h"

namespace {

constexpr UINT_PTR kLimitId = 1;

// The message by which a control answers with its byte limit (0 without one).
UINT LimitQuery()
{
    static const UINT message = ::RegisterWindowMessageW(L"Tilldesk.FieldByteLimit");
    return message;
}

CString WindowText(HWND edit)
{
    CString text;
    const int length = ::GetWindowTextLengthW(edit);
    if (length > 0) {
        const int got = ::GetWindowTextW(edit, text.GetBuffer(length + 1), length + 1);
        text.ReleaseBuffer(std::max(got, 0));
    }
    return text;
}

int SelectionStart(HWND edit)
{
    DWORD start = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

// The messages by which an edit control takes in text: typing, composed
// strings, pasting (Ctrl+V arrives as a character, Shift+Insert as a key)
// and undoing.
bool MayPutTextIn(UINT message)
{
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
    case WM_KEYDOWN:
    case WM_PASTE:
    case EM_REPLACESEL:
    case WM_UNDO:
    case EM_UNDO:
        return true;
    default:
        return false;
    }
}

// The byte limit of one edit control, from its subclassing until the
// control goes. Looking at the text after each change, rather than at the
// keys, catches every way in, the input method's included.
class ByteLimit
{
public:
    explicit ByteLimit(const S_ECR_FIELD& field) : m_field(field) {}
    void SetField(const S_ECR_FIELD& field) { m_field = field; }

    static LRESULT CALLBACK Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);

private:
    // Takes out what the last change put in beyond the limit, then tells.
    void Enforce(HWND edit, const CString& before, int selectionStart) const;

    S_ECR_FIELD m_field;
};

LRESULT CALLBACK ByteLimit::Proc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    auto* limit = reinterpret_cast<ByteLimit*>(self);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(edit, &ByteLimit::Proc, kLimitId);
        delete limit;
        return ::DefSubclassProc(edit, message, wParam, lParam);
    }
    if (message == LimitQuery() && message)
        return reinterpret_cast<LRESULT>(limit);
    if (!MayPutTextIn(message))
        return ::DefSubclassProc(edit, message, wParam, lParam);
    const CString before = WindowText(edit);
    const int selectionStart = SelectionStart(edit);
    const LRESULT result = ::DefSubclassProc(edit, message, wParam, lParam);
    // Enter or Tab may have ended an in-place editor, and this object with it.
    if (::IsWindow(edit))
        limit->Enforce(edit, before, selectionStart);
    return result;
}

void ByteLimit::Enforce(HWND edit, const CString& before, int selectionStart) const
{
    const CString after = WindowText(edit);
    if (after == before || FieldTextFits(m_field, after))
        return;
    // What came in lies between the start and the end the change left alone:
    // from the old selection's start to the caret, when the texts agree
    // outside (a pasted "...X" over a text ending in "X" is all new).
    DWORD caret = 0;
    ::SendMessageW(edit, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    const int common = std::min(before.GetLength(), after.GetLength());
    int head = 0;
    while (head < common && head < selectionStart && before[head] == after[head])
        ++head;
    const int tailLimit = std::min(common - head, after.GetLength() - static_cast<int>(caret));
    int tail = 0;
    while (tail < tailLimit && before[before.GetLength() - 1 - tail] == after[after.GetLength() - 1 - tail])
        ++tail;
    if (head > 0 && IS_HIGH_SURROGATE(after[head - 1]))
        --head;
    if (tail > 0 && IS_LOW_SURROGATE(after[after.GetLength() - tail]))
        --tail;
    const CString start = after.Left(head);
    const CString end = after.Right(tail);
    const CString inserted = after.Mid(head, after.GetLength() - head - tail);
    if (inserted.IsEmpty())
        return;
    // Whole characters of it, as many as fit.
    int kept = 0;
    while (kept < inserted.GetLength()) {
        const int next = kept + (IS_HIGH_SURROGATE(inserted[kept]) && kept + 1 < inserted.GetLength() ? 2 : 1);
        if (!FieldTextFits(m_field, start + inserted.Left(next) + end))
            break;
        kept = next;
    }
    const bool oneCharacter =
        inserted.GetLength() == 1 || (inserted.GetLength() == 2 && IS_HIGH_SURROGATE(inserted[0]));
    ::SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(head + kept), head + inserted.GetLength());
    ::SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    // A typed character stops at the limit, as at a character limit.
    if (oneCharacter) {
        ::MessageBeep(MB_OK);
        return;
    }
    // Last: the box takes the focus, which ends an in-place editor and may
    // destroy the control and this object with it.
    AfxMessageBox(CutTextMessage(m_field, WindowText(edit)), MB_OK);
}

} // namespace

void LimitEditToField(HWND edit, const S_ECR_FIELD& field, bool watchNow)
{
    const UINT query = LimitQuery();
    auto* limit = query ? reinterpret_cast<ByteLimit*>(::SendMessageW(edit, query, 0, 0)) : nullptr;
    if (field.Type() != FIELD_TEXT) {
        if (limit && ::RemoveWindowSubclass(edit, &ByteLimit::Proc, kLimitId))
            delete limit;
        ::SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(std::max(field.Width, 0)), 0);
        return;
    }
    // No character limit: it would cut a paste before the bytes could be
    // measured and the cut be told.
    ::SendMessageW(edit, EM_LIMITTEXT, 0, 0);
    if (limit) {
        limit->SetField(field);
        return;
    }
    if (!watchNow)
        return;
    auto made = std::make_unique<ByteLimit>(field);
    if (::SetWindowSubclass(edit, &ByteLimit::Proc, kLimitId, reinterpret_cast<DWORD_PTR>(made.get())))
        made.release();
}
