#pragma once

#include "CsvExchange.h"
#include "afx.h"

class EcrTable;

// The text cells of converted reports whose bytes form no character, for one
// message: each names the report, its row on the screen, the line of its
// file and the field; the cells beyond the first twenty are counted.
class DamagedTextList
{
public:
    void Add(const EcrTable& report, const CString& path, const CsvExchange::DamagedText& cell);
    // The message in the caption language; empty when no cell was added.
    CString Text() const;

private:
    CString m_lines;
    int m_count = 0;
};
