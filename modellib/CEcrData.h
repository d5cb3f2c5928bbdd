#pragma once

#include <cstddef>
#include <windows.h>

#include "layout.h"

#include "S_ECR_TABLE.h"

// What a data group is; the program picks the interface view by it.
enum EcrGroupType : int
{
    GROUP_RECORDS = 0,       // editable record groups (0 and 1 alike)
    GROUP_RECORDS_ALT = 1,
    GROUP_NOT_SENT = 2,      // left out of send/receive
    GROUP_REPORT_SET = 3,    // CEcrReportSet
    GROUP_REPORTS = 4,       // CEcrReportGroup
    GROUP_LOGO = 5,          // CEcrGraphic
    GROUP_SETTING = 6,       // any other value: a setting group
};

// CommitData's answers: TRUE written; FALSE a unique key (PLU code etc.)
// repeats, which the caller reports; ECR_COMMIT_NOT_WRITTEN nothing was
// written for another reason (the file cannot be written, or was not read
// whole), which the library has already told the user, naming the file. On
// that answer the caller says nothing more, reports no success and keeps the
// edits: test for TRUE, not for nonzero.
constexpr BOOL ECR_COMMIT_NOT_WRITTEN = -1;

inline bool IsRecordGroup(int groupType)
{
    return groupType == GROUP_RECORDS || groupType == GROUP_RECORDS_ALT;
}

// One data group of the register, made and owned by the model library. The
// first sixteen virtual slots are common to every group; the seventeenth and
// later differ by group type and live in the derived views below. Unused
// slots are placeholders that keep the called ones in place. Nobody deletes a
// group through this interface, so there is no virtual destructor.
class CEcrData
{
public:
    virtual void UnusedSlot1() {}
    virtual void UnusedSlot2() {}
    virtual void UnusedSlot3() {}
    // Re-reads the group from the folder; always follows Reset.
    virtual void ReloadFromFolder(const wchar_t* folder) = 0;
    // Drops the loaded data.
    virtual void Reset() = 0;
    // Reads the group when Loaded is 0; null takes the folder of SetEcrFolder.
    virtual BOOL LoadData(const wchar_t* folder) = 0;
    // Writes the group back: TRUE, FALSE or ECR_COMMIT_NOT_WRITTEN (above).
    virtual BOOL CommitData(int reserved) = 0;
    virtual int GetTableCount() = 0;
    // A table by index; the report set takes a report-file key instead.
    virtual S_ECR_TABLE* GetTable(int key) = 0;
    virtual void SortTable(int table) = 0;
    virtual void UnusedSlot11() {}
    virtual BOOL ExportCsv(int table, const wchar_t* path) = 0;
    virtual BOOL ImportCsv(int table, const wchar_t* path) = 0;
    // Number handed to the communication program.
    virtual int GetRegisterParam() = 0;
    virtual void UnusedSlot15() {}
    virtual void UnusedSlot16() {}

    void* LibraryData = nullptr;         // the model library's own
    const wchar_t* FileName = nullptr;   // the group's file in the data folder
    const wchar_t* Name = nullptr;       // shown in the send/receive list
    int GroupType = GROUP_RECORDS;
    int GroupId = 0;                     // group number for the communication program
    int Enabled = 0;
    int Loaded = 0;
    int UnsavedChanges = 0;

protected:
    CEcrData() = default;
    CEcrData(const CEcrData&) = default;
    CEcrData& operator=(const CEcrData&) = default;
    ~CEcrData() = default;
};

static_assert(offsetof(CEcrData, FileName) == ByBuild(8, 16));
static_assert(offsetof(CEcrData, Name) == ByBuild(12, 24));
static_assert(offsetof(CEcrData, GroupType) == ByBuild(16, 32));
static_assert(offsetof(CEcrData, GroupId) == ByBuild(20, 36));
static_assert(offsetof(CEcrData, Enabled) == ByBuild(24, 40));
static_assert(offsetof(CEcrData, Loaded) == ByBuild(28, 44));
static_assert(offsetof(CEcrData, UnsavedChanges) == ByBuild(32, 48));
static_assert(sizeof(CEcrData) == ByBuild(36, 56), "common part of every data group");
