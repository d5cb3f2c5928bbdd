#include "RunRecord.h"

#include <cstdio>

RunRecord::RunRecord(const wchar_t* name) : m_name(name)
{
    wchar_t path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    m_folder.assign(path, n);
    m_folder.erase(m_folder.find_last_of(L'\\') + 1);
}

int RunRecord::Setting(const wchar_t* key, int defaultValue) const
{
    const std::wstring ini = m_folder + m_name + L".ini";
    return static_cast<int>(::GetPrivateProfileIntW(m_name.c_str(), key, defaultValue, ini.c_str()));
}

int RunRecord::Finish(int exitCode) const
{
    const int forced = Setting(L"ExitCode", -1);
    if (forced != -1)
        exitCode = forced;
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    wchar_t stamp[32];
    std::swprintf(stamp, 32, L"%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    std::wstring line = std::wstring(stamp) + L"\t" + ::GetCommandLineW() + L"\t" + std::to_wstring(exitCode) + L"\r\n";
    // UTF-8, appended in one write so runs never interleave within a line.
    int size = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), bytes.data(), size, nullptr, nullptr);
    const std::wstring log = m_folder + m_name + L".log";
    HANDLE file = ::CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    return exitCode;
}
