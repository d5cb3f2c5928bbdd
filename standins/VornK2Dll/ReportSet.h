#pragma once

#include <memory>
#include <vector>

#include "CEcrReportSet.h"
#include "ReportKind.h"

// The report files the register delivered into the data folder ("*.VKR"),
// and their conversion into CSV files under a folder named by the file's date.
class ReportSet final : public CEcrReportSet
{
public:
    ReportSet(int groupId, const std::vector<ReportKind>& kinds);

    BOOL ConvertReport(int index, int reserved) override;

    void ReloadFromFolder(const wchar_t* folder) override { Scan(folder); }
    void Reset() override;
    // Always scans again: new reports may have arrived.
    BOOL LoadData(const wchar_t* folder) override { return Scan(folder); }
    BOOL CommitData(int) override { return TRUE; }
    int GetTableCount() override { return static_cast<int>(m_kinds.size()); }
    // The definition of a report-file key.
    S_ECR_TABLE* GetTable(int key) override;
    void SortTable(int) override {}
    BOOL ExportCsv(int, const wchar_t*) override { return FALSE; }
    BOOL ImportCsv(int, const wchar_t*) override { return FALSE; }
    int GetRegisterParam() override { return 0; }

    // The raw file of a report: header, then the records.
    static std::vector<BYTE> EncodeRaw(int key, const EcrTable& records);
    // Writes a converted report as <folder>\<yyyymmdd>\<prefix>.CSV, every
    // field quoted, with the report's own time as the file's time (charts
    // label each point with it).
    static bool WriteConverted(const EcrTable& records, const CString& folder, const wchar_t* prefix,
                               const FILETIME& reportTime);

private:
    BOOL Scan(const wchar_t* folder);
    int KindOf(int key) const;

    std::vector<ReportKind> m_kinds;
    std::vector<std::unique_ptr<EcrTable>> m_definitions;
    CString m_folder;
};
