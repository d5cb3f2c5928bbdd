#include "FieldRuleValidator.h"

#include <cwchar>

#include "LibraryState.h"

int FieldRuleValidator::Validate(S_ECR_CHECK* check)
{
    if (!check || !check->Message)
        return FALSE;
    auto it = m_rules.find(check->FieldIndex);
    if (it == m_rules.end())
        return TRUE;
    CString message;
    if (it->second(*check, message))
        return TRUE;
    *check->Message = message;
    return FALSE;
}

bool FieldRuleValidator::HaloRule(const S_ECR_CHECK& check, CString& message)
{
    CString text(check.Text ? check.Text : L"");
    text.Trim();
    bool ok = !text.IsEmpty() && text.SpanIncluding(L"0123456789").GetLength() == text.GetLength()
              && text.GetLength() <= 8 && (text.GetLength() == 1 || text.Mid(1).SpanIncluding(L"0") == text.Mid(1));
    if (!ok)
        message = LibraryState::Instance().Say(L"HALO is one digit followed by zeros (e.g. 5000), at most 90000000",
                                               L"HALO は 1 桁の数字のあとに 0 が続く値です（例: 5000）。最大 90000000");
    return ok;
}

bool FieldRuleValidator::SecretCodeRule(const S_ECR_CHECK& check, CString& message)
{
    CString text(check.Text ? check.Text : L"");
    text.Trim();
    bool ok = !text.IsEmpty() && text.GetLength() <= 4 && text.SpanIncluding(L"0123456789") == text;
    if (!ok)
        message = LibraryState::Instance().Say(L"The secret code is 1 to 4 digits 0-9",
                                               L"暗証番号は 0～9 の数字 1～4 桁です");
    return ok;
}
