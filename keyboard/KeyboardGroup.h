#pragma once

#include <vector>

#include "CCellRange.h"
#include "afx.h"

struct S_ECR_TABLE;

// The keyboard group's tables read as the register means them: key indexes
// on the map, assignable flags and names in the key list, merged keys.
// Every value goes through the field codec as decimal text; anything that
// cannot be read counts as absent, never as a read past the records.
class KeyboardGroup
{
public:
    KeyboardGroup(S_ECR_TABLE* map, S_ECR_TABLE* list, S_ECR_TABLE* merges)
        : m_map(map), m_list(list), m_merges(merges) {}

    int Rows() const;
    int Columns() const;
    int KeyCount() const;

    // The key list record at a position; -1 when it cannot be read.
    int KeyAt(int row, int col) const;
    // Writes a key index at a position; false when nothing was written.
    bool SetKeyAt(int row, int col, int key);
    // Whether key list record k exists and reads 1 as its assignable flag.
    bool IsAssignable(int key) const;
    // The name of key list record k; empty when there is none.
    CString KeyName(int key) const;
    // The merged keys whose four numbers can be read, as cell ranges.
    std::vector<CCellRange> MergedKeys() const;

private:
    S_ECR_TABLE* m_map;
    S_ECR_TABLE* m_list;
    S_ECR_TABLE* m_merges;
};
