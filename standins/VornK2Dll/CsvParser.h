#pragma once

#include <string>
#include <vector>
#include <windows.h>

// Comma-separated lines in the ANSI code page. Shift-JIS trail bytes never
// take the values of comma, quote, CR or LF, so the bytes split safely.
class CsvParser
{
public:
    struct Line
    {
        int number;  // from 1
        std::string text;
    };

    // Non-empty lines, ended by CR LF, LF or CR.
    static std::vector<Line> Lines(const std::vector<BYTE>& bytes);
    // Splits a line at commas outside quotes; "" inside quotes is one quote.
    // False when a quote is left open or text follows a closing quote.
    static bool Split(const std::string& line, std::vector<std::string>& fields);
    // Quotes a field that holds a comma, a quote or a line end, or every
    // field when `always` is set.
    static std::string Quote(const std::string& field, bool always = false);
};
