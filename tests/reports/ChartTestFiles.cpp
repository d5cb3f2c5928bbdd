#include "ChartTestFiles.h"

#include <cstdio>

#include <windows.h>

std::string ChartDefinition::Line() const
{
    char line[64];
    std::snprintf(line, sizeof line, "%-8.8s%c%03d%-16.16s%03d%03d%-16.16s%03d%03d%c%c%c", key.c_str(), mode,
                  labelField, label1.c_str(), valueField, valueLine, label2.c_str(), value2Field, value2Line, second,
                  sortByLabel, single);
    return line;
}

std::string AnsiCsv(const std::wstring& text)
{
    std::string out;
    int n = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    out.resize(static_cast<size_t>(n));
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    std::string crlf;
    for (char c : out) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    return crlf;
}

std::string Utf16Csv(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) {
        if (c == L'\n')
            out += '\r';
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}
