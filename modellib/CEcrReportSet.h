#pragma once

#include <cstddef>

#include "CEcrData.h"
#include "afx.h"

// One report file the register delivered into the data folder.
struct S_ECR_REPORT_FILE
{
    int Key;        // GetTable(Key) gives the report's definition
    CString Name;   // file name without folder
};

static_assert(offsetof(S_ECR_REPORT_FILE, Name) == ByBuild(4, 8));
static_assert(sizeof(S_ECR_REPORT_FILE) == ByBuild(8, 16));

// The report set (group type 3, window 3): report files and their conversion.
class CEcrReportSet : public CEcrData
{
public:
    using FileList = CList<S_ECR_REPORT_FILE, const S_ECR_REPORT_FILE&>;

    // Converts entry `index` of ReportFiles; TRUE on success.
    virtual BOOL ConvertReport(int index, int reserved) = 0;

    FileList ReportFiles;  // filled by LoadData(folder)

protected:
    CEcrReportSet() = default;
    ~CEcrReportSet() = default;
};

static_assert(offsetof(CEcrReportSet, ReportFiles) == ByBuild(36, 56));
static_assert(sizeof(CEcrReportSet::FileList) == ByBuild(28, 56));
static_assert(offsetof(CEcrReportSet::FileList::CNode, data) == ByBuild(8, 16), "node: next, prev, key, name");

// The report-set view of a group, or null for any other group type.
inline CEcrReportSet* AsReportSet(CEcrData* data)
{
    return data && data->GroupType == GROUP_REPORT_SET ? static_cast<CEcrReportSet*>(data) : nullptr;
}

// Offset readers of the report-file list, as the program reads it: the
// list's head follows its table pointer, its count the head and tail.
constexpr std::size_t kReportFileHeadOffset = ByBuild(40, 64);
constexpr std::size_t kReportFileCountOffset = ByBuild(48, 80);
static_assert(kReportFileHeadOffset == offsetof(CEcrReportSet, ReportFiles) + sizeof(void*));
static_assert(kReportFileCountOffset == offsetof(CEcrReportSet, ReportFiles) + 3 * sizeof(void*));

inline const CEcrReportSet::FileList::CNode* ReportFileHead(const CEcrData* set)
{
    return *reinterpret_cast<CEcrReportSet::FileList::CNode* const*>(reinterpret_cast<const BYTE*>(set) +
                                                                     kReportFileHeadOffset);
}
inline int ReportFileCount(const CEcrData* set)
{
    // The count is pointer-sized; little-endian, its low half is the int.
    return *reinterpret_cast<const int*>(reinterpret_cast<const BYTE*>(set) + kReportFileCountOffset);
}
