#include "FuzzFiles.h"

namespace {

int SilentBox(HWND, LPCWSTR, LPCWSTR, UINT type)
{
    return (type & MB_TYPEMASK) == MB_YESNO || (type & MB_TYPEMASK) == MB_YESNOCANCEL ? IDYES : IDOK;
}

} // namespace

std::wstring FuzzFolder(const wchar_t* name)
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    // One folder per process, so runs of one driver with other seeds can share a machine.
    std::wstring folder = std::wstring(temp) + L"tilldesk-fuzz-" + name + L"-" +
                          std::to_wstring(::GetCurrentProcessId()) + L"\\";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void WriteInput(const std::wstring& path, const std::string& bytes)
{
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    DWORD done = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    ::CloseHandle(h);
}

void SilenceMessageBoxes()
{
    AfxSetMessageBoxHandler(SilentBox);
}
