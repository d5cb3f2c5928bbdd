#pragma once

#include <vector>

#include "afx.h"

class EcrTable;

// A table as CSV: a header row of column names, then one row per record;
// register text as the register's own bytes (the ANSI code page and the
// bytes of the character table), written and read back unchanged.
class CsvExchange
{
public:
    // Report CSVs quote every field: the chart reader takes only quoted ones.
    enum class Quoting { WhereNeeded, EveryField };
    // Files the library wrote hold register bytes. A file from outside may
    // be UTF-8 too; when it reads both ways with different texts, the user
    // is asked which reading is meant.
    enum class Origin { Library, Outside };
    // A cell of a file the library wrote that holds what the register
    // stored, though it is no value of the field: text whose bytes form no
    // character (a name the register cut in the middle of a character), or
    // a number with other digits than 0 to 9 (a damaged record), written as
    // stored. Such a cell is read as the register's bytes, to be shown as
    // they are; a file from outside is refused for it.
    struct DamagedCell
    {
        int line;    // in the file, from 1
        int record;  // from 0
        int field;
    };

    // A file that cannot be written is told to the user, naming it.
    static bool Export(const EcrTable& table, const CString& path, Quoting quoting = Quoting::WhereNeeded);
    // The file's records, each checked as an edit of the table would be,
    // the table left as it is: false when any row is refused, with the
    // refusals in `errors`, one line each; false with no errors when the
    // user cancelled.
    // `damaged`, when given, receives the damaged cells of a file the
    // library wrote.
    static bool Read(EcrTable& table, const CString& path, std::vector<BYTE>& records, CString& errors,
                     Origin origin, std::vector<DamagedCell>* damaged = nullptr);
    // Read, then the table takes the file's records: all or nothing.
    static bool Import(EcrTable& table, const CString& path, CString& errors, Origin origin,
                       std::vector<DamagedCell>* damaged = nullptr);
};
