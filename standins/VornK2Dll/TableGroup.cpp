#include "TableGroup.h"

#include "CaptionText.h"
#include "CsvExchange.h"
#include "EcrWndNo.h"
#include "FillPlaceholders.h"
#include "GroupFile.h"
#include "LibraryState.h"

namespace {

CString DropQuestion(int fileRecords, int tableRecords)
{
    CString file, table;
    file.Format(L"%d", fileRecords);
    table.Format(L"%d", tableRecords);
    const CString pattern = CountCaptionText(
        WNDNO_COMMON, fileRecords, 21,
        L"The file holds %1 records, the table %2.\nImporting the file leaves the table with %1 records; the other "
        L"records are dropped.\nImport it?",
        22,
        L"The file holds %1 record, the table %2.\nImporting the file leaves the table with %1 record; the other "
        L"records are dropped.\nImport it?");
    return FillPlaceholders(pattern, {file, table});
}

} // namespace

TableGroup::TableGroup(const Identity& id) : m_name(id.name), m_file(id.file), m_registerParam(id.registerParam)
{
    Name = m_name;
    FileName = m_file;
    GroupType = id.groupType;
    GroupId = id.groupId;
    Enabled = 1;
}

EcrTable& TableGroup::AddTable(const EcrTable::Layout& layout, const std::vector<FieldSpec>& fields)
{
    m_tables.push_back(std::make_unique<EcrTable>(layout, fields));
    return *m_tables.back();
}

std::vector<EcrTable*> TableGroup::Tables() const
{
    std::vector<EcrTable*> tables;
    for (const auto& t : m_tables)
        tables.push_back(t.get());
    return tables;
}

CString TableGroup::FilePath() const
{
    CString path = m_folder;
    if (!path.IsEmpty() && path[path.GetLength() - 1] != L'\\' && path[path.GetLength() - 1] != L'/')
        path += L'\\';
    return path + m_file;
}

void TableGroup::MarkSaved()
{
    for (auto& t : m_tables)
        t->MarkSaved();
    UnsavedChanges = 0;
}

void TableGroup::RefreshUnsaved()
{
    int changed = 0;
    for (auto& t : m_tables)
        changed += t->ChangedRecords();
    UnsavedChanges = changed;
}

BOOL TableGroup::Read(const wchar_t* folder)
{
    m_folder = folder ? CString(folder) : LibraryState::Instance().Folder();
    GroupFile::Result result = GroupFile::Read(FilePath(), GroupId, Tables());
    m_damaged = result == GroupFile::Result::Damaged;
    MarkSaved();
    // A damaged file stays unloaded, so the program offers no Update over it.
    Loaded = m_damaged ? 0 : 1;
    return result == GroupFile::Result::Ok;
}

void TableGroup::ReloadFromFolder(const wchar_t* folder)
{
    Read(folder);
}

void TableGroup::Reset()
{
    for (auto& t : m_tables)
        t->Clear();
    MarkSaved();
    Loaded = 0;
}

BOOL TableGroup::LoadData(const wchar_t* folder)
{
    if (Loaded)
        return TRUE;
    return Read(folder);
}

BOOL TableGroup::CommitData(int)
{
    // A file that was not read whole is refused first, with its message,
    // whatever the records hold.
    CString message;
    if (m_damaged || !Loaded) {
        message.Format(LibraryState::Instance().Say(L"%s could not be read whole and is left unchanged.",
                                                    L"%s は全体を読み込めなかったため、変更しません。"),
                       FilePath().GetString());
        LibraryState::Tell(message, MB_ICONSTOP);
        return ECR_COMMIT_NOT_WRITTEN;
    }
    for (auto& t : m_tables)
        if (t->FindDuplicateKey() >= 0)
            return FALSE;
    // A data folder that is not there yet is made by the first save.
    if (!LibraryState::Instance().CreateFolderFor(FilePath(), m_folder))
        return ECR_COMMIT_NOT_WRITTEN;
    if (!GroupFile::Write(FilePath(), GroupId, Tables())) {
        LibraryState::Tell(LibraryState::Instance().WriteFailure(FilePath(), ::GetLastError()), MB_ICONSTOP);
        return ECR_COMMIT_NOT_WRITTEN;
    }
    MarkSaved();
    return TRUE;
}

S_ECR_TABLE* TableGroup::GetTable(int key)
{
    return key >= 0 && key < GetTableCount() ? m_tables[key]->Table() : nullptr;
}

void TableGroup::SortTable(int table)
{
    if (table >= 0 && table < GetTableCount())
        m_tables[table]->Sort();
}

BOOL TableGroup::ExportCsv(int table, const wchar_t* path)
{
    if (table < 0 || table >= GetTableCount() || !path)
        return FALSE;
    return CsvExchange::Export(*m_tables[table], path);
}

BOOL TableGroup::ImportCsv(int table, const wchar_t* path)
{
    if (table < 0 || table >= GetTableCount() || !path)
        return FALSE;
    EcrTable& target = *m_tables[table];
    std::vector<BYTE> records;
    CString errors;
    if (!CsvExchange::Read(target, path, records, errors, CsvExchange::Origin::Outside)) {
        // No errors: the user cancelled, and knows.
        if (!errors.IsEmpty())
            LibraryState::Tell(LibraryState::Instance().Say(L"The CSV file was not imported; the table is unchanged.\n\n",
                                                            L"CSV ファイルを取り込みませんでした。テーブルは変わっていません。\n\n")
                                   + errors,
                               MB_ICONEXCLAMATION);
        return FALSE;
    }
    // A file that holds part of the table would drop the other records
    // without a word: asked first, and No keeps the table as it is.
    const size_t size = static_cast<size_t>(target.RecordSize());
    const int fileRecords = size ? static_cast<int>(records.size() / size) : 0;
    if (fileRecords < target.Count() && !LibraryState::Confirm(DropQuestion(fileRecords, target.Count())))
        return FALSE;
    target.Assign(std::move(records));
    return TRUE;
}
