#pragma once

#include <memory>

#include "CEcrGraphic.h"
#include "EcrTable.h"

// One register logo. Its file in the data folder is the one-bit picture with
// no header: width / 8 bytes per row, top row first, the leftmost pixel in
// the high bit, 1 = black (an all-zero file is blank). Table 0 holds the same
// picture as records: one per row, one field per pixel (0 or 1).
class LogoGroup final : public CEcrGraphic
{
public:
    struct Identity
    {
        const wchar_t* name;      // group name, also the logo name
        const wchar_t* file;
        const wchar_t* title;     // table 0's name
        int captionNo;
        int groupId;
        int width;                // a multiple of 16
        int height;
    };

    explicit LogoGroup(const Identity& id);

    BOOL LoadLogoPreview(const wchar_t* folder, const wchar_t* file) override;

    void ReloadFromFolder(const wchar_t* folder) override;
    void Reset() override;
    BOOL LoadData(const wchar_t* folder) override;
    BOOL CommitData(int) override { return TRUE; }
    int GetTableCount() override { return 1; }
    S_ECR_TABLE* GetTable(int key) override { return key == 0 ? m_table->Table() : nullptr; }
    void SortTable(int) override {}
    BOOL ExportCsv(int, const wchar_t*) override { return FALSE; }
    BOOL ImportCsv(int, const wchar_t*) override { return FALSE; }
    int GetRegisterParam() override { return GroupId; }

    int FileSize() const { return m_width * m_height / 8; }

private:
    // Reads a logo file; an empty result when it is missing or of the wrong size.
    std::vector<BYTE> ReadLogo(const wchar_t* folder, const wchar_t* file) const;
    bool ShowImage(const std::vector<BYTE>& bits);

    CString m_name;
    CString m_file;
    int m_width;
    int m_height;
    std::unique_ptr<EcrTable> m_table;
};
