#pragma once

#include <initializer_list>
#include <vector>

#include "EcrTable.h"

// Builds a table's records row by row from display texts, through the field
// codec, and hands them to the table at the end.
class TableFiller
{
public:
    explicit TableFiller(EcrTable& table) : m_table(table) {}
    TableFiller(const TableFiller&) = delete;
    TableFiller& operator=(const TableFiller&) = delete;
    ~TableFiller() { m_table.Assign(std::move(m_bytes)); }

    // One record; columns past the texts stay zero.
    void Add(std::initializer_list<CString> texts);

private:
    EcrTable& m_table;
    std::vector<BYTE> m_bytes;
};
