#pragma once

#include <vector>

#include "afx.h"

class EcrTable;

// The library's data file of one group (see README.md): a header naming the
// group, then each table's record size, record count and records.
class GroupFile
{
public:
    enum class Result
    {
        Ok,
        Missing,  // no file: the tables stay empty
        Damaged,  // foreign, truncated or unreadable: the tables hold what could be read
    };

    static Result Read(const CString& path, int groupId, const std::vector<EcrTable*>& tables);
    static bool Write(const CString& path, int groupId, const std::vector<EcrTable*>& tables);
};
