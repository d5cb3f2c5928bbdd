#include "LogoNames.h"

CString LogoOutputName(const CString& source, const wchar_t* logoName)
{
    CString output = source;
    wchar_t* p = output.GetBuffer();
    for (int i = 0; i < output.GetLength(); ++i)
        if (p[i] >= L'a' && p[i] <= L'z')
            p[i] = static_cast<wchar_t>(p[i] - L'a' + L'A');
    output.ReleaseBuffer(output.GetLength());
    CString suffix;
    suffix.Format(L"_%s.ECR", logoName ? logoName : L"");
    output.Replace(L".BMP", suffix);
    return output;
}

bool IsLogoFileOf(const wchar_t* fileName, const wchar_t* logoName)
{
    CString suffix;
    suffix.Format(L"_%s.ecr", logoName ? logoName : L"");
    CString name(fileName ? fileName : L"");
    return name.GetLength() >= suffix.GetLength() && name.Right(suffix.GetLength()).CompareNoCase(suffix) == 0;
}
