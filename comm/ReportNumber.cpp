#include "ReportNumber.h"

#include <cwchar>
#include <cwctype>

bool ReadReportNumber(const std::wstring& text, double& value)
{
    value = 0.0;
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    std::wstring number;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        number += text[i++];
    bool digits = false;
    while (i < text.size() && iswdigit(text[i])) {
        number += text[i++];
        digits = true;
    }
    if (i < text.size() && text[i] == L'.') {
        number += text[i++];
        while (i < text.size() && iswdigit(text[i])) {
            number += text[i++];
            digits = true;
        }
    }
    if (!digits)
        return false;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == L'+' || text[j] == L'-'))
            ++j;
        if (j < text.size() && iswdigit(text[j])) {
            number.append(text, i, j - i);
            while (j < text.size() && iswdigit(text[j]))
                number += text[j++];
        }
    }
    value = wcstod(number.c_str(), nullptr);
    return true;
}
