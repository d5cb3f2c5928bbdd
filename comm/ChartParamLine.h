#pragma once

#include <string>

#include "afx.h"

// One chart definition of the model's chart parameter file: 59 fixed columns
// of single-byte characters.
//   0-7 report key, 8 mode ('0' one point per file, '1' one point per line),
//   9-11 label field, 12-27 label 1, 28-30 value field, 31-33 value line,
//   34-49 label 2, 50-52 second value field, 53-55 second value line,
//   56 '1' = collect the second value, 57 '1' = sort by label,
//   58 '1' = single value (clears column 56).
class ChartParamLine
{
public:
    static constexpr int kColumns = 59;

    // A line of the file without its line end; a shorter line is padded with
    // blanks, the part beyond the columns is ignored. Column 58 is applied.
    explicit ChartParamLine(const std::string& line);

    // The key upper-cased (ASCII), from the thread's ANSI code page; empty
    // when columns 0-7 are blank.
    CString Key() const;
    char Mode() const { return m_columns[8]; }
    int LabelField() const { return Number(9); }
    int ValueField() const { return Number(28); }
    int ValueLine() const { return Number(31); }
    int Value2Field() const { return Number(50); }
    int Value2Line() const { return Number(53); }
    bool CollectsSecondValue() const { return m_columns[56] == '1'; }
    char SecondValueFlag() const { return m_columns[56]; }
    bool SortsByLabel() const { return m_columns[57] == '1'; }
    char SingleValueFlag() const { return m_columns[58]; }
    // Labels 1 and 2: all 16 bytes from the ANSI code page; trailing blanks
    // stay, a zero byte ends a label early.
    CString Label1() const { return Label(12); }
    CString Label2() const { return Label(34); }

private:
    // Three columns read as a decimal integer: leading blanks and a sign,
    // digits up to the first other character; no digits give 0.
    int Number(int first) const;
    CString Label(int first) const;

    char m_columns[kColumns + 1];
};
