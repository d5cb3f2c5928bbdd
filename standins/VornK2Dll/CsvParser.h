#pragma once

#include <string>
#include <vector>
#include <windows.h>

// Comma-separated records in the ANSI code page, quoted as RFC 4180 has it:
// a field in quotes may hold commas, CR and LF, and "" is one quote. Shift-JIS
// trail bytes never take the values of comma, quote, CR or LF, so the bytes
// split safely.
class CsvParser
{
public:
    struct Record
    {
        int line;  // the line the record starts on, from 1
        std::vector<std::string> fields;
        // Why the quotes are broken ("" when they are not): a quote left open,
        // a quote inside an unquoted field or text after a closing quote.
        const wchar_t* broken = L"";
    };

    // Every record; lines holding nothing are skipped. Records end in CR LF,
    // LF or CR outside quotes. After broken quotes reading goes on with the
    // next line; a quote left open takes the rest of the file.
    static std::vector<Record> Records(const std::vector<BYTE>& bytes);
    // Quotes a field that holds a comma, a quote or a line end, or every
    // field when `always` is set.
    static std::string Quote(const std::string& field, bool always = false);
};
