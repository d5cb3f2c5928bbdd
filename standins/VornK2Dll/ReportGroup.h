#pragma once

#include <memory>
#include <vector>

#include "CEcrReportGroup.h"
#include "ReportKind.h"

// The reports as the report viewer shows them (window 24): one table per
// report, holding its latest converted CSV file. Loading also writes
// "report.lst" beside the program: line N is the CSV file of the N-th report
// listed at the user level (an empty line when none was converted yet).
class ReportGroup final : public CEcrReportGroup
{
public:
    ReportGroup(int groupId, const std::vector<ReportKind>& kinds);

    int GetReportCount() override { return static_cast<int>(m_kinds.size()); }
    void* GetReport(int index) override { return GetTable(index); }
    S_ECR_LABEL* GetReportLabel(int index) override;
    int GetReportId(int index) override { return Valid(index) ? m_kinds[index].key : 0; }
    int GetRangeFieldCount(int index) override { return Valid(index) ? m_kinds[index].rangeCount : 0; }
    int GetRangeMin(int index) override { return Valid(index) ? m_kinds[index].rangeMin : 0; }
    int GetRangeMax(int index) override { return Valid(index) ? m_kinds[index].rangeMax : 0; }

    void ReloadFromFolder(const wchar_t* folder) override;
    void Reset() override;
    BOOL LoadData(const wchar_t* folder) override;
    BOOL CommitData(int) override { return TRUE; }
    int GetTableCount() override { return static_cast<int>(m_tables.size()); }
    S_ECR_TABLE* GetTable(int key) override { return Valid(key) ? m_tables[key]->Table() : nullptr; }
    void SortTable(int) override {}
    BOOL ExportCsv(int table, const wchar_t* path) override;
    BOOL ImportCsv(int, const wchar_t*) override { return FALSE; }
    int GetRegisterParam() override { return 0; }

    // "report.lst" in the folder of the running program.
    static CString ReportListPath();

private:
    bool Valid(int index) const { return index >= 0 && index < static_cast<int>(m_kinds.size()); }
    // The newest "<date>\<prefix>.CSV" under the folder, or empty.
    static CString LatestCsv(const CString& folder, const wchar_t* prefix);

    std::vector<ReportKind> m_kinds;
    std::vector<std::unique_ptr<EcrTable>> m_tables;
};
