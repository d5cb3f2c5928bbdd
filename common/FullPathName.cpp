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

CString FullFolderPath(const CString& folder)
{
    CString path = FullPathName(folder);
    while (path.GetLength() > 3 && path.Right(1) == L"\\")
        path.Delete(path.GetLength() - 1);
    return path;
}

CString FolderAbove(const CString& fullFolder)
{
    // A network path's leading backslashes hold no folder.
    const int cut = fullFolder.ReverseFind(L'\\');
    if (cut <= 1)
        return CString();
    CString above = fullFolder.Left(cut);
    if (above.Right(1) == L":")
        above += L'\\';
    return above.GetLength() < fullFolder.GetLength() ? above : CString();
}

CString JoinFolder(const CString& folder, const wchar_t* name)
{
    CString path = folder;
    path += L"\\";
    path += name;
    return path;
}
