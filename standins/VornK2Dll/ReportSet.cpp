#include "ReportSet.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "AtomicFile.h"
#include "CsvExchange.h"
#include "LibraryState.h"

namespace {

constexpr char kMagic[4] = {'V', 'K', '2', 'R'};

struct RawHeader
{
    char magic[4];
    UINT32 key;
    UINT32 recordSize;
    UINT32 recordCount;
};
static_assert(sizeof(RawHeader) == 16);
// Written whole; the communication program finds a report by the key at byte 4.
static_assert(offsetof(RawHeader, key) == 4 && offsetof(RawHeader, recordSize) == 8 &&
              offsetof(RawHeader, recordCount) == 12);

} // namespace

ReportSet::ReportSet(int groupId, const std::vector<ReportKind>& kinds) : m_kinds(kinds)
{
    Name = L"REPORT SET";
    GroupType = GROUP_REPORT_SET;
    GroupId = groupId;
    Enabled = 1;
    for (const ReportKind& kind : m_kinds)
        m_definitions.push_back(std::make_unique<EcrTable>(kind.layout, kind.fields));
}

int ReportSet::KindOf(int key) const
{
    for (size_t i = 0; i < m_kinds.size(); ++i)
        if (m_kinds[i].key == key)
            return static_cast<int>(i);
    return -1;
}

S_ECR_TABLE* ReportSet::GetTable(int key)
{
    int kind = KindOf(key);
    return kind >= 0 ? m_definitions[kind]->Table() : nullptr;
}

void ReportSet::Reset()
{
    ReportFiles.RemoveAll();
    Loaded = 0;
}

BOOL ReportSet::Scan(const wchar_t* folder)
{
    Reset();
    m_folder = folder ? CString(folder) : LibraryState::Instance().Folder();
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW(JoinPath(m_folder, L"*.VKR"), &found);
    if (find == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        Loaded = error == ERROR_FILE_NOT_FOUND ? 1 : 0;
        return Loaded;
    }
    std::vector<CString> names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    std::sort(names.begin(), names.end(), [](const CString& a, const CString& b) { return a.CompareNoCase(b) < 0; });
    for (const CString& name : names) {
        // The key comes from the file's header; an unreadable file gets key 0,
        // which names no report, so the program lists no row for it.
        RawHeader header = {};
        std::vector<BYTE> bytes;
        if (AtomicFile::Read(JoinPath(m_folder, name), bytes, 64u << 20) == AtomicFile::ReadResult::Ok && bytes.size() >= sizeof header)
            std::memcpy(&header, bytes.data(), sizeof header);
        int key = std::memcmp(header.magic, kMagic, 4) == 0 ? static_cast<int>(header.key) : 0;
        ReportFiles.AddTail(S_ECR_REPORT_FILE{key, name});
    }
    Loaded = 1;
    return TRUE;
}

BOOL ReportSet::ConvertReport(int index, int)
{
    POSITION pos = ReportFiles.FindIndex(index);
    if (!pos)
        return FALSE;
    const S_ECR_REPORT_FILE& file = ReportFiles.GetAt(pos);
    int kind = KindOf(file.Key);
    CString path = JoinPath(m_folder, file.Name);
    std::vector<BYTE> bytes;
    if (kind < 0 || AtomicFile::Read(path, bytes, 64u << 20) != AtomicFile::ReadResult::Ok || bytes.size() < sizeof(RawHeader))
        return FALSE;
    RawHeader header;
    std::memcpy(&header, bytes.data(), sizeof header);
    EcrTable rows(m_kinds[kind].layout, m_kinds[kind].fields);
    if (header.recordSize != static_cast<UINT32>(rows.RecordSize())
        || bytes.size() - sizeof header != static_cast<size_t>(header.recordSize) * header.recordCount
        || header.recordCount > static_cast<UINT32>(rows.Capacity()))
        return FALSE;
    rows.Assign(std::vector<BYTE>(bytes.begin() + sizeof header, bytes.end()));

    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!::GetFileAttributesExW(path, GetFileExInfoStandard, &info))
        return FALSE;
    return WriteConverted(rows, m_folder, m_kinds[kind].prefix, info.ftLastWriteTime);
}

bool ReportSet::WriteConverted(const EcrTable& records, const CString& folder, const wchar_t* prefix,
                               const FILETIME& reportTime)
{
    CString dateFolder = JoinPath(folder, DateFolderName(reportTime));
    CString csv = JoinPath(dateFolder, CString(prefix) + L".CSV");
    if (!LibraryState::Instance().CreateFolderFor(csv, dateFolder) ||
        !CsvExchange::Export(records, csv, CsvExchange::Quoting::EveryField))
        return false;
    HANDLE file = ::CreateFileW(csv, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool stamped = ::SetFileTime(file, nullptr, nullptr, &reportTime) != FALSE;
    ::CloseHandle(file);
    return stamped;
}

std::vector<BYTE> ReportSet::EncodeRaw(int key, const EcrTable& records)
{
    RawHeader header = {};
    std::memcpy(header.magic, kMagic, 4);
    header.key = static_cast<UINT32>(key);
    header.recordSize = static_cast<UINT32>(records.RecordSize());
    header.recordCount = static_cast<UINT32>(records.Count());
    const std::vector<BYTE>& rows = records.Records();
    std::vector<BYTE> bytes(sizeof header + rows.size());
    std::memcpy(bytes.data(), &header, sizeof header);
    if (!rows.empty())
        std::memcpy(bytes.data() + sizeof header, rows.data(), rows.size());
    return bytes;
}
