#include "ProgramFolder.h"

CString GetProgramFolder()
{
    wchar_t path[MAX_PATH];
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString folder(path, n < MAX_PATH ? static_cast<int>(n) : 0);
    return folder.Left(folder.ReverseFind(L'\\') + 1);
}

bool MakeProgramFolderCurrent()
{
    const CString folder = GetProgramFolder();
    return !folder.IsEmpty() && ::SetCurrentDirectoryW(folder) != FALSE;
}
