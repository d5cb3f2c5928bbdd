#include "TempFolder.h"

#include "TestFiles.h"

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
