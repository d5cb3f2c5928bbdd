#pragma once

#include <memory>
#include <vector>

#include "CEcrData.h"
#include "EcrTable.h"
#include "afx.h"

// A group the library fills itself, in the caption language: the choice
// lists behind the record card's lists and option buttons (window 4), and the
// reserved group (window 25). Nothing of it is stored or sent.
class ChoiceGroup final : public CEcrData
{
public:
    struct Choices
    {
        const wchar_t* name;
        int captionNo;
        std::vector<const wchar_t*> english;
        std::vector<const wchar_t*> japanese;
    };

    ChoiceGroup(const wchar_t* name, int groupId, bool enabled, std::vector<Choices> lists);

    void ReloadFromFolder(const wchar_t* folder) override;
    void Reset() override;
    BOOL LoadData(const wchar_t* folder) override;
    BOOL CommitData(int) override { return TRUE; }
    int GetTableCount() override { return static_cast<int>(m_tables.size()); }
    S_ECR_TABLE* GetTable(int key) override;
    void SortTable(int) override {}
    BOOL ExportCsv(int, const wchar_t*) override { return FALSE; }
    BOOL ImportCsv(int, const wchar_t*) override { return FALSE; }
    int GetRegisterParam() override { return 0; }

private:
    CString m_name;
    std::vector<Choices> m_lists;
    std::vector<std::unique_ptr<EcrTable>> m_tables;
};
