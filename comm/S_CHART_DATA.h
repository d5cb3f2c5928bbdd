#pragma once

#include <cstddef>

// One point of a chart as the chart viewer reads it from EcrChart.dat:
// 400 bytes, texts zero-padded UTF-16 of at most 63 units.
struct S_CHART_DATA
{
    wchar_t Label[64];
    wchar_t ValueText[64];
    double Value;
    wchar_t Value2Text[64];
    double Value2;
};

static_assert(offsetof(S_CHART_DATA, ValueText) == 128);
static_assert(offsetof(S_CHART_DATA, Value) == 256);
static_assert(offsetof(S_CHART_DATA, Value2Text) == 264);
static_assert(offsetof(S_CHART_DATA, Value2) == 392);
static_assert(sizeof(S_CHART_DATA) == 400, "chart record read by the chart viewer");

// A chart holds at most this many points.
constexpr int kMaxChartRecords = 365;
