#pragma once

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
    // All or nothing: with any refused row the table stays as it was and
    // `errors` lists the refusals, one line each.
    static bool Import(EcrTable& table, const CString& path, CString& errors);
};
