#include "RegisterFolder.h"

#include <cstring>
#include <vector>

#include <windows.h>

namespace {

struct GroupFile
{
    int id;
    const wchar_t* name;
};

// The groups of the demo register and their files.
constexpr GroupFile kGroups[] = {
    {1, L"DEPT.VK2"},    {2, L"PLU.VK2"},      {3, L"CLERK.VK2"},
    {4, L"SMODE.VK2"},   {5, L"PMODE.VK2"},    {6, L"MESSAGE.VK2"},
    {7, L"KEYBOARD.VK2"}, {8, L"LOGO1.ECR"},   {9, L"LOGO2.ECR"},
};

bool ReadAll(const std::wstring& path, std::vector<char>& bytes)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    bool ok = ::GetFileSizeEx(file, &size) && size.QuadPart < (256LL << 20);
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        ok = bytes.empty() || (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) && got == bytes.size());
    }
    ::CloseHandle(file);
    return ok;
}

// Writes beside the target, then replaces it.
bool WriteReplacing(const std::wstring& path, const std::vector<char>& bytes)
{
    std::wstring temp = path + L".tw~";
    HANDLE file = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = bytes.empty() || (::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size());
    ok = ::FlushFileBuffers(file) && ok;
    ::CloseHandle(file);
    if (ok)
        ok = ::MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!ok)
        ::DeleteFileW(temp.c_str());
    return ok;
}

TillwireExitCode Copy(const std::wstring& from, const std::wstring& to, std::wstring& message)
{
    std::vector<char> bytes;
    if (!ReadAll(from, bytes)) {
        message = L"Cannot read " + from;
        return TW_INPUT_MISSING;
    }
    if (!WriteReplacing(to, bytes)) {
        message = L"Cannot write " + to;
        return TW_WRITE_FAILED;
    }
    message = L"Copied " + from + L" to " + to;
    return TW_OK;
}

} // namespace

std::wstring RegisterFolder::GroupFileName(int groupId)
{
    for (const GroupFile& group : kGroups)
        if (group.id == groupId)
            return group.name;
    return L"";
}

TillwireExitCode RegisterFolder::SendGroup(int groupId, const std::wstring& dataFolder, std::wstring& message) const
{
    std::wstring name = GroupFileName(groupId);
    if (name.empty()) {
        message = L"The register has no group " + std::to_wstring(groupId);
        return TW_UNKNOWN_ID;
    }
    if (!::CreateDirectoryW(m_folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        message = L"Cannot create " + m_folder;
        return TW_WRITE_FAILED;
    }
    return Copy(dataFolder + name, m_folder + name, message);
}

TillwireExitCode RegisterFolder::ReceiveGroup(int groupId, const std::wstring& dataFolder, std::wstring& message) const
{
    std::wstring name = GroupFileName(groupId);
    if (name.empty()) {
        message = L"The register has no group " + std::to_wstring(groupId);
        return TW_UNKNOWN_ID;
    }
    return Copy(m_folder + name, dataFolder + name, message);
}

TillwireExitCode RegisterFolder::ReceiveReport(int reportId, const std::wstring& dataFolder, std::wstring& message) const
{
    std::wstring name = FindReport(reportId);
    if (name.empty()) {
        message = L"The register has no report " + std::to_wstring(reportId);
        return TW_UNKNOWN_ID;
    }
    return Copy(m_folder + name, dataFolder + name, message);
}

std::wstring RegisterFolder::FindReport(int reportId) const
{
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((m_folder + L"*.VKR").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return L"";
    std::wstring result;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        // "VK2R", then the report id.
        std::vector<char> bytes;
        if (ReadAll(m_folder + found.cFileName, bytes) && bytes.size() >= 8 && std::memcmp(bytes.data(), "VK2R", 4) == 0) {
            int key = 0;
            std::memcpy(&key, bytes.data() + 4, 4);
            if (key == reportId)
                result = found.cFileName;
        }
    } while (result.empty() && ::FindNextFileW(find, &found));
    ::FindClose(find);
    return result;
}
