#pragma once

#include <vector>

#include "afx.h"

// A CSV file as rows of cells, for viewing: UTF-16LE (with or without a
// byte-order mark), UTF-8 with a byte-order mark, or ANSI text; quoted cells
// may hold commas, doubled quotes and line breaks. Damaged quoting is shown
// as it stands rather than refused. Byte files are split into cells before
// each cell is decoded, so a cell ending in half a character (shown with
// U+FFFD) keeps its closing quote and the rows after it.
struct CsvSheet
{
    std::vector<std::vector<CString>> Rows;
    size_t Columns = 0;

    // False with a message for the user when the file cannot be read.
    bool Load(const CString& path, CString& error);
    // Splits decoded text into rows and cells.
    void Parse(const CString& text);
};
