#pragma once

#include <vector>

#include "afx.h"

class EcrTable;

// A table as CSV: a header row of column names, then one row per record;
// register text in the ANSI code page as the register stores it.
class CsvExchange
{
public:
    // Report CSVs quote every field: the chart reader takes only quoted ones.
    enum class Quoting { WhereNeeded, EveryField };

    // A file that cannot be written is told to the user, naming it.
    static bool Export(const EcrTable& table, const CString& path, Quoting quoting = Quoting::WhereNeeded);
    // The file's records, each checked as an edit of the table would be,
    // the table left as it is: false when any row is refused, with the
    // refusals in `errors`, one line each.
    static bool Read(EcrTable& table, const CString& path, std::vector<BYTE>& records, CString& errors);
    // Read, then the table takes the file's records: all or nothing.
    static bool Import(EcrTable& table, const CString& path, CString& errors);
};
