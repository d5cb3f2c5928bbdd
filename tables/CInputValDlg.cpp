#include "CInputValDlg.h"

#include <algorithm>
#include <cwchar>

#include "EcrWndNo.h"
#include "FieldEditLimit.h"
#include "FieldRules.h"
#include "TablesResources.h"

namespace {

// The buttons in the caption file's language (the template's texts otherwise).
constexpr int kCancelCaption = 42;
constexpr int kOkCaption = 44;

} // namespace

CInputValDlg::CInputValDlg(int, CWnd* parent) : CDialog(IDD_INPUT_VALUE, parent)
{
}

void CInputValDlg::Setup(int maxLength, LPCWSTR title)
{
    m_maxLength = maxLength;
    wcsncpy(m_title, title ? title : L"", TitleLength);
    m_title[TitleLength] = L'\0';
}

void CInputValDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_INPUT_VALUE, m_edit);
}

BOOL CInputValDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_field)
        LimitEditToField(m_edit.m_hWnd, *m_field);
    else
        m_edit.LimitText(std::max(m_maxLength, 1));  // 0 would let the box take any length
    SetWindowText(m_title);
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->SetWindowText(CaptionText(WNDNO_COMMON, kOkCaption, L"OK"));
    if (CWnd* cancel = GetDlgItem(IDCANCEL))
        cancel->SetWindowText(CaptionText(WNDNO_COMMON, kCancelCaption, L"キャンセル"));
    return TRUE;
}

void CInputValDlg::OnOK()
{
    // The first line, at most ValueLength characters.
    wchar_t line[ValueLength + 1] = {};
    *reinterpret_cast<WORD*>(line) = ValueLength;
    LRESULT length = m_edit.SendMessage(EM_GETLINE, 0, reinterpret_cast<LPARAM>(line));
    m_value = CString(line, static_cast<int>(std::clamp<LRESULT>(length, 0, ValueLength)));
    EndDialog(IDOK);
}
