#pragma once

#include <vector>

#include "ChartParamLine.h"
#include "S_CHART_DATA.h"

// Builds the charts of one report: for each definition of the model's chart
// parameter file whose key begins the report's file name, collects the
// points from the report CSV files, sorts them, writes them to the chart
// data file and starts the chart viewer on it. A chart data file that cannot
// be written is told once, naming it; every other failure is silent.
class ChartBuilder
{
public:
    // Starts the viewer with its argument line; true when it runs. The
    // default opens it through the shell and waits until it has read its
    // file, so the next chart may replace the file.
    using ViewerStarter = bool (*)(const CString& viewer, const CString& arguments);

    explicit ChartBuilder(ViewerStarter starter = StartViewer) : m_starter(starter) {}

    void BuildChart(const wchar_t* paramFile, const wchar_t* reportPath, const wchar_t* chartFile,
                    const wchar_t* viewer);

    // Feeds every match of the file pattern to the CSV reader, with the
    // match's local last-write time.
    void CollectHistoryValues(const CString& pattern, const ChartParamLine& param, int& count);

    // Sort orders: labels ascending unit by unit; values descending.
    static bool CompareChartLabel(const S_CHART_DATA& a, const S_CHART_DATA& b);
    static bool CompareChartValue(const S_CHART_DATA& a, const S_CHART_DATA& b);

    static bool StartViewer(const CString& viewer, const CString& arguments);

private:
    // The dated history folders beside the report's folder, newest first.
    static std::vector<CString> HistoryFolders(const CString& drive, const CString& folder);

    ViewerStarter m_starter;
    std::vector<S_CHART_DATA> m_records;
};
