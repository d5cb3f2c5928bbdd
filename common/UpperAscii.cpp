#include "UpperAscii.h"

CString UpperAscii(CString text)
{
    for (int i = 0; i < text.GetLength(); ++i)
        if (text[i] >= L'a' && text[i] <= L'z')
            text.SetAt(i, static_cast<wchar_t>(text[i] - L'a' + L'A'));
    return text;
}
