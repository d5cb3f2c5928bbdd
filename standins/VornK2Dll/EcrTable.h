#pragma once

#include <memory>
#include <vector>
#include <windows.h>

#include "FieldRuleValidator.h"
#include "S_ECR_TABLE.h"

// One column as the register lays it out; the byte offset follows from the
// columns before it.
struct FieldSpec
{
    const wchar_t* label;
    int captionNo;
    DWORD flags;
    int width;
    int cardKind = CARD_EDIT;
    int checkMode = CHECK_NONE;
    double minimum = 0;
    double maximum = 0;
    int level = 4;  // seen at every user level
    int lookupWndNo = 0;
    int lookupTable = 0;
    int lookupField = 0;
};

// A table the library owns: the shared S_ECR_TABLE with its descriptors, the
// record bytes the program edits in place, and the bytes last read or written,
// from which the unsaved-changes count is taken.
class EcrTable
{
public:
    struct Layout
    {
        const wchar_t* name;
        int captionNo;
        int level;
        int sortKey;    // -1: not sortable; else the field sorted by
        int capacity;   // most records the register holds
        int uniqueField = -1;
    };

    EcrTable(const Layout& layout, const std::vector<FieldSpec>& fields);
    EcrTable(const EcrTable&) = delete;
    EcrTable& operator=(const EcrTable&) = delete;

    S_ECR_TABLE* Table() { return m_table; }
    const S_ECR_TABLE* Table() const { return m_table; }
    const S_ECR_FIELD& Field(int i) const { return m_table->Fields()[i]; }
    int FieldCount() const { return m_table->FieldCount; }
    int RecordSize() const { return m_table->RecordSize; }
    int Count() const { return m_table->RecordCount; }
    int Capacity() const { return m_capacity; }
    int UniqueField() const { return m_uniqueField; }
    const std::vector<BYTE>& Records() const { return m_records; }
    BYTE* Record(int i) { return m_records.data() + static_cast<size_t>(i) * RecordSize(); }

    // Checks the field through the table's validator (check mode 2).
    void SetRule(int field, FieldRuleValidator::Rule rule);
    // Takes whole records, at most Capacity() of them.
    void Assign(std::vector<BYTE> records);
    void Clear() { Assign({}); }
    // The current records become the saved state.
    void MarkSaved() { m_saved = m_records; }
    // Records that differ from the saved state, added or removed ones included.
    int ChangedRecords() const;
    // Index of a record whose unique key repeats an earlier one, or -1.
    int FindDuplicateKey() const;
    // Stable sort by the sort field; numbers by value, text by its characters.
    void Sort();

private:
    std::unique_ptr<BYTE[]> m_storage;
    S_ECR_TABLE* m_table;
    std::vector<BYTE> m_records;
    std::vector<BYTE> m_saved;
    std::unique_ptr<FieldRuleValidator> m_validator;
    int m_capacity;
    int m_uniqueField;
};
