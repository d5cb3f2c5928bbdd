#include "ReportKind.h"

CString DateFolderName(const FILETIME& time)
{
    FILETIME local;
    SYSTEMTIME st = {};
    if (::FileTimeToLocalFileTime(&time, &local))
        ::FileTimeToSystemTime(&local, &st);
    CString name;
    name.Format(L"%04u%02u%02u", st.wYear, st.wMonth, st.wDay);
    return name;
}

CString JoinPath(const CString& folder, const wchar_t* name)
{
    CString path = folder;
    if (!path.IsEmpty() && path[path.GetLength() - 1] != L'\\' && path[path.GetLength() - 1] != L'/')
        path += L'\\';
    return path + name;
}
