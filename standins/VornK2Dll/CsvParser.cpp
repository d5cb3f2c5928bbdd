#include "CsvParser.h"

std::vector<CsvParser::Line> CsvParser::Lines(const std::vector<BYTE>& bytes)
{
    std::vector<Line> lines;
    std::string current;
    int number = 1;
    for (size_t i = 0; i <= bytes.size(); ++i) {
        bool end = i == bytes.size() || bytes[i] == '\n' || bytes[i] == '\r';
        if (!end) {
            current += static_cast<char>(bytes[i]);
            continue;
        }
        if (!current.empty())
            lines.push_back({number, current});
        current.clear();
        if (i < bytes.size() && bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        ++number;
    }
    return lines;
}

bool CsvParser::Split(const std::string& line, std::vector<std::string>& fields)
{
    fields.assign(1, std::string());
    size_t i = 0;
    while (i <= line.size()) {
        std::string& field = fields.back();
        if (i < line.size() && line[i] == '"' && field.empty()) {
            ++i;
            for (;;) {
                if (i >= line.size())
                    return false;
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            if (i < line.size() && line[i] != ',')
                return false;
        }
        while (i < line.size() && line[i] != ',') {
            if (line[i] == '"')
                return false;
            field += line[i++];
        }
        if (i >= line.size())
            break;
        fields.emplace_back();
        ++i;
    }
    return true;
}

std::string CsvParser::Quote(const std::string& field, bool always)
{
    if (!always && field.find_first_of(",\"\r\n") == std::string::npos)
        return field;
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}
