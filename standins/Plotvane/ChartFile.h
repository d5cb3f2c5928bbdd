#pragma once

#include <vector>

#include "S_CHART_DATA.h"
#include "afx.h"

// What the chart viewer is asked to draw: the argument line
// "<chart file>|<key>|<report>|<mode>|<single>|<label 1>|<label 2>|<second>"
// and the chart records of the chart file, less those whose value texts are
// words, not numbers: a report's heading line is read as a record too.
struct ChartFile
{
    CString Path;
    CString Key;
    CString Report;
    wchar_t Mode = L'0';
    bool SecondValue = false;
    CString Label1;
    CString Label2;
    std::vector<S_CHART_DATA> Records;

    // Reads the argument line and the chart file; false with a message for
    // the user when either is unusable.
    bool Load(const CString& arguments, CString& error);
};
