#pragma once

#include "ChartBuilder.h"

// Opens a report of the report viewer's list: the report's CSV file, named
// by line `selection` of "report.lst" beside the program, goes to the
// spreadsheet opener, and the report's charts are built from the model's
// chart definitions. A missing list or line opens nothing; a report listed
// but not converted yet is told apart, so that the viewer can say so.
class ReportOpener
{
public:
    enum class Result { Opened, NotConverted, NotListed };

    // Starts the spreadsheet opener on the quoted path, minimised.
    using OpenerStarter = bool (*)(const CString& opener, const CString& parameter);

    explicit ReportOpener(OpenerStarter opener = StartOpener, ChartBuilder::ViewerStarter viewer = ChartBuilder::StartViewer)
        : m_opener(opener), m_viewer(viewer)
    {
    }

    // programFolder ends in a backslash; ecrName names the chart definitions.
    Result Open(int selection, const CString& programFolder, const CString& ecrName);

    // Line `index` (from 0) of a UTF-16LE list of CR LF lines, its line end
    // removed; false when the file or the line is missing.
    static bool ReadListLine(const CString& path, int index, CString& line);
    static bool StartOpener(const CString& opener, const CString& parameter);

private:
    OpenerStarter m_opener;
    ChartBuilder::ViewerStarter m_viewer;
};
