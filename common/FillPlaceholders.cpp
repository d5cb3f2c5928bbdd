#include "FillPlaceholders.h"

CString FillPlaceholders(const CString& pattern, std::initializer_list<CString> values)
{
    CString text;
    for (int i = 0; i < pattern.GetLength(); ++i) {
        const wchar_t next = i + 1 < pattern.GetLength() ? pattern[i + 1] : L'\0';
        const size_t index = static_cast<size_t>(next - L'1');
        if (pattern[i] == L'%' && next >= L'1' && next <= L'9' && index < values.size()) {
            text += values.begin()[index];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}
