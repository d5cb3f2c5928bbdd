// Report CSVs and chart definitions for the chart tests.
#pragma once

#include <string>

// A definition line of 59 columns. Numbers are 3-digit fields.
struct ChartDefinition
{
    std::string key = "PLU";
    char mode = '0';
    int labelField = 0;
    std::string label1 = "Sales";
    int valueField = 0;
    int valueLine = 0;
    std::string label2 = "Count";
    int value2Field = 0;
    int value2Line = 0;
    char second = '0';
    char sortByLabel = '1';
    char single = '0';

    std::string Line() const;
};

// ANSI CSV lines joined with CR LF; every field quoted as given.
std::string AnsiCsv(const std::wstring& text);
// The same text as UTF-16LE with the line end the library writes: the bytes
// 0D 0A 00 after each line.
std::string Utf16Csv(const std::wstring& text);
