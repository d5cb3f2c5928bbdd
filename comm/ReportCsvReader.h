#pragma once

#include <windows.h>

#include "ChartParamLine.h"
#include "S_CHART_DATA.h"

// Reads one report CSV file into chart records under one chart definition.
// Only quoted fields count: a field opens at a double quote outside a field
// and closes at a double quote that ends the line or is followed by a comma
// or a line end; its text is everything between, unchanged. Fields and lines
// are numbered from 0. Files starting with the bytes 22 00 are UTF-16LE
// (line ends 0D 0A 00, 0D 00 0A 00 or 0A 00), all others ANSI (CR LF or LF),
// split on their bytes and each field decoded alone (DecodeAnsi).
//
// Mode '0': the file gives at most one record, records[count], labelled with
// `time`, and count grows by one when a wanted field was found.
// Mode '1': line l gives record l (l below kMaxChartRecords) and count becomes
// the number of lines, at most kMaxChartRecords.
// Nothing is read when count is already kMaxChartRecords; a file that cannot
// be read is passed over.
void ReadReportCsv(const wchar_t* path, const ChartParamLine& param, S_CHART_DATA* records, int& count,
                   const SYSTEMTIME& time);
