#include "SettingNumber.h"

namespace {

int DigitValue(wchar_t c, SettingBase base)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (base == SettingBase::Hexadecimal && c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (base == SettingBase::Hexadecimal && c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

} // namespace

bool ReadSettingNumber(const wchar_t* text, SettingBase base, DWORD& value)
{
    if (!text)
        return false;
    while (*text == L' ' || *text == L'\t')
        ++text;
    const unsigned long long radix = base == SettingBase::Hexadecimal ? 16 : 10;
    if (base == SettingBase::Hexadecimal && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X'))
        text += 2;
    unsigned long long number = 0;
    int digits = 0;
    for (int digit; (digit = DigitValue(*text, base)) >= 0; ++text, ++digits) {
        number = number * radix + static_cast<unsigned>(digit);
        if (number > 0xFFFFFFFFull)
            return false;
    }
    while (*text == L' ' || *text == L'\t')
        ++text;
    if (digits == 0 || *text != L'\0')
        return false;
    value = static_cast<DWORD>(number);
    return true;
}
