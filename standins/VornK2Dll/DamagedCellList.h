#pragma once

#include "CsvExchange.h"
#include "afx.h"

class EcrTable;

// The damaged cells of converted reports, for one message: names whose bytes
// form no character, then numbers with other digits than 0 to 9. Each line
// names the report, its row on the screen, the line of its file and the
// field; the cells of a kind beyond the first twenty are counted.
class DamagedCellList
{
public:
    void Add(const EcrTable& report, const CString& path, const CsvExchange::DamagedCell& cell);
    // The message in the caption language; empty when no cell was added.
    CString Text() const;

private:
    struct Cells
    {
        CString lines;
        int count = 0;
    };
    static CString Paragraph(const Cells& cells, const wchar_t* heading);

    Cells m_names;
    Cells m_numbers;
};
