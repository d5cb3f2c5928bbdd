#include "FullPathName.h"

CString FullPathName(const CString& path)
{
    const DWORD needed = ::GetFullPathNameW(path, 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    CString full;
    const DWORD n = ::GetFullPathNameW(path, needed, full.GetBuffer(static_cast<int>(needed)), nullptr);
    full.ReleaseBuffer(n > 0 && n < needed ? static_cast<int>(n) : 0);
    return n > 0 && n < needed ? full : path;
}

CString JoinFolder(const CString& folder, const wchar_t* name)
{
    CString path = folder;
    path += L"\\";
    path += name;
    return path;
}
