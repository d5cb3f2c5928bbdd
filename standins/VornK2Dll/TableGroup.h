#pragma once

#include <memory>
#include <vector>

#include "CEcrData.h"
#include "EcrTable.h"
#include "afx.h"

// A data group made of tables kept in one file of the data folder: the
// record groups, the setting groups and the keyboard.
class TableGroup final : public CEcrData
{
public:
    struct Identity
    {
        const wchar_t* name;
        const wchar_t* file;
        int groupType;
        int groupId;
        int registerParam;
    };

    explicit TableGroup(const Identity& id);

    EcrTable& AddTable(const EcrTable::Layout& layout, const std::vector<FieldSpec>& fields);
    EcrTable& Table(int i) { return *m_tables[i]; }
    // Counts the records edited since the last load or commit.
    void RefreshUnsaved();

    void ReloadFromFolder(const wchar_t* folder) override;
    void Reset() override;
    BOOL LoadData(const wchar_t* folder) override;
    BOOL CommitData(int reserved) override;
    int GetTableCount() override { return static_cast<int>(m_tables.size()); }
    S_ECR_TABLE* GetTable(int key) override;
    void SortTable(int table) override;
    BOOL ExportCsv(int table, const wchar_t* path) override;
    BOOL ImportCsv(int table, const wchar_t* path) override;
    int GetRegisterParam() override { return m_registerParam; }

private:
    BOOL Read(const wchar_t* folder);
    CString FilePath() const;
    std::vector<EcrTable*> Tables() const;
    void MarkSaved();

    CString m_name;
    CString m_file;
    CString m_folder;      // where the data was read from and is written to
    bool m_damaged = false;  // the file could not be read whole: never written over
    int m_registerParam;
    std::vector<std::unique_ptr<EcrTable>> m_tables;
};
