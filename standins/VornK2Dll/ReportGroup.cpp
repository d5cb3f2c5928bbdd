#include "ReportGroup.h"

#include <string>

#include "AtomicFile.h"
#include "CsvExchange.h"
#include "DamagedCellList.h"
#include "FullPathName.h"
#include "LibraryState.h"
#include "ProgramFolder.h"

ReportGroup::ReportGroup(int groupId, const std::vector<ReportKind>& kinds) : m_kinds(kinds)
{
    Name = L"REPORT";
    GroupType = GROUP_REPORTS;
    GroupId = groupId;
    Enabled = 1;
    for (const ReportKind& kind : m_kinds)
        m_tables.push_back(std::make_unique<EcrTable>(kind.layout, kind.fields));
}

S_ECR_LABEL* ReportGroup::GetReportLabel(int index)
{
    return Valid(index) ? &m_tables[index]->Table()->Label : nullptr;
}

CString ReportGroup::ReportListPath()
{
    return GetProgramFolder() + L"report.lst";
}

CString ReportGroup::LatestCsv(const CString& folder, const wchar_t* prefix)
{
    CString latest;
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW(JoinPath(folder, L"????????"), &found);
    if (find == INVALID_HANDLE_VALUE)
        return latest;
    CString latestDate;
    do {
        CString date = found.cFileName;
        bool digits = date.GetLength() == 8 && date.SpanIncluding(L"0123456789") == date;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !digits || date.Compare(latestDate) <= 0)
            continue;
        CString csv = JoinPath(JoinPath(folder, date), CString(prefix) + L".CSV");
        if (::GetFileAttributesW(csv) != INVALID_FILE_ATTRIBUTES) {
            latest = csv;
            latestDate = date;
        }
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return latest;
}

void ReportGroup::ReloadFromFolder(const wchar_t* folder)
{
    // Full paths: the chart builder compares the report's folder with its
    // dated siblings, which a relative data folder would defeat.
    CString base = FullPathName(folder ? CString(folder) : LibraryState::Instance().Folder());
    unsigned level = static_cast<unsigned>(LibraryState::Instance().Level());
    std::wstring list;
    CString unread;
    int unreadCount = 0;
    DamagedCellList damaged;
    for (size_t i = 0; i < m_kinds.size(); ++i) {
        EcrTable& table = *m_tables[i];
        table.Clear();
        CString csv = LatestCsv(base, m_kinds[i].prefix);
        CString errors;
        std::vector<CsvExchange::DamagedCell> cells;
        if (!csv.IsEmpty() && !CsvExchange::Import(table, csv, errors, CsvExchange::Origin::Library, &cells)) {
            unread += L"\n" + csv;
            ++unreadCount;
        }
        for (const CsvExchange::DamagedCell& cell : cells)
            damaged.Add(table, csv, cell);
        if (static_cast<unsigned>(table.Table()->Level) >= level)
            list += std::wstring(csv.GetString()) + L"\r\n";
    }
    // An unreadable report shows no records: say which, so that none is
    // taken for a day without sales. A damaged name or number is told in the
    // same message.
    CString message;
    if (!unread.IsEmpty())
        message = LibraryState::Instance().SayCount(unreadCount, L"This report could not be read and shows no records:\n",
                                                    L"These reports could not be read and show no records:\n",
                                                    L"次のレポートは読み込めないため、レコードを表示しません:\n")
                  + unread;
    const CString marked = damaged.Text();
    if (!marked.IsEmpty())
        message += (message.IsEmpty() ? L"" : L"\n\n") + marked;
    if (!message.IsEmpty())
        LibraryState::Tell(message, MB_ICONEXCLAMATION);
    CString listPath = ReportListPath();
    if (!AtomicFile::Write(listPath, list.data(), list.size() * sizeof(wchar_t)))
        LibraryState::Tell(LibraryState::Instance().WriteFailure(listPath, ::GetLastError()), MB_ICONSTOP);
    Loaded = 1;
}

void ReportGroup::Reset()
{
    for (auto& t : m_tables)
        t->Clear();
    Loaded = 0;
}

BOOL ReportGroup::LoadData(const wchar_t* folder)
{
    if (!Loaded)
        ReloadFromFolder(folder);
    return TRUE;
}

BOOL ReportGroup::ExportCsv(int table, const wchar_t* path)
{
    return Valid(table) && path && CsvExchange::Export(*m_tables[table], path);
}
