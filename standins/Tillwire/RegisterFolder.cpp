#include "RegisterFolder.h"

#include <cstring>
#include <vector>

#include "AtomicFile.h"

namespace {

struct GroupFile
{
    int id;
    const wchar_t* name;
};

// The groups of the demo register and their files.
constexpr GroupFile kGroups[] = {
    {1, L"DEPT.VK2"},     {2, L"PLU.VK2"},   {3, L"CLERK.VK2"},
    {4, L"SMODE.VK2"},    {5, L"PMODE.VK2"}, {6, L"MESSAGE.VK2"},
    {7, L"KEYBOARD.VK2"}, {8, L"LOGO1.ECR"}, {9, L"LOGO2.ECR"},
};

constexpr size_t kFileLimit = 64u << 20;

// Copies from into the folder toFolder (ending in a backslash), made when
// it is missing, under name.
TillwireExitCode Copy(const CString& from, const CString& toFolder, const CString& name, CString& message)
{
    std::vector<BYTE> bytes;
    if (AtomicFile::Read(from, bytes, kFileLimit) != AtomicFile::ReadResult::Ok) {
        message = L"Cannot read " + from;
        return TW_INPUT_MISSING;
    }
    const CString to = toFolder + name;
    if (!AtomicFile::CreateFolder(toFolder)) {
        message = AtomicFile::FolderFailureMessage(to, toFolder, ::GetLastError());
        return TW_WRITE_FAILED;
    }
    if (!AtomicFile::Write(to, bytes.data(), bytes.size())) {
        message = AtomicFile::FailureMessage(to, ::GetLastError());
        return TW_WRITE_FAILED;
    }
    message = L"Copied " + from + L" to " + to;
    return TW_OK;
}

} // namespace

CString RegisterFolder::GroupFileName(int groupId)
{
    for (const GroupFile& group : kGroups)
        if (group.id == groupId)
            return group.name;
    return L"";
}

TillwireExitCode RegisterFolder::SendGroup(int groupId, const CString& dataFolder, CString& message) const
{
    CString name = GroupFileName(groupId);
    if (name.IsEmpty()) {
        message.Format(L"The register has no group %d.", groupId);
        return TW_UNKNOWN_ID;
    }
    return Copy(dataFolder + name, m_folder, name, message);
}

TillwireExitCode RegisterFolder::ReceiveGroup(int groupId, const CString& dataFolder, CString& message) const
{
    CString name = GroupFileName(groupId);
    if (name.IsEmpty()) {
        message.Format(L"The register has no group %d.", groupId);
        return TW_UNKNOWN_ID;
    }
    return Copy(m_folder + name, dataFolder, name, message);
}

TillwireExitCode RegisterFolder::ReceiveReport(int reportId, const CString& dataFolder, CString& message) const
{
    CString name = FindReport(reportId);
    if (name.IsEmpty()) {
        message.Format(L"The register has no report %d.", reportId);
        return TW_UNKNOWN_ID;
    }
    return Copy(m_folder + name, dataFolder, name, message);
}

CString RegisterFolder::FindReport(int reportId) const
{
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW(m_folder + L"*.VKR", &found);
    if (find == INVALID_HANDLE_VALUE)
        return L"";
    CString result;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        // "VK2R", then the report id.
        std::vector<BYTE> bytes;
        if (AtomicFile::Read(m_folder + found.cFileName, bytes, kFileLimit) == AtomicFile::ReadResult::Ok &&
            bytes.size() >= 8 && std::memcmp(bytes.data(), "VK2R", 4) == 0) {
            int key = 0;
            std::memcpy(&key, bytes.data() + 4, 4);
            if (key == reportId)
                result = found.cFileName;
        }
    } while (result.IsEmpty() && ::FindNextFileW(find, &found));
    ::FindClose(find);
    return result;
}
