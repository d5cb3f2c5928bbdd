#pragma once

#include <windows.h>

#include "ChartFile.h"

// Draws a chart: lines over time for one point per file, bars for one point
// per line; the second value as a second series when the chart has one.
void PaintChart(HDC dc, const RECT& client, const ChartFile& chart);
