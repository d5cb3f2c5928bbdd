// Dialogs from templates, modal and modeless, with data exchange.
//
// DoModal runs this layer's own loop (not the system's), so the
// application's thread messages are handled while a modal dialog is open.
#pragma once

#include "window.h"

class CDataExchange
{
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
    // Names the edit control whose value is being read, so a failed check
    // can put the focus there.
    HWND PrepareEditCtrl(int id);
    // Ends a failed check (the user has been told): focuses and selects the
    // last prepared control and throws CUserException, which UpdateData catches.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
};

// Binds a control object to the template's control (subclassed once).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_LBIndex(CDataExchange* dx, int id, int& index);

// Checks of the value just exchanged; each one tells the user and fails the
// exchange when the value is refused.
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
// Also limits the edit's length when the value is shown.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);

class CDialog : public CWnd
{
public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

    // Modeless: creates the dialog from its template (hidden unless the
    // template says WS_VISIBLE).
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    virtual INT_PTR DoModal();
    void EndDialog(int result);
    BOOL InModalLoop() const { return m_bModal; }

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}
    // FALSE when a check refused a value (the dialog stays as it is).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    void SetDefID(UINT id) { SendMessage(DM_SETDEFID, id); }
    DWORD GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID)); }
    void GotoDlgCtrl(CWnd* control) { SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), TRUE); }
    void NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 1, 0); }

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

protected:
    DECLARE_MESSAGE_MAP()

private:
    // Both report a template that is missing or fails to create through the
    // message-box seam; DoModal then returns -1, Create FALSE.
    BOOL CreateFromTemplate(UINT templateId, HWND parent);
    static void ReportCreateFailure(UINT templateId, DWORD error, HWND parent);
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    bool m_bModal = false;
    bool m_bEnded = false;
    int m_nModalResult = -1;
};
