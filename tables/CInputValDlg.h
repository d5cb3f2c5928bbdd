// Asks for one line of text: the value to fill into a column's selected
// cells, or the code to search for.
#pragma once

#include "S_ECR_FIELD.h"
#include "afx.h"

class CInputValDlg : public CDialog
{
public:
    // The argument is not used.
    explicit CInputValDlg(int unused = 0, CWnd* parent = nullptr);

    // Set before DoModal: the edit box's character limit and the title (cut to 63 characters).
    void Setup(int maxLength, LPCWSTR title);
    // Set before DoModal when the value is for a field: the box then holds
    // what the field holds (register bytes for text) instead. The field
    // must outlive the dialog.
    void LimitToField(const S_ECR_FIELD& field) { m_field = &field; }

    // The text entered when the dialog ended with IDOK; empty otherwise.
    const CString& GetValue() const { return m_value; }

    static constexpr int TitleLength = 63;
    static constexpr int ValueLength = 255;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

private:
    int m_maxLength = 1;
    const S_ECR_FIELD* m_field = nullptr;
    wchar_t m_title[TitleLength + 1] = {};
    CString m_value;
    CEdit m_edit;
};
