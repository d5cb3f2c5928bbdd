#include "TempFolder.h"

#include "TestFiles.h"

namespace {

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring child = path + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

} // namespace

TempFolder::TempFolder()
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        wchar_t name[MAX_PATH];
        swprintf(name, MAX_PATH, L"%lstilldesk-test-%lu-%u", base, GetCurrentProcessId(), ++counter);
        if (CreateDirectoryW(name, nullptr)) {
            m_path = name;
            return;
        }
    }
}

TempFolder::~TempFolder()
{
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, nullptr);  // drop cached profile files
    RemoveTree(m_path);
}

void TempFolder::Write(const wchar_t* name, const std::string& bytes) const
{
    WriteBytes(File(name), bytes);
}

std::string TempFolder::Read(const wchar_t* name) const
{
    FlushProfileCache(File(name));
    return ReadBytes(File(name));
}

CurrentDirectoryScope::CurrentDirectoryScope(const std::wstring& folder)
{
    GetCurrentDirectoryW(MAX_PATH, m_old);
    SetCurrentDirectoryW(folder.c_str());
}

CurrentDirectoryScope::~CurrentDirectoryScope()
{
    SetCurrentDirectoryW(m_old);
}
