#include "dialog.h"

#include "app.h"
#include "msgbox.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    if (!dialog)
        return TRUE;
    try {
        return dialog->OnInitDialog();
    } catch (CException* e) {
        // Called from system code, which an exception must not cross.
        e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
        return TRUE;
    }
}

BOOL CDialog::CreateFromTemplate(UINT templateId, HWND parent)
{
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(templateId), reinterpret_cast<LPCWSTR>(RT_DIALOG));
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    auto* tmpl = loaded ? static_cast<const DLGTEMPLATE*>(::LockResource(loaded)) : nullptr;
    if (!tmpl) {
        ReportCreateFailure(templateId, ::GetLastError(), parent);
        return FALSE;
    }
    m_nIDTemplate = templateId;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(module, tmpl, parent, DialogProc, 0);
    DWORD error = ::GetLastError();
    AfxUnhookWindowCreate();
    if (!hWnd) {
        if (m_hWnd)
            Detach();
        ReportCreateFailure(templateId, error, parent);
        return FALSE;
    }
    return TRUE;
}

void CDialog::ReportCreateFailure(UINT templateId, DWORD error, HWND parent)
{
    // A screen or dialog that does not open must say so: the user would
    // otherwise click a button that does nothing.
    CString text;
    text.Format(L"The window could not be opened (dialog template %u, error %lu).", templateId, error);
    AfxShowMessageBox(parent == ::GetDesktopWindow() ? nullptr : parent, text, nullptr, MB_OK | MB_ICONSTOP);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    if (parent)
        m_pParentWnd = parent;
    m_bModal = false;
    return CreateFromTemplate(templateId, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
}

INT_PTR CDialog::DoModal()
{
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner)
        owner = ::GetActiveWindow();
    if (!owner && AfxGetMainWnd())
        owner = AfxGetMainWnd()->m_hWnd;
    if (owner)
        owner = ::GetAncestor(owner, GA_ROOT);
    if (owner && !::IsWindowEnabled(owner))
        owner = nullptr;  // already disabled by an outer modal loop

    m_bModal = true;
    m_bEnded = false;
    m_nModalResult = -1;
    CModalScope modal;
    if (!CreateFromTemplate(m_nIDTemplate, owner)) {
        m_bModal = false;
        return -1;
    }
    if (owner)
        ::EnableWindow(owner, FALSE);
    if (!m_bEnded)
        ShowWindow(SW_SHOWNORMAL);
    while (!m_bEnded && ::IsWindow(m_hWnd)) {
        if (!AfxPumpMessage()) {
            if (!m_bEnded)
                m_nModalResult = IDABORT;
            break;
        }
    }
    if (owner)
        ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        if (owner && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(owner);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    m_bModal = false;
    return m_nModalResult;
}

void CDialog::EndDialog(int result)
{
    if (m_bModal) {
        m_nModalResult = result;
        m_bEnded = true;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wake the loop
    } else if (m_hWnd) {
        ::EndDialog(m_hWnd, result);
    }
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

// ---- data exchange --------------------------------------------------------

HWND CDataExchange::PrepareEditCtrl(int id)
{
    m_hWndLastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    return m_hWndLastControl;
}

void CDataExchange::Fail()
{
    if (m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        ::SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd)
        return;
    if (!control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd))
        AfxThrowInvalidArgException();  // the template lacks the control
}

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
    dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate)
        dx->m_pDlgWnd->GetDlgItemText(id, value);
    else
        dx->m_pDlgWnd->SetDlgItemText(id, value);
}

namespace {

// The whole text as a decimal int (blanks around it allowed); false for
// anything else, an overflow included.
bool ParseInt(const CString& text, int& value)
{
    const wchar_t* p = text;
    while (*p == L' ' || *p == L'\t')
        ++p;
    bool negative = *p == L'-';
    if (*p == L'-' || *p == L'+')
        ++p;
    if (*p < L'0' || *p > L'9')
        return false;
    long long v = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        v = v * 10 + (*p - L'0');
        if (v > 2147483648LL)
            return false;
    }
    while (*p == L' ' || *p == L'\t')
        ++p;
    if (*p)
        return false;
    v = negative ? -v : v;
    if (v > 2147483647LL)
        return false;
    value = static_cast<int>(v);
    return true;
}

} // namespace

void DDX_Text(CDataExchange* dx, int id, int& value)
{
    dx->PrepareEditCtrl(id);
    if (dx->m_bSaveAndValidate) {
        CString text;
        dx->m_pDlgWnd->GetDlgItemText(id, text);
        if (!ParseInt(text, value)) {
            AfxMessageBox(L"Enter an integer.", MB_ICONEXCLAMATION);
            dx->Fail();
        }
    } else {
        dx->m_pDlgWnd->SetDlgItemInt(id, static_cast<UINT>(value), TRUE);
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(dx->m_pDlgWnd->IsDlgButtonChecked(id));
    else
        dx->m_pDlgWnd->CheckDlgButton(id, static_cast<UINT>(value));
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index)
{
    if (dx->m_bSaveAndValidate)
        index = static_cast<int>(dx->m_pDlgWnd->SendDlgItemMessage(id, CB_GETCURSEL));
    else
        dx->m_pDlgWnd->SendDlgItemMessage(id, CB_SETCURSEL, static_cast<WPARAM>(index));
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index)
{
    if (dx->m_bSaveAndValidate)
        index = static_cast<int>(dx->m_pDlgWnd->SendDlgItemMessage(id, LB_GETCURSEL));
    else
        dx->m_pDlgWnd->SendDlgItemMessage(id, LB_SETCURSEL, static_cast<WPARAM>(index));
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue)
{
    if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue))
        return;
    CString text;
    text.Format(L"Enter an integer between %d and %d.", minValue, maxValue);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    dx->Fail();
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars)
{
    if (!dx->m_bSaveAndValidate) {
        if (dx->m_hWndLastControl)
            ::SendMessageW(dx->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
        return;
    }
    if (value.GetLength() <= maxChars)
        return;
    CString text;
    text.Format(L"Enter no more than %d characters.", maxChars);
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    dx->Fail();
}
